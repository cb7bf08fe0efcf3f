#include "utils/Paths.h"

namespace {

bool EndsWithRealBackslash(const std::string& path, LeadByteTest isLeadByte) {
    const size_t n = path.size();
    return n > 0 && path[n - 1] == '\\' && !(n >= 2 && isLeadByte(path[n - 2]));
}

}  // namespace

std::string ExtractFileName(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFileDir(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileNameWithoutExt(const std::string& path, bool allExtensions) {
    const std::string name = ExtractFileName(path);
    const size_t dot = allExtensions ? name.find('.') : name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string SetTrailingBackslash(const std::string& path, bool add, LeadByteTest isLeadByte) {
    std::string result = path;
    if (result.size() >= 3 && EndsWithRealBackslash(result, isLeadByte)) result.pop_back();
    if (add) result += '\\';
    return result;
}

std::string RemoveTrailingBackslash(const std::string& path, LeadByteTest isLeadByte) {
    std::string result = path;
    if (EndsWithRealBackslash(result, isLeadByte)) result.pop_back();
    return result;
}

std::string CollapseBackslashes(const std::string& s, bool removeTrailing, LeadByteTest isLeadByte) {
    std::string result = s;
    if (s.size() > 2) {
        // The first character stays aside: a leading \\ (a UNC name) keeps both backslashes.
        const char first = s.front();
        const bool enclosed = first == s.back();  // a list such as |a|b| with | as separator
        std::string rest = s.substr(1);
        // Right to left over each pair rest[i], rest[i + 1] (0-based) with a character before
        // it; the pair at the front of `rest` is handled below.
        for (size_t i = rest.size() - 1; i-- > 1;) {
            if (rest[i] != '\\' || rest[i + 1] != '\\' || isLeadByte(rest[i - 1])) continue;
            if (enclosed && rest[i - 1] == first) continue;  // |\\srv: a UNC item of the list
            rest.erase(i, 1);
        }
        if (rest.size() >= 2 && rest[0] == '\\' && rest[1] == '\\') rest.erase(0, 1);
        result = first + rest;
    }
    return removeTrailing ? RemoveTrailingBackslash(result, isLeadByte) : result;
}
