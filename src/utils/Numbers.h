// Number helpers: bounds, digit texts in any base up to 16, and the size and fixed-point texts
// shown to the user. Nothing here raises; bad input gives the stated fallback.
#pragma once
#include <cstdint>
#include <string>

int64_t Min64(int64_t a, int64_t b);
int64_t Max64(int64_t a, int64_t b);
// low when value < low; then high when the value so far is above high; else value.
int64_t EnsureRange64(int64_t value, int64_t low, int64_t high);

// The digits of `s` (trimmed, no case) read in `base` without validation: each character counts
// as its place in "0123456789ABCDEF", anything else as -1. ff in base 16 gives 255, 1Z gives 15
// (16 - 1), an empty text 0. Overflow wraps around.
int64_t StrToIntBase(const std::string& s, int base);
// StrToIntBase in base 16 after a leading "0x" (no case) is dropped: 0X1A gives 26.
int64_t HexToInt64(const std::string& s);

// Bytes as kilobytes / megabytes with exactly one decimal, "." as the point and "," between
// groups of three digits: 1536 gives 1.5 KB, 0 gives 0.0, 1073741824 bytes 1,048,576.0 KB.
// Halves round away from zero.
std::string FormatKilobytes(int64_t bytes);
std::string FormatMegabytes(int64_t bytes);

// `value` with `decimals` digits (0 to 18) after `decimalSeparator`, halves away from zero,
// without thousands separators: 123.456 with 2 decimals gives 123.46 (as far as the binary
// value allows).
std::string FormatFixed(double value, int decimals, char decimalSeparator);
// The same with the user's decimal separator (Windows only).
std::string FormatFixed(double value, int decimals);
