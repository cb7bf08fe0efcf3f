// A file opened for reading that other processes may still read and write, for the portable
// units (setup-file reader, checksum). One implementation per platform; this header and its
// users stay free of system headers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class SharedReadFile {
public:
    explicit SharedReadFile(const std::string& path);
    ~SharedReadFile();
    SharedReadFile(const SharedReadFile&) = delete;
    SharedReadFile& operator=(const SharedReadFile&) = delete;

    bool IsOpen() const { return handle_ != kClosed; }
    int64_t Size() const;                 // -1 when unknown
    bool Seek(int64_t position);          // from the start; false for a negative position
    size_t Read(void* buffer, size_t count);  // bytes read; stops short only at the end or on error
    // Reads exactly `count` bytes at the current position; false (and nothing promised about
    // `buffer`) when fewer arrive.
    bool ReadExact(void* buffer, size_t count) { return Read(buffer, count) == count; }

private:
    static constexpr intptr_t kClosed = -1;
    intptr_t handle_ = kClosed;
};

bool FileExists(const std::string& path);  // an existing file (not a folder)
