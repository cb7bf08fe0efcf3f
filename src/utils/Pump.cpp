#include "utils/Pump.h"

#include <windows.h>

#include <exception>

#include "utils/VDebug.h"

void YieldX(uint32_t sleepMs) {
    bool quitSeen = false;
    WPARAM quitCode = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitSeen = true;
            quitCode = msg.wParam;
            continue;
        }
        try {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } catch (const std::exception& e) {
            LogException(e, "YieldX", "");
        } catch (...) {
            LogException("unknown exception", "YieldX", "");
        }
    }
    if (quitSeen) PostQuitMessage(int(quitCode));
    Sleep(sleepMs);
}

void YieldWait(uint32_t stepMs, int64_t durationMs) {
    if (stepMs == 0) {
        const int64_t step = durationMs / 10;
        stepMs = uint32_t(step < 1 ? 1 : (step > 25 ? 25 : step));
    }
    const int64_t start = MilliCounter();
    do {
        YieldX(stepMs);
    } while (MilliCounter() - start < durationMs);
}

int64_t MilliCounter() {
    static double millisecondsPerCount = 0;
    if (millisecondsPerCount == 0) {
        LARGE_INTEGER frequency;
        if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) return int64_t(GetTickCount64());
        millisecondsPerCount = 1000.0 / double(frequency.QuadPart);
    }
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return int64_t(double(counter.QuadPart) * millisecondsPerCount + 0.5);
}
