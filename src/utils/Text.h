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
// First `sub` at or after 1-based `start` (0 = none; an empty `sub` is never found). A start of
// 1 or less searches the whole text, a start beyond the end finds nothing, and a start above 1
// searches only up to the first NUL character of `s`.
size_t PosFrom(const std::string& sub, const std::string& s, int64_t start, bool ignoreCase);
size_t PosFromNoCase(const std::string& sub, const std::string& s, int64_t start);
size_t LastPos(const std::string& sub, const std::string& s);  // last occurrence, 0 = none
bool StartsWith(const std::string& prefix, const std::string& s, bool ignoreCase);  // false for ""
bool EndsWith(const std::string& suffix, const std::string& s, bool ignoreCase);
bool EndsWithNoCase(const std::string& suffix, const std::string& s);

// Replaces every occurrence of `oldText`; text brought in by `newText` is never searched
// again (a -> aa in "aaa" gives six a), but a match formed where a removal joins the text
// is (ab -> "" in "aabb" gives "").
std::string ReplaceAll(const std::string& s, const std::string& oldText, const std::string& newText);
std::string ReplaceAllNoCase(const std::string& s, const std::string& oldText, const std::string& newText);

std::string ReplaceChar(std::string s, char from, char to);
// The text before / after the first `sep`, or `def` when `sep` does not occur:
// a=b=c at "=" gives a and b=c.
std::string TextBefore(const std::string& s, const std::string& sep, const std::string& def);
std::string TextAfter(const std::string& s, const std::string& sep, const std::string& def);
// A lone `ch` becomes empty. A longer text is stripped when `force` is set or when it both
// starts and ends with `ch`: one `ch` at each end with `onceOnly`, otherwise every leading and
// every trailing one. Anything else is returned as it is.
std::string StripEnclosing(const std::string& s, char ch, bool force, bool onceOnly);
// StripEnclosing of the trimmed text with the double quote: " "C:\a b" " gives C:\a b.
std::string Unquote(const std::string& s, bool force);
std::string ReverseText(std::string s);
std::string IfThenText(bool condition, const std::string& a, const std::string& b);

const char* BoolText(bool b);  // "TRUE" / "FALSE"
std::string IntToStr(int64_t n);
std::string UIntToStr(uint64_t n);
// `s` preceded by as many `padChar` as needed to reach `width`; a longer text is not cut.
std::string PadLeft(const std::string& s, size_t width, char padChar);
std::string ZeroPad(const std::string& s, size_t width);
// Decimal n with zeros on the left up to `width` characters; the sign stays in front (-05).
std::string IntToZeroPadded(int64_t n, size_t width);

// Decimal text with an optional sign (no blanks, no other characters) to a signed 64-bit
// integer; false when the text is not such a number or does not fit.
bool TryStrToInt64(const std::string& s, int64_t& value);
int64_t StrToInt64Def(const std::string& s, int64_t def);
