// The main window inside the test process: created as WinMain creates it, driven with the
// messages that users and peers send, without running the program's own loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "Processes.h"
#include "UserActor.h"
#include "agent/AgentTimer.h"
#include "download/InetHTTP.h"
#include "download/VProgBar.h"
#include "package/Language.h"
#include "package/StubSetup.h"
#include "start/AgentCopies.h"
#include "start/StubMain.h"
#include "start/StubWin.h"
#include "utils/Desktop.h"
#include "utils/Pump.h"

namespace {

// Removes a quit message that DestroyMainWindow left in this thread's queue.
bool TakeQuitMessage() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        StubWindowClass = "tv.test.MainWindow";
        RestartLanguageSelection(nullptr);
        ASSERT_TRUE(CreateMainWindow());
    }
    void TearDown() override {
        if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
        TakeQuitMessage();
        SetDownloadAbort(false);
        RestartLanguageSelection(nullptr);
    }
};

TEST_F(MainWindowTest, HiddenCentredWithItsControlsInPlace) {
    e2e::MainWindowView view;
    ASSERT_TRUE(e2e::ReadMainWindow(MainWindow, view));
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(view.caption, "Tarvel Installation Suite");  // no language table in the test program
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_EQ(view.outer.left, workArea.left + (workArea.right - workArea.left - 492) / 2);
    EXPECT_EQ(view.outer.top, workArea.top + (workArea.bottom - workArea.top - 110) / 2);
    EXPECT_EQ(view.outer.right - view.outer.left, 492);
    EXPECT_EQ(view.outer.bottom - view.outer.top, 110);
    EXPECT_EQ(view.status.window, StatusLabel);
    EXPECT_EQ(view.progress.window, MainProgressBar);
    EXPECT_EQ(view.activity.window, ActivityBar);
    EXPECT_TRUE(view.status.visible);
    EXPECT_TRUE(view.progress.visible);
    EXPECT_FALSE(view.activity.visible);
    LOGFONTA font = {};
    GetObjectA(HFONT(SendMessageA(StatusLabel, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_STREQ(font.lfFaceName, "Tahoma");
}

TEST_F(MainWindowTest, SevenStepsAfterAStartLeaveTheActivityBarAtOne) {
    MainProgressCallback(0, 0, 100, "", 1, 0);
    EXPECT_EQ(SendMessageA(ActivityBar, PBM_GETPOS, 0, 0), 0);
    EXPECT_EQ(SendMessageA(ActivityBar, PBM_GETRANGE, FALSE, 0), 5);
    std::vector<LRESULT> activity;
    for (int i = 0; i < 7; ++i) {
        MainProgressCallback(1, 0, 0, "", 0, 0);
        activity.push_back(SendMessageA(ActivityBar, PBM_GETPOS, 0, 0));
    }
    EXPECT_EQ(activity, std::vector<LRESULT>({1, 2, 3, 4, 5, 0, 1}));
    EXPECT_EQ(SendMessageA(MainProgressBar, PBM_GETPOS, 0, 0), 7);
    EXPECT_EQ(SendMessageA(MainProgressBar, PBM_GETRANGE, FALSE, 0), 100);
    MainProgressCallback(2, 0, 50, "", 5, 40);  // any other kind does nothing
    EXPECT_EQ(SendMessageA(MainProgressBar, PBM_GETPOS, 0, 0), 7);
    // A new start begins the activity bar again.
    MainProgressCallback(0, 0, 10, "", 2, 3);
    MainProgressCallback(1, 0, 0, "", 0, 0);
    EXPECT_EQ(SendMessageA(MainProgressBar, PBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(SendMessageA(ActivityBar, PBM_GETPOS, 0, 0), 1);
}

TEST_F(MainWindowTest, SharedProgressMovesTheBarsThroughTheCallback) {
    TProgBar& progress = SharedProgress();
    EXPECT_EQ(&progress, &SharedProgress());
    progress.SetRange(1, 11);
    EXPECT_EQ(SendMessageA(MainProgressBar, PBM_GETRANGE, FALSE, 0), 11);
    EXPECT_EQ(SendMessageA(MainProgressBar, PBM_GETPOS, 0, 0), 1);
    progress.Step("500/5000 Bytes");
    progress.SetCaption("Full.exe");
    EXPECT_EQ(SendMessageA(MainProgressBar, PBM_GETPOS, 0, 0), 2);
    EXPECT_EQ(SendMessageA(ActivityBar, PBM_GETPOS, 0, 0), 1);
}

TEST_F(MainWindowTest, FirstCloseStopsTheDownloadSecondDestroysAndRemovesTheTemporaryFolder) {
    const std::string folder = SetupTempFolder();
    CreateDirectoryA(folder.c_str(), nullptr);  // made by the first call; an earlier test may have removed it
    ASSERT_TRUE(e2e::WriteFileBytes(folder + "\\engine.exe", "MZ"));
    SetDownloadAbort(false);  // a download runs

    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(MainWindow));
    EXPECT_TRUE(IsDownloadAborted());
    EXPECT_FALSE(QuitLoopFlag);
    EXPECT_FALSE(TakeQuitMessage());

    SendMessageA(MainWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(MainWindow));
    EXPECT_TRUE(QuitLoopFlag);
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_FALSE(e2e::FileExistsAt(folder));
}

TEST_F(MainWindowTest, QuitSentToTheWindowEndsTheWorkButKeepsTheWindow) {
    SendMessageA(MainWindow, WM_QUIT, 0, 0);
    EXPECT_TRUE(QuitLoopFlag);
    EXPECT_TRUE(IsDownloadAborted());
    EXPECT_TRUE(TakeQuitMessage());
    EXPECT_TRUE(IsWindow(MainWindow));
}

// A window that records the notifications it receives through one registered message.
class Listener {
public:
    Listener() : window_(".tv.test.Listener") { message_ = RegisterWindowMessageA("tv.test.notify"); }
    HWND Handle() const { return window_.Handle(); }
    UINT Message() const { return message_; }
    std::vector<std::pair<WPARAM, LPARAM>> Received() const {
        std::vector<std::pair<WPARAM, LPARAM>> received;
        MSG msg;
        while (PeekMessageA(&msg, Handle(), message_, message_, PM_REMOVE)) received.emplace_back(msg.wParam, msg.lParam);
        return received;
    }

private:
    e2e::TestWindow window_;
    UINT message_ = 0;
};

TEST_F(MainWindowTest, ListenerRegisteredByLocalMessageGetsTheWindowAndTheRequestMessage) {
    Listener listener;
    SendMessageA(MainWindow, wm_LocalMsg, WPARAM(listener.Handle()), LPARAM(listener.Message()));
    using Notes = std::vector<std::pair<WPARAM, LPARAM>>;
    EXPECT_EQ(listener.Received(), Notes({{50, LPARAM(int32_t(reinterpret_cast<intptr_t>(MainWindow)))}, {51, 1125}}));
    NotifyListener(43, 0);
    EXPECT_EQ(listener.Received(), Notes({{43, 0}}));
    ListenerWindow = nullptr;
    ListenerMessage = 0;
}

TEST_F(MainWindowTest, PrivateMessagesReachTheirHandlers) {
    LifetimeCounter = -1;
    SendMessageA(MainWindow, wm_ShutDown, 2, 0);
    EXPECT_EQ(LifetimeCounter, 2);
    EXPECT_EQ(SendMessageA(MainWindow, wm_AgentMsg, 6, 0), 0);  // an unknown request changes nothing
    LifetimeCounter = -1;
}

TEST_F(MainWindowTest, AutoPlayIsCancelledOnceTheMessageIsRegistered) {
    const UINT message = RegisterWindowMessageA("QueryCancelAutoPlay");
    EXPECT_EQ(SendMessageA(MainWindow, message, 0, 0), 0);
    EnableAutoPlayCancel(true);
    EXPECT_EQ(SendMessageA(MainWindow, message, 0, 0), 1);
    EnableAutoPlayCancel(false);
    EXPECT_EQ(SendMessageA(MainWindow, message, 0, 0), 0);
}

TEST_F(MainWindowTest, StatusTextTakesTheLanguagesFontAndDirection) {
    SetStatusText(StatusLabel, "Extracting Files...", "Tahoma", 0, 9);
    EXPECT_EQ(e2e::ControlText(StatusLabel), "Extracting Files...");
    EXPECT_EQ(GetWindowLongPtrA(StatusLabel, GWL_EXSTYLE) & WS_EX_RTLREADING, 0);
    EXPECT_EQ(GetWindowLongPtrA(StatusLabel, GWL_STYLE) & SS_RIGHT, 0);
    LOGFONTA font = {};
    GetObjectA(HFONT(SendMessageA(StatusLabel, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -PointsToPixels(9));

    for (const uint8_t charSet : {uint8_t(177), uint8_t(178)}) {
        SetStatusText(StatusLabel, "Text", "Arial", charSet, 8);
        EXPECT_NE(GetWindowLongPtrA(StatusLabel, GWL_EXSTYLE) & WS_EX_RTLREADING, 0) << int(charSet);
        EXPECT_NE(GetWindowLongPtrA(StatusLabel, GWL_STYLE) & SS_RIGHT, 0) << int(charSet);
        EXPECT_NE(GetWindowLongPtrA(StatusLabel, GWL_STYLE) & WS_VISIBLE, 0) << int(charSet);
        GetObjectA(HFONT(SendMessageA(StatusLabel, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfCharSet, charSet);
        EXPECT_STREQ(font.lfFaceName, "Arial");
    }
}

TEST(ApplySleepX, NonNegativeValueStartsTheAgentTickCounterBelowZero) {
    struct Case { int64_t sleepX; int32_t before, after; };
    const Case cases[] = {{5, -3, -5}, {0, -3, 0}, {-1, -3, -3}, {-7, 4, 4}, {int64_t(1) << 40, -3, -INT32_MAX}};
    for (const auto& c : cases) {
        AutoUpdateTimerCount = c.before;
        ApplySleepX(c.sleepX);
        EXPECT_EQ(AutoUpdateTimerCount, c.after) << c.sleepX;
    }
    AutoUpdateTimerCount = -3;
}

}  // namespace
