#include "package/FileEntry.h"

#include "utils/Text.h"
#include "utils/VSUB.h"

namespace {

std::string HeaderOf(const std::string& nameItem, uint32_t dosDate) {
    return SUB::SetItem(SUB::SetItem("", 0, nameItem), 1, UIntToStr(dosDate));
}

}  // namespace

std::string EntryHeader(const std::string& fileName, uint32_t dosDate) { return HeaderOf(fileName, dosDate); }

std::string EngineEntryHeader(const std::string& fileName, const std::string& extraText, uint32_t dosDate) {
    const std::string extra = Trim(extraText);
    return HeaderOf(fileName + kEngineMark + (extra.empty() ? "" : " " + extra), dosDate);
}

EntryHeaderInfo ParseEntryHeader(const std::string& header) {
    EntryHeaderInfo info;
    info.Name = SUB::GetItem(header, 0, "");
    const int64_t date = SUB::GetItemInt(header, 1, 0);
    info.DosDate = (date < 0 || date > 0xFFFFFFFFll) ? 0 : uint32_t(date);
    const size_t mark = info.Name.find(kEngineMark);
    if (mark != std::string::npos) {
        info.EngineEntry = info.Name;
        info.Name.erase(mark);
    }
    return info;
}

bool SplitEntryText(const std::string& text, std::string& header, std::string& data) {
    const size_t nul = text.find('\0');
    if (nul == std::string::npos) return false;
    header = text.substr(0, nul);
    data = text.substr(nul + 1);
    return true;
}

uint32_t PackDosDate(int year, int month, int day, int hour, int minute, int second) {
    if (year < 1980 || year > 2107) return 0;
    const uint32_t date = uint32_t(year - 1980) << 9 | uint32_t(month) << 5 | uint32_t(day);
    const uint32_t time = uint32_t(hour) << 11 | uint32_t(minute) << 5 | uint32_t(second / 2);
    return date << 16 | time;
}
