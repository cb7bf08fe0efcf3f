#include "utils/Files.h"

#include <windows.h>

#include "utils/ScopedWin.h"

namespace {

constexpr size_t kChunkedWriteThreshold = 1048576;

bool SetFileDosDate(HANDLE file, uint32_t fileDate) {
    FILETIME local, utc;
    return DosDateTimeToFileTime(WORD(fileDate >> 16), WORD(fileDate & 0xFFFF), &local) &&
           LocalFileTimeToFileTime(&local, &utc) && SetFileTime(file, nullptr, nullptr, &utc);
}

}  // namespace

bool WriteTextToFile(const std::string& path, const std::string& text, uint32_t fileDate, bool append) {
    AutoCloseHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return false;
    if (append) {
        LARGE_INTEGER zero{};
        if (!SetFilePointerEx(file.Get(), zero, nullptr, FILE_END)) return false;
    }
    size_t chunk = text.size();
    if (text.size() > kChunkedWriteThreshold) {
        chunk = text.size() / 10;
        if (chunk > kChunkedWriteThreshold) chunk = kChunkedWriteThreshold;
    }
    size_t written = 0;
    while (written < text.size()) {
        const size_t want = text.size() - written < chunk ? text.size() - written : chunk;
        DWORD done = 0;
        if (!WriteFile(file.Get(), text.data() + written, DWORD(want), &done, nullptr) || done == 0) break;
        written += done;
    }
    const bool complete = written == text.size();
    if (complete && fileDate != 0) SetFileDosDate(file.Get(), fileDate);
    return complete;
}

bool AppendTextToFile(const std::string& path, const std::string& text, uint32_t fileDate) {
    return WriteTextToFile(path, text, fileDate, true);
}

bool DeleteFilesMatching(const std::string& mask, bool clearAttributes) {
    const size_t slash = mask.find_last_of('\\');
    const std::string prefix = slash == std::string::npos ? std::string() : mask.substr(0, slash + 1);
    WIN32_FIND_DATAA found;
    AutoFindHandle find(FindFirstFileA(mask.c_str(), &found));
    if (!find.IsValid()) return false;
    bool matched = false;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        matched = true;
        const std::string path = prefix + found.cFileName;
        if (clearAttributes) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find.Get(), &found));
    return matched;
}

bool DeleteFolderTree(const std::string& folder, bool clearAttributes) {
    if (folder.empty()) return false;
    const bool existed = GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
    DeleteFilesMatching(folder + "\\*.*", clearAttributes);
    WIN32_FIND_DATAA found;
    AutoFindHandle find(FindFirstFileA((folder + "\\*.*").c_str(), &found));
    if (find.IsValid()) {
        do {
            const std::string name = found.cFileName;
            const DWORD hiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (found.dwFileAttributes & hiddenOrSystem) ||
                name == "." || name == "..")
                continue;
            const std::string sub = folder + "\\" + name;
            DeleteFolderTree(sub, clearAttributes);
            RemoveDirectoryA(sub.c_str());
        } while (FindNextFileA(find.Get(), &found));
    }
    find.Reset();
    RemoveDirectoryA(folder.c_str());
    return existed && GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
}

void DeleteMySelf(bool /*removeFolder*/) {}
