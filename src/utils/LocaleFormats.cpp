#include "utils/LocaleFormats.h"

#include <windows.h>

namespace {

std::string LocaleText(LCTYPE item, const char* fallback) {
    char buffer[16];
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
    return length > 1 ? std::string(buffer, size_t(length - 1)) : std::string(fallback);
}

}  // namespace

DateTimeParts LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    DateTimeParts parts;
    parts.Year = now.wYear;
    parts.Month = now.wMonth;
    parts.Day = now.wDay;
    parts.Hour = now.wHour;
    parts.Minute = now.wMinute;
    parts.Second = now.wSecond;
    parts.Millisecond = now.wMilliseconds;
    return parts;
}

std::string LocaleDateSeparator() { return LocaleText(LOCALE_SDATE, "/"); }

std::string LocaleTimeSeparator() { return LocaleText(LOCALE_STIME, ":"); }

std::string LocaleDecimalSeparator() { return LocaleText(LOCALE_SDECIMAL, "."); }

std::string FormatDateTimeDMY(const DateTimeParts& t) { return FormatDateTimeDMY(t, LocaleTimeSeparator()); }

std::string NowLogTimestamp() { return FormatLogTimestamp(LocalNow(), LocaleDateSeparator(), LocaleTimeSeparator()); }
