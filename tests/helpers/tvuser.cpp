// tvuser: acts as the user in front of the stub, for scripts (the demo, the pictures) and for
// trying things by hand under Wine. Each command waits for what it acts on.
//
//   tvuser close CLASS [MS]        closes the top-level window of CLASS as a user does (two
//                                  close requests: the first only stops a download) and
//                                  waits until it is gone
//   tvuser show CLASS [STATUS [POS MAX [ACTIVITY]]]
//                                  shows the stub's hidden main window the way its setup run
//                                  does: status line, progress bar, activity bar
//   tvuser rect CLASS              prints the window's screen rectangle: LEFT TOP WIDTH HEIGHT
//   tvuser box MODE FLAGS CHARSET TITLE TEXT [CAPTIONS [TIMEOUT [FACE SIZE FONTCHARSET]]]
//                                  shows the program's message box (the stub's own code) and
//                                  prints its result; the exit code is the result too. TITLE,
//                                  TEXT or CAPTIONS "@FILE" take the file's bytes (ANSI text in
//                                  the process's code page, such as Hebrew in code page 1255)
//   tvuser answer ACTION [MS]      waits for a message box, prints what it shows and answers:
//                                  a key name (enter, escape, left, right, tab) or letter,
//                                  click:N (N from 0 at the left), or close (system menu)
//
// Exit code 0 on success (box: the result), 1 when the window or box did not appear, 2 for a
// usage error.
#include <windows.h>

#include <commctrl.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Processes.h"
#include "UserActor.h"
#include "dialogs/VMsgBox.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: tvuser close CLASS [MS] | show CLASS [STATUS [POS MAX [ACTIVITY]]] | rect CLASS |\n"
                 "       box MODE FLAGS CHARSET TITLE TEXT [CAPTIONS [TIMEOUT [FACE SIZE FONTCHARSET]]] |\n"
                 "       answer ACTION [MS]\n");
    return 2;
}

DWORD Number(const char* text) { return DWORD(std::strtoul(text, nullptr, 0)); }

HWND WaitFor(const char* className, DWORD timeoutMs = 20000) {
    const HWND window = e2e::WaitForTopWindow(className, 0, timeoutMs);
    if (!window) std::fprintf(stderr, "tvuser: no window of class %s\n", className);
    return window;
}

int Close(int argc, char** argv) {
    const DWORD timeoutMs = argc > 3 ? Number(argv[3]) : 20000;
    const HWND window = WaitFor(argv[2], timeoutMs);
    if (!window) return 1;
    e2e::CloseStubWindow(window);
    return e2e::WaitUntilGone(window, timeoutMs) ? 0 : 1;
}

int Show(int argc, char** argv) {
    const HWND window = WaitFor(argv[2]);
    if (!window) return 1;
    if (argc > 3) SendMessageA(GetDlgItem(window, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
    const HWND progress = GetDlgItem(window, 102);
    if (argc > 5) {
        SendMessageA(progress, PBM_SETRANGE32, 0, LPARAM(Number(argv[5])));
        SendMessageA(progress, PBM_SETPOS, WPARAM(Number(argv[4])), 0);
    }
    if (argc > 6) {
        const HWND activity = GetDlgItem(window, 103);
        SendMessageA(activity, PBM_SETRANGE, 0, MAKELPARAM(0, 5));
        SendMessageA(activity, PBM_SETPOS, WPARAM(Number(argv[6])), 0);
        ShowWindow(activity, SW_SHOWNA);
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return 0;
}

int Rect(char** argv) {
    const HWND window = WaitFor(argv[2]);
    if (!window) return 1;
    e2e::MsgBoxView box;
    if (std::strcmp(argv[2], "VMsgBox") == 0) e2e::WaitForMsgBox(box, 20000);  // until it stands in place
    Sleep(300);  // let it paint
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

// An argument, or the bytes of the file it names after "@".
std::string TextArgument(const char* argument) {
    if (argument[0] != '@') return argument;
    return e2e::ReadFileBytes(argument + 1);
}

int Box(int argc, char** argv) {
    if (argc < 7) return Usage();
    if (argc > 11) SetMsgBoxFont(argv[9], int(Number(argv[10])), uint8_t(Number(argv[11])));
    const int32_t result =
        ShowMsgBox(LONG_PTR(Number(argv[2])), TextArgument(argv[6]), TextArgument(argv[5]),
                   argc > 8 ? Number(argv[8]) : 0, Number(argv[3]), uint8_t(Number(argv[4])),
                   argc > 7 ? TextArgument(argv[7]) : std::string());
    std::printf("result %d\n", int(result));
    return int(result);
}

UINT KeyOf(const std::string& name) {
    if (name == "enter") return VK_RETURN;
    if (name == "escape") return VK_ESCAPE;
    if (name == "left") return VK_LEFT;
    if (name == "right") return VK_RIGHT;
    if (name == "tab") return VK_TAB;
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
        return UINT(std::toupper(static_cast<unsigned char>(name[0])));
    return 0;
}

int Answer(int argc, char** argv) {
    const std::string action = argv[2];
    e2e::MsgBoxView box;
    if (!e2e::WaitForMsgBox(box, argc > 3 ? Number(argv[3]) : 20000)) {
        std::fprintf(stderr, "tvuser: no message box\n");
        return 1;
    }
    std::printf("caption: %s\ntext: %s\nbuttons:", box.caption.c_str(), box.text.c_str());
    for (const std::string& caption : box.Captions()) std::printf(" [%s]", caption.c_str());
    std::printf("\nsize: %d x %d\n", box.Width(), box.Height());
    if (action == "close") {
        e2e::CloseFromSystemMenu(box);
    } else if (action.compare(0, 6, "click:") == 0) {
        e2e::ClickButton(box, Number(action.c_str() + 6));
    } else if (const UINT key = KeyOf(action)) {
        e2e::PressKey(box, key);
    } else {
        return Usage();
    }
    return e2e::WaitUntilGone(box.box, 20000) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    if (command == "close") return Close(argc, argv);
    if (command == "show") return Show(argc, argv);
    if (command == "rect") return Rect(argv);
    if (command == "box") return Box(argc, argv);
    if (command == "answer") return Answer(argc, argv);
    return Usage();
}
