#include "package/StubSetup.h"

#include "agent/StubGlob.h"
#include "dialogs/VMsgBox.h"
#include "package/PackX.h"
#include "package/SetupCommand.h"
#include "package/UnPack.h"
#include "package/ZLibOpen.h"
#include "start/StubMain.h"
#include "start/StubWin.h"
#include "utils/CommandLine.h"
#include "utils/FileIO.h"
#include "utils/Files.h"
#include "utils/Folders.h"
#include "utils/Paths.h"
#include "utils/Pump.h"
#include "utils/Random.h"
#include "utils/Registry.h"
#include "utils/ScopedWin.h"
#include "utils/Text.h"
#include "utils/VDebug.h"

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr const char* kLockFileName = "_setup.lock";
constexpr const char* kEngineAtomPrefix = "AutoUpdateAtomTokenByTarvel";
constexpr const char* kEngineDialogClassPrefix = ".SDialog_Class_Name.";
constexpr const char* kSpanDiskKey = "HKEY_CURRENT_USER\\Software\\Fennet\\Tarvel\\SpanDisk";
constexpr const char* kDefaultCaptions = "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|";

std::string g_setupFolder;
AutoCloseHandle g_setupLock;
std::string g_alternativeBase;
std::string g_alternativeFolder;

// The low word of the executable's last-write time in the MS-DOS form (local time); 0 when
// the date cannot be read.
WORD ExeDosTimeWord() {
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    WORD dosDate = 0, dosTime = 0;
    if (GetFileAttributesExA(ExePath().c_str(), GetFileExInfoStandard, &data) &&
        FileTimeToLocalFileTime(&data.ftLastWriteTime, &local))
        FileTimeToDosDateTime(&local, &dosDate, &dosTime);
    return dosTime;
}

// Takes the folder's lock: true when this process holds it now, false when another running
// setup does (or when the lock file cannot be made at all, in `unusable`).
bool ClaimFolder(const std::string& folder, bool& unusable) {
    ForceDirectories(folder);
    const HANDLE lock = CreateFileA((folder + "\\" + kLockFileName).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (lock == INVALID_HANDLE_VALUE) {
        unusable = GetLastError() != ERROR_SHARING_VIOLATION;
        return false;
    }
    g_setupLock.Reset(lock);
    return true;
}

std::string ThreadToken() { return "_" + UIntToStr(GetCurrentThreadId()); }

bool IsFixedDrive(char letter) {
    return GetDriveTypeA((std::string(1, letter) + ":\\").c_str()) == DRIVE_FIXED;
}

bool FolderExists(const std::string& folder) {
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The free bytes a drive offers to a folder made on it, or -1 when nothing can be made there.
double ProbeDriveSpace(char letter) {
    std::string probe = std::string(1, letter) + ":\\TEMP";
    if (FolderExists(probe)) probe += "\\TEMP" + RandomBetweenText(10000, 100000);
    ForceDirectories(probe);
    WriteTextToFile(probe + "\\~aa.tmp", "aa", 0, false);
    const double space = FileExists(probe + "\\~aa.tmp") ? GetFreeDiskSpace(probe) : -1;
    DeleteFolderTree(probe, true);
    return space;
}

struct SetupTexts {
    explicit SetupTexts(const TGFileInfo& info)
        : charset(uint8_t(info.Charset())), captions(info.LanguageText("BtnText", kDefaultCaptions)) {}
    uint8_t charset;
    std::string captions;
};

// Starts the engine named by the package and waits for it and its last dialog. True when it
// deleted the engine atom.
bool RunEngine(const std::string& dest, const std::string& engineEntry, const std::string& params, bool foreground) {
    EngineCommandInput input;
    input.dest = dest;
    input.engineEntry = engineEntry;
    input.params = params;
    input.threadToken = ThreadToken();
    input.exePath = ExePath();
    input.autoUpdateProg = ThisIs_AutoUpdateProg;
    const std::string command = EngineCommandLine(input);
    const std::string enginePath = SetTrailingBackslash(RemoveTrailingBackslash(dest), true) + EngineNameOf(engineEntry);
    const OriginalSettings original;
    const std::string startUpLink = original.StartUpLink();
    const std::string checkLink = original.CheckforNewUpdateLink();

    DebugOut() << GetCurrentProcessId() << " ==== WinExec(Engine.exe) >>" << command << "<<" << DebugEol;
    const std::string atomName = kEngineAtomPrefix + input.threadToken;
    GlobalAddAtomA(atomName.c_str());
    AutoCloseHandle engine(RunProgram(command, foreground ? SW_SHOWNORMAL : SW_HIDE, enginePath));
    if (MainWindow) ShowWindow(MainWindow, SW_HIDE);
    YieldWait(0, 1000);

    if (engine.IsValid()) {
        WaitForEngine(engine.Get());
        DWORD exitCode = 0;
        GetExitCodeProcess(engine.Get(), &exitCode);
        StubExitCode = int32_t(exitCode);
    } else {
        // The package's engine does not start: report the package as damaged, not as success.
        DebugOut() << GetCurrentProcessId() << " Engine not started: " << enginePath << DebugEol;
        StubExitCode = kExitDamagedPackage;
    }
    WaitWhileWindowExists(kEngineDialogClassPrefix + input.threadToken, "");
    YieldWait(0, 1000);

    const ATOM atom = GlobalFindAtomA(atomName.c_str());
    const bool succeeded = atom == 0;
    if (atom) GlobalDeleteAtom(atom);
    if (succeeded) {
        const InfoSettings info;
        if (info.RemoveStartUpShortcut() && !startUpLink.empty() && FileExists(startUpLink))
            DeleteFileA(startUpLink.c_str());
        if (info.RemoveCheckForNewUpdateShortcut() && !checkLink.empty() && FileExists(checkLink))
            DeleteFileA(checkLink.c_str());
    }
    return succeeded;
}

}  // namespace

std::string SetupTempFolder() {
    if (!g_setupFolder.empty()) return g_setupFolder;
    const std::string base = TempDir(true) + "SETUP_" + UIntToStr(ExeDosTimeWord());
    std::string folder = base;
    for (int n = 2;; ++n) {
        bool unusable = false;
        if (ClaimFolder(folder, unusable)) {
            // A stale folder of a setup that has ended: empty it (the lock stays, hidden).
            DeleteFolderTree(folder, true);
            ForceDirectories(folder);
            SetFileAttributesA((folder + "\\" + kLockFileName).c_str(), FILE_ATTRIBUTE_HIDDEN);
            break;
        }
        if (unusable || n > 999) {  // no lock can be made here: use the name as it is
            folder = base;
            DeleteFolderTree(folder, true);
            ForceDirectories(folder);
            break;
        }
        folder = base + "_" + IntToStr(n);
    }
    g_setupFolder = folder;
    return g_setupFolder;
}

void RemoveSetupTempFolder(bool clearAttributes) {
    const std::string folder = SetupTempFolder();
    g_setupLock.Reset();
    DeleteFolderTree(folder, clearAttributes);
}

bool EnoughTempSpace(const std::string& dest, const std::string& source) {
    const TGFileInfo info(source);
    return info.RequiredSpace(dest) < GetFreeDiskSpace(dest) && FolderExists(RemoveTrailingBackslash(dest));
}

bool TempSpaceQuestion(const std::string& dest, const TGFileInfo& info) {
    const std::string drive = dest.empty() ? std::string() : UpperCase(dest.substr(0, 1)) + ":";
    SpaceQuestionTexts texts;
    texts.ask = info.LanguageText("s2", "Tarvel will extract files to your Temp Drive (<DRIVE>)<P>");
    texts.limited = info.LanguageText("s3", "Limited Free Space on your Temp Drive! (<DRIVE>)<P>");
    texts.required = info.LanguageText("s4", "<P>Estimated space required on your Temp drive is: <T>  <SPACE_REQ> MB<P>");
    texts.available = info.LanguageText("s5", "Free space available on your Temp drive is: <T>  <SPACE_AVAIL> MB<P>");
    texts.proceed = info.LanguageText("s6", "<P>Continue with Setup?<P>");
    const std::string message =
        SpaceQuestionText(texts, info.ConfirmExtraction(), drive, info.RequiredSpace(dest), GetFreeDiskSpace(dest));
    if (message.empty()) return true;
    const SetupTexts box(info);
    return MsgConfirm(kMsgBoxWithHeading, message, info.LanguageText("Confirm", "Confirm"), 0, box.charset,
                      box.captions);
}

bool ChooseAlternativeTemp() {
    if (!g_alternativeBase.empty()) return true;
    double space[3] = {0, 0, 0};
    for (char letter = 'C'; letter <= 'E'; ++letter)
        if (IsFixedDrive(letter)) space[letter - 'C'] = ProbeDriveSpace(letter);
    const std::string temp = TempDir(true);
    const char best = AlternativeTempDrive(temp.empty() ? '\0' : UpperCase(temp.substr(0, 1))[0], space);
    if (best != '\0') {
        g_alternativeBase = std::string(1, best) + ":\\TEMP";
        if (FolderExists(g_alternativeBase)) g_alternativeBase += "\\TEMP";
    }
    return !g_alternativeBase.empty();
}

std::string AlternativeTempFolder() {
    if (g_alternativeFolder.empty() && !g_alternativeBase.empty()) {
        g_alternativeFolder = g_alternativeBase + "_" + RandomBetweenText(10000, 100000);
        DeleteFolderTree(g_alternativeFolder, true);
        ForceDirectories(g_alternativeFolder);
    }
    return g_alternativeFolder;
}

void RemoveAlternativeTemp() {
    const std::string folder = AlternativeTempFolder();
    if (!folder.empty()) DeleteFolderTree(folder, true);
}

HANDLE RunProgram(const std::string& commandLine, int showState, const std::string& programPath) {
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = WORD(showState);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(programPath.empty() ? nullptr : programPath.c_str(), &line[0], nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

void WaitForEngine(HANDLE process) {
    DWORD exitCode = 0;
    while (GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE) YieldWait(0, 500);
}

bool ExtractAndRunSetup(const std::string& destFolder, const std::string& source, const std::string& agentName,
                        const std::string& params, bool foreground) {
    std::string dest = destFolder;
    bool result = false;
    const TGFileInfo info(source);
    bool proceed = true;
    if (info.ShowActivityBar() && ActivityBar) ShowWindow(ActivityBar, SW_SHOW);
    if (StatusLabel)
        SetStatusText(StatusLabel, info.LanguageText("s1", "Extracting Files..."), info.FontName(),
                      uint8_t(info.Charset()), info.FontSize());
    if (!EnoughTempSpace(dest, source) && ChooseAlternativeTemp()) dest = AlternativeTempFolder();
    DebugOut() << "========= ForegroundOp=" << foreground << " ==========" << DebugEol;
    if (foreground) proceed = TempSpaceQuestion(dest, info);

    if (!proceed) {
        StubExitCode = kExitUserCancelled;
    } else {
        const SetupTexts texts(info);
        UnPackRequest request;
        request.Source = source;
        request.Dest = dest;
        request.AgentName = agentName;
        request.ForcePrompt = ReadRegistryString(kSpanDiskKey, "ForcePrompt", "") == "1";
        request.Charset = texts.charset;
        request.Captions = texts.captions;
        request.Title = info.LanguageText("Attention", "Attention");
        request.DiskPrompt = info.LanguageText("s8", "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue");
        request.Progress = MainProgressCallback;
        if (foreground && MainWindow) ShowWindow(MainWindow, SW_SHOW);
        YieldWait(1, 1000);

        UnPackResult unpacked;
        try {
            unpacked = UnPack(request);
        } catch (const EZLibError& e) {
            // An entry that does not inflate: the package is damaged, whatever its checksum said.
            LogException(e, "ExtractAndRunSetup", "UnPack");
            unpacked = UnPackResult();
        }
        YieldWait(0, 1000);

        if (!unpacked.EngineEntry.empty() && unpacked.ChecksumOK) {
            result = RunEngine(dest, unpacked.EngineEntry, params, foreground);
        } else if (unpacked.Cancelled) {
            StubExitCode = kExitUserCancelled;
        } else {
            StubExitCode = kExitDamagedPackage;
        }
        if (!unpacked.ChecksumOK)
            MsgError(kMsgBoxWithHeading,
                     info.LanguageText("s7", "Bad CRC!<P>This indicates that your setup file might be corrupted..."),
                     info.LanguageText("Error", "Error"), texts.charset, texts.captions);
    }
    RemoveAlternativeTemp();
    return result;
}

void SetupTimerTick(HWND mainWindow) {
    KillTimer(mainWindow, kTimerId);
    const TGFileInfo& own = OwnFileInfo();
    const std::string agentName = own.InstallsAgent() ? own.AgentExeName() : std::string();
    if (own.IsDownloadStub()) {
        // The internet-download setup runs here once it exists; until then a download stub
        // has nothing to extract.
        DebugOut() << GetCurrentProcessId() << " ==== download setup not available" << DebugEol;
    } else {
        const std::string source = GetParamValue("/SpanDiskFName1=", ExePath());
        const bool hidden = HasParam("/hide") || own.RunHidden();
        ExtractAndRunSetup(SetupTempFolder(), source, agentName, GetCommandTail(), !hidden);
    }
    RemoveSetupTempFolder(false);
    PostQuitMessage(0);
}
