#include "utils/FileRules.h"

#include "utils/Paths.h"
#include "utils/Text.h"

size_t WriteChunkSize(size_t length) {
    if (length <= kChunkedWriteThreshold) return length;
    const size_t tenth = length / 10;
    return tenth < kChunkedWriteThreshold ? tenth : kChunkedWriteThreshold;
}

int64_t ReadByteCount(int64_t size, uint32_t maxLen, int64_t offset) {
    if (offset < 0 || offset >= size) return 0;
    const int64_t available = size - offset;
    return maxLen != 0 && int64_t(maxLen) < available ? int64_t(maxLen) : available;
}

std::string DriveRootOf(const std::string& path) {
    return path.empty() ? std::string() : UpperCase(path.substr(0, 1)) + ":\\";
}

std::string FreeSpaceQueryPath(const std::string& path, bool extendedQuery) {
    const std::string normalized = ReplaceChar(path, '/', '\\');
    if (normalized.empty()) return normalized;
    if (!extendedQuery || normalized.size() < 3) return DriveRootOf(normalized);
    const size_t slash = normalized.find('\\', 3);
    return slash == std::string::npos ? normalized : normalized.substr(0, slash);
}

std::string SelfDeleteScript(const std::string& exePath, const std::string& batchPath, bool removeFolder) {
    const std::string exe = "\"" + exePath + "\"";
    std::string script = ":START\r\n";
    script += "DEL " + exe + "\r\n";
    script += "IF exist " + exe + " GOTO START\r\n";
    if (removeFolder) script += "RD \"" + ExtractFileDir(exePath) + "\"\r\n";
    script += "DEL \"" + batchPath + "\"\r\n";
    return script;
}
