#include "start/AgentCopies.h"

void CreateAndRun_X_Exe() {}

bool HandleParamOK(bool /*xRunning*/) { return false; }

void SpanCdRelaunch() {}
