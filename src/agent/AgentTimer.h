// The agent's timer work and its test mode.
#pragma once
#include <cstdint>

// Counts the agent's ticks; probes are considered only on ticks where it is above 0. Starts at
// -3, or at -n when the agent was started with "/SleepX=" n.
extern int32_t AutoUpdateTimerCount;
// Ticks left before the agent ends; any negative value means no limit.
extern int32_t LifetimeCounter;

// The main window's timer handler in an auto-update program. (The agent's probes come with
// the agent; until then a tick does nothing.)
void AgentTimerTick();

// Refreshes the agent's test mode (called with true before the X_ copy's window exists).
void CheckTestMode(bool beforeWindow);
