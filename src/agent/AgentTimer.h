// The agent's timer work and its test mode.
#pragma once

// Refreshes the agent's test mode (called with true before the X_ copy's window exists).
void CheckTestMode(bool beforeWindow);
