#include "utils/Desktop.h"

namespace {

uint16_t g_autoPlayCancelMessage = 0;

}  // namespace

int ScreenDpiY() {
    static int dpi = 0;
    if (dpi == 0) {
        const HDC screen = GetDC(nullptr);
        dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
    }
    return dpi;
}

int PointsToPixels(int points) { return MulDiv(points, ScreenDpiY(), 72); }

std::string WindowText(HWND window) {
    if (!window) return std::string();
    char text[1024];
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? size_t(length) : 0);
}

void EnableAutoPlayCancel(bool enable) {
    g_autoPlayCancelMessage = enable ? uint16_t(RegisterWindowMessageA("QueryCancelAutoPlay")) : 0;
}

uint16_t AutoPlayCancelMessage() { return g_autoPlayCancelMessage; }

bool DeveloperMode() {
    static int mode = -1;
    if (mode < 0) {
        char value[8];
        const DWORD length = GetEnvironmentVariableA("DVX", value, sizeof value);
        mode = (length == 3 && std::string(value, 3) == kDeveloperModeCode) ? 1 : 0;
    }
    return mode == 1;
}
