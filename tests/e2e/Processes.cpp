#include "Processes.h"

#include <cstdio>

#include "SetupFileWriter.h"
#include "utils/Folders.h"
#include "utils/Paths.h"

namespace e2e {

namespace {

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

bool WaitServing(HANDLE process, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return true;
        if (elapsed >= timeoutMs) return false;
        const DWORD result = MsgWaitForMultipleObjects(1, &process, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0) return true;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

// Starts the command line verbatim; the caller closes the handles in `process`.
bool Launch(const std::string& commandLine, PROCESS_INFORMATION& process) {
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    process = {};
    return CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) != 0;
}

HANDLE StartProcess(const std::string& commandLine, DWORD* pid) {
    PROCESS_INFORMATION process;
    if (!Launch(commandLine, process)) return nullptr;
    CloseHandle(process.hThread);
    if (pid) *pid = process.dwProcessId;
    return process.hProcess;
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

std::string BinDir() { return ExtractFileDir(ExePath()) + "\\"; }

ProcessResult RunProcess(const std::string& commandLine, DWORD timeoutMs) {
    ProcessResult result;
    const HANDLE process = StartProcess(commandLine, &result.pid);
    if (!process) return result;
    result.started = true;
    result.finished = WaitServing(process, timeoutMs);
    if (!result.finished) TerminateProcess(process, 999);
    GetExitCodeProcess(process, &result.exitCode);
    CloseHandle(process);
    return result;
}

ChildProcess::ChildProcess(const std::string& commandLine) { process_ = StartProcess(commandLine, &pid_); }

ChildProcess::~ChildProcess() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 999);
    CloseHandle(process_);
}

bool ChildProcess::Wait(DWORD timeoutMs) { return process_ && WaitServing(process_, timeoutMs); }

DWORD ChildProcess::ExitCode() const {
    DWORD code = 0;
    if (process_) GetExitCodeProcess(process_, &code);
    return code;
}

DebugViewer::DebugViewer(bool framed) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    outPath_ = std::string(temp) + "vdebug-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount()) + ".txt";
    process_ = StartProcess("\"" + BinDir() + "vdebugview.exe\" -o \"" + outPath_ + "\"" + (framed ? " -framed" : ""),
                            nullptr);
    for (int i = 0; process_ && i < 1000 && !window_; ++i) {
        window_ = FindWindowA(".VDebug.", nullptr);
        if (!window_) PumpFor(10);
    }
}

DebugViewer::~DebugViewer() { Stop(); }

std::string DebugViewer::Stop() {
    if (!process_) return ReadFileBytes(outPath_);
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (!WaitServing(process_, 20000)) TerminateProcess(process_, 1);
    CloseHandle(process_);
    process_ = nullptr;
    window_ = nullptr;
    const std::string output = ReadFileBytes(outPath_);
    DeleteFileA(outPath_.c_str());
    return output;
}

std::vector<std::string> ParseFrames(const std::string& framed) {
    std::vector<std::string> chunks;
    size_t at = 0;
    while (at < framed.size()) {
        const size_t colon = framed.find(':', at);
        if (colon == std::string::npos) break;
        const size_t length = size_t(std::strtoul(framed.substr(at, colon - at).c_str(), nullptr, 10));
        chunks.push_back(framed.substr(colon + 1, length));
        at = colon + 1 + length + 1;  // the chunk and its "\n"
    }
    return chunks;
}

TestWindow::TestWindow(const std::string& className) : className_(className) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className_.c_str();
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, className_.c_str(), "test", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
}

TestWindow::~TestWindow() {
    if (window_) DestroyWindow(window_);
    UnregisterClassA(className_.c_str(), GetModuleHandleA(nullptr));
}

TempFolder::TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    path_ = std::string(temp) + "tve2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) +
            "-" + std::to_string(GetTickCount()) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    // Shell-free recursive delete of what the tests create (files and plain sub-folders).
    struct Local {
        static void Remove(const std::string& folder) {
            WIN32_FIND_DATAA found;
            const HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
            if (find != INVALID_HANDLE_VALUE) {
                do {
                    const std::string name = found.cFileName;
                    if (name == "." || name == "..") continue;
                    const std::string path = folder + name;
                    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(path + "\\");
                    else DeleteFileA(path.c_str());
                } while (FindNextFileA(find, &found));
                FindClose(find);
            }
            RemoveDirectoryA(folder.c_str());
        }
    };
    Local::Remove(path_);
}

bool StartInUnixLocale(const std::string& unixLocale, const std::string& programAndArguments) {
    // Wine runs a Unix program for CreateProcess, but its handles are no real process handles.
    PROCESS_INFORMATION process;
    if (!Launch("Z:\\usr\\bin\\env LC_ALL=" + unixLocale + " /usr/lib/wine/wine64 " + programAndArguments, process))
        return false;
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    return true;
}

std::string ReadFileBytes(const std::string& path) { return fixture::ReadBinaryFile(path); }
bool WriteFileBytes(const std::string& path, const std::string& bytes) { return fixture::WriteBinaryFile(path, bytes); }

bool FileExistsAt(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool SetDosDate(const std::string& path, uint32_t dosDate) {
    FILETIME local, utc;
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = DosDateTimeToFileTime(WORD(dosDate >> 16), WORD(dosDate), &local) &&
                    LocalFileTimeToFileTime(&local, &utc) && SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
    return ok;
}

uint32_t DosDateOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    WORD date = 0, time = 0;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
        return 0;
    return uint32_t(date) << 16 | time;
}

bool WaitUntilGone(const std::string& path, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (FileExistsAt(path)) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(100);
    }
    return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) lines.push_back(text.substr(at, end - at));
    if (at < text.size()) lines.push_back(text.substr(at));
    return lines;
}

}  // namespace e2e
