#include "utils/Folders.h"

#include <windows.h>

#include "utils/Paths.h"

namespace {

// A folder as a system call of the GetWindowsDirectory kind writes it into a buffer of 261
// characters; empty when the call fails or the folder does not fit.
template <typename Getter>
std::string SystemFolder(Getter getFolder, bool add) {
    char folder[MAX_PATH + 1];
    const UINT length = UINT(getFolder(folder, MAX_PATH + 1));
    if (length == 0 || length > MAX_PATH) return std::string();
    return SetTrailingBackslash(std::string(folder, length), add);
}

}  // namespace

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

std::string ExeDir(bool add) { return SetTrailingBackslash(ExtractFileDir(ExePath()), add); }

std::string WindowsDir(bool add) {
    return SystemFolder([](char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); }, add);
}

std::string SystemDir(bool add) {
    return SystemFolder([](char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); }, add);
}

std::string TempDir(bool add) {
    return SystemFolder([](char* buffer, UINT size) { return GetTempPathA(size, buffer); }, add);
}
