// The message pump and the waits built on it. Every wait of the program dispatches the
// thread's pending messages, so window procedures and timer handlers (the program's own too)
// run inside these calls: callers must expect state to have changed when they return.
#pragma once
#include <cstdint>
#include <exception>
#include <string>

// Translates and dispatches every message waiting in the thread's queue, then sleeps
// `sleepMs` (nothing for 0 or less). An exception that a window procedure raises is caught and
// logged (" --- YieldX() --- message"); the messages after it wait for the next call.
void YieldX(int sleepMs);

// Keeps the exception for the next YieldX (a later one replaces an earlier one not yet raised).
void HoldWindowProcException(std::exception_ptr exception);

// Runs the body of a window procedure: an exception it raises is held, `failure` is returned
// to the system, and YieldX raises the exception again once the dispatch has returned, where
// it is caught and logged like any other. Window procedures of the 32-bit program need this:
// there an exception cannot unwind through the system's dispatch code and would end the
// process.
template <typename Result, typename Body>
Result GuardWindowProc(Result failure, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        HoldWindowProcException(std::current_exception());
        return failure;
    }
}

// YieldX(step) again and again until `durationMs` have passed on MilliCounter; at least once.
void YieldWait(int stepMs, int64_t durationMs);

// The sleep of one YieldWait round: `stepMs`, or for 0 (or less) a tenth of the duration
// within 1 to 25 ms (1000 ms: 25, 50 ms: 5, 5 ms: 1).
constexpr int YieldWaitStepMs(int stepMs, int64_t durationMs) {
    if (stepMs > 0) return stepMs;
    const int64_t tenth = durationMs / 10;
    return tenth < 1 ? 1 : tenth > 25 ? 25 : int(tenth);
}

// Milliseconds from the high-resolution performance counter.
int64_t MilliCounter();

// Pumps messages and sleeps 100 ms for as long as a top-level window of that class exists, with
// that title unless `windowName` is empty. No time-out.
void WaitWhileWindowExists(const std::string& className, const std::string& windowName);
