// The stub's hidden main window and its message loop.
#pragma once

// The unit's name doubles as a namespace here: the system headers already declare a C
// function WinMain (the Windows entry point), which this routine must not collide with.
namespace StubWin {
// Registers the window class StubWindowClass, creates the hidden main window and runs the
// message loop until the window is destroyed.
void WinMain();
}  // namespace StubWin

// Keeps the build-identity text in the image (called once by the program unit).
void KeepBuildIdentity();
