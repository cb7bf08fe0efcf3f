#include "utils/FileIO.h"

#include <windows.h>

namespace {
HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }
}  // namespace

SharedReadFile::SharedReadFile(const std::string& path) {
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) handle_ = reinterpret_cast<intptr_t>(h);
}

SharedReadFile::~SharedReadFile() {
    if (IsOpen()) CloseHandle(AsHandle(handle_));
}

int64_t SharedReadFile::Size() const {
    LARGE_INTEGER size;
    if (!IsOpen() || !GetFileSizeEx(AsHandle(handle_), &size)) return -1;
    return size.QuadPart;
}

bool SharedReadFile::Seek(int64_t position) {
    if (!IsOpen() || position < 0) return false;
    LARGE_INTEGER distance;
    distance.QuadPart = position;
    return SetFilePointerEx(AsHandle(handle_), distance, nullptr, FILE_BEGIN) != 0;
}

size_t SharedReadFile::Read(void* buffer, size_t count) {
    size_t done = 0;
    while (IsOpen() && done < count) {
        const DWORD want = static_cast<DWORD>(count - done > 0x40000000 ? 0x40000000 : count - done);
        DWORD got = 0;
        if (!ReadFile(AsHandle(handle_), static_cast<char*>(buffer) + done, want, &got, nullptr) || got == 0) break;
        done += got;
    }
    return done;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
