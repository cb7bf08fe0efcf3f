// The stub's main window and its message loop. Every process that does real work does it
// from this small window: hidden at creation, shown by a setup as its progress window (icon,
// status line, progress bar and a small activity bar), kept hidden by the agent. Its timer
// ticks once a second and drives the setup run or the agent's probes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class TProgBar;

// The window and its controls (null until created).
extern HWND MainWindow;
extern HWND StatusLabel;
extern HWND MainProgressBar;
extern HWND ActivityBar;  // cycles through 0..5; hidden unless the setup run shows it
// Set by DestroyMainWindow: ends the message loop.
extern bool QuitLoopFlag;

// Control identifiers, so that other programs (tests, a user's tools) can find the controls.
constexpr int kStatusLabelId = 101;
constexpr int kMainProgressBarId = 102;
constexpr int kActivityBarId = 103;

// The unit's name doubles as a namespace here: the system headers already declare a C
// function WinMain (the Windows entry point), which this routine must not collide with.
namespace StubWin {
// Registers the window class StubWindowClass, creates the hidden main window, runs the
// message loop until it ends and cleans up. Without a window no loop runs, but the clean-up
// still does.
void WinMain();
}  // namespace StubWin

// "/SleepX=" n with n >= 0 starts the agent's tick counter at -n; a negative value (or no
// parameter, -1) leaves it.
void ApplySleepX(int64_t sleepX);

// The common controls, the window class and the window (hidden, centred, with its caption
// from the language texts), and the message box's font from the language. True when the
// window exists. Part of WinMain; separate for tests.
bool CreateMainWindow();

// Ends the process's work: sets the download-abort flag, deletes the temporary setup folder,
// posts the quit message and sets QuitLoopFlag.
void DestroyMainWindow();

// The close request: the first one only asks a running download to stop (sets the abort
// flag and returns false, so the window stays); once the flag is set, true (close the window).
bool CloseMainWindow();

// Moves the two bars: kind 0 sets the main bar's range 0..max, position and step and resets
// the activity bar; kind 1 steps the main bar and moves the activity bar one place round
// 0..5. Other kinds do nothing. The text and the second argument are not used.
void MainProgressCallback(int kind, int unused, uint16_t max, const std::string& text, int step, int position);

// The process's one progress object, bound to MainProgressCallback on first use.
TProgBar& SharedProgress();

// Sets a status line's text and font (PointSize in points, the character set and face name
// of the language); character sets 177 and 178 (Hebrew, Arabic) read right to left.
void SetStatusText(HWND control, const std::string& text, const std::string& faceName, uint8_t charSet,
                   int pointSize);

// Keeps the build-identity text in the image (called once by the program unit).
void KeepBuildIdentity();
