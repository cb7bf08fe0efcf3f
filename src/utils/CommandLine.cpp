#include "utils/CommandLine.h"

#include "utils/Paths.h"
#include "utils/Text.h"
#include "utils/VSUB.h"

namespace {

// Everything after the first occurrence of `marker` (no case), or false when it is absent.
// A remainder of a single character (the closing quote of the program path) counts as empty.
bool TailAfter(const std::string& commandLine, const std::string& marker, std::string& tail) {
    const size_t at = PosNoCase(marker, commandLine);
    if (at == 0) return false;
    tail = commandLine.substr(at - 1 + marker.size());
    if (Trim(tail).size() == 1) tail.clear();
    return true;
}

}  // namespace

std::string CommandTailOf(const std::string& commandLine, const std::string& exePath) {
    const std::string fileName = ExtractFileName(exePath);
    std::string tail = commandLine;
    if (!fileName.empty() && !TailAfter(commandLine, fileName + "\"", tail) &&
        !TailAfter(commandLine, fileName, tail) && !exePath.empty()) {
        const size_t at = commandLine.find(exePath);
        if (at != std::string::npos) tail = commandLine.substr(0, at) + commandLine.substr(at + exePath.size());
    }
    return Trim(tail);
}

std::string ParamValueIn(const std::string& tail, const std::string& name, const std::string& def) {
    std::string key = Trim(name);
    if (key.empty()) return def;
    const char prefix = (key[0] == '-' || key[0] == '/') ? key[0] : '/';
    key = ReplaceAll(key, std::string(1, prefix), "");

    // One item per parameter, separated by code 1 where a blank precedes the prefix.
    const std::string itemSeparator(1, '\x01');
    std::string list = ReplaceAll(" " + tail, "\"", "");
    list = ReplaceAll(list, std::string(" ") + prefix, itemSeparator);
    list = itemSeparator + list + itemSeparator;
    return Trim(SUB::GetValueOf(list, key, "", def));
}

int64_t ParamInt64In(const std::string& tail, const std::string& name, int64_t def) {
    return StrToInt64Def(ParamValueIn(tail, name, ""), def);
}

bool HasParamIn(const std::string& tail, const std::string& name) {
    return PosNoCase(Trim(name) + " ", tail + " ") != 0;
}
