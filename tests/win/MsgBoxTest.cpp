// The message box for real under Wine: shown on the test's thread while a second thread acts
// as the user (reads the box, answers with a key, a click or a close).
#include <gtest/gtest.h>

#include "UserActor.h"
#include "dialogs/MsgBoxLayout.h"
#include "dialogs/VMsgBox.h"
#include "utils/Desktop.h"
#include "utils/Pump.h"

namespace {

using e2e::ActResult;
using e2e::MsgBoxView;
using e2e::ShowAndAct;

class MsgBoxTest : public ::testing::Test {
protected:
    void SetUp() override { SetMsgBoxFont("Tahoma", 8, 0); }

    // Shows a plain box (no heading) and lets `act` answer it.
    ActResult Show(uint32_t flags, const std::function<void(MsgBoxView&)>& act, const std::string& text = "Text",
                   uint32_t timeoutMs = 0, const std::string& captions = "", uint8_t charSet = 0) {
        return ShowAndAct([&] { return ShowMsgBox(kMsgBoxPlain, text, "Title", timeoutMs, flags, charSet, captions); },
                          act);
    }

    // The width of one line in the box font.
    static int TextWidth(const std::string& line) {
        const HDC dc = GetDC(nullptr);
        const HFONT font = CreateFontA(-PointsToPixels(8), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Tahoma");
        const HGDIOBJ previous = SelectObject(dc, font);
        SIZE extent;
        GetTextExtentPoint32A(dc, line.c_str(), int(line.size()), &extent);
        SelectObject(dc, previous);
        DeleteObject(font);
        ReleaseDC(nullptr, dc);
        return extent.cx;
    }

    // The box's line height in the box font, measured as the box measures.
    static int LineHeight() {
        const HDC dc = GetDC(nullptr);
        const HFONT font = CreateFontA(-PointsToPixels(8), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, FF_SWISS, "Tahoma");
        const HGDIOBJ previous = SelectObject(dc, font);
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, previous);
        DeleteObject(font);
        ReleaseDC(nullptr, dc);
        return metrics.tmHeight + metrics.tmExternalLeading;
    }
};

TEST_F(MsgBoxTest, EveryButtonReturnsItsResultCode) {
    struct Case { uint32_t set; std::vector<std::string> captions; std::vector<int32_t> results; };
    const Case cases[] = {
        {kMsgBoxOk, {"&OK"}, {1}},
        {kMsgBoxOkCancel, {"&OK", "&Cancel"}, {1, 2}},
        {kMsgBoxAbortRetryIgnore, {"&Abort", "&Retry", "&Ignore"}, {3, 4, 5}},
        {kMsgBoxYesNoCancel, {"&Yes", "&No", "&Cancel"}, {6, 7, 2}},
        {kMsgBoxYesNo, {"&Yes", "&No"}, {6, 7}},
        {kMsgBoxRetryCancel, {"&Retry", "&Cancel"}, {4, 2}},
    };
    for (const auto& c : cases) {
        for (size_t i = 0; i < c.results.size(); ++i) {
            std::vector<std::string> seen;
            const ActResult r = Show(c.set, [&](MsgBoxView& box) {
                seen = box.Captions();
                e2e::ClickButton(box, i);
            });
            EXPECT_TRUE(r.answered) << "set " << c.set << " button " << i;
            EXPECT_EQ(seen, c.captions) << "set " << c.set;
            EXPECT_EQ(r.result, c.results[i]) << "set " << c.set << " button " << i;
        }
    }
}

TEST_F(MsgBoxTest, SetsWithoutButtonsShowNoneAndCloseWithZero) {
    size_t buttons = 99;
    const ActResult r = Show(6, [&](MsgBoxView& box) {
        buttons = box.buttons.size();
        e2e::CloseFromSystemMenu(box);
    });
    EXPECT_EQ(buttons, 0u);
    EXPECT_EQ(r.result, 0);
}

TEST_F(MsgBoxTest, ClosedFromTheSystemMenuReturnsZero) {
    const ActResult r = Show(kMsgBoxYesNo, [](MsgBoxView& box) { e2e::CloseFromSystemMenu(box); });
    EXPECT_TRUE(r.answered);
    EXPECT_EQ(r.result, kMsgBoxResultNone);
    // A confirmation closed without a choice is not a Yes.
    const ActResult confirm = ShowAndAct(
        [] { return MsgConfirm(kMsgBoxPlain, "Continue?", "", 0, 0, "") ? 1 : 0; },
        [](MsgBoxView& box) { e2e::CloseFromSystemMenu(box); });
    EXPECT_EQ(confirm.result, 0);
}

TEST_F(MsgBoxTest, HotKeysChooseButtons) {
    struct Case { const char* what; uint32_t flags; std::function<void(MsgBoxView&)> act; int32_t result; };
    const Case cases[] = {
        {"N key in Yes/No chooses No", kMsgBoxYesNo, [](MsgBoxView& b) { e2e::PressKey(b, 'N'); }, 7},
        {"Y key in Yes/No/Cancel chooses Yes", kMsgBoxYesNoCancel, [](MsgBoxView& b) { e2e::PressKey(b, 'Y'); }, 6},
        {"I key in Abort/Retry/Ignore chooses Ignore", kMsgBoxAbortRetryIgnore,
         [](MsgBoxView& b) { e2e::PressKey(b, 'I'); }, 5},
        {"typed c chooses Cancel", kMsgBoxOkCancel, [](MsgBoxView& b) { e2e::TypeChar(b, 'c'); }, 2},
    };
    for (const auto& c : cases) {
        const ActResult r = Show(c.flags, c.act);
        EXPECT_TRUE(r.answered) << c.what;
        EXPECT_EQ(r.result, c.result) << c.what;
    }
}

TEST_F(MsgBoxTest, EnterChoosesTheFocusedButtonAndArrowsMoveTheFocus) {
    struct Case { const char* what; uint32_t flags; std::vector<UINT> keys; int focusedAtStart; int32_t result; };
    const Case cases[] = {
        {"default first button", kMsgBoxYesNo, {VK_RETURN}, 0, 6},
        {"default second button", kMsgBoxYesNo | 0x100, {VK_RETURN}, 1, 7},
        {"default third button", kMsgBoxYesNoCancel | 0x200, {VK_RETURN}, 2, 2},
        {"a third default in a two-button box wraps to the first", kMsgBoxYesNo | 0x200, {VK_RETURN}, 0, 6},
        {"right moves on", kMsgBoxYesNoCancel, {VK_RIGHT, VK_RETURN}, 0, 7},
        {"tab moves on and wraps", kMsgBoxYesNo | 0x100, {VK_TAB, VK_RETURN}, 1, 6},
        {"left from the first wraps to the last", kMsgBoxYesNoCancel, {VK_LEFT, VK_RETURN}, 0, 2},
        {"up moves back", kMsgBoxYesNoCancel | 0x200, {VK_UP, VK_RETURN}, 2, 7},
    };
    for (const auto& c : cases) {
        int focused = -1;
        bool defaultMarked = false;
        const ActResult r = Show(c.flags, [&](MsgBoxView& box) {
            focused = box.focusedButton;
            defaultMarked = focused >= 0 && box.buttons[size_t(focused)].isDefault;
            for (UINT key : c.keys) {
                e2e::PressKey(box, key);
                Sleep(50);
            }
        });
        EXPECT_EQ(focused, c.focusedAtStart) << c.what;
        EXPECT_TRUE(defaultMarked) << c.what;
        EXPECT_EQ(r.result, c.result) << c.what;
    }
}

TEST_F(MsgBoxTest, EscapeAndFunctionKeysDoNothing) {
    bool stillUp = false;
    const ActResult r = Show(kMsgBoxYesNo, [&](MsgBoxView& box) {
        e2e::PressKey(box, VK_ESCAPE);
        e2e::PressKey(box, VK_F10);  // code 0x79, the character 'y'
        Sleep(400);
        stillUp = IsWindow(box.box) != FALSE;
        e2e::ClickButton(box, 1);
    });
    EXPECT_TRUE(stillUp);
    EXPECT_EQ(r.result, 7);
}

TEST_F(MsgBoxTest, TimeoutChoosesTheFirstButton) {
    const int64_t start = MilliCounter();
    const ActResult r = Show(kMsgBoxYesNo, [](MsgBoxView&) {}, "Nobody answers", 5000);
    const int64_t elapsed = MilliCounter() - start;
    EXPECT_TRUE(r.answered);
    EXPECT_EQ(r.result, kMsgBoxResultYes);
    EXPECT_GE(elapsed, 5000);
    EXPECT_LT(elapsed, 9000);
}

TEST_F(MsgBoxTest, ShortTextGivesTheMinimumWidthAndTheLargeMargins) {
    MsgBoxView seen;
    Show(kMsgBoxOk, [&](MsgBoxView& box) {
        seen = box;
        e2e::PressKey(box, VK_RETURN);
    }, "Hi");
    EXPECT_EQ(seen.Width(), 360);
    const int lineHeight = LineHeight();
    EXPECT_EQ(seen.Height(), lineHeight + 36 + 2 * 45 + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION));
    const int w = seen.textControl.Width();
    EXPECT_EQ(seen.textControl.Left(), 54 + (seen.clientWidth - 54 - w) / 2);
    EXPECT_EQ(seen.textControl.Top(), (seen.clientHeight - 36 - lineHeight) / 2);
    EXPECT_EQ(seen.textControl.Height(), seen.clientHeight - seen.textControl.Top() - 39);
    // Centred in the work area.
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_EQ(seen.outer.left, workArea.left + (workArea.right - workArea.left - 360) / 2);
    EXPECT_TRUE(seen.topmost);
    EXPECT_EQ(seen.caption, "Title");
    // The OK button at the right end of the button row.
    ASSERT_EQ(seen.buttons.size(), 1u);
    EXPECT_EQ(seen.buttons[0].control.Left(), seen.clientWidth - 80);
    EXPECT_EQ(seen.buttons[0].control.Top(), seen.clientHeight - 29);
    EXPECT_EQ(seen.buttons[0].control.Width(), 70);
    EXPECT_EQ(seen.buttons[0].control.Height(), 23);
}

TEST_F(MsgBoxTest, LongLineIsWrappedAndCountsOneMoreLinePer600Pixels) {
    const std::string longLine(120, 'W');  // far wider than 600 pixels in Tahoma 8
    MsgBoxView wide;
    Show(kMsgBoxOk, [&](MsgBoxView& box) { wide = box; e2e::PressKey(box, VK_RETURN); }, longLine);
    EXPECT_EQ(wide.textControl.Width(), 610);  // 600 at most, plus 10
    EXPECT_GE(wide.textLines, 2);
    // Measured height: (width div 600 + 1) lines instead of one.
    const int extraLines = TextWidth(longLine) / 600;
    ASSERT_GE(extraLines, 1);
    const int h = LineHeight() * (extraLines + 1);
    const int verticalMargin = h < 39 ? 45 : 32;
    EXPECT_EQ(wide.Height(), h + 36 + 2 * verticalMargin + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION));
}

TEST_F(MsgBoxTest, BoldRunsSitOnTheirWordsAndTheControlWidensForThem) {
    std::string text, mask;
    int lines = 0, width = 0;
    const std::string boldLine = "This whole line is bold and wider than plain";
    Show(kMsgBoxOk, [&](MsgBoxView& box) {
        text = box.text;
        mask = e2e::BoldMask(box);
        lines = box.textLines;
        width = box.textControl.Width();
        e2e::PressKey(box, VK_RETURN);
    }, "first<P><B>bold</B> rest<P><B>" + boldLine + "</B>");
    EXPECT_EQ(text, "first\r\nbold rest\r\n" + boldLine);
    EXPECT_EQ(mask, "..." "..." "." "BBBB....." ".." + std::string(boldLine.size(), 'B'));
    // The bold line is not wrapped: the control grew in steps of 10 pixels from the measured
    // plain width (plus 10) until its content fitted the measured height.
    EXPECT_EQ(lines, 3);
    const int measured = TextWidth(boldLine) + 10;
    EXPECT_GT(width, measured + 10);
    EXPECT_LE(width, measured + 200);
    EXPECT_EQ((width - measured) % 10, 0);
}

TEST_F(MsgBoxTest, ErrorWithEmptyTitleShowsTheHeadingErrorAndTheCaptionError) {
    MsgBoxView seen;
    std::string mask;
    ShowAndAct([] { MsgError(kMsgBoxWithHeading, "Disk full", "", 0, ""); return 0; },
               [&](MsgBoxView& box) {
                   seen = box;
                   mask = e2e::BoldMask(box);
                   e2e::PressKey(box, VK_RETURN);
               });
    EXPECT_EQ(seen.caption, "Error");
    EXPECT_EQ(seen.text, "ERROR\r\n\r\nDisk full\r\n");
    EXPECT_EQ(mask.substr(0, 5), "BBBBB");  // (the line end after a run takes the run's format)
    EXPECT_EQ(mask.substr(7), std::string(13, '.'));
    EXPECT_EQ(seen.Captions(), std::vector<std::string>({"&OK"}));
}

TEST_F(MsgBoxTest, TranslatedTitleKeepsItsCaseInTheHeading) {
    MsgBoxView seen;
    ShowAndAct([] { return ShowMsgBox(kMsgBoxWithHeading, "Disco lleno", "Atención", 0, 0x30, 0, ""); },
               [&](MsgBoxView& box) { seen = box; e2e::PressKey(box, VK_RETURN); });
    EXPECT_EQ(seen.caption, "Atención");
    EXPECT_EQ(seen.text, "Atención\r\n\r\nDisco lleno\r\n");
}

TEST_F(MsgBoxTest, ShortCaptionListGivesEmptyCaptions) {
    std::vector<std::string> captions;
    Show(kMsgBoxYesNoCancel, [&](MsgBoxView& box) { captions = box.Captions(); e2e::ClickButton(box, 0); }, "Text", 0,
         "|&OK|&Abbrechen|&Ja|");
    EXPECT_EQ(captions, std::vector<std::string>({"&Ja", "", "&Abbrechen"}));
}

TEST_F(MsgBoxTest, RightToLeftCharsetsAlignTheTextRightAndKeepTheButtons) {
    for (const int charSet : {177, 178, 0}) {
        MsgBoxView seen;
        Show(kMsgBoxYesNo, [&](MsgBoxView& box) { seen = box; e2e::PressKey(box, VK_RETURN); }, "Text", 0, "",
             uint8_t(charSet));
        const bool rightToLeft = charSet != 0;
        EXPECT_EQ((seen.textControl.style & ES_RIGHT) != 0, rightToLeft) << charSet;
        EXPECT_EQ((seen.textControl.exStyle & WS_EX_RTLREADING) != 0, rightToLeft) << charSet;
        ASSERT_EQ(seen.buttons.size(), 2u);
        EXPECT_EQ(seen.buttons[1].control.Left(), seen.clientWidth - 80) << charSet;
        EXPECT_EQ(seen.buttons[0].control.Left(), seen.clientWidth - 150) << charSet;
    }
}

TEST_F(MsgBoxTest, ModeTwoGreysTheCloseCommand) {
    for (const LONG_PTR mode : {kMsgBoxPlain, kMsgBoxPlainNoClose}) {
        bool greyed = false;
        ShowAndAct([&] { return ShowMsgBox(mode, "Text", "Title", 0, 0, 0, ""); },
                   [&](MsgBoxView& box) { greyed = e2e::CloseCommandGreyed(box); e2e::PressKey(box, VK_RETURN); });
        EXPECT_EQ(greyed, mode == kMsgBoxPlainNoClose) << mode;
    }
}

// A visible window of this thread that the box finds as the active window.
class ActiveWindow {
public:
    ActiveWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "tv.test.Active";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, windowClass.lpszClassName, "active", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                                  100, nullptr, nullptr, windowClass.hInstance, nullptr);
        SetForegroundWindow(window_);
        SetActiveWindow(window_);
        YieldWait(0, 50);
    }
    ~ActiveWindow() {
        DestroyWindow(window_);
        UnregisterClassA("tv.test.Active", GetModuleHandleA(nullptr));
    }
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

TEST_F(MsgBoxTest, ActiveWindowOwnsTheBoxAndIsDisabledWhileItIsUp) {
    ActiveWindow active;
    ASSERT_EQ(GetActiveWindow(), active.Handle());
    bool enabledDuring = true;
    HWND owner = nullptr;
    ShowAndAct([] { return ShowMsgBox(kMsgBoxPlain, "Text", "Title", 0, 0, 0, ""); },
               [&](MsgBoxView& box) {
                   enabledDuring = IsWindowEnabled(active.Handle()) != FALSE;
                   owner = GetWindow(box.box, GW_OWNER);
                   e2e::PressKey(box, VK_RETURN);
               });
    EXPECT_FALSE(enabledDuring);
    EXPECT_EQ(owner, active.Handle());
    EXPECT_TRUE(IsWindowEnabled(active.Handle()));
    EXPECT_EQ(GetActiveWindow(), active.Handle());
}

TEST_F(MsgBoxTest, QuitMessageTakenWhileTheBoxIsUpIsPostedAgain) {
    const ActResult r = ShowAndAct(
        [] {
            PostQuitMessage(7);  // taken by the box's loop, which must not end on it
            return ShowMsgBox(kMsgBoxPlain, "Text", "Title", 0, kMsgBoxOkCancel, 0, "");
        },
        [](MsgBoxView& box) {
            Sleep(200);
            e2e::ClickButton(box, 1);
        });
    EXPECT_TRUE(r.answered);
    EXPECT_EQ(r.result, kMsgBoxResultCancel);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(MsgBoxTest, WrappersAnswerTrueOnlyForYesOrOk) {
    struct Case { const char* what; std::function<int32_t()> show; size_t button; int32_t result; const char* caption; };
    const Case cases[] = {
        {"confirm yes", [] { return int32_t(MsgConfirm(kMsgBoxPlain, "Q", "", 0, 0, "")); }, 0, 1, "Confirm"},
        {"confirm no", [] { return int32_t(MsgConfirm(kMsgBoxPlain, "Q", "", 0, 0, "")); }, 1, 0, "Confirm"},
        {"ok/cancel ok", [] { return int32_t(MsgConfirmOkCancel(kMsgBoxPlain, "Q", "", 0, "")); }, 0, 1, "Confirm"},
        {"ok/cancel cancel", [] { return int32_t(MsgConfirmOkCancel(kMsgBoxPlain, "Q", "", 0, "")); }, 1, 0, "Confirm"},
        {"attention", [] { MsgAttention(kMsgBoxPlain, "Q", "", 0, 0, ""); return 0; }, 0, 0, "Attention"},
    };
    for (const auto& c : cases) {
        std::string caption;
        const ActResult r = ShowAndAct(c.show, [&](MsgBoxView& box) { caption = box.caption; e2e::ClickButton(box, c.button); });
        EXPECT_EQ(r.result, c.result) << c.what;
        EXPECT_EQ(caption, c.caption) << c.what;
    }
}

TEST_F(MsgBoxTest, TimedOutConfirmationAnswersYes) {
    const ActResult r = ShowAndAct([] { return int32_t(MsgConfirm(kMsgBoxPlain, "Q", "", 300, 0, "")); },
                                   [](MsgBoxView&) {});
    EXPECT_EQ(r.result, 1);
}

TEST_F(MsgBoxTest, FontPointSizeZeroKeepsTheSizeBefore) {
    auto fontHeight = [](MsgBoxView& box) {
        LOGFONTA font = {};
        GetObjectA(HFONT(SendMessageA(box.buttons[0].control.window, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfHeight;
    };
    LONG height12 = 0, heightKept = 0;
    SetMsgBoxFont("Tahoma", 12, 0);
    Show(kMsgBoxOk, [&](MsgBoxView& box) { height12 = fontHeight(box); e2e::PressKey(box, VK_RETURN); });
    SetMsgBoxFont("Tahoma", 0, 0);
    Show(kMsgBoxOk, [&](MsgBoxView& box) { heightKept = fontHeight(box); e2e::PressKey(box, VK_RETURN); });
    EXPECT_EQ(height12, -PointsToPixels(12));
    EXPECT_EQ(heightKept, -PointsToPixels(12));
}

}  // namespace
