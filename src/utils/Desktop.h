// Helpers between the program and its desktop: screen resolution, the shell, late-bound
// library functions, window titles, the AutoPlay-cancel message, the developer switch and the
// start-up loading of system libraries.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Vertical pixels per logical inch of the screen, read once.
int ScreenDpiY();
// n points in pixels: n * ScreenDpiY / 72, rounded as MulDiv rounds (8 points at 96 dpi: 11).
int PointsToPixels(int n);

// Opens a program, document or web address through the shell's default verb, owned by the
// desktop window, without a working folder. True when the shell reports success.
bool ShellOpen(const std::string& file, const std::string& params, int showCmd);

// Loads `libraryName` and looks up `procName` in it; nullptr when either fails. The first form
// hands the library handle to the caller, who frees it (nullptr when the load failed); the
// second leaves the library loaded for the rest of the process.
FARPROC LoadProc(const std::string& libraryName, const std::string& procName, HMODULE& library);
FARPROC LoadProc(const std::string& libraryName, const std::string& procName);

// The window's title, up to 1023 characters; empty for no window.
std::string WindowText(HWND window);

// true: registers the message "QueryCancelAutoPlay" and keeps its number; false: the kept
// number becomes 0. Windows answered 1 to that message start no AutoPlay for a new disc.
void EnableAutoPlayCancel(bool enable);
// The kept number, 0 while not enabled (callers compare only a non-zero number with a message).
uint16_t AutoPlayCancelMessage();

// The developer switch: true when the environment variable "DVX" holds exactly this code (see
// the README). Read on the first call and kept for the life of the process.
constexpr const char* kDeveloperSwitchCode = "Q7v";
bool DeveloperMode();

// Loads "shell32.dll", "USP10.dll", "MSLS31.dll" and "RICHED32.DLL" for the life of the
// process, each without the system's dialog for a missing file; failures are ignored. The
// program does this first of all at start.
void PreloadSystemLibraries();
