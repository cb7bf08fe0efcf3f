// Folders, macros and the clock shared by the agent's units.
#pragma once
#include <cstdint>

// The agent clock: the current local date and time in whole seconds since 30 December 1899
// 00:00 (rounded, halves to even). Changes of the system clock and of daylight saving move it.
int64_t NowSeconds();
