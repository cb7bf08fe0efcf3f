// Date and time formats used in logs, settings files and texts, and the date-time numbers
// behind them: days since 30 December 1899 with the time of day as fraction (the agent clock
// counts the same in whole seconds).
#pragma once
#include <cstdint>
#include <string>

struct DateTimeParts {
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Minute = 0, Second = 0;
    int Millisecond = 0;
};

// "dd/mm/yy HH:NN:SS", with the locale's date and time separators in place of / and :.
std::string FormatLogTimestamp(const DateTimeParts& t, const std::string& dateSep, const std::string& timeSep);
// 05-MAR-2013: day with two digits, the English month abbreviation, year with four digits.
std::string FormatDateDMY(const DateTimeParts& t);
// 05-MAR-2013 14:07:09, with the locale's time separator in place of the colons.
std::string FormatDateTimeDMY(const DateTimeParts& t, const std::string& timeSep);

// Days from 30 December 1899 to the given day of the (proleptic) Gregorian calendar.
int64_t DaysSince1899(int year, int month, int day);
// The moment as seconds since 30 December 1899 00:00, rounded to the nearest second with
// halves to even (12:00:00.500 gives :00, 12:00:01.500 gives :02).
int64_t SecondsSince1899(const DateTimeParts& t);
// The moment that many seconds after 30 December 1899 00:00 (before it for negative counts).
DateTimeParts DateTimeFromSeconds(int64_t seconds);
