// The plain agent's X_ copy, the first-disk launcher's relaunch, and the private messages
// through which other processes talk to a running stub.
#pragma once
#include <windows.h>

#include <cstdint>

// Private window messages: fixed numbers, not registered.
constexpr UINT wm_ShutDown = 0x463;  // wParam: ticks left (LifetimeCounter)
constexpr UINT wm_LocalMsg = 0x464;  // wParam: listener window, lParam: its message number
constexpr UINT wm_AgentMsg = 0x465;  // wParam: request code, lParam: request value

// Where notifications go: set by wm_LocalMsg, 0 until then.
extern HWND ListenerWindow;
extern UINT ListenerMessage;

// Posts ListenerMessage (wParam = code, lParam = value) to ListenerWindow when both are set.
// The post's outcome is ignored.
void NotifyListener(int32_t code, int32_t value);

// Handlers called by the main window's procedure.
void HandleShutDownMessage(WPARAM ticks);                   // LifetimeCounter = ticks
void HandleLocalMessage(WPARAM listener, LPARAM message);   // registers the listener, answers 50 and 51
LRESULT HandleAgentMessage(WPARAM code, LPARAM value);      // runs a request, returns its result

// Starts (or reuses) the agent's X_ copy.
void CreateAndRun_X_Exe();
// Posts the messages that the command line asks for to the X_ copy; true when one was posted.
bool HandleParamOK(bool xRunning);
// Copies the running first-disk setup to the temporary setup folder and starts the copy.
void SpanCdRelaunch();
