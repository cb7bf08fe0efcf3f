#include "utils/AgentLogFormat.h"


#include "utils/Paths.h"
#include "utils/Text.h"

std::string AgentLogFileNameFor(const std::string& exePath) {
    std::string name = ExtractFileName(exePath);
    if (name.compare(0, 2, "X_") != 0) name = "X_" + name;
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    const size_t slash = exePath.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : exePath.substr(0, slash + 1);
    return folder + name + ".log";
}

std::string AgentLogLine(const std::string& timestamp, uint32_t threadId, const std::string& marker,
                         const std::string& message) {
    return timestamp + " " + PadLeft(UIntToStr(threadId), 5, ' ') + marker + message + "\r\n";
}
