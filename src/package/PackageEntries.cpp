#include "package/PackageEntries.h"

#include "package/PackageTrailer.h"
#include "utils/FileIO.h"
#include "utils/Paths.h"
#include "utils/Text.h"

namespace {
constexpr size_t kReadChunk = 65536;
}

std::string DiskBaseName(const std::string& firstDisk) {
    const std::string suffix = ".001";
    if (firstDisk.size() >= suffix.size() && SameText(firstDisk.substr(firstDisk.size() - suffix.size()), suffix))
        return firstDisk.substr(0, firstDisk.size() - suffix.size());
    return firstDisk;
}

std::string DiskFileName(const std::string& baseName, int diskNumber) {
    return baseName + "." + PadLeft(IntToStr(diskNumber), 3, '0');
}

bool IsSafeEntryName(const std::string& name) {
    if (name.empty() || name[0] == '\\' || name[0] == '/' || name.find(':') != std::string::npos) return false;
    size_t start = 0;
    for (;;) {
        const size_t end = name.find_first_of("\\/", start);
        const std::string step = name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (step.empty() || Trim(step) == "." || Trim(step) == "..") return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

PackageBlockReader::PackageBlockReader(SharedReadFile& file, int64_t position, int64_t dataSize, Pump pump,
                                       void* pumpContext)
    : file_(file), position_(position), dataSize_(dataSize), pump_(pump), pumpContext_(pumpContext) {}

bool PackageBlockReader::Next(std::string& content, bool& compressed) {
    content.clear();
    uint8_t lengthBytes[4];
    if (!file_.Seek(position_) || !file_.ReadExact(lengthBytes, 4)) return false;
    const int32_t length = int32_t(GetLE32(lengthBytes));
    if (length == INT32_MIN) return false;
    compressed = length > 0;
    const int64_t size = length < 0 ? -int64_t(length) : int64_t(length);
    if (size > dataSize_ - position_ - 4) return false;  // runs past the data's end

    content.resize(size_t(size));
    size_t done = 0;
    while (done < content.size()) {
        const size_t want = content.size() - done < kReadChunk ? content.size() - done : kReadChunk;
        if (!file_.ReadExact(&content[done], want)) {
            content.clear();
            return false;
        }
        done += want;
        if (pump_) pump_(pumpContext_);
    }
    position_ += 4 + size;
    return true;
}
