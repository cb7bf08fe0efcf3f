// The program's entry: reads its own setup file, decides its role and runs it.
#pragma once
#include <cstdint>
#include <string>

class TGFileInfo;

// Process-wide state set by the entry and read by every other unit.
extern bool ThisIs_AutoUpdateProg;  // the own setup file is marked as an auto-update program
extern std::string StubWindowClass; // main window class and single-instance key
extern int32_t StubExitCode;        // the process's exit code; only the setup run sets it

// The running executable's own setup file; valid while DoRunStubWin runs (an empty reader
// outside that time).
const TGFileInfo& OwnFileInfo();

void StubMain();
void DoRunStubWin();

// Run-mode tests, evaluated afresh at every call.
bool X_ExeIsRunning();
bool ThisIs_Plain_AutoUpdate_Exe();
bool ThisIs_X_AutoUpdate_Exe();
bool IsSpanCdLauncher();
bool IsSpanCdSecondLevel();
