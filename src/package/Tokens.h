// Product and download tokens in their scrambled text form, and the inform text that carries
// one (the writing side is in PackWrite.h). A scrambled token is two characters per byte: the byte's two hexadecimal digits, each
// with 50 added to its character code. The bytes d[1..n] (1-based) hold a key byte, the
// counts a and b, a filler bytes, the value, b - 1 more filler bytes, a check byte (the sum
// of every other byte, mod 256) and a second key byte; bytes 2 to n - 1 are XORed with the
// two key bytes XORed together.
#pragma once
#include <cstdint>
#include <string>

// The check byte of a token's bytes: the sum of every byte but the check byte itself (the
// one before last), mod 256.
uint8_t TokenCheckByte(const std::string& bytes);

// The plain value of a scrambled token; false when the text is not a token or its check byte
// does not match.
bool TryDescrambleToken(const std::string& text, std::string& value);

// The plain value, or a random decimal number below 99999 when the token is damaged, so that
// a damaged token never reliably equals anything.
std::string DescrambleToken(const std::string& text);

struct InformParts {
    std::string Token;    // descrambled token of field 1
    std::string Message;  // everything after the fourth "|"
};

// Undoes the value scrambling when the text carries it, then splits at the first four "|".
// A missing "|" leaves the pieces after it empty.
InformParts SplitInformText(const std::string& text);
