#include "package/PackageEntries.h"

#include "package/PackageTrailer.h"
#include "utils/FileIO.h"
#include "utils/Paths.h"
#include "utils/Text.h"
#include "utils/VSUB.h"

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

bool SplitEntryText(const std::string& entryText, EntryHeader& entry) {
    entry = EntryHeader();
    const size_t nul = entryText.find('\0');
    entry.header = entryText.substr(0, nul);
    entry.dataOffset = nul == std::string::npos ? entryText.size() : nul + 1;
    if (entry.header.empty()) return false;
    if (entry.header.find('*') != std::string::npos) {
        entry.isEngine = true;
        entry.engineEntry = entry.header;
    }
    entry.name = SUB::GetItem(entry.header, 0, "");
    const int64_t date = SUB::GetItemInt(entry.header, 1, 0);
    entry.fileDate = (date > 0 && date <= int64_t(UINT32_MAX)) ? uint32_t(date) : 0;
    const size_t star = entry.name.find('*');
    if (star != std::string::npos) {
        entry.engineEntry = entry.name;
        entry.name.erase(star);
    }
    return true;
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
