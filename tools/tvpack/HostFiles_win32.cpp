#include "HostFiles.h"

#include <io.h>
#include <windows.h>


#include "utils/ScopedWin.h"

namespace {

std::string WindowsErrorText(DWORD code) {
    char buffer[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text.empty() ? "system error " + std::to_string(code) : text;
}

uint32_t DosDateOf(const FILETIME& modified) {
    FILETIME local;
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&modified, &local) || !FileTimeToDosDateTime(&local, &date, &time)) return 0;
    return uint32_t(date) << 16 | time;
}

}  // namespace

bool ListFolder(const std::string& folder, std::vector<FolderItem>& items, std::string& error) {
    WIN32_FIND_DATAA found;
    AutoFindHandle find(FindFirstFileA(JoinPath(folder, "*").c_str(), &found));
    if (!find.IsValid()) return error = WindowsErrorText(GetLastError()), false;
    items.clear();
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        FolderItem item;
        item.Name = name;
        item.IsFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        item.Size = item.IsFolder ? 0 : (uint64_t(found.nFileSizeHigh) << 32 | found.nFileSizeLow);
        item.DosDate = DosDateOf(found.ftLastWriteTime);
        items.push_back(item);
    } while (FindNextFileA(find.Get(), &found));
    return true;
}

bool IsExistingFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return (last == '\\' || last == '/' || last == ':') ? folder + name : folder + "\\" + name;
}

std::string FolderOfPath(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    if (slash == std::string::npos) return ".";
    return path.substr(0, path[slash] == ':' || slash == 0 ? slash + 1 : slash);
}

bool IsAbsolutePath(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

bool ReplaceFileWith(const std::string& from, const std::string& to, std::string& error) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    error = WindowsErrorText(GetLastError());
    return false;
}

bool SeekFile(FILE* file, uint64_t position) { return _fseeki64(file, int64_t(position), SEEK_SET) == 0; }

bool TruncateFile(FILE* file, uint64_t size) { return _chsize_s(_fileno(file), int64_t(size)) == 0; }
