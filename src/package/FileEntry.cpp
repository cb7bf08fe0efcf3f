#include "package/FileEntry.h"

#include "utils/VSUB.h"

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
