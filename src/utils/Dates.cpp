#include "utils/Dates.h"

#include "utils/Text.h"
#include "utils/VSUB.h"

namespace {

const int64_t kSecondsPerDay = 86400;

std::string TwoDigits(int n) { return PadLeft(IntToStr((n < 0 ? -n : n) % 100), 2, '0'); }

// Days from 1 January 1970 for a Gregorian date, and back (the well-known civil-calendar
// conversion: years counted from March, so that the leap day ends the year).
constexpr int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t z, DateTimeParts& t) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t dayOfEra = z - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    t.Day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    t.Month = int(mp < 10 ? mp + 3 : mp - 9);
    t.Year = int(yearOfEra + era * 400 + (t.Month <= 2));
}

constexpr int64_t kDaysTo1899 = DaysFromCivil(1899, 12, 30);

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

std::string FormatLogTimestamp(const DateTimeParts& t, const std::string& dateSep, const std::string& timeSep) {
    return TwoDigits(t.Day) + dateSep + TwoDigits(t.Month) + dateSep + TwoDigits(t.Year) + " " + TwoDigits(t.Hour) +
           timeSep + TwoDigits(t.Minute) + timeSep + TwoDigits(t.Second);
}

std::string FormatDateDMY(const DateTimeParts& t) {
    const std::string month = SUB::GetItem("||JAN|FEB|MAR|APR|MAY|JUN|JUL|AUG|SEP|OCT|NOV|DEC|", t.Month, "");
    return IntToZeroPadded(t.Day, 2) + "-" + month + "-" + IntToZeroPadded(t.Year, 4);
}

std::string FormatDateTimeDMY(const DateTimeParts& t, const std::string& timeSep) {
    return FormatDateDMY(t) + " " + IntToZeroPadded(t.Hour, 2) + timeSep + IntToZeroPadded(t.Minute, 2) + timeSep +
           IntToZeroPadded(t.Second, 2);
}

int64_t DaysSince1899(int year, int month, int day) { return DaysFromCivil(year, month, day) - kDaysTo1899; }

int64_t SecondsSince1899(const DateTimeParts& t) {
    const int64_t seconds =
        DaysSince1899(t.Year, t.Month, t.Day) * kSecondsPerDay + t.Hour * 3600 + t.Minute * 60 + t.Second;
    const int ms = t.Millisecond;
    const bool up = ms > 500 || (ms == 500 && seconds % 2 != 0);
    return seconds + (up ? 1 : 0);
}

DateTimeParts DateTimeFromSeconds(int64_t seconds) {
    DateTimeParts t;
    const int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const int64_t inDay = seconds - days * kSecondsPerDay;
    CivilFromDays(days + kDaysTo1899, t);
    t.Hour = int(inDay / 3600);
    t.Minute = int(inDay / 60 % 60);
    t.Second = int(inDay % 60);
    return t;
}
