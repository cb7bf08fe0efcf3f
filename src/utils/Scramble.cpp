#include "utils/Scramble.h"

#include "utils/Random.h"

namespace {

const size_t kMarkerLength = 12;

// XORs position i (from 1) with (i + s) mod 256, negating s after each position. Its own
// inverse for a given s.
std::string Transform(std::string body, int s) {
    for (size_t i = 1; i <= body.size(); ++i) {
        body[i - 1] = char(static_cast<unsigned char>(body[i - 1]) ^ static_cast<unsigned char>((int(i) + s) & 0xFF));
        s = -s;
    }
    return body;
}

bool IsMarked(const std::string& text) { return text.compare(0, kMarkerLength, kScrambledMarker) == 0; }

}  // namespace

std::string ScrambleTextWithStart(const std::string& text, unsigned char start) {
    if (text.empty() || IsMarked(text)) return text;
    return std::string(kScrambledMarker) + char(start) + Transform(text, start);
}

std::string ScrambleText(const std::string& text, bool scramble) {
    if (text.empty()) return text;
    if (scramble) return ScrambleTextWithStart(text, static_cast<unsigned char>(RandomBetween(33, 122)));
    if (!IsMarked(text)) return text;
    if (text.size() <= kMarkerLength) return std::string();  // a bare marker holds nothing
    return Transform(text.substr(kMarkerLength + 1), static_cast<unsigned char>(text[kMarkerLength]));
}
