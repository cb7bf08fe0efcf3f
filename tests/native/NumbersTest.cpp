#include <gtest/gtest.h>

#include "utils/Numbers.h"

namespace {

TEST(StrToIntBase, ReadsDigitsWithoutValidation) {
    struct Case { const char* s; int base; int64_t expected; };
    const Case cases[] = {
        {"ff", 16, 255}, {"1F", 16, 31}, {"1Z", 16, 15}, {"", 16, 0},      {" 101 ", 2, 5},
        {"777", 8, 511}, {"19", 8, 17},  {"123", 10, 123}, {"FFFFFFFFFFFFFFFF", 16, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToIntBase(c.s, c.base), c.expected) << c.s << " base " << c.base;
}

TEST(HexToInt64, DropsTheLeading0xInAnyCase) {
    EXPECT_EQ(HexToInt64("0X1A"), 26);
    EXPECT_EQ(HexToInt64("0x1a"), 26);
    EXPECT_EQ(HexToInt64("1a"), 26);
    EXPECT_EQ(HexToInt64(" 0x10 "), 16);
    EXPECT_EQ(HexToInt64("7FFFFFFFFFFFFFFF"), INT64_MAX);
}

TEST(FormatKilobytes, OneDecimalPointAndCommasBetweenThousands) {
    struct Case { int64_t bytes; const char* kilobytes; const char* megabytes; };
    const Case cases[] = {
        {0, "0.0", "0.0"},
        {1536, "1.5", "0.0"},
        {1048576, "1,024.0", "1.0"},
        {256, "0.3", "0.0"},                       // 0.25 rounds away from zero
        {1073741824, "1,048,576.0", "1,024.0"},    // a million kilobytes: two separators
        {999 * 1024 + 973, "1,000.0", "1.0"},      // 999.95... rounds up into the next group
        {int64_t(123456789) * 1048576, "126,419,751,936.0", "123,456,789.0"},
        {INT64_MAX, "9,007,199,254,740,992.0", "8,796,093,022,208.0"},
        {-1536, "-1.5", "0.0"},  // no sign on a value that rounds to zero
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatKilobytes(c.bytes), c.kilobytes) << c.bytes;
        EXPECT_EQ(FormatMegabytes(c.bytes), c.megabytes) << c.bytes;
    }
}

TEST(FormatFixed, RoundsHalvesAwayFromZero) {
    struct Case { double value; int decimals; char separator; const char* expected; };
    const Case cases[] = {
        {2.5, 0, '.', "3"},        {-2.5, 0, '.', "-3"},       {1.25, 1, ',', "1,3"},
        {0.001, 2, '.', "0.00"},   {-0.001, 2, '.', "0.00"},  {123.456, 2, '.', "123.46"},
        {0.5, 3, '.', "0.500"},    {1e20, 1, '.', "100000000000000000000.0"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatFixed(c.value, c.decimals, c.separator), c.expected) << c.value;
}

TEST(Numbers, BoundsOfSigned64BitValues) {
    EXPECT_EQ(Min64(-1, 1), -1);
    EXPECT_EQ(Max64(-1, 1), 1);
    EXPECT_EQ(EnsureRange64(5, 1, 10), 5);
    EXPECT_EQ(EnsureRange64(-5, 1, 10), 1);
    EXPECT_EQ(EnsureRange64(50, 1, 10), 10);
    EXPECT_EQ(EnsureRange64(5, 10, 1), 1);  // low first, then high
}

}  // namespace
