#include "utils/Desktop.h"

#include <shellapi.h>

#include "utils/ScopedWin.h"

namespace {

UINT g_autoPlayCancelMessage = 0;

}  // namespace

int ScreenDpiY() {
    static int dpi = 0;
    if (dpi == 0) {
        AutoScreenDC screen(GetDC(nullptr));
        if (screen.IsValid()) dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        if (dpi <= 0) return 96;  // no screen to ask: the usual resolution, asked again next time
    }
    return dpi;
}

int PointsToPixels(int n) { return MulDiv(n, ScreenDpiY(), 72); }

bool ShellOpen(const std::string& file, const std::string& params, int showCmd) {
    const HINSTANCE result = ShellExecuteA(GetDesktopWindow(), nullptr, file.c_str(),
                                           params.empty() ? nullptr : params.c_str(), nullptr, showCmd);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

FARPROC LoadProc(const std::string& libraryName, const std::string& procName, HMODULE& library) {
    library = LoadLibraryA(libraryName.c_str());
    if (reinterpret_cast<UINT_PTR>(library) <= 32) return nullptr;
    return GetProcAddress(library, procName.c_str());
}

FARPROC LoadProc(const std::string& libraryName, const std::string& procName) {
    HMODULE library = nullptr;
    return LoadProc(libraryName, procName, library);
}

std::string WindowText(HWND window) {
    if (!window) return std::string();
    char title[1024];
    const int length = GetWindowTextA(window, title, sizeof title);
    return std::string(title, length > 0 ? size_t(length) : 0);
}

void EnableAutoPlayCancel(bool enable) {
    g_autoPlayCancelMessage = enable ? RegisterWindowMessageA("QueryCancelAutoPlay") : 0;
}

uint16_t AutoPlayCancelMessage() { return uint16_t(g_autoPlayCancelMessage); }

bool DeveloperMode() {
    static int answer = -1;
    if (answer < 0) {
        char value[8];
        const DWORD length = GetEnvironmentVariableA("DVX", value, sizeof value);
        answer = length < sizeof value && std::string(value, length) == kDeveloperSwitchCode ? 1 : 0;
    }
    return answer == 1;
}

void PreloadSystemLibraries() {
    static const char* const kLibraries[] = {"shell32.dll", "USP10.dll", "MSLS31.dll", "RICHED32.DLL"};
    for (const char* name : kLibraries) {
        const UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
        LoadLibraryA(name);  // kept until the process ends
        SetErrorMode(previous);
    }
}
