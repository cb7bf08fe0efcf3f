// The local clock and the date, time and number texts that follow the user's locale.
#pragma once
#include <string>

#include "utils/Dates.h"

DateTimeParts LocalNow();  // the current local date and time, with milliseconds

std::string LocaleDateSeparator();  // "/" when the locale gives none
std::string LocaleTimeSeparator();  // ":" when the locale gives none
std::string LocaleDecimalSeparator();  // "." when the locale gives none

// 05-MAR-2013 14:07:09 with the user's time separator.
std::string FormatDateTimeDMY(const DateTimeParts& t);
// The agent log's timestamp of the current moment: dd/mm/yy HH:NN:SS with the user's separators.
std::string NowLogTimestamp();
