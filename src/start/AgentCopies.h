// The plain agent's X_ copy and the first-disk launcher's relaunch.
#pragma once

// Starts (or reuses) the agent's X_ copy.
void CreateAndRun_X_Exe();
// Posts the messages that the command line asks for to the X_ copy; true when one was posted.
bool HandleParamOK(bool xRunning);
// Copies the running first-disk setup to the temporary setup folder and starts the copy.
void SpanCdRelaunch();
