#include "utils/Pump.h"

#include <windows.h>

#include <exception>

#include "utils/VDebug.h"

namespace {

void DispatchPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

void YieldX(int sleepMs) {
    try {
        DispatchPending();
    } catch (const std::exception& e) {
        LogException(e, "YieldX", "");
    } catch (...) {
        LogException("unknown exception", "YieldX", "");
    }
    if (sleepMs > 0) Sleep(DWORD(sleepMs));
}

void YieldWait(int stepMs, int64_t durationMs) {
    const int step = YieldWaitStepMs(stepMs, durationMs);
    const int64_t start = MilliCounter();
    do {
        YieldX(step);
    } while (MilliCounter() - start < durationMs);
}

int64_t MilliCounter() {
    static double millisPerCount = 0;
    if (millisPerCount == 0) {
        LARGE_INTEGER frequency;
        if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) return int64_t(GetTickCount64());
        millisPerCount = 1000.0 / double(frequency.QuadPart);
    }
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return int64_t(double(counter.QuadPart) * millisPerCount + 0.5);
}

void WaitWhileWindowExists(const std::string& className, const std::string& windowName) {
    const char* title = windowName.empty() ? nullptr : windowName.c_str();
    while (FindWindowA(className.c_str(), title)) YieldX(100);
}
