#include "utils/Dates.h"

#include <cstdio>

namespace {
std::string TwoDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n % 100 < 0 ? -(n % 100) : n % 100);
    return buf;
}
}  // namespace

std::string FormatLogTimestamp(const DateTimeParts& t, const std::string& dateSep, const std::string& timeSep) {
    return TwoDigits(t.Day) + dateSep + TwoDigits(t.Month) + dateSep + TwoDigits(t.Year) + " " + TwoDigits(t.Hour) +
           timeSep + TwoDigits(t.Minute) + timeSep + TwoDigits(t.Second);
}
