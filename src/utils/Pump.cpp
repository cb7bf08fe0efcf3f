#include "utils/Pump.h"

#include <windows.h>

#include <exception>

#include "utils/VDebug.h"

namespace {

std::exception_ptr g_heldException;

// Raises the exception a guarded window procedure held, now that no system code lies between
// it and the pump.
void RaiseHeldException() {
    if (!g_heldException) return;
    std::exception_ptr held;
    held.swap(g_heldException);
    std::rethrow_exception(held);
}

// Runs one step of the pump; an exception a window procedure raised in it is written to the
// debug channel, and the pump goes on with the next message.
template <typename Step>
void Logged(Step step) {
    try {
        step();
    } catch (const std::exception& e) {
        LogException(e, "YieldX", "");
    } catch (...) {
        LogException("unknown exception", "YieldX", "");
    }
}

// Serves every waiting message. A quit message is not the pump's to take: it is posted again
// once the queue is empty, so that the message loop that waits for it still ends.
void ServeQueue() {
    bool quitSeen = false;
    WPARAM quitCode = 0;
    Logged(RaiseHeldException);  // held by a procedure that ran outside the pump (a sent message)
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitSeen = true;
            quitCode = msg.wParam;
            continue;
        }
        Logged([&msg] {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            RaiseHeldException();
        });
    }
    if (quitSeen) PostQuitMessage(int(quitCode));
}

}  // namespace

void HoldWindowProcException(std::exception_ptr exception) { g_heldException = exception; }

void YieldX(int sleepMs) {
    ServeQueue();
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
