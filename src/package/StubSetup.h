// The setup run sequence: what a setup does on the first tick of its main window.
#pragma once
#include <windows.h>

#include <string>

// The setup's timer handler: runs the whole setup once and ends the message loop. (The run
// sequence itself comes with the extraction; until then a tick does nothing.)
void SetupTimerTick(HWND mainWindow);

// The extraction folder: the user's temporary folder + "SETUP_" + the time-of-day word of the
// running executable's file date (MS-DOS form), for example C:\Users\u\Temp\SETUP_40117.
// The first call deletes a folder of that name with its contents and creates it anew; later
// calls return the same path and create nothing.
std::string SetupTempFolder();
