// The message pump that every wait of the program runs.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Processes.h"
#include "utils/Pump.h"

namespace {

int g_dispatched = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) ++g_dispatched;
    if (message == WM_APP + 1) throw std::runtime_error("handler failed");
    return DefWindowProcA(window, message, wParam, lParam);
}

class PumpTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = CountingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "tv.test.Pump";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, "tv.test.Pump", "", 0, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance,
                                  nullptr);
        g_dispatched = 0;
    }
    void TearDown() override {
        DestroyWindow(window_);
        UnregisterClassA("tv.test.Pump", GetModuleHandleA(nullptr));
    }
    HWND window_ = nullptr;
};

TEST_F(PumpTest, DispatchesEveryWaitingMessageAndKeepsAQuitForTheLoop) {
    PostMessageA(window_, WM_APP, 0, 0);
    PostQuitMessage(3);
    PostMessageA(window_, WM_APP, 0, 0);
    YieldX(0);
    EXPECT_EQ(g_dispatched, 2);
    YieldWait(0, 30);  // later waits keep it too
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(PumpTest, WindowProcedureExceptionIsLoggedAndTheQueueStillServed) {
    e2e::DebugViewer viewer;
    ASSERT_TRUE(viewer.Running());
    PostMessageA(window_, WM_APP + 1, 0, 0);
    PostMessageA(window_, WM_APP, 0, 0);
    YieldX(0);
    EXPECT_EQ(g_dispatched, 1);
    EXPECT_EQ(viewer.Stop(), " --- YieldX() --- handler failed\r\n");
}

TEST(YieldWait, RunsForTheDurationAndAtLeastOnce) {
    const int64_t start = MilliCounter();
    YieldWait(0, 200);
    const int64_t elapsed = MilliCounter() - start;
    EXPECT_GE(elapsed, 200);
    EXPECT_LT(elapsed, 1000);
    const int64_t before = MilliCounter();
    YieldWait(5, 0);
    EXPECT_GE(MilliCounter() - before, 4);  // one round of 5 ms
}

}  // namespace
