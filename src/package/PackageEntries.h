// The parts of a package that extraction reads: disk file names, the length-prefixed blocks,
// and the names entries may carry (the entry text itself is read by FileEntry.h).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class SharedReadFile;

// The base name of a multi-disk package: the first disk's name without ".001", or the whole
// name. Disk n (n >= 2) is the base, ".", and n with three digits: Setup.exe.002.
std::string DiskBaseName(const std::string& firstDisk);
std::string DiskFileName(const std::string& baseName, int diskNumber);

// True for a plain name inside the extraction folder: not empty, not absolute, no drive
// colon, no "." or ".." step. A name with a backslash may name a sub-folder.
bool IsSafeEntryName(const std::string& name);

// Reads length-prefixed blocks of a package from its read position up to the trailer.
// The content is read in chunks of at most 64 KiB, with `pump` called after each chunk.
class PackageBlockReader {
public:
    using Pump = void (*)(void* context);
    PackageBlockReader(SharedReadFile& file, int64_t position, int64_t dataSize, Pump pump, void* pumpContext);

    // More than a trailer's worth of bytes is left before the data's end.
    bool HasMore() const { return dataSize_ - position_ > 74; }
    // Reads the next block. `compressed` is true for a positive length. Returns false when
    // the block is damaged: its length runs past the data's end (or is the most negative
    // number) or the file ends early; nothing is then allocated beyond the bytes there.
    bool Next(std::string& content, bool& compressed);
    int64_t Position() const { return position_; }

private:
    SharedReadFile& file_;
    int64_t position_;
    int64_t dataSize_;
    Pump pump_;
    void* pumpContext_;
};
