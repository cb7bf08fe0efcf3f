#include "agent/AgentTimer.h"

void CheckTestMode(bool /*beforeWindow*/) {}
