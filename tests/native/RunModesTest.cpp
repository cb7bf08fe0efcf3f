#include <gtest/gtest.h>

#include "package/PackageTrailer.h"
#include "start/RunModes.h"

namespace {

struct PlanCase {
    const char* process;
    RunFacts facts;
    RunBranch branch;
    bool deleteAfter;
    bool handleParamOK;
};

RunFacts Facts(bool window, bool plain, bool xCopy, bool launcher, bool secondLevel) {
    RunFacts f;
    f.windowExists = window;
    f.plainAgent = plain;
    f.xCopy = xCopy;
    f.spanCdLauncher = launcher;
    f.spanCdSecondLevel = secondLevel;
    return f;
}

TEST(PlanRun, FollowsTheDecisionTable) {
    const PlanCase cases[] = {
        {"plain agent", Facts(false, true, false, false, false), RunBranch::CreateAndRunX, false, true},
        {"plain agent, window", Facts(true, true, false, false, false), RunBranch::None, false, true},
        {"X_ copy", Facts(false, false, true, false, false), RunBranch::XCopy, false, false},
        {"X_ copy, window", Facts(true, false, true, false, false), RunBranch::None, false, false},
        {"launcher", Facts(false, false, false, true, false), RunBranch::SpanCdRelaunch, false, false},
        {"launcher, window", Facts(true, false, false, true, false), RunBranch::None, false, false},
        {"setup", Facts(false, false, false, false, false), RunBranch::MainWindow, false, false},
        {"launcher's copy", Facts(false, false, false, false, true), RunBranch::MainWindow, true, false},
        {"setup, window", Facts(true, false, false, false, false), RunBranch::None, false, false},
        {"launcher's copy, window", Facts(true, false, false, false, true), RunBranch::None, false, false},
    };
    for (const auto& c : cases) {
        const RunPlan plan = PlanRun(c.facts);
        EXPECT_EQ(plan.branch, c.branch) << c.process;
        EXPECT_EQ(plan.deleteSelfAndFolderAfter, c.deleteAfter) << c.process;
        EXPECT_EQ(plan.handleParamOK, c.handleParamOK) << c.process;
    }
}

struct NameCase { const char* exeFileName; const char* agent; bool plain; bool xCopy; };

TEST(AgentNames, CompareTrimmedWithoutCase) {
    const NameCase cases[] = {
        {"Agent.exe", "Agent.exe", true, false},
        {"agent.EXE", " Agent.exe ", true, false},
        {"X_Agent.exe", "Agent.exe", false, true},
        {"x_agent.EXE", "Agent.exe", false, true},
        {"Other.exe", "Agent.exe", false, false},
        {"Agent.exe", "", false, false},
        {"setup.exe", ".exe", false, false},   // an ordinary setup's item: only ".exe"
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPlainAgentFileName(c.exeFileName, c.agent), c.plain) << c.exeFileName;
        EXPECT_EQ(IsXCopyFileName(c.exeFileName, c.agent), c.xCopy) << c.exeFileName;
    }
}

TEST(WindowClasses, AgentsUseTheirNameAndSetupsTheirPath) {
    EXPECT_EQ(StubWindowClassFor(true, "C:\\P\\Agent.exe"), ".AutoUpdate.Agent");
    EXPECT_EQ(StubWindowClassFor(true, "C:\\P\\X_Agent.exe"), ".AutoUpdate.X_Agent");
    EXPECT_EQ(StubWindowClassFor(true, "C:\\P\\My.Agent.exe"), ".AutoUpdate.My.Agent");
    EXPECT_EQ(StubWindowClassFor(false, "C:\\Setup Dir\\setup.exe"), "C:\\Setup Dir\\setup.exe");
    EXPECT_EQ(XCopyWindowClassFor("Agent.exe"), ".AutoUpdate.X_Agent");
}

struct LauncherCase { uint8_t options; int64_t level; bool launcher; };

TEST(SpanCdLauncher, NeedsOptionBitTwoAndLevelOne) {
    const LauncherCase cases[] = {
        {kOptRelaunchFromTemp, 1, true},
        {kOptRelaunchFromTemp | kOptShowActivityBar, 1, true},
        {kOptRelaunchFromTemp, 2, false},
        {0, 1, false},
        {kOptMoreDisksFollow, 1, false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsSpanCdLauncherFor(c.options, c.level), c.launcher) << int(c.options) << " " << c.level;
}

}  // namespace
