#include "HostFiles.h"

#include <cerrno>
#include <cstring>

std::string LastSystemError() { return std::strerror(errno); }

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    StdioFile file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    bytes.clear();
    char buffer[65536];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) bytes.append(buffer, got);
    return std::ferror(file.get()) == 0;
}
