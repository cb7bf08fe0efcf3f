#include <gtest/gtest.h>

#include <set>

#include "utils/Random.h"
#include "utils/Scramble.h"

namespace {

std::string EveryByte() {
    std::string all;
    for (int c = 0; c < 256; ++c) all += char(c);
    return all + all;  // positions beyond 255 wrap the key
}

TEST(ScrambleText, RoundTripsEveryByteValueIncludingNul) {
    const std::string plain = EveryByte();
    const std::string scrambled = ScrambleText(plain, true);
    ASSERT_EQ(scrambled.compare(0, 12, "Scrambled=01"), 0);
    EXPECT_EQ(scrambled.size(), 12 + 1 + plain.size());
    const unsigned char start = static_cast<unsigned char>(scrambled[12]);
    EXPECT_GE(start, 33);
    EXPECT_LE(start, 122);
    EXPECT_EQ(ScrambleText(scrambled, false), plain);
}

TEST(ScrambleText, KeyAlternatesTheSignOfTheStartValue) {
    // s = 40: position 1 XOR 41, position 2 XOR (2 - 40) mod 256 = 218, position 3 XOR 43.
    const std::string scrambled = ScrambleTextWithStart(std::string("\0\0\0", 3), 40);
    EXPECT_EQ(scrambled, std::string("Scrambled=01(") + char(41) + char(218) + char(43));
}

TEST(ScrambleText, NeverScramblesTwiceAndPassesPlainTextThrough) {
    const std::string once = ScrambleText("secret", true);
    EXPECT_EQ(ScrambleText(once, true), once);
    EXPECT_EQ(ScrambleText("plain value", false), "plain value");
    EXPECT_EQ(ScrambleText("", true), "");
    EXPECT_EQ(ScrambleText("", false), "");
    EXPECT_EQ(ScrambleText("Scrambled=01", false), "");
}

TEST(ScrambleText, UsuallyDiffersFromOneCallToTheNext) {
    std::set<std::string> results;
    for (int i = 0; i < 20; ++i) {
        const std::string scrambled = ScrambleText("same text", true);
        EXPECT_EQ(ScrambleText(scrambled, false), "same text");
        results.insert(scrambled);
    }
    EXPECT_GT(results.size(), 1u);
}

TEST(RandomBetween, StaysInsideItsBounds) {
    std::set<int64_t> seen;
    for (int i = 0; i < 500; ++i) {
        const int64_t value = RandomBetween(10000, 10004);
        EXPECT_GE(value, 10000);
        EXPECT_LE(value, 10004);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(RandomBetween(7, 7), 7);
}

}  // namespace
