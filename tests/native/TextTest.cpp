#include <gtest/gtest.h>

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

TEST(PosFrom, SearchesFromItsStartAndStopsAtNulOnlyWhenStartingLater) {
    struct Case { const char* sub; std::string s; int64_t start; bool ignoreCase; size_t expected; };
    const Case cases[] = {
        {"b", "abcabc", 1, false, 2},  {"b", "abcabc", 3, false, 5},  {"b", "abcabc", 0, false, 2},
        {"b", "abcabc", -4, false, 2}, {"b", "abcabc", 7, false, 0},  {"B", "abcabc", 3, false, 0},
        {"B", "abcabc", 3, true, 5},   {"", "abc", 1, false, 0},      {"bc", "abcabc", 5, false, 5},
        {"c", std::string("ab\0c", 4), 1, false, 4},                   // start 1: the whole text
        {"c", std::string("xab\0c", 5), 2, false, 0},                  // a later start ends at NUL
    };
    for (const auto& c : cases)
        EXPECT_EQ(PosFrom(c.sub, c.s, c.start, c.ignoreCase), c.expected) << c.sub << " from " << c.start;
    EXPECT_EQ(PosFromNoCase("X", "axbx", 3), 4u);
}

TEST(TextHelpers, LastPosStartsWithAndEndsWith) {
    EXPECT_EQ(LastPos("ab", "abxab"), 4u);
    EXPECT_EQ(LastPos("q", "abxab"), 0u);
    EXPECT_EQ(LastPos("", "abc"), 0u);
    EXPECT_TRUE(StartsWith("HK", "hklm\\x", true));
    EXPECT_FALSE(StartsWith("HK", "hklm\\x", false));
    EXPECT_FALSE(StartsWith("", "abc", false));  // an empty prefix never matches
    EXPECT_FALSE(StartsWith("abcd", "abc", false));
    EXPECT_TRUE(EndsWith(".EXE", "setup.exe", true));
    EXPECT_FALSE(EndsWith(".EXE", "setup.exe", false));
    EXPECT_FALSE(EndsWith("longer.exe", ".exe", true));
    EXPECT_TRUE(EndsWithNoCase("\\Vendor\\App", "C:\\vendor\\APP"));
}

TEST(TextHelpers, TextBeforeAndAfterTheFirstSeparator) {
    EXPECT_EQ(TextBefore("a=b=c", "=", "none"), "a");
    EXPECT_EQ(TextAfter("a=b=c", "=", "none"), "b=c");
    EXPECT_EQ(TextBefore("abc", "=", "none"), "none");
    EXPECT_EQ(TextAfter("abc", "=", "none"), "none");
    EXPECT_EQ(TextAfter("key::value", "::", ""), "value");
    EXPECT_EQ(TextBefore("=b", "=", "none"), "");
}

TEST(StripEnclosing, StripsBothEndsOnlyWhenEnclosedOrForced) {
    struct Case { const char* s; char ch; bool force; bool onceOnly; const char* expected; };
    const Case cases[] = {
        {"\"", '"', false, false, ""},            {"\"a\"", '"', false, false, "a"},
        {"\"\"a\"\"", '"', false, false, "a"},    {"\"\"a\"\"", '"', false, true, "\"a\""},
        {"\"a", '"', false, false, "\"a"},         {"\"a", '"', true, false, "a"},
        {"a\"\"", '"', true, false, "a"},          {"\"\"", '"', false, false, ""},
        {"\"\"\"", '"', false, true, "\""},        {"x", '"', true, false, "x"},
        {"", '"', true, false, ""},                {"|a|", '|', false, false, "a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StripEnclosing(c.s, c.ch, c.force, c.onceOnly), c.expected)
            << c.s << " force=" << c.force << " once=" << c.onceOnly;
}

TEST(Unquote, TrimsThenStripsTheDoubleQuotes) {
    EXPECT_EQ(Unquote("  \"C:\\Program Files\\App\"  ", false), "C:\\Program Files\\App");
    EXPECT_EQ(Unquote(" \"C:\\App ", false), "\"C:\\App");  // quoted at one end only
    EXPECT_EQ(Unquote(" \"C:\\App ", true), "C:\\App");
    EXPECT_EQ(Unquote("plain", false), "plain");
}

TEST(TextHelpers, PaddingNeverCutsALongerText) {
    EXPECT_EQ(PadLeft("123456", 5, ' '), "123456");
    EXPECT_EQ(PadLeft("12", 5, ' '), "   12");
    EXPECT_EQ(ZeroPad("7", 3), "007");
    EXPECT_EQ(IntToZeroPadded(5, 2), "05");
    EXPECT_EQ(IntToZeroPadded(999, 4), "0999");
    EXPECT_EQ(IntToZeroPadded(12345, 2), "12345");
    EXPECT_EQ(IntToZeroPadded(-5, 3), "-05");
}

TEST(TextHelpers, SmallEdits) {
    EXPECT_EQ(ReplaceChar("C:/a/b", '/', '\\'), "C:\\a\\b");
    EXPECT_EQ(ReplaceChar("aba", 'a', 'a'), "aba");
    EXPECT_EQ(ReverseText("abc"), "cba");
    EXPECT_EQ(ReverseText(""), "");
    EXPECT_EQ(IfThenText(true, "a", "b"), "a");
    EXPECT_EQ(IfThenText(false, "a", "b"), "b");
}

}  // namespace
