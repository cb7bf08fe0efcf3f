// The message pump and the waits built on it. Every wait of the program goes through these,
// so the program's windows (and their timers) keep running inside any long operation: callers
// must expect the program's state to have changed when a wait returns.
#pragma once
#include <cstdint>

// Removes and dispatches (after translation) every message waiting in the thread's queue,
// then sleeps `sleepMs` milliseconds. An exception raised by a window procedure is written to
// the debug channel. A quit message found on the way is posted again after the queue has been
// served, so the message loop that waits for it still ends.
void YieldX(uint32_t sleepMs);

// Runs YieldX(stepMs) until `durationMs` have passed on MilliCounter, at least once. A step of
// 0 means duration / 10, clamped to 1 .. 25 ms.
void YieldWait(uint32_t stepMs, int64_t durationMs);

// Milliseconds from the high-resolution performance counter.
int64_t MilliCounter();
