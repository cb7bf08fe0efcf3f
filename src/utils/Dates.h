// Date and time formats used in logs, settings files and texts.
#pragma once
#include <string>

struct DateTimeParts {
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Minute = 0, Second = 0;
};

// "dd/mm/yy HH:NN:SS", with the locale's date and time separators in place of / and :.
std::string FormatLogTimestamp(const DateTimeParts& t, const std::string& dateSep, const std::string& timeSep);
