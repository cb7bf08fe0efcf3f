#include "PackageFiles.h"

#include <algorithm>
#include <map>

#include "HostFiles.h"
#include "utils/Text.h"

std::string PackageFileNameProblem(const std::string& name) {
    if (name.empty()) return "an empty name";
    for (const char c : name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte == 0) return "a NUL byte in the name";
        if (byte < 0x20) return "a control character in the name";
        if (std::string("|*\\/:\"<>?").find(c) != std::string::npos)
            return std::string("\"") + c + "\" in the name (Windows or the entry header cannot hold it)";
#ifndef _WIN32
        // Names on this system are bytes in no known Windows code page.
        if (byte >= 0x80) return "a non-ASCII name: rename it, or build on Windows";
#endif
    }
    if (name.back() == '.' || name.back() == ' ') return "a name ending in \".\" or a blank";
    return std::string();
}

bool ListPackageFiles(const std::string& folder, const std::string& engineName, std::vector<PackageFile>& files,
                      std::string& error) {
    std::vector<FolderItem> items;
    if (!IsExistingFolder(folder)) return error = folder + ": no such folder", false;
    if (!ListFolder(folder, items, error)) return error = folder + ": cannot list the folder: " + error, false;

    std::sort(items.begin(), items.end(), [](const FolderItem& a, const FolderItem& b) { return a.Name < b.Name; });
    files.clear();
    std::map<std::string, std::string> byUpperName;  // Windows names ignore case
    for (const FolderItem& item : items) {
        const std::string path = JoinPath(folder, item.Name);
        if (item.IsFolder) return error = path + ": a folder; the setup extracts into one folder, without subfolders", false;
        const std::string problem = PackageFileNameProblem(item.Name);
        if (!problem.empty()) return error = path + ": " + problem, false;
        const auto [other, added] = byUpperName.emplace(UpperCase(item.Name), item.Name);
        if (!added) return error = path + ": differs from " + other->second + " only in case", false;
        PackageFile file;
        file.Name = item.Name;
        file.SourcePath = path;
        file.Size = item.Size;
        file.DosDate = item.DosDate;
        file.IsEngine = !engineName.empty() && SameText(item.Name, engineName);
        files.push_back(file);
    }
    if (!engineName.empty()) {
        const auto engine = std::find_if(files.begin(), files.end(), [](const PackageFile& f) { return f.IsEngine; });
        if (engine == files.end()) return error = JoinPath(folder, engineName) + ": the setup engine is missing", false;
        std::rotate(files.begin(), engine, engine + 1);
    }
    return true;
}
