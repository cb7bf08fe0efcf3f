#include "download/VProgBar.h"

#include "utils/Pump.h"

// Each operation serves the thread's messages once before and once after its notification
// (YieldWait for 0 ms: one round with a 1 ms sleep), so the windows repaint during a transfer.
void TProgBar::SetRange(int position, int max) {
    YieldWait(0, 0);
    if (notify_) notify_(0, 0, uint16_t(max), std::string(), 1, position);
    YieldWait(0, 0);
}

void TProgBar::Step(const std::string& text) {
    YieldWait(0, 0);
    if (notify_) notify_(1, 0, 0, text, 0, 0);
    YieldWait(0, 0);
}

void TProgBar::SetCaption(const std::string& /*text*/) { YieldWait(0, 0); }
