// The rules behind the file operations that do not need the file system: how a long text is
// cut into writes, how many bytes a read takes, which folder the free-space query asks about
// and the self-delete script.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t kChunkedWriteThreshold = 1048576;

// Texts above 1 MiB are written in chunks of min(length / 10, 1 MiB): 3 MiB as ten chunks of
// 314,572 bytes and one of 8; 20 MiB as twenty of 1 MiB. A shorter text is one write.
size_t WriteChunkSize(size_t length);

// Writes `length` bytes through `write(offset, count)`, which returns how many it wrote, one
// chunk after the other; stops when a write writes nothing. Returns the bytes written.
template <typename WriteFn>
size_t WriteInChunks(size_t length, WriteFn write) {
    const size_t chunk = WriteChunkSize(length);
    size_t written = 0;
    while (written < length) {
        const size_t want = length - written < chunk ? length - written : chunk;
        const size_t done = write(written, want);
        if (done == 0) break;
        written += done;
    }
    return written;
}

// How many bytes a read of a file of `size` bytes takes from `offset`, at most `maxLen` of them
// (0 = no limit). 0 when there is nothing to read: a negative offset, an offset at or beyond
// the end.
int64_t ReadByteCount(int64_t size, uint32_t maxLen, int64_t offset);

// The folder the free-space query asks about (after "/" became "\"). With the extended query
// and a path of 3 or more characters, the path is cut before its first backslash from the 4th
// character on, keeping the drive and the first folder level (C:\Temp\Sub\x gives C:\Temp);
// otherwise the drive root (C:\). An empty path stays empty (the current directory's disk).
std::string FreeSpaceQueryPath(const std::string& path, bool extendedQuery);
// The first character in upper case followed by ":\" (empty for an empty path).
std::string DriveRootOf(const std::string& path);

constexpr const char* kSelfDeleteBatchName = "_DEL_ME_.BAT";

// The batch script that deletes `exePath` once its process has ended (it loops while the file
// is still locked), removes the executable's folder when asked, and finally deletes itself.
// Every line ends with CR LF; every path is quoted.
std::string SelfDeleteScript(const std::string& exePath, const std::string& batchPath, bool removeFolder);
