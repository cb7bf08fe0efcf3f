// What tvpack needs from the file system beyond plain reading and writing, for Linux and
// Windows: folder listings with sizes and packed DOS dates, path joining, replacing a file by
// renaming, and 64-bit positions in stdio files.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using StdioFile = std::unique_ptr<FILE, FileCloser>;

struct FolderItem {
    std::string Name;
    bool IsFolder = false;
    uint64_t Size = 0;
    uint32_t DosDate = 0;  // last write time, local, packed DOS form; 0 when not representable
};

// The files and folders of `folder` (without "." and ".."), in no particular order.
bool ListFolder(const std::string& folder, std::vector<FolderItem>& items, std::string& error);
bool IsExistingFolder(const std::string& path);

std::string JoinPath(const std::string& folder, const std::string& name);
std::string FolderOfPath(const std::string& path);  // "." when the path has no folder part
bool IsAbsolutePath(const std::string& path);

// Renames `from` to `to`, replacing an existing `to`.
bool ReplaceFileWith(const std::string& from, const std::string& to, std::string& error);

bool SeekFile(FILE* file, uint64_t position);
bool TruncateFile(FILE* file, uint64_t size);  // the stream must be flushed first

// The text of the last C library error (errno).
std::string LastSystemError();

// The whole content of a file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
