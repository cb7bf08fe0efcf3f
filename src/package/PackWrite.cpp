#include "package/PackWrite.h"

#include "package/FileEntry.h"
#include "package/Tokens.h"
#include "utils/Random.h"
#include "utils/Scramble.h"
#include "utils/Text.h"
#include "utils/VSUB.h"

namespace {

constexpr int kDigitShift = 50;  // added to every hexadecimal digit's character code
const char kHexDigits[] = "0123456789ABCDEF";

uint8_t RandomByte() { return uint8_t(RandomBetween(0, 255)); }

std::string HeaderOf(const std::string& nameItem, uint32_t dosDate) {
    return SUB::SetItem(SUB::SetItem("", 0, nameItem), 1, UIntToStr(dosDate));
}

uint64_t RoundUp(uint64_t size, uint64_t cluster) { return (size + cluster - 1) / cluster * cluster; }

uint32_t Saturated(uint64_t sum) { return sum > 0xFFFFFFFFull ? 0xFFFFFFFFu : uint32_t(sum); }

}  // namespace

std::string ScrambleToken(const std::string& plain) {
    // b counts the fillers after the value together with the check byte, so it is at least 1.
    const uint8_t a = uint8_t(RandomBetween(1, 8)), b = uint8_t(RandomBetween(1, 8));
    std::string d(1, char(RandomByte()));
    d += char(a);
    d += char(b);
    for (int i = 0; i < a; ++i) d += char(RandomByte());
    d += plain;
    for (int i = 1; i < b; ++i) d += char(RandomByte());
    d += '\0';  // the check byte, set below
    d += char(RandomByte());

    // Bytes 2 to n - 1 (from 1) are XORed with the two key bytes XORed together.
    const size_t n = d.size();
    const char key = char(d[0] ^ d[n - 1]);
    for (size_t i = 1; i + 1 < n; ++i) d[i] = char(d[i] ^ key);
    d[n - 2] = char(TokenCheckByte(d));

    std::string text;
    text.reserve(2 * n);
    for (const char c : d) {
        const uint8_t byte = static_cast<uint8_t>(c);
        text += char(kHexDigits[byte >> 4] + kDigitShift);
        text += char(kHexDigits[byte & 15] + kDigitShift);
    }
    return text;
}

std::string InformText(const std::string& plainToken, const std::string& message, bool scrambled) {
    const std::string text = "|" + ScrambleToken(plainToken) + "|||" + message;
    return scrambled ? ScrambleText(text, true) : text;
}

std::string EntryHeader(const std::string& fileName, uint32_t dosDate) { return HeaderOf(fileName, dosDate); }

std::string EngineEntryHeader(const std::string& fileName, const std::string& extraText, uint32_t dosDate) {
    const std::string extra = Trim(extraText);
    return HeaderOf(fileName + kEngineMark + (extra.empty() ? "" : " " + extra), dosDate);
}

uint32_t PackDosDate(int year, int month, int day, int hour, int minute, int second) {
    if (year < 1980 || year > 2107) return 0;
    const uint32_t date = uint32_t(year - 1980) << 9 | uint32_t(month) << 5 | uint32_t(day);
    const uint32_t time = uint32_t(hour) << 11 | uint32_t(minute) << 5 | uint32_t(second / 2);
    return date << 16 | time;
}

SpaceTable SpaceTableOf(const std::vector<uint64_t>& fileSizes) {
    std::array<uint64_t, kSpaceTableSize> sums{};
    for (const uint64_t size : fileSizes) {
        sums[0] += size;
        for (int k = 1; k < kSpaceTableSize; ++k) sums[k] += RoundUp(size, SpaceTableClusterSize(k));
    }
    SpaceTable table{};
    for (int k = 0; k < kSpaceTableSize; ++k) table[k] = Saturated(sums[k]);
    return table;
}
