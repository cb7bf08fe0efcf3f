// The setup run sequence: what a setup does on the first tick of its main window. It checks
// the room on the temporary drive, asks when it must, extracts the package, starts the setup
// engine the package carries, waits for it and its last dialog, and cleans up. The agent and
// the download setup run their setups through ExtractAndRunSetup too.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class TGFileInfo;

// Exit codes of a setup that ends without running its engine (an engine that ran hands back
// its own code): the package is damaged or missing (bad checksum, an entry that does not
// inflate, no engine entry, an engine that cannot start), or the user cancelled (the space
// or extraction question, a disk prompt).
constexpr int32_t kExitDamagedPackage = 1620;
constexpr int32_t kExitUserCancelled = 1602;

// The setup's timer handler: runs the whole setup once and ends the message loop.
void SetupTimerTick(HWND mainWindow);

// Extracts Source into Dest and runs its engine with `params`. True when the engine ran and
// deleted the engine atom (its sign of a successful installation).
bool ExtractAndRunSetup(const std::string& dest, const std::string& source, const std::string& agentName,
                        const std::string& params, bool foreground);

// The extraction folder: the user's temporary folder + "SETUP_" + the time-of-day word of the
// running executable's file date (MS-DOS form), for example C:\Users\u\Temp\SETUP_40117. The
// first call claims the folder with a lock file held open for the life of the process: a
// folder whose lock another running setup holds is left alone and the next free name is taken
// (SETUP_40117_2, _3, ...); a stale folder of the name is emptied. Later calls return the same
// path.
std::string SetupTempFolder();
// Releases the lock and deletes the extraction folder (claiming it first when this process
// has not used it yet, so that a stale folder of the name goes too).
void RemoveSetupTempFolder(bool clearAttributes);

// True when the package's space need on Dest's volume is below its free space and Dest exists.
bool EnoughTempSpace(const std::string& dest, const std::string& source);
// Tells the user where the files go and asks (ConfirmExtraction), or warns of little room
// and asks; true to go on (also when nothing needs asking).
bool TempSpaceQuestion(const std::string& dest, const TGFileInfo& info);
// Looks for the fixed drive C, D or E with the most free space; true when an alternative
// temporary base is known.
bool ChooseAlternativeTemp();
std::string AlternativeTempFolder();  // base + "_" + a random number, created on first call
void RemoveAlternativeTemp();

// Starts a command line as a new process with the given show state; the process handle, or
// null. `programPath`, when given, names the program, so that blanks in an unquoted path at
// the start of the command line can never start another program.
HANDLE RunProgram(const std::string& commandLine, int showState, const std::string& programPath);
// Waits (serving messages, 500 ms per round) while the process is still active.
void WaitForEngine(HANDLE process);
