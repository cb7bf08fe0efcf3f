#include "utils/AgentLog.h"

#include <windows.h>

#include "utils/AgentLogFormat.h"
#include "utils/Dates.h"
#include "utils/Files.h"
#include "utils/Folders.h"

bool AgentLogEnabled = false;

namespace {

std::string g_indent = "   ";

std::string LocaleText(LCTYPE item, const char* fallback) {
    char buffer[16];
    const int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
    return length > 1 ? std::string(buffer, size_t(length - 1)) : std::string(fallback);
}

std::string NowLogTimestamp() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    DateTimeParts parts;
    parts.Year = now.wYear;
    parts.Month = now.wMonth;
    parts.Day = now.wDay;
    parts.Hour = now.wHour;
    parts.Minute = now.wMinute;
    parts.Second = now.wSecond;
    return FormatLogTimestamp(parts, LocaleText(LOCALE_SDATE, "/"), LocaleText(LOCALE_STIME, ":"));
}

}  // namespace

std::string AgentLogFileName() {
    static const std::string fileName = AgentLogFileNameFor(ExePath());
    return fileName;
}

void SetAgentLogIndent(const std::string& marker) { g_indent = marker; }

void WriteAgentLog(const std::string& message) {
    if (!AgentLogEnabled) return;
    AppendTextToFile(AgentLogFileName(), AgentLogLine(NowLogTimestamp(), GetCurrentThreadId(), g_indent, message), 0);
}
