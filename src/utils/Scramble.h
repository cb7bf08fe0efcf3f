// The program's reversible scrambling of text values: "Scrambled=01", one start character s,
// then each byte XOR ((i + s) mod 256), with the sign of s alternating from byte to byte.
#pragma once
#include <string>

constexpr const char* kScrambledMarker = "Scrambled=01";

// scramble true: scrambles a plain text (a marked text is returned unchanged, so nothing is
// scrambled twice). scramble false: undoes a marked text (a plain text passes unchanged).
// An empty text stays empty.
std::string ScrambleText(const std::string& text, bool scramble);
// The same with a given start value (33..122), for tests and reproducible output.
std::string ScrambleTextWithStart(const std::string& text, unsigned char start);
