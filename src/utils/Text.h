// Text helpers on 8-bit ANSI strings. Positions are 1-based where a routine returns one
// (0 = not found), as everywhere in the program. Case folding touches only ASCII letters.
#pragma once
#include <cstdint>
#include <string>

std::string Trim(const std::string& s);            // blanks (and control characters) at both ends
std::string UpperCase(std::string s);              // a..z -> A..Z only
std::string LowerCase(std::string s);              // A..Z -> a..z only
bool SameText(const std::string& a, const std::string& b);
bool SameTextTrimmed(const std::string& a, const std::string& b);

size_t PosNoCase(const std::string& sub, const std::string& s);

// Replaces every occurrence of `oldText`; text brought in by `newText` is never searched
// again (a -> aa in "aaa" gives six a), but a match formed where a removal joins the text
// is (ab -> "" in "aabb" gives "").
std::string ReplaceAll(const std::string& s, const std::string& oldText, const std::string& newText);
std::string ReplaceAllNoCase(const std::string& s, const std::string& oldText, const std::string& newText);

const char* BoolText(bool b);  // "TRUE" / "FALSE"
std::string IntToStr(int64_t n);
std::string UIntToStr(uint64_t n);
// `s` preceded by as many `padChar` as needed to reach `width`; a longer text is not cut.
std::string PadLeft(const std::string& s, size_t width, char padChar);

// Decimal text with an optional sign (no blanks, no other characters) to a signed 64-bit
// integer; false when the text is not such a number or does not fit.
bool TryStrToInt64(const std::string& s, int64_t& value);
int64_t StrToInt64Def(const std::string& s, int64_t def);
