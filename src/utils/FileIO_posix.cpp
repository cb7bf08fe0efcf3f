#include "utils/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SharedReadFile::SharedReadFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) handle_ = fd;
}

SharedReadFile::~SharedReadFile() {
    if (IsOpen()) ::close(static_cast<int>(handle_));
}

int64_t SharedReadFile::Size() const {
    struct stat st;
    if (!IsOpen() || ::fstat(static_cast<int>(handle_), &st) != 0) return -1;
    return st.st_size;
}

bool SharedReadFile::Seek(int64_t position) {
    if (!IsOpen() || position < 0) return false;
    return ::lseek(static_cast<int>(handle_), static_cast<off_t>(position), SEEK_SET) == position;
}

size_t SharedReadFile::Read(void* buffer, size_t count) {
    size_t done = 0;
    while (IsOpen() && done < count) {
        const ssize_t got = ::read(static_cast<int>(handle_), static_cast<char*>(buffer) + done, count - done);
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    return done;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
