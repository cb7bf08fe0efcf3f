// The folder-tree part of Files: searches through folders and drives, and deletion of files
// and whole trees.
#include <windows.h>

#include "utils/FileIO.h"
#include "utils/FileRules.h"
#include "utils/Files.h"
#include "utils/Paths.h"
#include "utils/Pump.h"
#include "utils/ScopedWin.h"
#include "utils/Text.h"

namespace {

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsSubfolder(const WIN32_FIND_DATAA& entry) {
    const std::string name = entry.cFileName;
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..";
}

bool HasAttribute(const WIN32_FIND_DATAA& entry, DWORD attributes) {
    return (entry.dwFileAttributes & attributes) != 0;
}

// Calls visit(entry) for every entry that matches `pattern` while it returns true.
template <typename Visit>
void ForEachEntry(const std::string& pattern, Visit visit) {
    WIN32_FIND_DATAA entry;
    const AutoFindHandle find(FindFirstFileA(pattern.c_str(), &entry));
    if (!find.IsValid()) return;
    do {
        if (!visit(entry)) return;
    } while (FindNextFileA(find.Get(), &entry));
}

// The first non-empty match(folder) in the tree below `folder`, depth first.
template <typename Match>
std::string SearchTree(const std::string& folder, const Match& match) {
    std::string found = match(folder);
    if (!found.empty()) return found;
    const std::string base = SetTrailingBackslash(folder, true);
    ForEachEntry(base + "*.*", [&](const WIN32_FIND_DATAA& entry) {
        if (IsSubfolder(entry) && !HasAttribute(entry, FILE_ATTRIBUTE_HIDDEN))
            found = SearchTree(base + entry.cFileName, match);
        YieldX(0);  // long searches keep the windows alive
        return found.empty();
    });
    return found;
}

// The first non-empty search(root) over the drive roots C:\ to Z:\ of the given type.
template <typename Search>
std::string SearchDrives(unsigned driveType, const Search& search) {
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (GetDriveTypeA(root.c_str()) != driveType) continue;
        const std::string found = search(root);
        if (!found.empty()) return found;
    }
    return std::string();
}

}  // namespace

std::string FindFileInTree(const std::string& folder, const std::string& fileName) {
    return SearchTree(folder, [&](const std::string& candidateFolder) {
        const std::string candidate = SetTrailingBackslash(candidateFolder, true) + fileName;
        return FileExists(candidate) ? candidate : std::string();
    });
}

std::string FindFileOnDrives(const std::string& fileName, unsigned driveType) {
    return SearchDrives(driveType, [&](const std::string& root) { return FindFileInTree(root, fileName); });
}

std::string FindFolderInTree(const std::string& folder, const std::string& subPath) {
    return SearchTree(folder, [&](const std::string& candidate) {
        return EndsWithNoCase("\\" + subPath, candidate) ? candidate : std::string();
    });
}

std::string FindFolderOnDrives(const std::string& subPath, unsigned driveType) {
    if (subPath.size() >= 3 && subPath.compare(1, 2, ":\\") == 0) {
        const bool found = GetDriveTypeA(DriveRootOf(subPath).c_str()) == driveType && DirectoryExists(subPath);
        return found ? subPath : std::string();
    }
    return SearchDrives(driveType, [&](const std::string& root) { return FindFolderInTree(root, subPath); });
}

bool DeleteFilesMatching(const std::string& mask, bool clearAttributes) {
    const std::string folder = ExtractFileDir(mask);
    const std::string prefix = folder.empty() ? folder : folder + "\\";
    bool matched = false;
    ForEachEntry(mask, [&](const WIN32_FIND_DATAA& entry) {
        if (HasAttribute(entry, FILE_ATTRIBUTE_DIRECTORY)) return true;
        matched = true;
        const std::string path = prefix + entry.cFileName;
        if (clearAttributes) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return true;
    });
    return matched;
}

bool DeleteFolderTree(const std::string& folder, bool clearAttributes) {
    if (folder.empty()) return false;
    const bool existed = DirectoryExists(folder);
    const std::string base = RemoveTrailingBackslash(folder);
    DeleteFilesMatching(base + "\\*.*", clearAttributes);
    ForEachEntry(base + "\\*.*", [&](const WIN32_FIND_DATAA& entry) {
        if (!IsSubfolder(entry) || HasAttribute(entry, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return true;
        const std::string subfolder = base + "\\" + entry.cFileName;
        // A linked folder (junction or symbolic link) is removed as a link: what it points to
        // lies outside the tree and is not ours to delete.
        if (!HasAttribute(entry, FILE_ATTRIBUTE_REPARSE_POINT)) DeleteFolderTree(subfolder, clearAttributes);
        RemoveDirectoryA(subfolder.c_str());
        return true;
    });
    RemoveDirectoryA(base.c_str());
    return existed && !DirectoryExists(folder);
}
