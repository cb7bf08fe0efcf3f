// The message box's layout and keyboard rules, free of any window: the style flags, the
// button sets, the box's size and the places of its text and buttons, the default button and
// the keys that choose a button.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Style flags (the Win32 message-box values where those exist).
constexpr uint32_t kMsgBoxButtonSetMask = 0xF;
constexpr uint32_t kMsgBoxIconMask = 0xF0;
constexpr uint32_t kMsgBoxIconStop = 0x10;
constexpr uint32_t kMsgBoxIconQuestion = 0x20;
constexpr uint32_t kMsgBoxIconExclamation = 0x30;
constexpr uint32_t kMsgBoxIconInformation = 0x40;
constexpr uint32_t kMsgBoxDefaultButtonMask = 0xF00;
constexpr uint32_t kMsgBoxRightAligned = 0x80000;
constexpr uint32_t kMsgBoxRightToLeft = 0x100000;
constexpr uint32_t kMsgBoxNoClose = 0x10000000;

// Button sets (low nibble of the flags).
constexpr uint32_t kMsgBoxOk = 0, kMsgBoxOkCancel = 1, kMsgBoxAbortRetryIgnore = 2, kMsgBoxYesNoCancel = 3,
                   kMsgBoxYesNo = 4, kMsgBoxRetryCancel = 5;

// Result codes.
constexpr int32_t kMsgBoxResultNone = 0;  // closed without a choice
constexpr int32_t kMsgBoxResultOk = 1, kMsgBoxResultCancel = 2, kMsgBoxResultAbort = 3, kMsgBoxResultRetry = 4,
                  kMsgBoxResultIgnore = 5, kMsgBoxResultYes = 6, kMsgBoxResultNo = 7;

constexpr const char* kDefaultButtonCaptions = "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|";
constexpr const char* kDefaultMsgBoxTitles = "|Error|Attention|Confirm|";

// Character sets that read right to left (Hebrew, Arabic).
inline bool IsRightToLeftCharset(int charset) { return charset == 177 || charset == 178; }

struct MsgBoxButton {
    int captionItem;  // 0-based item of the caption list
    int32_t result;
};

// The buttons of the flags' set, from left to right (none for the sets 6 to 15).
std::vector<MsgBoxButton> MsgBoxButtonsOf(uint32_t flags);

// The system icon of the flags (32513 stop, 32514 question, 32515 exclamation, 32516
// information), or 0 for the program's own icon "MainIcon".
int MsgBoxSystemIconOf(uint32_t flags);

struct FrameMetrics {
    int sizingFrameWidth = 0;
    int sizingFrameHeight = 0;
    int captionHeight = 0;
};

struct BoxSize {
    int width = 0;
    int height = 0;
};

// The left band that holds the icon, and the minimum width of a box.
constexpr int kMsgBoxBandWidth = 54;
constexpr int kMsgBoxMinWidth = 360;

// The box's outer size from the text control's size W x H: horizontal margins 64 (W < 200)
// or 32, vertical margins 45 (H < 39) or 32, the band, the button row, the frame and the
// caption; at least 360 wide.
BoxSize MsgBoxSizeFor(int textWidth, int textHeight, const FrameMetrics& frame);

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Where the text control stands in a client area of CW x CH: centred right of the band and
// above the button row.
PixelRect MsgBoxTextRect(int clientWidth, int clientHeight, int textWidth, int textHeight);

// Button `index` of `count` (0 = leftmost): 70 x 23, the rightmost at CW - 80, the others
// touching it on the left, 29 pixels above the bottom.
PixelRect MsgBoxButtonRect(int clientWidth, int clientHeight, int index, int count);

// One start position: areaStart + (areaSize - size) / 2, truncated toward zero.
int CenteredStart(int areaStart, int areaSize, int size);

// An index wrapped into 0 .. count - 1: a negative index gets count added first.
// The default button (flags 0xF00) and the arrow and Tab keys move through the buttons so.
int WrapButtonIndex(int index, int count);
int DefaultButtonIndex(uint32_t flags, int count);

// The button that a typed character chooses: the leftmost caption of two or more characters
// whose second character (the one after a leading "&") is the typed one or its upper case;
// -1 for none.
int ButtonForTypedChar(const std::vector<std::string>& captions, char typed);

// The button that a key code A..Z chooses: the last caption whose hot key (the character
// after the first "&", or the first character without one) is that letter, without regard
// to case; -1 for none and for every key that is not a letter A..Z.
int ButtonForKeyCode(const std::vector<std::string>& captions, unsigned keyCode);
