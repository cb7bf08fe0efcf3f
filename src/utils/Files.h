// Whole-file operations on byte texts: a file's bytes are held unchanged in a text and a text is
// written byte for byte. None of them raises or shows anything: failures are false, empty
// texts, 0 or -1. Files are opened for each operation with sharing for other readers and
// writers, and closed at once.
#pragma once
#include <cstdint>
#include <string>

#include "utils/ScopedWin.h"

// File dates are packed DOS dates in local time: the date in the high 16 bits, the time in the
// low 16. A date of 0 leaves the file's date as it is.

enum class SeekOrigin { Start, Current, End };
// Moves the position of an open file (a HANDLE); the new position, or -1.
int64_t SeekFile(void* file, SeekOrigin origin, int64_t distance);
uint64_t GetFileSizeByName(const std::string& path);  // 0 when nothing is found
uint64_t GetFileSizeByHandle(void* file);             // 0 when it cannot be read

// The file's bytes from `offset`, at most `maxLen` of them (0 = all). Empty for a missing or
// locked file, an offset at or beyond the end, and a read that falls short.
std::string ReadFileToText(const std::string& path, uint32_t maxLen, int64_t offset);

// Writes `text` to the file, replacing it, or at its end when `append` is true (a missing
// file is created). Texts above 1 MiB are written in chunks of min(length / 10, 1 MiB). A
// non-zero date becomes the file's last-write time once all bytes are written. True when
// every byte was written.
bool WriteTextToFile(const std::string& path, const std::string& text, uint32_t fileDate, bool append);
// The same for bytes that are not held in a text of their own.
bool WriteBytesToFile(const std::string& path, const char* data, size_t size, uint32_t fileDate, bool append);

// A file open for writing, for bytes that arrive in pieces: at the end of the file (a missing
// one is created) when `append` is true, else as a new empty file. Shared with other readers
// and writers; closed when the writer goes or on Close. A default writer has no file.
class FileWriter {
public:
    FileWriter() = default;
    FileWriter(const std::string& path, bool append);
    bool IsOpen() const { return file_.IsValid(); }
    void Close() { file_.Reset(); }
    // Writes every byte, a piece above 1 MiB in chunks as WriteTextToFile does. False when the
    // write fell short (the system's last error tells why).
    bool Write(const char* data, size_t size);
    // A non-zero date becomes the file's last-write time.
    void SetDate(uint32_t fileDate);

private:
    AutoCloseHandle file_;
};
// Creates the folder with every missing folder above it. True when it exists afterwards.
bool ForceDirectories(const std::string& folder);
// Writes `text` at the end of the file (created when missing) in one call; a non-zero date is
// set even when the write fell short. True when every byte was written.
bool AppendTextToFile(const std::string& path, const std::string& text, uint32_t fileDate);

// Free bytes available to the caller on the disk that holds `path`: asks about the drive and
// the first folder level (C:\Temp for C:\Temp\Sub\x), then about the drive root. -1 when no
// query answers.
double GetFreeDiskSpace(const std::string& path);

// Tree searches, depth first in the system's listing order, skipping hidden folders and
// serving the thread's messages after every entry. Drive searches go through the drive roots
// from C to Z whose drive type (GetDriveType's numbers) is `driveType`; the first hit ends a
// search.
// The full path of the first folder\fileName found, or empty.
std::string FindFileInTree(const std::string& folder, const std::string& fileName);
std::string FindFileOnDrives(const std::string& fileName, unsigned driveType);
// The first folder whose path ends with "\" + subPath (no case), or empty.
std::string FindFolderInTree(const std::string& folder, const std::string& subPath);
// An absolute subPath (X:\...) is itself the answer when its drive has the type and it exists.
std::string FindFolderOnDrives(const std::string& subPath, unsigned driveType);

// Deletes every file (not folder) that matches `mask` (folder and wildcard pattern), read-only,
// hidden and system files too, clearing their attributes first when asked. True when at least
// one file matched, whether or not its deletion succeeded.
bool DeleteFilesMatching(const std::string& mask, bool clearAttributes);
// Deletes the folder with its files and subfolders (hidden and system subfolders are left, and
// so is the folder then). A linked subfolder loses only its link, never the content it points
// to. True exactly when the folder existed and is gone.
bool DeleteFolderTree(const std::string& folder, bool clearAttributes);

// Arranges for the running executable (and with removeFolder its folder, when empty) to be
// deleted after the process has ended: writes "_DEL_ME_.BAT" into the temporary folder and
// starts it hidden. The caller lets the process end soon after.
void DeleteMySelf(bool removeFolder);

// Ejects the medium of the CD-ROM drive that holds `path`. False for other drives.
bool EjectCD(const std::string& path);
