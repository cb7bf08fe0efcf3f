#include "start/StubWin.h"

#include <commctrl.h>

#include "agent/AgentTimer.h"
#include "dialogs/MsgBoxLayout.h"
#include "dialogs/VMsgBox.h"
#include "download/InetHTTP.h"
#include "download/VProgBar.h"
#include "package/PackX.h"
#include "package/StubSetup.h"
#include "start/AgentCopies.h"
#include "start/StubMain.h"
#include "utils/AgentLog.h"
#include "utils/CommandLine.h"
#include "utils/Desktop.h"
#include "utils/Files.h"
#include "utils/ScopedWin.h"
#include "utils/VDebug.h"

// Build identity: the builder replaces the 61 bytes between the two markers in every build,
// so that no two builds' executables are alike. Nothing reads it.
extern "C" {
char StubBuildIdentity[80] =
    "RAMAT*gan"
    "-------------------------------------------------------------"
    "KFAR*saba";
}

void KeepBuildIdentity() {
    // An empty instruction that "uses" the text, so the linker keeps it in the image.
    __asm__ __volatile__("" : : "r"(StubBuildIdentity) : "memory");
}

HWND MainWindow = nullptr;
HWND StatusLabel = nullptr;
HWND MainProgressBar = nullptr;
HWND ActivityBar = nullptr;
bool QuitLoopFlag = false;

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriodMs = 1000;
constexpr int kWindowWidth = 492;
constexpr int kWindowHeight = 110;
constexpr const char* kDefaultCaption = "Tarvel Installation Suite";

int g_activityCounter = 0;
AutoGdiObject g_statusFont;  // the status line's font, replaced by every SetStatusText

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

HWND CreateControl(HWND parent, const char* className, DWORD style, int id, int left, int top, int width, int height) {
    return CreateWindowExA(0, className, "", WS_CHILD | style, left, top, width, height, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), Instance(), nullptr);
}

void SetStatusFont(HFONT font) {
    AutoGdiObject previous(g_statusFont.Release());
    g_statusFont.Reset(font);
    SendMessageA(StatusLabel, WM_SETFONT, WPARAM(font), TRUE);
}

// The create handler: the status line, the two bars (mirrored for right-to-left languages)
// and the one-second timer.
void CreateControls(HWND window) {
    MainWindow = window;
    const bool rightToLeft = IsRightToLeftCharset(OwnFileInfo().Charset());
    StatusLabel = CreateControl(window, "Static", WS_VISIBLE, kStatusLabelId, rightToLeft ? 122 : 70, 20, 340, 18);
    MainProgressBar = CreateControl(window, PROGRESS_CLASSA, WS_VISIBLE, kMainProgressBarId, 70, 38, 392, 13);
    ActivityBar = CreateControl(window, PROGRESS_CLASSA, 0, kActivityBarId, rightToLeft ? 70 : 416, 20, 46, 13);
    SetTimer(window, kTimerId, kTimerPeriodMs, nullptr);
    SetStatusFont(CreateFontA(-11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Tahoma"));
}

void PaintWindow(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawIcon(dc, 18, 20, LoadIconA(Instance(), "MainIcon"));
    EndPaint(window, &paint);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls(window);
            break;
        case WM_DESTROY:
            DebugOut() << "- wm_Destroy -" << DebugEol;
            DestroyMainWindow();
            break;
        case WM_PAINT:
            PaintWindow(window);
            return 0;
        case WM_CLOSE:
            if (!CloseMainWindow()) return 0;
            break;
        case WM_QUIT:  // only when sent to the window itself: a posted one ends the loop first
            DebugOut() << "- wm_Quit -" << DebugEol;
            DestroyMainWindow();
            break;
        case WM_TIMER:
            if (ThisIs_AutoUpdateProg) AgentTimerTick();
            else SetupTimerTick(window);
            break;
        case wm_ShutDown:
            HandleShutDownMessage(wParam);
            break;
        case wm_LocalMsg:
            HandleLocalMessage(wParam, lParam);
            break;
        case wm_AgentMsg:
            return HandleAgentMessage(wParam, lParam);
        default:
            // The extraction registers "QueryCancelAutoPlay" before it asks for a disk: 1
            // stops Windows from starting the inserted disk's AutoPlay.
            if (AutoPlayCancelMessage() != 0 && message == AutoPlayCancelMessage()) return 1;
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (QuitLoopFlag) break;
    }
}

}  // namespace

void ApplySleepX(int64_t sleepX) {
    if (sleepX >= 0) AutoUpdateTimerCount = sleepX > INT32_MAX ? -INT32_MAX : -int32_t(sleepX);
}

bool CreateMainWindow() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);

    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = Instance();
    windowClass.hIcon = LoadIconA(Instance(), "MainIcon");
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = StubWindowClass.c_str();
    RegisterClassA(&windowClass);

    RECT workArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const int left = CenteredStart(workArea.left, workArea.right - workArea.left, kWindowWidth);
    const int top = CenteredStart(workArea.top, workArea.bottom - workArea.top, kWindowHeight);

    // The first language lookup of the process: it fixes the language for every later text.
    const TGFileInfo& own = OwnFileInfo();
    const std::string caption = own.LanguageText("s0", kDefaultCaption);
    QuitLoopFlag = false;
    const HWND window = CreateWindowExA(0, StubWindowClass.c_str(), caption.c_str(),
                                        WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, left, top, kWindowWidth,
                                        kWindowHeight, nullptr, nullptr, Instance(), nullptr);
    SetMsgBoxFont(own.FontName(), own.FontSize(), uint8_t(own.Charset()));
    return window != nullptr;
}

void StubWin::WinMain() {
    ApplySleepX(GetParamInt64("/SleepX=", -1));
    if (CreateMainWindow()) {
        ShowWindow(MainWindow, SW_HIDE);
        RunMessageLoop();
    }
    KillTimer(MainWindow, kTimerId);
    SetDownloadAbort(true);
    FreeInternetLibrary();
    NotifyListener(43, 0);
}

void DestroyMainWindow() {
    WriteAgentLog(".. DestroyMainWindow() - Start");
    SetDownloadAbort(true);
    RemoveSetupTempFolder(true);
    PostQuitMessage(0);
    QuitLoopFlag = true;
    WriteAgentLog(".. DestroyMainWindow() - End");
}

bool CloseMainWindow() {
    WriteAgentLog(".. CloseMainWindow() - Start");
    const bool aborted = IsDownloadAborted();
    if (!aborted) SetDownloadAbort(true);
    WriteAgentLog(".. CloseMainWindow() - End");
    return aborted;
}

void MainProgressCallback(int kind, int /*unused*/, uint16_t max, const std::string& /*text*/, int step,
                          int position) {
    if (kind == 0) {
        SendMessageA(MainProgressBar, PBM_SETRANGE, 0, MAKELPARAM(0, max));
        SendMessageA(MainProgressBar, PBM_SETPOS, WPARAM(position), 0);
        SendMessageA(MainProgressBar, PBM_SETSTEP, WPARAM(step), 0);
        // The counter starts again with the bar, so that both show the same place.
        g_activityCounter = 0;
        SendMessageA(ActivityBar, PBM_SETRANGE, 0, MAKELPARAM(0, 5));
        SendMessageA(ActivityBar, PBM_SETPOS, 0, 0);
        SendMessageA(ActivityBar, PBM_SETSTEP, 1, 0);
    } else if (kind == 1) {
        SendMessageA(MainProgressBar, PBM_STEPIT, 0, 0);
        if (++g_activityCounter > 5) g_activityCounter = 0;
        SendMessageA(ActivityBar, PBM_SETPOS, WPARAM(g_activityCounter), 0);
    }
}

TProgBar& SharedProgress() {
    static TProgBar* progress = new TProgBar(MainProgressCallback);  // lives for the process
    return *progress;
}

void SetStatusText(HWND control, const std::string& text, const std::string& faceName, uint8_t charSet,
                   int pointSize) {
    const bool rightToLeft = IsRightToLeftCharset(charSet);
    SetWindowLongPtrA(control, GWL_EXSTYLE, rightToLeft ? WS_EX_RTLREADING : 0);
    SetWindowLongPtrA(control, GWL_STYLE, WS_CHILD | WS_VISIBLE | (rightToLeft ? SS_RIGHT : 0));
    const HFONT font = CreateFontA(-PointsToPixels(pointSize), 0, 0, 0, 0, 0, 0, 0, charSet, 0, 0, 0, 0,
                                   faceName.c_str());
    if (control == StatusLabel) {
        SetStatusFont(font);
    } else {
        // Another control keeps the font for its life: the program has one status line.
        SendMessageA(control, WM_SETFONT, WPARAM(font), TRUE);
    }
    SetWindowTextA(control, text.c_str());
    InvalidateRect(control, nullptr, TRUE);
}
