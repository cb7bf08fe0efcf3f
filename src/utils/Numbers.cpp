#include "utils/Numbers.h"

#include <cmath>

#include "utils/Text.h"

namespace {

// "1234567" -> "1,234,567": a comma before every third digit from the right, never in front.
std::string GroupThousands(const std::string& digits) {
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

// bytes / unit with one decimal, computed in integers so that no floating-point text
// conversion is needed: the tenths are rounded half away from zero.
std::string FormatOneDecimal(int64_t bytes, uint64_t unit) {
    const uint64_t magnitude = bytes < 0 ? 0 - uint64_t(bytes) : uint64_t(bytes);
    // (magnitude * 10 + unit / 2) / unit without overflow.
    const uint64_t tenths = magnitude / unit * 10 + ((magnitude % unit) * 10 + unit / 2) / unit;
    const std::string sign = bytes < 0 && tenths != 0 ? "-" : "";
    return sign + GroupThousands(UIntToStr(tenths / 10)) + "." + char('0' + tenths % 10);
}

}  // namespace

int64_t Min64(int64_t a, int64_t b) { return a < b ? a : b; }

int64_t Max64(int64_t a, int64_t b) { return a > b ? a : b; }

int64_t EnsureRange64(int64_t value, int64_t low, int64_t high) {
    if (value < low) value = low;
    if (value > high) value = high;
    return value;
}

int64_t StrToIntBase(const std::string& s, int base) {
    static const std::string kDigits = "0123456789ABCDEF";
    const std::string text = UpperCase(Trim(s));
    // Unsigned arithmetic: a long text wraps around instead of overflowing.
    uint64_t result = 0, weight = 1;
    for (size_t i = text.size(); i-- > 0;) {
        const size_t place = kDigits.find(text[i]);
        const uint64_t digit = place == std::string::npos ? uint64_t(-1) : uint64_t(place);
        result += digit * weight;
        weight *= uint64_t(int64_t(base));
    }
    return int64_t(result);
}

int64_t HexToInt64(const std::string& s) {
    const std::string text = Trim(s);
    return StrToIntBase(StartsWith("0x", text, true) ? text.substr(2) : text, 16);
}

std::string FormatKilobytes(int64_t bytes) { return FormatOneDecimal(bytes, 1024); }

std::string FormatMegabytes(int64_t bytes) { return FormatOneDecimal(bytes, 1048576); }

std::string FormatFixed(double value, int decimals, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (decimals < 0) decimals = 0;
    if (decimals > 18) decimals = 18;
    long double scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const long double scaled = std::fabs(static_cast<long double>(value)) * scale + 0.5L;
    std::string digits;
    if (scaled < 18446744073709551616.0L) {
        digits = UIntToStr(static_cast<uint64_t>(scaled));
    } else {
        // Beyond 64 bits the value is a whole number: its digits by repeated division (the
        // last ones carry the binary value's own imprecision).
        for (long double rest = std::floor(scaled); rest >= 1; rest = std::floor(rest / 10))
            digits.insert(digits.begin(), char('0' + int(std::fmod(rest, 10.0L))));
    }
    digits = ZeroPad(digits, size_t(decimals) + 1);
    const bool negative = value < 0 && digits.find_first_not_of('0') != std::string::npos;
    std::string text = (negative ? "-" : "") + digits.substr(0, digits.size() - size_t(decimals));
    if (decimals > 0) text += decimalSeparator + digits.substr(digits.size() - size_t(decimals));
    return text;
}
