// A file that tvpack writes: the bytes go to a temporary file beside the final one, which is
// renamed into place only by Commit. Until then (and whenever the object is dropped without
// a commit) the final name is untouched, so a failed build never leaves half a setup behind.
#pragma once
#include <cstdint>
#include <string>

#include "HostFiles.h"

class OutputFile {
public:
    explicit OutputFile(std::string finalPath);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool Open();
    bool Write(const void* data, size_t size);
    bool Write(const std::string& bytes) { return Write(bytes.data(), bytes.size()); }
    uint64_t Position() const { return position_; }
    bool SeekTo(uint64_t position);
    // Ends the file at the current position (dropping what an abandoned attempt left beyond
    // it) and closes it.
    bool Close();
    // Overwrites bytes of the closed file.
    bool Patch(uint64_t position, const void* data, size_t size);
    bool Commit();

    const std::string& FinalPath() const { return finalPath_; }
    const std::string& TempPath() const { return tempPath_; }
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& what);

    std::string finalPath_;
    std::string tempPath_;
    StdioFile file_;
    uint64_t position_ = 0;
    bool committed_ = false;
    std::string error_;
};
