#include <gtest/gtest.h>

#include <stdexcept>

#include "Processes.h"
#include "utils/Pump.h"

namespace {

const UINT kThrowMessage = WM_APP + 1;
const UINT kCountMessage = WM_APP + 2;
const UINT kGuardedThrowMessage = WM_APP + 3;
int g_counted = 0;

LRESULT CALLBACK ThrowingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kThrowMessage) throw std::runtime_error("window procedure failed");
    if (message == kGuardedThrowMessage)
        return GuardWindowProc(LRESULT(0), []() -> LRESULT { throw std::runtime_error("guarded procedure failed"); });
    if (message == kCountMessage) {
        ++g_counted;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A hidden window of this thread whose procedure counts one message and throws on another.
class PumpWindow {
public:
    PumpWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ThrowingWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TarvelPumpTest";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, "TarvelPumpTest", "pump", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        g_counted = 0;
    }
    ~PumpWindow() {
        DestroyWindow(window_);
        UnregisterClassA("TarvelPumpTest", GetModuleHandleA(nullptr));
    }
    PumpWindow(const PumpWindow&) = delete;
    PumpWindow& operator=(const PumpWindow&) = delete;
    void Post(UINT message) { PostMessageA(window_, message, 0, 0); }

private:
    HWND window_ = nullptr;
};

TEST(YieldX, DispatchesEveryWaitingMessage) {
    PumpWindow window;
    for (int i = 0; i < 5; ++i) window.Post(kCountMessage);
    YieldX(0);
    EXPECT_EQ(g_counted, 5);
}

TEST(YieldX, KeepsAQuitMessageForTheMessageLoop) {
    PumpWindow window;
    window.Post(kCountMessage);
    PostQuitMessage(3);
    window.Post(kCountMessage);
    YieldX(0);
    EXPECT_EQ(g_counted, 2);  // the messages behind the quit are served too
    YieldWait(0, 30);         // later waits keep it as well
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(YieldX, LogsAnExceptionFromAWindowProcedureAndCarriesOn) {
    // Raised straight through the system's dispatch code (possible in the 64-bit build), and
    // held by GuardWindowProc until the dispatch has returned.
    struct Case { UINT message; const char* logged; };
    const Case cases[] = {
        {kThrowMessage, " --- YieldX() --- window procedure failed\r\n"},
        {kGuardedThrowMessage, " --- YieldX() --- guarded procedure failed\r\n"},
    };
    for (const auto& c : cases) {
        e2e::DebugViewer viewer;
        ASSERT_TRUE(viewer.Running());
        PumpWindow window;
        window.Post(c.message);
        window.Post(kCountMessage);
        YieldX(0);  // the message after the failing one is still served in the same round
        EXPECT_EQ(g_counted, 1);
        EXPECT_EQ(viewer.Stop(), c.logged);
    }
}

TEST(GuardWindowProc, PassesResultsThroughAndKeepsAnExceptionForThePump) {
    EXPECT_EQ(GuardWindowProc(-1, [] { return 7; }), 7);
    EXPECT_EQ(GuardWindowProc(-1, []() -> int { throw std::runtime_error("sent message failed"); }), -1);
    e2e::DebugViewer viewer;
    ASSERT_TRUE(viewer.Running());
    YieldX(0);  // raised at the next pump even without a posted message
    EXPECT_EQ(viewer.Stop(), " --- YieldX() --- sent message failed\r\n");
}

TEST(YieldWait, WaitsItsDurationWhileServingMessages) {
    PumpWindow window;
    window.Post(kCountMessage);
    const int64_t start = MilliCounter();
    YieldWait(0, 300);
    const int64_t elapsed = MilliCounter() - start;
    EXPECT_GE(elapsed, 300);
    EXPECT_LT(elapsed, 1500);
    EXPECT_EQ(g_counted, 1);

    window.Post(kCountMessage);
    YieldWait(1, 0);  // a duration of 0 still runs one round
    EXPECT_EQ(g_counted, 2);
}

TEST(MilliCounter, RunsWithTheClock) {
    const int64_t counterStart = MilliCounter();
    const ULONGLONG tickStart = GetTickCount64();
    Sleep(250);
    const int64_t counted = MilliCounter() - counterStart;
    const int64_t ticked = int64_t(GetTickCount64() - tickStart);
    EXPECT_GE(counted, 240);
    EXPECT_NEAR(double(counted), double(ticked), 40.0);
}

TEST(WaitWhileWindowExists, ReturnsOnceTheWindowIsGone) {
    e2e::TestWindow engineDialog("TarvelEngineDialog");
    ASSERT_NE(engineDialog.Handle(), nullptr);
    SetWindowTextA(engineDialog.Handle(), "Finished");
    // The window closes itself from a timer, which only the wait's message pump can run.
    SetTimer(engineDialog.Handle(), 1, 300, [](HWND window, UINT, UINT_PTR, DWORD) { DestroyWindow(window); });
    const int64_t start = MilliCounter();
    WaitWhileWindowExists("TarvelEngineDialog", "");
    EXPECT_GE(MilliCounter() - start, 250);
    EXPECT_EQ(FindWindowA("TarvelEngineDialog", nullptr), nullptr);

    e2e::TestWindow other("TarvelEngineDialog");  // title "test"
    const int64_t otherStart = MilliCounter();
    WaitWhileWindowExists("TarvelEngineDialog", "Finished");  // no window with that title
    EXPECT_LT(MilliCounter() - otherStart, 100);
}

}  // namespace
