// Acts as the user in front of the stub: finds its windows, reads what they show (the main
// window's caption, status line and bars; a message box's caption, text, buttons and
// geometry) and answers a message box with a key, a click or a close. Works on windows of
// other processes (the real stub) and of this process (a box shown by a test on its own
// thread while the actor runs on another, see ShowAndAct).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// A top-level window of the class (any title), of the process `pid` (0 = any process).
HWND FindTopWindow(const std::string& className, DWORD pid = 0);
HWND WaitForTopWindow(const std::string& className, DWORD pid, DWORD timeoutMs);
bool WaitUntilGone(HWND window, DWORD timeoutMs);

// The text of any window, also of another process's control (asked with WM_GETTEXT).
std::string ControlText(HWND window);

struct ControlView {
    HWND window = nullptr;
    RECT place = {};  // in the parent's client coordinates
    bool visible = false;
    LONG_PTR style = 0;
    LONG_PTR exStyle = 0;
    int Left() const { return place.left; }
    int Top() const { return place.top; }
    int Width() const { return place.right - place.left; }
    int Height() const { return place.bottom - place.top; }
};
ControlView ReadControl(HWND control);

struct MainWindowView {
    HWND window = nullptr;
    std::string caption;
    bool visible = false;
    RECT outer = {};  // screen coordinates
    ControlView status, progress, activity;
    std::string statusText;
    int progressPosition = 0, progressMax = 0, activityPosition = 0, activityMax = 0;
};
bool ReadMainWindow(HWND window, MainWindowView& view);

struct MsgBoxButtonView {
    ControlView control;
    std::string caption;
    bool isDefault = false;
};

struct MsgBoxView {
    HWND box = nullptr;
    DWORD pid = 0;
    std::string caption;
    std::string text;  // the text control's text (CR LF line breaks)
    RECT outer = {};   // screen coordinates
    int clientWidth = 0, clientHeight = 0;
    ControlView textControl;
    int textLines = 0;  // lines as the text control wraps them
    std::vector<MsgBoxButtonView> buttons;  // from left to right
    int focusedButton = -1;
    bool topmost = false;
    int Width() const { return outer.right - outer.left; }
    int Height() const { return outer.bottom - outer.top; }
    std::vector<std::string> Captions() const;
};

// Waits for a box of class "VMsgBox" (of `pid`, 0 = any) and reads it.
bool WaitForMsgBox(MsgBoxView& view, DWORD timeoutMs, DWORD pid = 0);
bool ReadMsgBox(HWND box, MsgBoxView& view);

// Only for a box of this process: one character per character of the text, 'B' where it is
// bold and '.' where not; whether the Close item of the system menu is greyed.
std::string BoldMask(const MsgBoxView& view);
bool CloseCommandGreyed(const MsgBoxView& view);

// Answers, as posted input to the box's thread.
void PressKey(const MsgBoxView& view, UINT virtualKey);  // key down and up at the focused window
void TypeChar(const MsgBoxView& view, char c);           // a character message
void ClickButton(const MsgBoxView& view, size_t index);
void CloseFromSystemMenu(const MsgBoxView& view);

// Shows a box on this thread with `show` while another thread waits for it and runs `act`
// (which reads and answers it). Should `act` leave the box up, the box is closed after
// `timeoutMs` so that the test ends; `answered` then reports false.
struct ActResult {
    int32_t result = -1;
    bool seen = false;      // a box appeared
    bool answered = false;  // and went away after `act`
};
ActResult ShowAndAct(const std::function<int32_t()>& show, const std::function<void(MsgBoxView&)>& act,
                     DWORD timeoutMs = 15000);

// The user closes the stub: the first close request only stops a download, the second one
// closes the window.
void CloseStubWindow(HWND window);

}  // namespace e2e
