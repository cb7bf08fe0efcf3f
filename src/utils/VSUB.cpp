#include "utils/VSUB.h"

#include "utils/Text.h"

int SUB::ItemCount(const std::string& list) {
    if (list.empty() || list.front() != list.back()) return 0;
    const char sep = list.front();
    int count = 0;
    for (size_t i = 1; i < list.size(); ++i)
        if (list[i] == sep) ++count;
    return count;
}

std::string SUB::GetItem(const std::string& list, int index, const std::string& def) {
    if (list.empty() || list == " " || index < 0) return def;
    const char sep = list.front();
    size_t itemStart = 1;
    for (int counted = 0;; ++counted) {
        const size_t itemEnd = list.find(sep, itemStart);
        if (itemEnd == std::string::npos) return def;
        if (counted == index) {
            std::string item = list.substr(itemStart, itemEnd - itemStart);
            return item.empty() ? def : item;
        }
        itemStart = itemEnd + 1;
    }
}

int64_t SUB::GetItemInt(const std::string& list, int index, int64_t def) {
    int64_t value = 0;
    return TryStrToInt64(GetItem(list, index, ""), value) ? value : def;
}

std::string SUB::GetValueOf(const std::string& list, const std::string& name,
                            const std::string& valueWhenEmpty, const std::string& def) {
    if (list.size() <= 2 || list.front() != list.back()) return def;
    const std::string sep(1, list.front());
    std::string key = sep + name;
    if (key.back() != '=') key += '=';

    std::string work = ReplaceAll(list, sep + " ", sep);
    work = ReplaceAll(work, " =", "=");
    const size_t keyPos = PosNoCase(key, work);  // 1-based
    if (keyPos == 0) return def;
    const size_t valueStart = keyPos - 1 + key.size();
    size_t valueEnd = work.find(sep[0], valueStart);
    if (valueEnd == std::string::npos) valueEnd = work.size();
    std::string value = work.substr(valueStart, valueEnd - valueStart);
    return value.empty() ? valueWhenEmpty : value;
}

char SUB::ChooseSeparator(const std::string& text) {
    static const char candidates[] = "|*^!~@#$&";
    for (const char* c = candidates; *c; ++c)
        if (text.find(*c) == std::string::npos) return *c;
    return '\0';
}

std::string SUB::SetItem(const std::string& list, int index, const std::string& item) {
    const std::string source = list.empty() ? std::string("|") : list;
    const char oldSep = source.front();
    int count = ItemCount(source);
    if (index >= count) count = index + 1;

    // Build with NUL as the separator first, then pick the separator that fits the items.
    std::string built(1, '\0');
    for (int i = 0; i < count; ++i) {
        built += (i == index) ? item : GetItem(source, i, "");
        built += '\0';
    }
    const char sep = built.find(oldSep) == std::string::npos ? oldSep : ChooseSeparator(built);
    for (char& c : built)
        if (c == '\0') c = sep;
    return built;
}
