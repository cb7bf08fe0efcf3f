#include "utils/Dates.h"

#include "utils/Text.h"

namespace {
std::string TwoDigits(int n) { return PadLeft(IntToStr((n < 0 ? -n : n) % 100), 2, '0'); }
}  // namespace

std::string FormatLogTimestamp(const DateTimeParts& t, const std::string& dateSep, const std::string& timeSep) {
    return TwoDigits(t.Day) + dateSep + TwoDigits(t.Month) + dateSep + TwoDigits(t.Year) + " " + TwoDigits(t.Hour) +
           timeSep + TwoDigits(t.Minute) + timeSep + TwoDigits(t.Second);
}
