#include "agent/AgentTimer.h"

int32_t AutoUpdateTimerCount = -3;
int32_t LifetimeCounter = -1;

void AgentTimerTick() {}

void CheckTestMode(bool /*beforeWindow*/) {}
