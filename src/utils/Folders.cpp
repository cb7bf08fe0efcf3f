#include "utils/Folders.h"

#include <windows.h>

std::string ExePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, &path[0], DWORD(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string SetTrailingBackslash(const std::string& path, bool add) {
    std::string result = path;
    const size_t n = result.size();
    if (n >= 3 && result[n - 1] == '\\' && !IsDBCSLeadByte(BYTE(result[n - 2]))) result.pop_back();
    if (add) result += '\\';
    return result;
}

std::string TempDir(bool add) {
    char buffer[261];
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    return SetTrailingBackslash(length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string(), add);
}
