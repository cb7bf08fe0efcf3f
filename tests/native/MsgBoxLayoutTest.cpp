#include <gtest/gtest.h>

#include "dialogs/MsgBoxLayout.h"

namespace {

TEST(MsgBoxButtonsOf, EverySetHasItsCaptionsAndResultCodes) {
    struct Case { uint32_t flags; std::vector<std::pair<int, int32_t>> buttons; };
    const Case cases[] = {
        {0, {{0, 1}}},
        {1, {{0, 1}, {1, 2}}},
        {2, {{4, 3}, {5, 4}, {6, 5}}},
        {3, {{2, 6}, {3, 7}, {1, 2}}},
        {4, {{2, 6}, {3, 7}}},
        {5, {{5, 4}, {1, 2}}},
        {6, {}},
        {15, {}},
        {0x10000224, {{2, 6}, {3, 7}}},  // the other bits do not change the set
    };
    for (const auto& c : cases) {
        std::vector<std::pair<int, int32_t>> got;
        for (const MsgBoxButton& b : MsgBoxButtonsOf(c.flags)) got.emplace_back(b.captionItem, b.result);
        EXPECT_EQ(got, c.buttons) << std::hex << c.flags;
    }
}

TEST(MsgBoxSystemIconOf, IconBitsChooseASystemIconOrTheProgramsOwn) {
    EXPECT_EQ(MsgBoxSystemIconOf(0x10), 32513);
    EXPECT_EQ(MsgBoxSystemIconOf(0x24), 32514);
    EXPECT_EQ(MsgBoxSystemIconOf(0x30), 32515);
    EXPECT_EQ(MsgBoxSystemIconOf(0x40), 32516);
    EXPECT_EQ(MsgBoxSystemIconOf(0x00), 0);
    EXPECT_EQ(MsgBoxSystemIconOf(0x50), 0);
    EXPECT_EQ(MsgBoxSystemIconOf(0xF0), 0);
}

TEST(MsgBoxSizeFor, MarginsDependOnTheTextSizeAndTheWidthHasAMinimum) {
    FrameMetrics frame;
    frame.sizingFrameWidth = 4;
    frame.sizingFrameHeight = 4;
    frame.captionHeight = 19;
    struct Case { const char* what; int w, h; int boxWidth, boxHeight; };
    const Case cases[] = {
        {"a few characters: minimum width, large margins", 60, 13, 360, 13 + 36 + 90 + 8 + 19},
        {"narrow text just under 200", 199, 38, 199 + 54 + 128 + 8, 38 + 36 + 90 + 8 + 19},
        {"text of 200 x 39 takes the small margins", 200, 39, 360, 39 + 36 + 64 + 8 + 19},
        {"wide text", 600, 65, 600 + 54 + 64 + 8, 65 + 36 + 64 + 8 + 19},
    };
    for (const auto& c : cases) {
        const BoxSize size = MsgBoxSizeFor(c.w, c.h, frame);
        EXPECT_EQ(size.width, c.boxWidth) << c.what;
        EXPECT_EQ(size.height, c.boxHeight) << c.what;
    }
}

TEST(MsgBoxTextRect, CentredRightOfTheBandAboveTheButtonRow) {
    const PixelRect r = MsgBoxTextRect(352, 170, 70, 13);
    EXPECT_EQ(r.left, 54 + (352 - 54 - 70) / 2);
    EXPECT_EQ(r.top, (170 - 36 - 13) / 2);
    EXPECT_EQ(r.width, 70);
    EXPECT_EQ(r.height, 170 - r.top - 39);
}

TEST(MsgBoxButtonRect, RightmostAtClientWidthLess80OthersTouchingOnTheLeft) {
    struct Case { int index, count, left; };
    const Case cases[] = {{0, 1, 272}, {0, 2, 202}, {1, 2, 272}, {0, 3, 132}, {1, 3, 202}, {2, 3, 272}};
    for (const auto& c : cases) {
        const PixelRect r = MsgBoxButtonRect(352, 170, c.index, c.count);
        EXPECT_EQ(r.left, c.left) << c.index << " of " << c.count;
        EXPECT_EQ(r.top, 141);
        EXPECT_EQ(r.width, 70);
        EXPECT_EQ(r.height, 23);
    }
}

TEST(CenteredStart, TruncatesTowardZero) {
    EXPECT_EQ(CenteredStart(0, 1024, 492), 266);
    EXPECT_EQ(CenteredStart(0, 768, 110), 329);
    EXPECT_EQ(CenteredStart(10, 100, 105), 8);  // -5 / 2 is -2, not -3
}

TEST(WrapButtonIndex, NegativeIndexGetsTheCountAddedThenModulo) {
    struct Case { int index, count, wrapped; };
    const Case cases[] = {{0, 3, 0}, {2, 3, 2}, {3, 3, 0}, {-1, 3, 2}, {-2, 3, 1}, {-2, 2, 0}, {5, 2, 1}, {-1, 1, 0}};
    for (const auto& c : cases) EXPECT_EQ(WrapButtonIndex(c.index, c.count), c.wrapped) << c.index << " " << c.count;
}

TEST(DefaultButtonIndex, TakenFromFlagsModuloTheButtonSlots) {
    EXPECT_EQ(DefaultButtonIndex(0x004, 2), 0);
    EXPECT_EQ(DefaultButtonIndex(0x104, 2), 1);
    EXPECT_EQ(DefaultButtonIndex(0x204, 2), 0);  // a third default in a two-button box wraps
    EXPECT_EQ(DefaultButtonIndex(0x203, 3), 2);
    EXPECT_EQ(DefaultButtonIndex(0xF00, 1), 0);
}

const std::vector<std::string> kYesNo = {"&Yes", "&No"};
const std::vector<std::string> kAbortRetryIgnore = {"&Abort", "&Retry", "&Ignore"};

TEST(ButtonForTypedChar, SecondCharacterMatchesTheTypedOneOrItsUpperCaseLeftmostWins) {
    EXPECT_EQ(ButtonForTypedChar(kYesNo, 'n'), 1);
    EXPECT_EQ(ButtonForTypedChar(kYesNo, 'Y'), 0);
    EXPECT_EQ(ButtonForTypedChar(kYesNo, 'x'), -1);
    EXPECT_EQ(ButtonForTypedChar({"&Same", "&Same"}, 's'), 0);
    EXPECT_EQ(ButtonForTypedChar({"&no"}, 'N'), -1);  // a lower-case caption letter wants a lower-case key
    EXPECT_EQ(ButtonForTypedChar({"&"}, '\0'), -1);    // a caption of one character has no hot key
    EXPECT_EQ(ButtonForTypedChar({"", "&1"}, '1'), 1);
}

TEST(ButtonForKeyCode, LetterAfterTheAmpersandLastMatchWins) {
    EXPECT_EQ(ButtonForKeyCode(kYesNo, 'N'), 1);
    EXPECT_EQ(ButtonForKeyCode(kYesNo, 'Y'), 0);
    EXPECT_EQ(ButtonForKeyCode(kAbortRetryIgnore, 'I'), 2);
    EXPECT_EQ(ButtonForKeyCode({"&Same", "&Same"}, 'S'), 1);
    EXPECT_EQ(ButtonForKeyCode({"Save &as", "Cancel"}, 'A'), 0);  // the letter after the "&"
    EXPECT_EQ(ButtonForKeyCode({"Open", "Cancel"}, 'C'), 1);      // without "&": the first letter
    EXPECT_EQ(ButtonForKeyCode({"o&k"}, 'K'), 0);                 // without regard to case
    EXPECT_EQ(ButtonForKeyCode({"", "ok&"}, 'O'), -1);            // empty caption, "&" at the end
}

TEST(ButtonForKeyCode, OnlyTheLetterKeysChoose) {
    // 0x79 is F10 and 0x61 the numeric pad's 1: as characters they are 'y' and 'a'.
    EXPECT_EQ(ButtonForKeyCode(kYesNo, 0x79), -1);
    EXPECT_EQ(ButtonForKeyCode(kAbortRetryIgnore, 0x61), -1);
    EXPECT_EQ(ButtonForKeyCode(kYesNo, 0x0D), -1);
    EXPECT_EQ(ButtonForKeyCode(kYesNo, 0x1B), -1);
}

}  // namespace
