#include <gtest/gtest.h>

#include "Processes.h"
#include "utils/IniFiles.h"

namespace {

class IniFilesTest : public ::testing::Test {
protected:
    // An INI file as another program (or a person) would write it.
    std::string WriteIni(const std::string& content) {
        const std::string path = folder_.File("Product.original");
        EXPECT_TRUE(e2e::WriteFileBytes(path, content));
        return path;
    }
    e2e::TempFolder folder_;
};

TEST_F(IniFilesTest, ReadsWithThePlatformsTrimmingQuoteAndDefaultRules) {
    const std::string ini = WriteIni(
        "[OriginalSetup]\r\n"
        "Empty=\r\n"
        "Blanks=   spaced out   \r\n"
        "Quoted=\"  inside quotes  \"\r\n"
        "OneQuote=\"open\r\n"
        "MixedCase=found\r\n"
        "[Other]\r\n"
        "Empty=elsewhere\r\n");
    struct Case { const char* section; const char* key; const char* expected; };
    const Case cases[] = {
        {"OriginalSetup", "Empty", "dflt"},                    // Key= reads as the default
        {"OriginalSetup", "Blanks", "spaced out"},
        {"OriginalSetup", "Quoted", "  inside quotes  "},      // one pair of quotes removed
        {"OriginalSetup", "OneQuote", "\"open"},
        {"originalsetup", "MIXEDCASE", "found"},               // section and key without case
        {"OriginalSetup", "Missing", "dflt"},
        {"Missing", "Empty", "dflt"},
        {"", "Empty", "dflt"},                                 // no section name
    };
    for (const auto& c : cases) EXPECT_EQ(ReadIniString(ini, c.section, c.key, "dflt"), c.expected) << c.key;
    EXPECT_EQ(ReadIniString(ini, "Other", "Empty", "dflt"), "elsewhere");
    EXPECT_EQ(ReadIniString(folder_.File("missing.ini"), "OriginalSetup", "Blanks", "dflt"), "dflt");
    EXPECT_EQ(ReadIniString(ini, "OriginalSetup", "Missing", "  keeps blanks  "), "  keeps blanks  ");
}

TEST_F(IniFilesTest, LongValuesAreCutAt10240Characters) {
    const std::string ini = WriteIni("[S]\r\nLong=" + std::string(12000, 'v') + "\r\n");
    EXPECT_EQ(ReadIniString(ini, "S", "Long", ""), std::string(10240, 'v'));
}

TEST_F(IniFilesTest, IntegersReadAsSigned64BitOrTheDefault) {
    const std::string ini = WriteIni(
        "[OriginalSetup]\r\nBig=9223372036854775807\r\nNegative=-5\r\nPadded=01\r\nWord=yes\r\nEmpty=\r\n");
    struct Case { const char* key; int64_t expected; };
    const Case cases[] = {
        {"Big", INT64_MAX}, {"Negative", -5}, {"Padded", 1}, {"Word", 42}, {"Empty", 42}, {"None", 42},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadIniInt64(ini, "OriginalSetup", c.key, 42), c.expected) << c.key;
}

TEST_F(IniFilesTest, WritesCreateFileSectionAndKeyAndReadBack) {
    const std::string ini = folder_.File("new.info");
    EXPECT_TRUE(WriteIniString(ini, "NewSetup", "Text", "hello world"));
    EXPECT_TRUE(WriteIniInt64(ini, "OriginalSetup", "ProbeSecondsLast", 3155846400LL));
    EXPECT_TRUE(WriteIniInt64(ini, "OriginalSetup", "Negative", INT64_MIN));
    EXPECT_TRUE(WriteIniString(ini, "newsetup", "TEXT", "replaced"));  // the same key without case
    EXPECT_EQ(ReadIniString(ini, "NewSetup", "Text", ""), "replaced");
    EXPECT_EQ(ReadIniInt64(ini, "OriginalSetup", "ProbeSecondsLast", 0), 3155846400LL);
    EXPECT_EQ(ReadIniInt64(ini, "OriginalSetup", "Negative", 0), INT64_MIN);
    const std::string bytes = e2e::ReadFileBytes(ini);
    EXPECT_NE(bytes.find("ProbeSecondsLast=3155846400"), std::string::npos) << bytes;
    EXPECT_FALSE(WriteIniString(folder_.File("no such folder\\x.ini"), "S", "K", "v"));
}

}  // namespace
