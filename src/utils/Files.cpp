#include "utils/Files.h"

#include <windows.h>
#include <winioctl.h>

#include "utils/Desktop.h"
#include "utils/FileIO.h"
#include "utils/FileRules.h"
#include "utils/Folders.h"
#include "utils/Paths.h"
#include "utils/ScopedWin.h"
#include "utils/Text.h"
#include "utils/VDebug.h"

namespace {

bool SetFileDosDate(HANDLE file, uint32_t fileDate) {
    FILETIME local, utc;
    return DosDateTimeToFileTime(WORD(fileDate >> 16), WORD(fileDate & 0xFFFF), &local) &&
           LocalFileTimeToFileTime(&local, &utc) && SetFileTime(file, nullptr, nullptr, &utc);
}

// Opens for writing with full sharing: at the end of an existing file (a missing one is
// created), or as a new empty file.
AutoCloseHandle OpenForWriting(const std::string& path, bool append) {
    AutoCloseHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER zero{};
    if (append && file.IsValid() && !SetFilePointerEx(file.Get(), zero, nullptr, FILE_END)) file.Reset();
    return file;
}

size_t WriteOnce(HANDLE file, const char* data, size_t count) {
    DWORD done = 0;
    return WriteFile(file, data, DWORD(count), &done, nullptr) ? done : 0;
}

// The handle as the log shows it: an unsigned 32-bit number (an invalid one is 4294967295).
uint32_t HandleNumber(HANDLE handle) { return uint32_t(reinterpret_cast<uintptr_t>(handle)); }

}  // namespace

int64_t SeekFile(void* file, SeekOrigin origin, int64_t distance) {
    static const DWORD kMethods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER move, position;
    move.QuadPart = distance;
    if (!SetFilePointerEx(file, move, &position, kMethods[int(origin)])) return -1;
    return position.QuadPart;
}

uint64_t GetFileSizeByName(const std::string& path) {
    WIN32_FIND_DATAA found;
    const AutoFindHandle find(FindFirstFileA(path.c_str(), &found));
    if (!find.IsValid()) return 0;
    return uint64_t(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
}

uint64_t GetFileSizeByHandle(void* file) {
    LARGE_INTEGER size;
    return GetFileSizeEx(file, &size) ? uint64_t(size.QuadPart) : 0;
}

std::string ReadFileToText(const std::string& path, uint32_t maxLen, int64_t offset) {
    if (!FileExists(path)) return std::string();
    SharedReadFile file(path);
    const int64_t count = ReadByteCount(file.Size(), maxLen, offset);
    if (count <= 0 || uint64_t(count) > std::string().max_size() || !file.Seek(offset)) return std::string();
    try {
        std::string text(size_t(count), '\0');
        return file.ReadExact(&text[0], text.size()) ? text : std::string();
    } catch (...) {  // more than memory holds
        return std::string();
    }
}

bool WriteTextToFile(const std::string& path, const std::string& text, uint32_t fileDate, bool append) {
    return WriteBytesToFile(path, text.data(), text.size(), fileDate, append);
}

bool WriteBytesToFile(const std::string& path, const char* data, size_t size, uint32_t fileDate, bool append) {
    FileWriter file(path, append);
    if (!file.IsOpen()) return false;
    const bool complete = file.Write(data, size);
    if (complete) file.SetDate(fileDate);
    return complete;
}

FileWriter::FileWriter(const std::string& path, bool append) : file_(OpenForWriting(path, append)) {}

bool FileWriter::Write(const char* data, size_t size) {
    return IsOpen() && WriteInChunks(size, [&](size_t offset, size_t count) {
                           return WriteOnce(file_.Get(), data + offset, count);
                       }) == size;
}

void FileWriter::SetDate(uint32_t fileDate) {
    if (IsOpen() && fileDate != 0) SetFileDosDate(file_.Get(), fileDate);
}

bool ForceDirectories(const std::string& folder) {
    const std::string path = RemoveTrailingBackslash(folder);
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::string parent = ExtractFileDir(path);
    // Stop at a drive ("C:") or a share's root: they exist or cannot be made.
    if (!parent.empty() && parent != path && parent.back() != ':' && parent.find('\\') != std::string::npos)
        ForceDirectories(parent);
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool AppendTextToFile(const std::string& path, const std::string& text, uint32_t fileDate) {
    const AutoCloseHandle file = OpenForWriting(path, true);
    if (!file.IsValid()) return false;
    const bool complete = WriteOnce(file.Get(), text.data(), text.size()) == text.size();
    if (fileDate != 0) SetFileDosDate(file.Get(), fileDate);
    return complete;
}

double GetFreeDiskSpace(const std::string& path) {
    using FreeSpaceEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    // Looked up once: systems without the extended query only have the 32-bit cluster counts.
    static bool looked = false;
    static FreeSpaceEx freeSpaceEx = nullptr;
    if (!looked) {
        const FARPROC found = LoadProc("kernel32.dll", "GetDiskFreeSpaceExA");
        freeSpaceEx = reinterpret_cast<FreeSpaceEx>(reinterpret_cast<void*>(found));
        looked = true;
    }
    const std::string queryPath = FreeSpaceQueryPath(path, freeSpaceEx != nullptr);
    const char* directory = queryPath.empty() ? nullptr : queryPath.c_str();
    if (freeSpaceEx) {
        ULARGE_INTEGER available;
        if (freeSpaceEx(directory, &available, nullptr, nullptr)) return double(available.QuadPart);
        // The first folder level may not exist (yet): ask about the drive root.
        const std::string root = DriveRootOf(ReplaceChar(path, '/', '\\'));
        if (!root.empty() && freeSpaceEx(root.c_str(), &available, nullptr, nullptr)) return double(available.QuadPart);
        return -1;
    }
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!GetDiskFreeSpaceA(directory, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) return -1;
    return double(freeClusters) * double(sectorsPerCluster) * double(bytesPerSector);
}

void DeleteMySelf(bool removeFolder) {
    const std::string batchPath = TempDir(true) + kSelfDeleteBatchName;
    // The process must not hold its own folder as current directory while the script removes it.
    SetCurrentDirectoryA(TempDir(false).c_str());
    if (!WriteTextToFile(batchPath, SelfDeleteScript(ExePath(), batchPath, removeFolder), 0, false)) return;
    // Quoted: unquoted, a blank in the temporary folder's path would let the system try the
    // program "C:\Users\John" for "C:\Users\John Smith\...".
    WinExec(("\"" + batchPath + "\"").c_str(), SW_HIDE);
}

bool EjectCD(const std::string& path) {
    const char letter = path.empty() ? '\0' : UpperCase(path.substr(0, 1))[0];
    if (letter < 'A' || letter > 'Z' || GetDriveTypeA(DriveRootOf(path).c_str()) != DRIVE_CDROM) return false;
    try {
        const std::string device = std::string("\\\\.\\") + letter + ":";
        const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
        AutoCloseHandle drive(
            CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
        DebugOut() << "EjectCD-2: " << device << ' ' << HandleNumber(drive.Get()) << DebugEol;
        if (!drive.IsValid())
            drive.Reset(CreateFileA(device.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
        DebugOut() << "EjectCD-3: " << device << ' ' << HandleNumber(drive.Get()) << DebugEol;
        if (!drive.IsValid()) return false;
        DWORD returned = 0;
        return DeviceIoControl(drive.Get(), IOCTL_STORAGE_EJECT_MEDIA, nullptr, 0, nullptr, 0, &returned, nullptr) != 0;
    } catch (...) {
        return false;
    }
}
