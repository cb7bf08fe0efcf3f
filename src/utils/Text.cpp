#include "utils/Text.h"

#include <iterator>

namespace {

char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The common body of ReplaceAll and ReplaceAllNoCase: `work` is the text searched (already
// upper-cased for the no-case form) and `result` the text edited at the same positions.
std::string ReplaceInto(std::string work, std::string result, const std::string& pattern,
                        const std::string& newText) {
    if (pattern.empty() || work.find(pattern) == std::string::npos) return result;
    // A filler that cannot be part of a match marks where replaced text now stands.
    unsigned char filler = 0;
    while (pattern.find(static_cast<char>(filler)) != std::string::npos) ++filler;
    const std::string mask(newText.size(), static_cast<char>(filler));
    // Each round finds the first occurrence from the start. Nothing before the last match
    // can match any more, except across the join a removal made, so the search may resume
    // one pattern length before it.
    for (size_t at = work.find(pattern); at != std::string::npos;) {
        work.replace(at, pattern.size(), mask);
        result.replace(at, pattern.size(), newText);
        at = work.find(pattern, at >= pattern.size() - 1 ? at - (pattern.size() - 1) : 0);
    }
    return result;
}

}  // namespace

std::string Trim(const std::string& s) {
    size_t first = 0, last = s.size();
    while (first < last && IsTrimmed(s[first])) ++first;
    while (last > first && IsTrimmed(s[last - 1])) --last;
    return s.substr(first, last - first);
}

std::string UpperCase(std::string s) {
    for (char& c : s) c = UpperChar(c);
    return s;
}

std::string LowerCase(std::string s) {
    for (char& c : s) c = LowerChar(c);
    return s;
}

bool SameText(const std::string& a, const std::string& b) { return UpperCase(a) == UpperCase(b); }

bool SameTextTrimmed(const std::string& a, const std::string& b) { return SameText(Trim(a), Trim(b)); }

size_t PosNoCase(const std::string& sub, const std::string& s) {
    if (sub.empty()) return 0;
    const size_t at = UpperCase(s).find(UpperCase(sub));
    return at == std::string::npos ? 0 : at + 1;
}

size_t PosFrom(const std::string& sub, const std::string& s, int64_t start, bool ignoreCase) {
    if (sub.empty()) return 0;
    size_t from = 0;           // 0-based
    size_t end = s.size();     // the searched text ends here
    if (start > 1) {
        if (uint64_t(start) > s.size()) return 0;
        from = size_t(start - 1);
        const size_t nul = s.find('\0', from);
        if (nul != std::string::npos) end = nul;
    }
    const std::string text = ignoreCase ? UpperCase(s.substr(0, end)) : s.substr(0, end);
    const size_t at = text.find(ignoreCase ? UpperCase(sub) : sub, from);
    return at == std::string::npos ? 0 : at + 1;
}

size_t PosFromNoCase(const std::string& sub, const std::string& s, int64_t start) {
    return PosFrom(sub, s, start, true);
}

size_t LastPos(const std::string& sub, const std::string& s) {
    if (sub.empty()) return 0;
    const size_t at = s.rfind(sub);
    return at == std::string::npos ? 0 : at + 1;
}

bool StartsWith(const std::string& prefix, const std::string& s, bool ignoreCase) {
    if (prefix.empty() || prefix.size() > s.size()) return false;
    const std::string head = s.substr(0, prefix.size());
    return ignoreCase ? SameText(head, prefix) : head == prefix;
}

bool EndsWith(const std::string& suffix, const std::string& s, bool ignoreCase) {
    if (suffix.size() > s.size()) return false;
    const std::string tail = s.substr(s.size() - suffix.size());
    return ignoreCase ? SameText(tail, suffix) : tail == suffix;
}

bool EndsWithNoCase(const std::string& suffix, const std::string& s) { return EndsWith(suffix, s, true); }

std::string ReplaceAll(const std::string& s, const std::string& oldText, const std::string& newText) {
    return ReplaceInto(s, s, oldText, newText);
}

std::string ReplaceAllNoCase(const std::string& s, const std::string& oldText, const std::string& newText) {
    return ReplaceInto(UpperCase(s), s, UpperCase(oldText), newText);
}

std::string ReplaceChar(std::string s, char from, char to) {
    for (char& c : s)
        if (c == from) c = to;
    return s;
}

std::string TextBefore(const std::string& s, const std::string& sep, const std::string& def) {
    const size_t at = sep.empty() ? std::string::npos : s.find(sep);
    return at == std::string::npos ? def : s.substr(0, at);
}

std::string TextAfter(const std::string& s, const std::string& sep, const std::string& def) {
    const size_t at = sep.empty() ? std::string::npos : s.find(sep);
    return at == std::string::npos ? def : s.substr(at + sep.size());
}

std::string StripEnclosing(const std::string& s, char ch, bool force, bool onceOnly) {
    if (s.size() == 1) return s[0] == ch ? std::string() : s;
    if (s.size() < 2 || !(force || (s.front() == ch && s.back() == ch))) return s;
    size_t first = 0, last = s.size();
    if (onceOnly) {
        if (s[first] == ch) ++first;
        if (last > first && s[last - 1] == ch) --last;
    } else {
        while (first < last && s[first] == ch) ++first;
        while (last > first && s[last - 1] == ch) --last;
    }
    return s.substr(first, last - first);
}

std::string Unquote(const std::string& s, bool force) { return StripEnclosing(Trim(s), '"', force, false); }

std::string ReverseText(std::string s) { return std::string(s.rbegin(), s.rend()); }

std::string IfThenText(bool condition, const std::string& a, const std::string& b) { return condition ? a : b; }

const char* BoolText(bool b) { return b ? "TRUE" : "FALSE"; }

std::string UIntToStr(uint64_t n) {
    // Formatted by hand: printf's family would add its floating-point machinery to the stub.
    char digits[20];
    size_t count = 0;
    do {
        digits[count++] = char('0' + n % 10);
        n /= 10;
    } while (n != 0);
    return std::string(std::reverse_iterator<char*>(digits + count), std::reverse_iterator<char*>(digits));
}

std::string IntToStr(int64_t n) {
    return n < 0 ? "-" + UIntToStr(0 - static_cast<uint64_t>(n)) : UIntToStr(static_cast<uint64_t>(n));
}

std::string PadLeft(const std::string& s, size_t width, char padChar) {
    return s.size() >= width ? s : std::string(width - s.size(), padChar) + s;
}

std::string ZeroPad(const std::string& s, size_t width) { return PadLeft(s, width, '0'); }

std::string IntToZeroPadded(int64_t n, size_t width) {
    if (n >= 0) return ZeroPad(UIntToStr(uint64_t(n)), width);
    return "-" + ZeroPad(UIntToStr(0 - uint64_t(n)), width > 0 ? width - 1 : 0);
}

bool TryStrToInt64(const std::string& s, int64_t& value) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    if (i == s.size()) return false;
    uint64_t magnitude = 0;
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        const unsigned digit = unsigned(s[i] - '0');
        if (magnitude > (limit - digit) / 10) return false;
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? int64_t(0 - magnitude) : int64_t(magnitude);
    return true;
}

int64_t StrToInt64Def(const std::string& s, int64_t def) {
    int64_t value = 0;
    return TryStrToInt64(s, value) ? value : def;
}
