#include "start/AgentCopies.h"

#include "agent/AgentTimer.h"
#include "start/StubWin.h"

HWND ListenerWindow = nullptr;
UINT ListenerMessage = 0;

void NotifyListener(int32_t code, int32_t value) {
    if (ListenerWindow && ListenerMessage) PostMessageA(ListenerWindow, ListenerMessage, WPARAM(code), LPARAM(value));
}

void HandleShutDownMessage(WPARAM ticks) { LifetimeCounter = int32_t(ticks); }

void HandleLocalMessage(WPARAM listener, LPARAM message) {
    ListenerWindow = reinterpret_cast<HWND>(listener);
    ListenerMessage = UINT(message);
    // Window handles have 32 significant bits, also in 64-bit processes.
    NotifyListener(50, int32_t(reinterpret_cast<intptr_t>(MainWindow)));
    NotifyListener(51, int32_t(wm_AgentMsg));
}

// The request codes read and write the agent's settings; they come with the agent.
LRESULT HandleAgentMessage(WPARAM /*code*/, LPARAM /*value*/) { return 0; }

void CreateAndRun_X_Exe() {}

bool HandleParamOK(bool /*xRunning*/) { return false; }

void SpanCdRelaunch() {}
