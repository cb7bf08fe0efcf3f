#include <gtest/gtest.h>

#include "utils/Paths.h"

namespace {

// Shift-JIS lead bytes: 0x81..0x9F and 0xE0..0xFC. "\x95\x5C" is one character whose second
// byte is the backslash code.
bool ShiftJisLeadByte(char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

TEST(Paths, FileNamePartsAndExtensions) {
    EXPECT_EQ(ExtractFileName("C:\\a\\b.exe"), "b.exe");
    EXPECT_EQ(ExtractFileName("b.exe"), "b.exe");
    EXPECT_EQ(ExtractFileDir("C:\\a\\b.exe"), "C:\\a");
    EXPECT_EQ(FileNameWithoutExt("C:\\a.b\\c.tar.gz", false), "c.tar");
    EXPECT_EQ(FileNameWithoutExt("C:\\a.b\\c.tar.gz", true), "c");
    EXPECT_EQ(FileNameWithoutExt("C:\\a.b\\noext", false), "noext");
}

TEST(SetTrailingBackslash, KeepsOrAddsExactlyOne) {
    struct Case { const char* path; bool add; const char* expected; };
    const Case cases[] = {
        {"C:\\", true, "C:\\"},          {"C:\\", false, "C:"},          {"C:", true, "C:\\"},
        {"C:", false, "C:"},             {"\\", true, "\\\\"},           {"\\", false, "\\"},
        {"C:\\dir\\", true, "C:\\dir\\"}, {"C:\\dir\\", false, "C:\\dir"}, {"C:\\dir", true, "C:\\dir\\"},
        {"C:\\dir\\\\", false, "C:\\dir\\"}, {"", true, "\\"},           {"", false, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(SetTrailingBackslash(c.path, c.add), c.expected) << c.path << " " << c.add;
}

TEST(RemoveTrailingBackslash, DropsOneFinalBackslash) {
    EXPECT_EQ(RemoveTrailingBackslash("\\"), "");
    EXPECT_EQ(RemoveTrailingBackslash("C:\\"), "C:");
    EXPECT_EQ(RemoveTrailingBackslash("C:\\a\\\\"), "C:\\a\\");
    EXPECT_EQ(RemoveTrailingBackslash("C:\\a"), "C:\\a");
    EXPECT_EQ(RemoveTrailingBackslash(""), "");
}

TEST(CollapseBackslashes, CollapsesRunsButKeepsUncNames) {
    struct Case { const char* s; bool removeTrailing; const char* expected; };
    const Case cases[] = {
        {"C:\\\\dir\\\\\\x", false, "C:\\dir\\x"},
        {"\\\\server\\share", false, "\\\\server\\share"},
        {"|C:\\\\b|\\\\srv\\a|", false, "|C:\\b|\\\\srv\\a|"},
        {"\\\\\\\\server\\x", false, "\\\\server\\x"},  // four at the front: a UNC name again
        {"C:\\dir\\\\", false, "C:\\dir\\"},            // a run at the very end collapses too
        {"C:\\dir\\\\", true, "C:\\dir"},
        {"C:\\dir\\", true, "C:\\dir"},
        {"a\\\\", false, "a\\"},                          // the pair at the front of the rest
        {"\\\\", true, "\\"},
        {"ab", false, "ab"},
    };
    for (const auto& c : cases) EXPECT_EQ(CollapseBackslashes(c.s, c.removeTrailing), c.expected) << c.s;
}

TEST(Paths, BackslashAfterALeadByteBelongsToItsCharacter) {
    const std::string dbcsName = "C:\\\x95\\";  // C:\ then one double-byte character ending in 0x5C
    EXPECT_EQ(SetTrailingBackslash(dbcsName, false, ShiftJisLeadByte), dbcsName);
    EXPECT_EQ(SetTrailingBackslash(dbcsName, true, ShiftJisLeadByte), dbcsName + "\\");
    EXPECT_EQ(RemoveTrailingBackslash(dbcsName, ShiftJisLeadByte), dbcsName);
    EXPECT_EQ(RemoveTrailingBackslash(dbcsName + "\\", ShiftJisLeadByte), dbcsName);
    // "\x95\\" followed by a real backslash is not a pair of backslashes.
    EXPECT_EQ(CollapseBackslashes("C:\\\x95\\\\x", false, ShiftJisLeadByte), "C:\\\x95\\\\x");
    EXPECT_EQ(CollapseBackslashes("C:\\\x95\\\\x", false), "C:\\\x95\\x");  // single-byte reading
}

}  // namespace
