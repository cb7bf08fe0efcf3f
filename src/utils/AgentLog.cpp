#include "utils/AgentLog.h"

#include <windows.h>

#include "utils/AgentLogFormat.h"
#include "utils/Files.h"
#include "utils/Folders.h"
#include "utils/LocaleFormats.h"

bool AgentLogEnabled = false;

namespace {

std::string g_indent = "   ";

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
