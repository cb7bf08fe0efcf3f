// vdebugview: the debug viewer. Owns a hidden top-level window of class ".VDebug." and writes
// every chunk that a program sends through the registered message ".V_DebugMsg." (the text
// travels as a global atom, read before the send returns) to standard output or a file.
//
//   vdebugview [-o FILE] [-framed] [-for MS] [-run COMMAND LINE...]
//
//   -o FILE    write to FILE (created anew) instead of standard output
//   -framed    write each chunk as "<length>:" + chunk + "\n", so chunk borders can be seen;
//              without it, chunks are written unchanged, one after another
//   -for MS    end after MS milliseconds
//   -run ...   start the remaining arguments as a program once the window exists (each
//              argument quoted when it holds a blank), wait for it while serving its
//              messages, print "exit code: N" to standard error and end with its exit code
//
// Without -for and -run the viewer runs until its window is closed (WM_CLOSE).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HANDLE g_out = INVALID_HANDLE_VALUE;
bool g_framed = false;
UINT g_debugMessage = 0;

void WriteOut(const char* data, size_t length) {
    DWORD written = 0;
    WriteFile(g_out, data, DWORD(length), &written, nullptr);
}

void WriteChunk(ATOM atom) {
    char text[256] = "";
    const UINT length = atom ? GlobalGetAtomNameA(atom, text, sizeof text) : 0;
    if (g_framed) {
        char frame[16];
        WriteOut(frame, size_t(std::snprintf(frame, sizeof frame, "%u:", length)));
    }
    WriteOut(text, length);
    if (g_framed) WriteOut("\n", 1);
}

LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_debugMessage != 0 && message == g_debugMessage) {
        WriteChunk(ATOM(lParam));
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The arguments from `first` on, joined into one command line.
std::string JoinArguments(int first, int argc, char** argv) {
    std::string line;
    for (int i = first; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!line.empty()) line += ' ';
        line += (argument.empty() || argument.find(' ') != std::string::npos) ? "\"" + argument + "\"" : argument;
    }
    return line;
}

bool PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return false;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const char* outPath = nullptr;
    DWORD forMs = INFINITE;
    std::string runLine;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) outPath = argv[++i];
        else if (std::strcmp(argv[i], "-framed") == 0) g_framed = true;
        else if (std::strcmp(argv[i], "-for") == 0 && i + 1 < argc) forMs = DWORD(std::atol(argv[++i]));
        else if (std::strcmp(argv[i], "-run") == 0 && i + 1 < argc) {
            runLine = JoinArguments(i + 1, argc, argv);
            break;
        }
        else {
            std::fprintf(stderr, "usage: vdebugview [-o FILE] [-framed] [-for MS] [-run COMMAND LINE...]\n");
            return 2;
        }
    }
    g_out = outPath ? CreateFileA(outPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr)
                    : GetStdHandle(STD_OUTPUT_HANDLE);
    if (g_out == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "vdebugview: cannot write %s\n", outPath);
        return 2;
    }

    g_debugMessage = RegisterWindowMessageA(".V_DebugMsg.");
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ViewerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = ".VDebug.";
    if (!RegisterClassA(&windowClass) ||
        !CreateWindowExA(0, ".VDebug.", "Debug viewer", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         windowClass.hInstance, nullptr)) {
        std::fprintf(stderr, "vdebugview: cannot create the viewer window\n");
        return 2;
    }

    HANDLE child = nullptr;
    if (!runLine.empty()) {
        std::string line = runLine;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            std::fprintf(stderr, "vdebugview: cannot start %s (error %lu)\n", runLine.c_str(), GetLastError());
            return 2;
        }
        CloseHandle(process.hThread);
        child = process.hProcess;
    }

    const DWORD start = GetTickCount();
    for (;;) {
        if (!PumpMessages()) break;
        DWORD wait = INFINITE;
        if (forMs != INFINITE) {
            const DWORD elapsed = GetTickCount() - start;
            if (elapsed >= forMs) break;
            wait = forMs - elapsed;
        }
        const DWORD handles = child ? 1 : 0;
        const DWORD result = MsgWaitForMultipleObjects(handles, &child, FALSE, wait, QS_ALLINPUT);
        if (child && result == WAIT_OBJECT_0) break;
    }
    PumpMessages();

    int exitCode = 0;
    if (child) {
        DWORD code = 0;
        GetExitCodeProcess(child, &code);
        exitCode = int(code);
        std::fprintf(stderr, "exit code: %lu\n", code);
        CloseHandle(child);
    }
    if (outPath) CloseHandle(g_out);
    return exitCode;
}
