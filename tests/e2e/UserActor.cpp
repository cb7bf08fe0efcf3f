#include "UserActor.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <thread>

namespace e2e {

namespace {

constexpr const char* kMsgBoxClass = "VMsgBox";

struct FindData {
    std::string className;
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindTopWindowProc(HWND window, LPARAM lParam) {
    auto* data = reinterpret_cast<FindData*>(lParam);
    char className[256] = "";
    GetClassNameA(window, className, sizeof className);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (lstrcmpiA(className, data->className.c_str()) == 0 && (data->pid == 0 || data->pid == pid)) {
        data->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string ClassOf(HWND window) {
    char className[256] = "";
    GetClassNameA(window, className, sizeof className);
    return className;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer);
    return LRESULT(answer);
}

HWND FocusOfThread(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

void PumpBriefly() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Sleep(10);
}

}  // namespace

HWND FindTopWindow(const std::string& className, DWORD pid) {
    FindData data = {className, pid, nullptr};
    EnumWindows(FindTopWindowProc, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

HWND WaitForTopWindow(const std::string& className, DWORD pid, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindTopWindow(className, pid)) return window;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        PumpBriefly();
    }
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        PumpBriefly();
    }
    return true;
}

std::string ControlText(HWND window) {
    const LRESULT length = Ask(window, WM_GETTEXTLENGTH);
    std::string text(size_t(length) + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(std::min(size_t(copied), text.size()));
    return text;
}

ControlView ReadControl(HWND control) {
    ControlView view;
    if (!control) return view;
    view.window = control;
    GetWindowRect(control, &view.place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&view.place), 2);
    view.visible = (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0;
    view.style = GetWindowLongPtrA(control, GWL_STYLE);
    view.exStyle = GetWindowLongPtrA(control, GWL_EXSTYLE);
    return view;
}

bool ReadMainWindow(HWND window, MainWindowView& view) {
    if (!IsWindow(window)) return false;
    view.window = window;
    view.caption = ControlText(window);
    view.visible = IsWindowVisible(window) != FALSE;
    GetWindowRect(window, &view.outer);
    view.status = ReadControl(GetDlgItem(window, 101));
    view.progress = ReadControl(GetDlgItem(window, 102));
    view.activity = ReadControl(GetDlgItem(window, 103));
    view.statusText = ControlText(view.status.window);
    view.progressPosition = int(Ask(view.progress.window, PBM_GETPOS));
    view.progressMax = int(Ask(view.progress.window, PBM_GETRANGE, FALSE));
    view.activityPosition = int(Ask(view.activity.window, PBM_GETPOS));
    view.activityMax = int(Ask(view.activity.window, PBM_GETRANGE, FALSE));
    return view.status.window && view.progress.window && view.activity.window;
}

std::vector<std::string> MsgBoxView::Captions() const {
    std::vector<std::string> captions;
    for (const MsgBoxButtonView& button : buttons) captions.push_back(button.caption);
    return captions;
}

bool ReadMsgBox(HWND box, MsgBoxView& view) {
    if (!IsWindow(box)) return false;
    view = MsgBoxView();
    view.box = box;
    GetWindowThreadProcessId(box, &view.pid);
    view.caption = ControlText(box);
    GetWindowRect(box, &view.outer);
    RECT client;
    GetClientRect(box, &client);
    view.clientWidth = client.right;
    view.clientHeight = client.bottom;
    view.topmost = (GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    const HWND focus = FocusOfThread(box);
    for (HWND child : Children(box)) {
        const std::string className = ClassOf(child);
        if (lstrcmpiA(className.c_str(), "RICHEDIT") == 0 || lstrcmpiA(className.c_str(), "EDIT") == 0) {
            view.textControl = ReadControl(child);
            view.text = ControlText(child);
            view.textLines = int(Ask(child, EM_GETLINECOUNT));
        } else if (lstrcmpiA(className.c_str(), "Button") == 0) {
            MsgBoxButtonView button;
            button.control = ReadControl(child);
            button.caption = ControlText(child);
            button.isDefault = (button.control.style & 0xF) == BS_DEFPUSHBUTTON;
            view.buttons.push_back(button);
        }
    }
    std::sort(view.buttons.begin(), view.buttons.end(),
              [](const MsgBoxButtonView& a, const MsgBoxButtonView& b) { return a.control.Left() < b.control.Left(); });
    for (size_t i = 0; i < view.buttons.size(); ++i)
        if (view.buttons[i].control.window == focus) view.focusedButton = int(i);
    return true;
}

bool WaitForMsgBox(MsgBoxView& view, DWORD timeoutMs, DWORD pid) {
    const HWND box = WaitForTopWindow(kMsgBoxClass, pid, timeoutMs);
    if (!box) return false;
    // The box is created off-screen and placed once its text and size are known; its buttons
    // come last. Read it once it stands in place with its buttons (or after a short while for
    // a box without any).
    const DWORD start = GetTickCount();
    for (;;) {
        if (!ReadMsgBox(box, view)) return false;
        const bool placed = view.outer.left >= 0 && view.Width() > 10;
        if ((placed && !view.buttons.empty()) || GetTickCount() - start > 1000) return placed;
        PumpBriefly();
    }
}

std::string BoldMask(const MsgBoxView& view) {
    const HWND text = view.textControl.window;
    std::string mask;
    for (LONG i = 0; i < LONG(view.text.size()); ++i) {
        CHARRANGE one = {i, i + 1};
        SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
        CHARFORMATA format = {};
        format.cbSize = sizeof format;
        SendMessageA(text, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        mask += (format.dwEffects & CFE_BOLD) ? 'B' : '.';
    }
    CHARRANGE none = {0, 0};
    SendMessageA(text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
    return mask;
}

bool CloseCommandGreyed(const MsgBoxView& view) {
    const UINT state = GetMenuState(GetSystemMenu(view.box, FALSE), SC_CLOSE, MF_BYCOMMAND);
    return state != UINT(-1) && (state & MF_GRAYED) != 0;
}

void PressKey(const MsgBoxView& view, UINT virtualKey) {
    HWND target = FocusOfThread(view.box);
    if (!target) target = view.box;
    const UINT scan = MapVirtualKeyA(virtualKey, 0);
    PostMessageA(target, WM_KEYDOWN, virtualKey, LPARAM(1 | (scan << 16)));
    PostMessageA(target, WM_KEYUP, virtualKey, LPARAM(1 | (scan << 16) | 0xC0000000));
}

void TypeChar(const MsgBoxView& view, char c) {
    HWND target = FocusOfThread(view.box);
    PostMessageA(target ? target : view.box, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
}

void ClickButton(const MsgBoxView& view, size_t index) {
    if (index < view.buttons.size()) PostMessageA(view.buttons[index].control.window, BM_CLICK, 0, 0);
}

void CloseFromSystemMenu(const MsgBoxView& view) { PostMessageA(view.box, WM_SYSCOMMAND, SC_CLOSE, 0); }

ActResult ShowAndAct(const std::function<int32_t()>& show, const std::function<void(MsgBoxView&)>& act,
                     DWORD timeoutMs) {
    ActResult outcome;
    const DWORD pid = GetCurrentProcessId();
    std::thread actor([&] {
        MsgBoxView view;
        if (!WaitForMsgBox(view, timeoutMs, pid)) return;
        outcome.seen = true;
        act(view);
        outcome.answered = WaitUntilGone(view.box, timeoutMs);
        if (!outcome.answered) PostMessageA(view.box, WM_CLOSE, 0, 0);
    });
    outcome.result = show();
    actor.join();
    return outcome;
}

void CloseStubWindow(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace e2e
