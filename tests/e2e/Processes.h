// What the Windows-side tests need to drive real programs under Wine: starting a program with
// an exact command line, the debug viewer, top-level windows of a chosen class, and files.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// Folder of the running test program (the build's bin folder, where tvstub.exe and
// vdebugview.exe are), with a trailing backslash.
std::string BinDir();

struct ProcessResult {
    bool started = false;
    bool finished = false;
    DWORD pid = 0;
    DWORD exitCode = 0;
};

// Starts `commandLine` verbatim and waits for it, serving this thread's messages meanwhile.
ProcessResult RunProcess(const std::string& commandLine, DWORD timeoutMs = 60000);

// A program started with an exact command line. Ended by force when it still runs at
// destruction.
class ChildProcess {
public:
    explicit ChildProcess(const std::string& commandLine);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Pid() const { return pid_; }
    // Waits for the end while serving this thread's messages; false on timeout.
    bool Wait(DWORD timeoutMs);
    DWORD ExitCode() const;

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// The debug viewer (vdebugview.exe) recording into a file while it runs.
class DebugViewer {
public:
    explicit DebugViewer(bool framed = false);
    ~DebugViewer();
    DebugViewer(const DebugViewer&) = delete;
    DebugViewer& operator=(const DebugViewer&) = delete;

    bool Running() const { return window_ != nullptr; }
    // Ends the viewer and returns everything it received.
    std::string Stop();

private:
    std::string outPath_;
    HANDLE process_ = nullptr;
    HWND window_ = nullptr;
};

// The chunks of a framed viewer output ("<length>:" chunk "\n" ...).
std::vector<std::string> ParseFrames(const std::string& framed);

// A hidden top-level window of a given class, for the single-instance rules.
class TestWindow {
public:
    explicit TestWindow(const std::string& className);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    std::string className_;
    HWND window_ = nullptr;
};

// A fresh folder under the user's temporary folder, removed with its content at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }  // with a trailing backslash
    std::string File(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

// Starts a Windows program in a new Wine process whose locale is `unixLocale` (for example
// es_ES.UTF-8). A Wine process takes its locale from LC_ALL of its Unix environment, which it
// inherits from its Unix parent, not from the Windows environment block: so the program is
// started through the Unix "env" with Wine's loader. The process cannot be waited for as a
// Windows process; watch its windows instead. False when it could not be started.
bool StartInUnixLocale(const std::string& unixLocale, const std::string& programAndArguments);

std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExistsAt(const std::string& path);
// Sets a file's last-write time from a packed DOS date (local time).
bool SetDosDate(const std::string& path, uint32_t dosDate);
// A file's last-write time as a packed DOS date (local time); 0 when it cannot be read.
uint32_t DosDateOf(const std::string& path);
// Waits until nothing exists at `path` any more (a program that deletes itself after it ends);
// false when it is still there after `timeoutMs`.
bool WaitUntilGone(const std::string& path, DWORD timeoutMs);
std::vector<std::string> SplitLines(const std::string& text);  // at CR LF

}  // namespace e2e
