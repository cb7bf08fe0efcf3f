#include "package/StubSetup.h"

#include "utils/Files.h"
#include "utils/Folders.h"
#include "utils/Text.h"

namespace {

// The low word of the executable's last-write time in the MS-DOS form (local time); 0 when
// the date cannot be read.
WORD ExeDosTimeWord() {
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    WORD dosDate = 0, dosTime = 0;
    if (GetFileAttributesExA(ExePath().c_str(), GetFileExInfoStandard, &data) &&
        FileTimeToLocalFileTime(&data.ftLastWriteTime, &local))
        FileTimeToDosDateTime(&local, &dosDate, &dosTime);
    return dosTime;
}

// Creates `folder` and every missing folder above it.
void CreateFolderWithParents(const std::string& folder) {
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
}

}  // namespace

void SetupTimerTick(HWND /*mainWindow*/) {}

std::string SetupTempFolder() {
    static std::string folder;
    if (folder.empty()) {
        folder = TempDir(true) + "SETUP_" + UIntToStr(ExeDosTimeWord());
        DeleteFolderTree(folder, true);
        CreateFolderWithParents(folder);
    }
    return folder;
}
