#include "start/StubMain.h"

#include <windows.h>

#include <cstdlib>

#include "agent/AgentTimer.h"
#include "package/PackX.h"
#include "start/AgentCopies.h"
#include "start/RunModes.h"
#include "start/StubWin.h"
#include "utils/AgentLog.h"
#include "utils/CommandLine.h"
#include "utils/Files.h"
#include "utils/Folders.h"
#include "utils/Paths.h"
#include "utils/Text.h"
#include "utils/VDebug.h"
#include "utils/Version.h"

bool ThisIs_AutoUpdateProg = false;
std::string StubWindowClass;
int32_t StubExitCode = 0;

namespace {

const TGFileInfo* g_ownFileInfo = nullptr;

bool TopLevelWindowExists(const std::string& className) { return FindWindowA(className.c_str(), nullptr) != nullptr; }

std::string ExeFileName() { return ExtractFileName(ExePath()); }

void AgentLogFlag(const char* name, bool value) { WriteAgentLog(std::string(name) + "=" + BoolText(value)); }

}  // namespace

const TGFileInfo& OwnFileInfo() {
    static const TGFileInfo empty("");
    return g_ownFileInfo ? *g_ownFileInfo : empty;
}

bool X_ExeIsRunning() { return TopLevelWindowExists(XCopyWindowClassFor(OwnFileInfo().AgentExeName())); }

bool ThisIs_Plain_AutoUpdate_Exe() {
    return ThisIs_AutoUpdateProg && IsPlainAgentFileName(ExeFileName(), OwnFileInfo().AgentExeName());
}

bool ThisIs_X_AutoUpdate_Exe() {
    return ThisIs_AutoUpdateProg && IsXCopyFileName(ExeFileName(), OwnFileInfo().AgentExeName());
}

bool IsSpanCdLauncher() {
    return IsSpanCdLauncherFor(OwnFileInfo().Trailer().Options, SpanCdLevelOf(GetCommandTail()));
}

bool IsSpanCdSecondLevel() { return SpanCdLevelOf(GetCommandTail()) == 2; }

void DoRunStubWin() {
    WriteAgentLog("DoRunStubWin() --- Start");
    StubWindowClass = StubWindowClassFor(ThisIs_AutoUpdateProg, ExePath());
    const bool xRunning = X_ExeIsRunning();
    AgentLogFlag("X_ExeIsRunning", X_ExeIsRunning());
    AgentLogFlag("ThisIs_Plain_AutoUpdate_Exe", ThisIs_Plain_AutoUpdate_Exe());
    AgentLogFlag("ThisIs_X_AutoUpdate_Exe", ThisIs_X_AutoUpdate_Exe());

    RunFacts facts;
    facts.windowExists = TopLevelWindowExists(StubWindowClass);
    facts.plainAgent = ThisIs_Plain_AutoUpdate_Exe();
    facts.xCopy = ThisIs_X_AutoUpdate_Exe();
    facts.spanCdLauncher = IsSpanCdLauncher();
    facts.spanCdSecondLevel = IsSpanCdSecondLevel();
    const RunPlan plan = PlanRun(facts);
    DebugOut() << GetCurrentProcessId() << " ==== RunMode=" << RunBranchName(plan.branch)
               << " HandleParamOK=" << plan.handleParamOK << DebugEol;

    switch (plan.branch) {
        case RunBranch::CreateAndRunX:
            CreateAndRun_X_Exe();
            break;
        case RunBranch::XCopy:
            WriteAgentLog("CheckTestMode");
            CheckTestMode(true);
            WriteAgentLog("WinMain");
            StubWin::WinMain();
            WriteAgentLog("DeleteMySelf");
            DeleteMySelf(false);
            break;
        case RunBranch::SpanCdRelaunch:
            SpanCdRelaunch();
            break;
        case RunBranch::MainWindow:
            StubWin::WinMain();
            if (plan.deleteSelfAndFolderAfter) DeleteMySelf(true);
            break;
        case RunBranch::None:
            break;
    }
    if (plan.handleParamOK) HandleParamOK(xRunning);
    WriteAgentLog("DoRunStubWin() --- End");
}

void StubMain() {
    const std::string commandLine = GetCommandLineA();
    const std::string exePath = ExePath();
    DebugOut() << GetCurrentProcessId() << " ==== STUB START ====> " << commandLine << '<' << DebugEol;
    {
        const TGFileInfo ownFileInfo(exePath);
        g_ownFileInfo = &ownFileInfo;
        ThisIs_AutoUpdateProg = ownFileInfo.IsAutoUpdateProg();
        AgentLogEnabled = ThisIs_AutoUpdateProg && ownFileInfo.AgentLogWanted();
        if (ThisIs_X_AutoUpdate_Exe()) SetAgentLogIndent(" X ");
        WriteAgentLog("");
        WriteAgentLog("");
        WriteAgentLog("=== START === " + exePath);
        WriteAgentLog("CommandLine=" + commandLine);
        WriteAgentLog("Agent Version=" + GetFileVersionText(""));
        DebugOut() << GetCurrentProcessId() << " ==== ThisIs_AutoUpdateProg=" << ThisIs_AutoUpdateProg << DebugEol;

        DoRunStubWin();
        g_ownFileInfo = nullptr;
    }
    DebugOut() << GetCurrentProcessId() << " ==== STUB END ====> " << commandLine << '<' << DebugEol;
    DebugOut() << DebugEol;
    WriteAgentLog("=== EXIT === " + exePath);
    WriteAgentLog("");
    std::exit(StubExitCode);
}
