// The progress object that downloads and the agent's transfers report through: it hands
// range and step notifications to one notification procedure (the main window's
// MainProgressCallback) and lets the windows repaint around each of them.
#pragma once
#include <cstdint>
#include <string>

// Kind 0: start (range 0..max, position, step); kind 1: one step. The second argument and the
// text are not used by the program's procedure.
using ProgressNotify = void (*)(int kind, int unused, uint16_t max, const std::string& text, int step, int position);

class TProgBar {
public:
    explicit TProgBar(ProgressNotify notify) : notify_(notify) {}
    TProgBar(const TProgBar&) = delete;
    TProgBar& operator=(const TProgBar&) = delete;

    // Kind 0 with the maximum, the position and step 1. (The range is 16-bit: a maximum above
    // 65,535 cannot be shown.)
    void SetRange(int position, int max);
    // Kind 1 with the text (the progress text of the transfer).
    void Step(const std::string& text);
    // The display name of the file: no visible effect in this program.
    void SetCaption(const std::string& text);

private:
    ProgressNotify notify_;
};
