#include "dialogs/MsgBoxLayout.h"

#include "utils/Text.h"

namespace {

constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 23;
constexpr int kButtonRowHeight = 36;  // from the separator line to the bottom

char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

}  // namespace

std::vector<MsgBoxButton> MsgBoxButtonsOf(uint32_t flags) {
    switch (flags & kMsgBoxButtonSetMask) {
        case kMsgBoxOk: return {{0, kMsgBoxResultOk}};
        case kMsgBoxOkCancel: return {{0, kMsgBoxResultOk}, {1, kMsgBoxResultCancel}};
        case kMsgBoxAbortRetryIgnore:
            return {{4, kMsgBoxResultAbort}, {5, kMsgBoxResultRetry}, {6, kMsgBoxResultIgnore}};
        case kMsgBoxYesNoCancel: return {{2, kMsgBoxResultYes}, {3, kMsgBoxResultNo}, {1, kMsgBoxResultCancel}};
        case kMsgBoxYesNo: return {{2, kMsgBoxResultYes}, {3, kMsgBoxResultNo}};
        case kMsgBoxRetryCancel: return {{5, kMsgBoxResultRetry}, {1, kMsgBoxResultCancel}};
        default: return {};
    }
}

int MsgBoxSystemIconOf(uint32_t flags) {
    switch (flags & kMsgBoxIconMask) {
        case kMsgBoxIconStop: return 32513;
        case kMsgBoxIconQuestion: return 32514;
        case kMsgBoxIconExclamation: return 32515;
        case kMsgBoxIconInformation: return 32516;
        default: return 0;
    }
}

BoxSize MsgBoxSizeFor(int textWidth, int textHeight, const FrameMetrics& frame) {
    const int horizontalMargin = textWidth < 200 ? 64 : 32;
    const int verticalMargin = textHeight < 39 ? 45 : 32;
    BoxSize size;
    size.width = textWidth + kMsgBoxBandWidth + 2 * horizontalMargin + 2 * frame.sizingFrameWidth;
    if (size.width < kMsgBoxMinWidth) size.width = kMsgBoxMinWidth;
    size.height = textHeight + kButtonRowHeight + 2 * verticalMargin + 2 * frame.sizingFrameHeight + frame.captionHeight;
    return size;
}

PixelRect MsgBoxTextRect(int clientWidth, int clientHeight, int textWidth, int textHeight) {
    PixelRect rect;
    rect.left = kMsgBoxBandWidth + (clientWidth - kMsgBoxBandWidth - textWidth) / 2;
    rect.top = (clientHeight - kButtonRowHeight - textHeight) / 2;
    rect.width = textWidth;
    rect.height = clientHeight - rect.top - 39;
    return rect;
}

PixelRect MsgBoxButtonRect(int clientWidth, int clientHeight, int index, int count) {
    PixelRect rect;
    rect.left = clientWidth - 80 - kButtonWidth * (count - 1 - index);
    rect.top = clientHeight - 29;
    rect.width = kButtonWidth;
    rect.height = kButtonHeight;
    return rect;
}

int CenteredStart(int areaStart, int areaSize, int size) { return areaStart + (areaSize - size) / 2; }

int WrapButtonIndex(int index, int count) {
    if (count <= 0) return 0;
    if (index < 0) index += count;
    index %= count;
    return index < 0 ? index + count : index;
}

int DefaultButtonIndex(uint32_t flags, int count) {
    return WrapButtonIndex(int((flags & kMsgBoxDefaultButtonMask) >> 8), count);
}

int ButtonForTypedChar(const std::vector<std::string>& captions, char typed) {
    // Tried from the right, each match replacing the one before: the leftmost match wins.
    int chosen = -1;
    for (int i = int(captions.size()) - 1; i >= 0; --i) {
        const std::string& caption = captions[size_t(i)];
        if (caption.size() >= 2 && (caption[1] == typed || caption[1] == UpperChar(typed))) chosen = i;
    }
    return chosen;
}

int ButtonForKeyCode(const std::vector<std::string>& captions, unsigned keyCode) {
    // Only the letter codes themselves: the codes of lower-case letters belong to the numeric
    // pad and the function keys (F10 is 0x79, 'y'), which must not answer a question.
    if (keyCode < 'A' || keyCode > 'Z') return -1;
    int chosen = -1;
    for (size_t i = 0; i < captions.size(); ++i) {
        const std::string& caption = captions[i];
        const size_t amp = caption.find('&');
        const size_t hot = amp == std::string::npos ? 0 : amp + 1;
        if (hot < caption.size() && UpperChar(caption[hot]) == char(keyCode)) chosen = int(i);
    }
    return chosen;
}
