#include <gtest/gtest.h>

#include "utils/Paths.h"
#include "utils/Text.h"

namespace {

struct ReplaceCase { const char* s; const char* from; const char* to; const char* expected; };

TEST(ReplaceAll, NeverRescansReplacedText) {
    const ReplaceCase cases[] = {
        {"aXbXc", "X", "YY", "aYYbYYc"}, {"aaa", "a", "aa", "aaaaaa"}, {"aabb", "ab", "", ""},
        {"abc", "x", "y", "abc"},        {"abc", "", "y", "abc"},      {"", "a", "b", ""},
        {"aXa", "aXa", "aXa", "aXa"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReplaceAll(c.s, c.from, c.to), c.expected) << c.s;
}

TEST(ReplaceAllNoCase, KeepsTheCaseOfUntouchedText) {
    EXPECT_EQ(ReplaceAllNoCase("Path=\\Windows\\x", "windows", "Win"), "Path=\\Win\\x");
    EXPECT_EQ(ReplaceAllNoCase("Disk <disk_num> of <DISK_NUM>", "<DISK_NUM>", "2"), "Disk 2 of 2");
}

TEST(TryStrToInt64, AcceptsOnlyPlainDecimals) {
    struct Case { const char* text; bool ok; int64_t value; };
    const Case cases[] = {
        {"0", true, 0},   {"-12", true, -12},   {"+7", true, 7},  {"9223372036854775807", true, INT64_MAX},
        {"-9223372036854775808", true, INT64_MIN}, {"9223372036854775808", false, 0},
        {"", false, 0},   {"-", false, 0},      {" 1", false, 0}, {"1x", false, 0}, {"0x10", false, 0},
    };
    for (const auto& c : cases) {
        int64_t value = 0;
        EXPECT_EQ(TryStrToInt64(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(TextHelpers, TrimCaseAndSearch) {
    EXPECT_EQ(Trim("  a b \t"), "a b");
    EXPECT_EQ(UpperCase("abc\xE9z"), "ABC\xE9Z");  // only ASCII letters fold
    EXPECT_TRUE(SameTextTrimmed(" X_Agent.exe", "x_agent.EXE "));
    EXPECT_EQ(PosNoCase("B", "abcb"), 2u);
    EXPECT_EQ(PosNoCase("", "abc"), 0u);
    EXPECT_EQ(PosNoCase("x", "abc"), 0u);
}

TEST(Paths, FileNamePartsAndExtensions) {
    EXPECT_EQ(ExtractFileName("C:\\a\\b.exe"), "b.exe");
    EXPECT_EQ(ExtractFileName("b.exe"), "b.exe");
    EXPECT_EQ(ExtractFileDir("C:\\a\\b.exe"), "C:\\a");
    EXPECT_EQ(FileNameWithoutExt("C:\\a.b\\c.tar.gz", false), "c.tar");
    EXPECT_EQ(FileNameWithoutExt("C:\\a.b\\c.tar.gz", true), "c");
    EXPECT_EQ(FileNameWithoutExt("C:\\a.b\\noext", false), "noext");
}

}  // namespace
