// Small helpers between the program and its desktop: screen resolution, window titles, the
// message that cancels AutoPlay, and the developer switch.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Vertical pixels per logical inch of the screen, read once.
int ScreenDpiY();
// N points in pixels: N * ScreenDpiY / 72, rounded as MulDiv rounds.
int PointsToPixels(int points);

// The window's title (up to 1023 characters); empty for no window.
std::string WindowText(HWND window);

// Enable: registers "QueryCancelAutoPlay" and keeps its number; disable: the number becomes 0.
void EnableAutoPlayCancel(bool enable);
// The kept number (0 while not enabled). Windows that answer it with 1 stop AutoPlay.
uint16_t AutoPlayCancelMessage();

// The developers' code: DeveloperMode is on when the environment variable "DVX" holds it.
constexpr const char* kDeveloperModeCode = "T7v";
// Read once per process.
bool DeveloperMode();
