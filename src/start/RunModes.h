// The run-mode rules of the entry as pure functions: which role a process plays, given its
// setup file's marks, its file name and its command line.
#pragma once
#include <cstdint>
#include <string>

// Agent.exe -> ".AutoUpdate.Agent" for an auto-update program; the full path otherwise.
std::string StubWindowClassFor(bool isAutoUpdateProg, const std::string& exePath);
// ".AutoUpdate.X_" + the agent file name without its last extension.
std::string XCopyWindowClassFor(const std::string& agentExeName);

// Name tests: trimmed, without regard to case.
bool IsPlainAgentFileName(const std::string& exeFileName, const std::string& agentExeName);
bool IsXCopyFileName(const std::string& exeFileName, const std::string& agentExeName);

// "/SpanCdLvl=" of a command tail; 1 when missing or not a number.
int64_t SpanCdLevelOf(const std::string& commandTail);
bool IsSpanCdLauncherFor(uint8_t trailerOptions, int64_t spanCdLevel);

enum class RunBranch {
    None,            // the single-instance window exists: nothing runs
    CreateAndRunX,   // plain agent: start or reuse the X_ copy
    XCopy,           // X_ copy: test mode, main window with the agent timer, self-deletion
    SpanCdRelaunch,  // first-disk launcher: relaunch from the hard disk
    MainWindow,      // setup (or another auto-update program): the main window
};

struct RunPlan {
    RunBranch branch = RunBranch::None;
    bool deleteSelfAndFolderAfter = false;  // the launcher's copy (/SpanCdLvl=2) after the main window
    bool handleParamOK = false;             // the plain agent, whatever the branch
};

struct RunFacts {
    bool windowExists = false;  // a top-level window of the stub's window class
    bool plainAgent = false;
    bool xCopy = false;
    bool spanCdLauncher = false;
    bool spanCdSecondLevel = false;
};

RunPlan PlanRun(const RunFacts& facts);
const char* RunBranchName(RunBranch branch);
