#include "dialogs/VMsgBox.h"

#include <richedit.h>

#include "dialogs/MsgBoxLayout.h"
#include "dialogs/MsgBoxText.h"
#include "utils/Desktop.h"
#include "utils/Pump.h"
#include "utils/ScopedWin.h"
#include "utils/Text.h"
#include "utils/VSUB.h"

namespace {

constexpr UINT_PTR kTimeoutTimerId = 1;
constexpr int kMaxButtons = 3;
constexpr COLORREF kBandColour = RGB(0, 78, 152);
constexpr const char* kRichEditLibrary = "RICHED32.DLL";

struct FontSettings {
    std::string faceName = "Tahoma";
    int pointSize = 8;
    uint8_t charSet = 1;  // DEFAULT_CHARSET
};

// The state of the one box that can be up at a time.
struct BoxState {
    uint32_t timeoutMs = 0;
    int32_t result = kMsgBoxResultNone;
    HWND box = nullptr;
    HWND text = nullptr;
    HWND buttons[kMaxButtons] = {};
    int systemIcon = 0;  // 0: the program's "MainIcon"
    HWND previousActive = nullptr;
    bool done = false;
};

FontSettings g_font;
BoxState g_box;
// The content size that the text control last asked for (its resize requests); kept across boxes.
int g_requestedWidth = 0;
int g_requestedHeight = 0;
HMODULE g_richEditLibrary = nullptr;  // loaded at the first box, kept for the process

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

HMODULE LoadRichEdit() {
    const HMODULE library = LoadLibraryA(kRichEditLibrary);
    return reinterpret_cast<UINT_PTR>(library) > 32 ? library : nullptr;
}

// The number of button slots that count for the default button and the focus keys: 3 when a
// third button exists, else 2 when a second exists, else 1.
int ButtonSlots() { return g_box.buttons[2] ? 3 : (g_box.buttons[1] ? 2 : 1); }

std::vector<std::string> ButtonCaptions() {
    std::vector<std::string> captions;
    for (HWND button : g_box.buttons)
        if (button) captions.push_back(WindowText(button));
    return captions;
}

int FocusedButton() {
    const HWND focus = GetFocus();
    for (int i = 0; i < kMaxButtons; ++i)
        if (focus && g_box.buttons[i] == focus) return i;
    return -1;
}

int32_t ButtonResult(HWND button) { return button ? int32_t(GetWindowLongPtrA(button, GWLP_USERDATA)) : 0; }

void ChooseButton(HWND button) {
    g_box.result = ButtonResult(button);
    PostMessageA(g_box.box, WM_CLOSE, 0, 0);
}

void MoveFocus(int delta) {
    const HWND target = g_box.buttons[WrapButtonIndex(FocusedButton() + delta, ButtonSlots())];
    if (target) SetFocus(target);
}

// Runs for every message of the thread before it is dispatched; true when the message chose a
// button (it is then not dispatched). Escape has no function.
bool KeyFilterTakes(const MSG& msg) {
    int chosen = -1;
    if (msg.message == WM_CHAR) {
        chosen = ButtonForTypedChar(ButtonCaptions(), char(msg.wParam));
    } else if (msg.message == WM_KEYDOWN) {
        switch (msg.wParam) {
            case VK_LEFT:
            case VK_UP:
                MoveFocus(-1);
                return false;
            case VK_TAB:
            case VK_RIGHT:
            case VK_DOWN:
                MoveFocus(+1);
                return false;
            case VK_RETURN:
                chosen = FocusedButton();
                break;
            default:
                chosen = ButtonForKeyCode(ButtonCaptions(), unsigned(msg.wParam));
                break;
        }
    }
    if (chosen < 0 || !g_box.buttons[chosen]) return false;
    ChooseButton(g_box.buttons[chosen]);
    return true;
}

void FillBand(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    const RECT rect = {left, top, right, bottom};
    FillRect(dc, &rect, brush);
}

void PaintBox(HWND box) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(box, &paint);
    RECT client;
    GetClientRect(box, &client);
    const int cw = client.right, ch = client.bottom;
    FillBand(dc, 0, 0, cw, ch, GetSysColorBrush(COLOR_WINDOW));
    FillBand(dc, 0, ch - 37, cw, ch - 36, GetSysColorBrush(COLOR_3DDKSHADOW));
    FillBand(dc, 0, ch - 36, cw, ch - 35, HBRUSH(GetStockObject(WHITE_BRUSH)));
    FillBand(dc, 0, ch - 35, cw, ch, GetSysColorBrush(COLOR_BTNFACE));
    AutoGdiObject band(CreateSolidBrush(kBandColour));
    FillBand(dc, 0, 0, kMsgBoxBandWidth, ch - 37, HBRUSH(band.Get()));
    const HICON icon = g_box.systemIcon ? LoadIconA(nullptr, MAKEINTRESOURCEA(g_box.systemIcon))
                                        : LoadIconA(Instance(), "MainIcon");
    if (icon) DrawIcon(dc, 11, 20, icon);
    EndPaint(box, &paint);
}

LRESULT CALLBACK MsgBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (g_box.timeoutMs > 0) SetTimer(window, kTimeoutTimerId, g_box.timeoutMs, nullptr);
            return 0;
        case WM_TIMER:
            ChooseButton(g_box.buttons[0]);
            return 0;
        case WM_COMMAND:
            for (HWND button : g_box.buttons) {
                if (button && reinterpret_cast<HWND>(lParam) == button) {
                    ChooseButton(button);
                    return 0;
                }
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header && header->code == EN_REQUESTRESIZE) {
                const RECT& wanted = reinterpret_cast<const REQRESIZE*>(lParam)->rc;
                g_requestedWidth = wanted.right - wanted.left;
                g_requestedHeight = wanted.bottom - wanted.top;
            }
            return 0;
        }
        case WM_PAINT:
            PaintBox(window);
            return 0;
        case WM_CLOSE:
            if (g_box.previousActive) {
                EnableWindow(g_box.previousActive, TRUE);
                SetActiveWindow(g_box.previousActive);
                SetFocus(g_box.previousActive);
            }
            if (g_box.timeoutMs > 0) KillTimer(window, kTimeoutTimerId);
            break;  // the default handling destroys the box
        case WM_DESTROY:
            g_box.done = true;
            return 1;
        default:
            // Cancels AutoPlay for a disk inserted while the box asks for it.
            if (AutoPlayCancelMessage() != 0 && message == AutoPlayCancelMessage()) return 1;
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void SizeControl(HWND control, int width, int height) {
    SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The converted text's size in the box font: every line's width with tabs at the rich-text
// control's default stops (half an inch), so that the measured lines are those displayed.
TextSize MeasureText(const std::string& text, HFONT font) {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const int lineHeight =
        metrics.tmHeight + metrics.tmExternalLeading + (SameTextTrimmed(g_font.faceName, "MS PGothic") ? 1 : 0);
    INT tabStop = PointsToPixels(36);
    std::vector<int> widths;
    for (const std::string& line : MeasuredLines(text))
        widths.push_back(LOWORD(GetTabbedTextExtentA(dc, line.c_str(), int(line.size()), 1, &tabStop)));
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return MeasuredTextSize(widths, lineHeight);
}

// Shows the converted text with its bold runs and sizes the control to it; returns the
// control's size. Bold text is wider than the measured plain text, so with bold runs the
// control is widened in steps of 10 pixels until its content fits the measured height.
TextSize ShowText(HWND control, const MarkedUpText& marked, HFONT font, bool richText) {
    SetWindowTextA(control, marked.text.c_str());
    if (richText) {
        for (size_t i = 0; i < marked.runStarts.size(); ++i) {
            CHARRANGE run = {LONG(marked.runStarts[i]), LONG(marked.runEnds[i])};
            SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&run));
            CHARFORMATA format = {};
            format.cbSize = sizeof format;
            format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
            format.dwEffects = CFE_BOLD;
            SendMessageA(control, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
            CHARRANGE none = {0, 0};
            SendMessageA(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
        }
    }
    const TextSize measured = MeasureText(marked.text, font);
    TextSize size = {measured.width + 10, measured.height};
    SizeControl(control, size.width, size.height);
    if (richText && !marked.runStarts.empty()) {
        int widest = measured.width;
        bool fits = false;
        for (int i = 0; i <= 20 && !fits; ++i) {
            size.width = measured.width + 10 * i;
            SizeControl(control, size.width, size.height);
            SendMessageA(control, EM_REQUESTRESIZE, 0, 0);  // the control answers with a resize request
            fits = g_requestedHeight <= measured.height;
            if (!fits && g_requestedWidth > widest) widest = g_requestedWidth;
        }
        if (!fits) {
            size.width = widest + 10;
            SizeControl(control, size.width, size.height);
        }
    }
    return size;
}

// The text control: Rich Edit 1.0, or a plain read-only edit control (no bold) where the
// rich-text library is missing, so that the user still reads the message.
HWND CreateTextControl(uint32_t flags, HFONT font, bool& richText) {
    const DWORD style = WS_VISIBLE | WS_CHILD | ES_MULTILINE | ES_READONLY | ES_WANTRETURN |
                        ((flags & kMsgBoxRightAligned) ? ES_RIGHT : 0);
    const DWORD exStyle = (flags & kMsgBoxRightToLeft) ? WS_EX_RTLREADING : 0;
    HWND control = CreateWindowExA(exStyle, "RICHEDIT", "", style, 0, 0, 0, 0, g_box.box, nullptr, Instance(), nullptr);
    richText = control != nullptr;
    if (!control)
        control = CreateWindowExA(exStyle, "EDIT", "", style, 0, 0, 0, 0, g_box.box, nullptr, Instance(), nullptr);
    if (!control) return nullptr;
    if (richText) SendMessageA(control, EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
    SendMessageA(control, WM_SETFONT, WPARAM(font), FALSE);
    if (richText) SendMessageA(control, EM_SETBKGNDCOLOR, 0, LPARAM(GetSysColor(COLOR_WINDOW)));
    return control;
}

void CreateButtons(uint32_t flags, const std::string& captions, HFONT font, int clientWidth, int clientHeight) {
    const std::vector<MsgBoxButton> buttons = MsgBoxButtonsOf(flags);
    const int count = int(buttons.size());
    for (int i = 0; i < count; ++i) {
        const PixelRect place = MsgBoxButtonRect(clientWidth, clientHeight, i, count);
        const std::string caption = SUB::GetItem(captions, buttons[size_t(i)].captionItem, "");
        const HWND button = CreateWindowExA(0, "Button", caption.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                            place.left, place.top, place.width, place.height, g_box.box,
                                            reinterpret_cast<HMENU>(INT_PTR(i + 1)), Instance(), nullptr);
        if (!button) continue;
        SendMessageA(button, WM_SETFONT, WPARAM(font), FALSE);
        SetWindowLongPtrA(button, GWLP_USERDATA, LONG_PTR(buttons[size_t(i)].result));
        g_box.buttons[i] = button;
    }
    const int chosen = DefaultButtonIndex(flags, ButtonSlots());
    if (g_box.buttons[chosen]) SetFocus(g_box.buttons[chosen]);
    for (int i = 0; i < kMaxButtons; ++i)
        if (g_box.buttons[i])
            SendMessageA(g_box.buttons[i], BM_SETSTYLE, i == chosen ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// Takes every message of the thread until the box is gone. A quit message taken meanwhile
// does not end the box; it is posted again afterwards, so the program's own loop still ends.
void RunModalLoop() {
    bool quitSeen = false;
    WPARAM quitCode = 0;
    while (!g_box.done) {
        MSG msg;
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            quitSeen = true;
            quitCode = msg.wParam;
            continue;
        }
        if (!KeyFilterTakes(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (quitSeen) PostQuitMessage(int(quitCode));
}

// Places the box in the middle of the work area, and the text control in the middle of the
// box's text area.
void PlaceBox(const std::string& text, int textWidth, int textHeight) {
    FrameMetrics frame;
    frame.sizingFrameWidth = GetSystemMetrics(SM_CXFRAME);
    frame.sizingFrameHeight = GetSystemMetrics(SM_CYFRAME);
    frame.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    const BoxSize size = MsgBoxSizeFor(textWidth, textHeight, frame);
    RECT workArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    int left = CenteredStart(workArea.left, workArea.right - workArea.left, size.width);
    int top = CenteredStart(workArea.top, workArea.bottom - workArea.top, size.height);
    // A developer's question about a new entry stands aside, so the window behind stays visible.
    if (text.find("Do you want to store the new Entry in") != std::string::npos && DeveloperMode()) {
        left += 150;
        top += 150;
    }
    SetWindowPos(g_box.box, nullptr, left, top, size.width, size.height, SWP_NOZORDER | SWP_SHOWWINDOW);
    if (!g_box.text) return;
    RECT client;
    GetClientRect(g_box.box, &client);
    const PixelRect place = MsgBoxTextRect(client.right, client.bottom, textWidth, textHeight);
    SetWindowPos(g_box.text, nullptr, place.left, place.top, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(g_box.text, SW_SHOW);
}

}  // namespace

void SetMsgBoxFont(const std::string& faceName, int pointSize, uint8_t charSet) {
    g_font.faceName = faceName;
    g_font.charSet = charSet;
    if (pointSize != 0) g_font.pointSize = pointSize;
}

int32_t RunMsgBox(HWND owner, const std::string& text, const std::string& title, uint32_t timeoutMs, uint32_t flags,
                  const std::string& captions) {
    if (!g_richEditLibrary) g_richEditLibrary = LoadRichEdit();
    g_box = BoxState();
    g_box.previousActive = GetActiveWindow();
    if (g_box.previousActive) EnableWindow(g_box.previousActive, FALSE);
    g_box.timeoutMs = timeoutMs;

    AutoGdiObject font(CreateFontA(-PointsToPixels(g_font.pointSize), 0, 0, 0, FW_NORMAL, 0, 0, 0, g_font.charSet,
                                   0, 0, 0, FF_SWISS, g_font.faceName.c_str()));
    AutoLibrary boxReference(LoadRichEdit());  // this box's own reference to the library

    WNDCLASSA boxClass = {};
    boxClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    boxClass.lpfnWndProc = MsgBoxProc;
    boxClass.hInstance = Instance();
    boxClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    boxClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    boxClass.lpszClassName = kMsgBoxClassName;
    RegisterClassA(&boxClass);

    g_box.box = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, kMsgBoxClassName, title.c_str(),
                                WS_VISIBLE | WS_CAPTION | WS_SYSMENU, -100, -100, 10, 10, owner, nullptr,
                                Instance(), nullptr);
    if (g_box.box) {
        if (flags & kMsgBoxNoClose) EnableMenuItem(GetSystemMenu(g_box.box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        const HFONT boxFont = HFONT(font.Get());
        bool richText = false;
        g_box.text = CreateTextControl(flags, boxFont, richText);
        const TextSize textSize =
            g_box.text ? ShowText(g_box.text, ConvertMarkup(text), boxFont, richText) : TextSize();
        PlaceBox(text, textSize.width, textSize.height);
        g_box.systemIcon = MsgBoxSystemIconOf(flags);
        RECT client;
        GetClientRect(g_box.box, &client);
        CreateButtons(flags, captions.empty() ? std::string(kDefaultButtonCaptions) : captions, boxFont,
                      client.right, client.bottom);
        RunModalLoop();
    } else if (g_box.previousActive) {
        EnableWindow(g_box.previousActive, TRUE);
    }
    // Unregistered once the box is gone: while a window of the class exists this would fail.
    UnregisterClassA(kMsgBoxClassName, Instance());
    g_box.box = nullptr;
    return g_box.result;
}

int32_t ShowMsgBox(LONG_PTR ownerOrMode, const std::string& text, const std::string& title, uint32_t timeoutMs,
                   uint32_t flags, uint8_t charSet, const std::string& captions) {
    if (IsRightToLeftCharset(charSet)) flags |= kMsgBoxRightAligned | kMsgBoxRightToLeft;
    const std::string shown = ownerOrMode == kMsgBoxWithHeading ? MsgBoxWithHeading(title, text) : text;
    if (ownerOrMode == kMsgBoxPlainNoClose) flags |= kMsgBoxNoClose;
    const bool isMode = ULONG_PTR(ownerOrMode) <= ULONG_PTR(kMsgBoxPlainNoClose);
    const HWND owner = isMode ? GetActiveWindow() : reinterpret_cast<HWND>(ownerOrMode);
    const int32_t result = RunMsgBox(owner, shown, title, timeoutMs, flags, captions);
    YieldWait(0, 100);
    return result;
}

namespace {

std::string TitleOr(const std::string& title, int defaultItem) {
    return title.empty() ? SUB::GetItem(kDefaultMsgBoxTitles, defaultItem, "") : title;
}

std::string CaptionsOr(const std::string& captions) {
    return captions.empty() ? std::string(kDefaultButtonCaptions) : captions;
}

}  // namespace

void MsgError(LONG_PTR ownerOrMode, const std::string& text, const std::string& title, uint8_t charSet,
              const std::string& captions) {
    ShowMsgBox(ownerOrMode, text, TitleOr(title, 0), 0, kMsgBoxOk | kMsgBoxIconStop, charSet, CaptionsOr(captions));
}

void MsgAttention(LONG_PTR ownerOrMode, const std::string& text, const std::string& title, uint32_t timeoutMs,
                  uint8_t charSet, const std::string& captions) {
    ShowMsgBox(ownerOrMode, text, TitleOr(title, 1), timeoutMs, kMsgBoxOk | kMsgBoxIconExclamation, charSet,
               CaptionsOr(captions));
}

bool MsgConfirm(LONG_PTR ownerOrMode, const std::string& text, const std::string& title, uint32_t timeoutMs,
                uint8_t charSet, const std::string& captions) {
    return ShowMsgBox(ownerOrMode, text, TitleOr(title, 2), timeoutMs, kMsgBoxYesNo | kMsgBoxIconQuestion, charSet,
                      CaptionsOr(captions)) == kMsgBoxResultYes;
}

bool MsgConfirmOkCancel(LONG_PTR ownerOrMode, const std::string& text, const std::string& title, uint8_t charSet,
                        const std::string& captions) {
    return ShowMsgBox(ownerOrMode, text, TitleOr(title, 2), 0, kMsgBoxOkCancel | kMsgBoxIconQuestion, charSet,
                      CaptionsOr(captions)) == kMsgBoxResultOk;
}
