#include "HostFiles.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "package/FileEntry.h"
#include "package/PackWrite.h"

namespace {

uint32_t DosDateOf(time_t modified) {
    struct tm local;
    if (!localtime_r(&modified, &local)) return 0;
    return PackDosDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                       local.tm_sec);
}

}  // namespace

bool ListFolder(const std::string& folder, std::vector<FolderItem>& items, std::string& error) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return error = LastSystemError(), false;
    items.clear();
    bool ok = true;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat st;
        if (::stat(JoinPath(folder, name).c_str(), &st) != 0) {
            error = name + ": " + LastSystemError();
            ok = false;
            break;
        }
        FolderItem item;
        item.Name = name;
        item.IsFolder = S_ISDIR(st.st_mode);
        item.Size = item.IsFolder ? 0 : uint64_t(st.st_size);
        item.DosDate = DosDateOf(st.st_mtime);
        items.push_back(item);
    }
    ::closedir(dir);
    return ok;
}

bool IsExistingFolder(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string FolderOfPath(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsAbsolutePath(const std::string& path) { return !path.empty() && path[0] == '/'; }

bool ReplaceFileWith(const std::string& from, const std::string& to, std::string& error) {
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    error = LastSystemError();
    return false;
}

bool SeekFile(FILE* file, uint64_t position) { return ::fseeko(file, off_t(position), SEEK_SET) == 0; }

bool TruncateFile(FILE* file, uint64_t size) { return ::ftruncate(::fileno(file), off_t(size)) == 0; }
