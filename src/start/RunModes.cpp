#include "start/RunModes.h"

#include "package/PackageTrailer.h"
#include "utils/CommandLine.h"
#include "utils/Paths.h"
#include "utils/Text.h"

std::string StubWindowClassFor(bool isAutoUpdateProg, const std::string& exePath) {
    return isAutoUpdateProg ? ".AutoUpdate." + FileNameWithoutExt(exePath, false) : exePath;
}

std::string XCopyWindowClassFor(const std::string& agentExeName) {
    return ".AutoUpdate.X_" + FileNameWithoutExt(agentExeName, false);
}

bool IsPlainAgentFileName(const std::string& exeFileName, const std::string& agentExeName) {
    return SameTextTrimmed(exeFileName, agentExeName);
}

bool IsXCopyFileName(const std::string& exeFileName, const std::string& agentExeName) {
    return SameTextTrimmed(exeFileName, "X_" + Trim(agentExeName));
}

int64_t SpanCdLevelOf(const std::string& commandTail) { return ParamInt64In(commandTail, "/SpanCdLvl=", 1); }

bool IsSpanCdLauncherFor(uint8_t trailerOptions, int64_t spanCdLevel) {
    return (trailerOptions & kOptRelaunchFromTemp) != 0 && spanCdLevel == 1;
}

RunPlan PlanRun(const RunFacts& facts) {
    RunPlan plan;
    if (!facts.windowExists) {
        if (facts.plainAgent) {
            plan.branch = RunBranch::CreateAndRunX;
        } else if (facts.xCopy) {
            plan.branch = RunBranch::XCopy;
        } else if (facts.spanCdLauncher) {
            plan.branch = RunBranch::SpanCdRelaunch;
        } else {
            plan.branch = RunBranch::MainWindow;
            plan.deleteSelfAndFolderAfter = facts.spanCdSecondLevel;
        }
    }
    plan.handleParamOK = facts.plainAgent;
    return plan;
}

const char* RunBranchName(RunBranch branch) {
    switch (branch) {
        case RunBranch::CreateAndRunX: return "CreateAndRun_X_Exe";
        case RunBranch::XCopy: return "X_AutoUpdate";
        case RunBranch::SpanCdRelaunch: return "SpanCdRelaunch";
        case RunBranch::MainWindow: return "WinMain";
        case RunBranch::None: break;
    }
    return "None";
}
