#include "package/Tokens.h"

#include <cstdint>

#include "utils/Random.h"
#include "utils/Scramble.h"

namespace {

constexpr int kDigitShift = 50;  // added to every hexadecimal digit's character code

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A pair (or a lone last character) read as a hexadecimal number; an "0x" prefix is
// skipped. False for anything else, such as the bare prefix.
bool ParseHex(std::string digits, int& value) {
    if (digits.size() >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.erase(0, 2);
    if (digits.empty()) return false;
    value = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return false;
        value = value * 16 + digit;
    }
    return true;
}

uint8_t Byte(const std::string& d, size_t position1) { return static_cast<uint8_t>(d[position1 - 1]); }

}  // namespace

uint8_t TokenCheckByte(const std::string& d) {
    unsigned sum = 0;
    for (size_t position1 = 1; position1 <= d.size(); ++position1)
        if (position1 != d.size() - 1) sum += Byte(d, position1);
    return uint8_t(sum);
}

bool TryDescrambleToken(const std::string& text, std::string& value) {
    std::string d;
    for (size_t at = 0; at < text.size(); at += 2) {
        std::string pair = text.substr(at, 2);
        for (char& c : pair) c = char(static_cast<unsigned char>(c) - kDigitShift);
        int byte = 0;
        if (!ParseHex(pair, byte)) return false;
        d += char(byte);
    }
    const size_t n = d.size();
    if (n <= 4 || TokenCheckByte(d) != Byte(d, n - 1)) return false;

    const uint8_t key = Byte(d, 1) ^ Byte(d, n);
    for (size_t position1 = 2; position1 <= n - 1; ++position1) d[position1 - 1] = char(Byte(d, position1) ^ key);
    const int64_t a = Byte(d, 2), b = Byte(d, 3);
    const int64_t count = int64_t(n) - a - b - 4;
    const size_t start0 = size_t(a + 3);  // position a + 4, 1-based
    value = (count <= 0 || start0 >= n) ? std::string() : d.substr(start0, size_t(count));
    return true;
}

std::string DescrambleToken(const std::string& text) {
    std::string value;
    return TryDescrambleToken(text, value) ? value : RandomBetweenText(0, 99998);
}

InformParts SplitInformText(const std::string& text) {
    const std::string plain = ScrambleText(text, false);
    InformParts parts;
    size_t bars[4];
    size_t found = 0;
    for (size_t at = plain.find('|'); at != std::string::npos && found < 4; at = plain.find('|', at + 1))
        bars[found++] = at;
    std::string token;
    if (found >= 1) token = plain.substr(bars[0] + 1, found >= 2 ? bars[1] - bars[0] - 1 : std::string::npos);
    parts.Token = DescrambleToken(token);
    if (found == 4) parts.Message = plain.substr(bars[3] + 1);
    return parts;
}
