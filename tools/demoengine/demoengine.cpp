// demoengine: a small setup engine, the program a package marks with "*". It does for the
// stub what a real engine does: shows its dialog (class ".SDialog_Class_Name." + the /TH_ID=
// token) while it works, copies the extracted files next to it into an installation folder,
// writes the product's original-settings file there, deletes the engine atom
// ("AutoUpdateAtomTokenByTarvel" + token) to report success and exits with its code.
//
// Parameters (after those the stub adds):
//   /InstallDir=PATH      where to install (default C:\Program Files\Tarvel Demo)
//   /Version=N            VersionOriginal written to the settings file (default 1)
//   /EngineExit=N         exit code (default 0)
//   /EngineKeepAtom       report failure: leave the atom in place
//   /EngineDialogMs=N     keep the dialog open N ms after the work (default 300)
//   /EngineRecord=PATH    write the command line, the engine's folder and the environment to
//                         PATH (for tests)
//   /EngineDialogAfterMs=N  leave a dialog of the engine's class up for N ms after the
//                         engine has ended (a second process shows it, as an engine's own
//                         user interface might); it writes PATH.dialog when it closes it
#include <windows.h>

#include <string>

#include "package/PackX.h"
#include "utils/CommandLine.h"
#include "utils/Folders.h"
#include "utils/Paths.h"
#include "utils/Text.h"
#include "utils/VDebug.h"

namespace {

const char* const kAtomPrefix = "AutoUpdateAtomTokenByTarvel";
const char* const kDialogClassPrefix = ".SDialog_Class_Name.";

HWND g_status = nullptr;

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms) Sleep(10);
    } while (GetTickCount() - start < ms);
}

void Say(const std::string& text) {
    if (g_status) SetWindowTextA(g_status, text.c_str());
    DebugOut() << GetCurrentProcessId() << " DemoEngine: " << text << DebugEol;
    Pump(0);
}

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) return 0;  // the engine closes its dialog itself when done
    return DefWindowProcA(window, message, wParam, lParam);
}

void RecordRun(const std::string& path) {
    std::string record = std::string("CommandLine=") + GetCommandLineA() + "\r\n";
    record += "EngineDir=" + ExtractFileDir(ExePath()) + "\r\n";
    char* environment = GetEnvironmentStringsA();
    for (const char* entry = environment; entry && *entry; entry += lstrlenA(entry) + 1)
        record += std::string("Env=") + entry + "\r\n";
    if (environment) FreeEnvironmentStringsA(environment);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, record.data(), DWORD(record.size()), &written, nullptr);
    CloseHandle(file);
}

// Copies the files of `from` (with sub-folders) into `to`, except the engine itself.
int CopyTree(const std::string& from, const std::string& to, const std::string& skip) {
    CreateDirectoryA(to.c_str(), nullptr);
    int copied = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == ".." || SameText(from + "\\" + name, skip)) continue;
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;  // not the package's
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            copied += CopyTree(from + "\\" + name, to + "\\" + name, skip);
        } else {
            Say("Copying " + name);
            if (CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE)) ++copied;
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return copied;
}

void WriteSettings(const std::string& installDir, const std::string& originExe, const std::string& version) {
    const TGFileInfo setup(originExe);
    const std::string file = installDir + "\\" + setup.OriginalFileName();
    WritePrivateProfileStringA("OriginalSetup", "VersionOriginal", version.c_str(), file.c_str());
    WritePrivateProfileStringA("OriginalSetup", "ProgramName", "Tarvel Demo", file.c_str());
    WritePrivateProfileStringA("Directories", "TargetDir", installDir.c_str(), file.c_str());
    Say("Settings written to " + file);
}

HWND CreateDialogWindow(HINSTANCE instance, const std::string& token, int showCommand) {
    static std::string dialogClass;  // registered for the life of the process
    dialogClass = kDialogClassPrefix + token;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DialogProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = dialogClass.c_str();
    RegisterClassA(&windowClass);
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, dialogClass.c_str(), "Tarvel Demo Setup",
                                  WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 420, 130, nullptr, nullptr,
                                  instance, nullptr);
    g_status = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 16, 24, 380, 40, dialog, nullptr, instance,
                               nullptr);
    SendMessageA(g_status, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    ShowWindow(dialog, showCommand);
    return dialog;
}

// The second process of /EngineDialogAfterMs: only the dialog, for its time.
int RunDialogOnly(HINSTANCE instance, const std::string& token, DWORD ms, const std::string& marker) {
    HWND dialog = CreateDialogWindow(instance, token, SW_SHOWNORMAL);
    Say("Finishing...");
    Pump(ms);
    HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    DestroyWindow(dialog);
    return 0;
}

void StartDialogOnly(const std::string& token, int64_t ms, const std::string& marker) {
    std::string line = "\"" + ExePath() + "\" /DialogOnly /TH_ID=" + token + " /DialogMs=" + IntToStr(ms) +
                       " /Marker=\"" + marker + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    const std::string token = GetParamValue("/TH_ID=", "");
    if (HasParam("/DialogOnly"))
        return RunDialogOnly(instance, token, DWORD(GetParamInt64("/DialogMs=", 0)), GetParamValue("/Marker=", ""));
    const std::string record = GetParamValue("/EngineRecord=", "");
    if (!record.empty()) RecordRun(record);
    const std::string installDir = GetParamValue("/InstallDir=", "C:\\Program Files\\Tarvel Demo");
    const std::string originExe = GetParamValue("/OriginExe=", "");

    HWND dialog = CreateDialogWindow(instance, token, showCommand);

    Say("Installing into " + installDir);
    const int copied = CopyTree(ExtractFileDir(ExePath()), installDir, ExePath());
    WriteSettings(installDir, originExe, GetParamValue("/Version=", "1"));
    Say("Installed " + IntToStr(copied) + " files into " + installDir);
    Pump(DWORD(GetParamInt64("/EngineDialogMs=", 300)));
    DestroyWindow(dialog);
    const int64_t dialogAfter = GetParamInt64("/EngineDialogAfterMs=", 0);
    if (dialogAfter > 0) {
        // Ends only once the other process's dialog is up, so that the dialog outlives it.
        StartDialogOnly(token, dialogAfter, record + ".dialog");
        for (int i = 0; i < 1000 && !FindWindowA((kDialogClassPrefix + token).c_str(), nullptr); ++i) Pump(10);
    }

    if (!HasParam("/EngineKeepAtom")) {
        const ATOM atom = GlobalFindAtomA((kAtomPrefix + token).c_str());
        if (atom) GlobalDeleteAtom(atom);
    }
    const int exitCode = int(GetParamInt64("/EngineExit=", 0));
    DebugOut() << GetCurrentProcessId() << " DemoEngine: done, exit code " << exitCode << DebugEol;
    return exitCode;
}
