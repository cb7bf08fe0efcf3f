#include <gtest/gtest.h>

#include "start/RunModes.h"
#include "utils/CommandLine.h"

namespace {

const char* const kSetupPath = "C:\\Setup Dir\\setup.exe";

struct TailCase { const char* commandLine; const char* exePath; const char* tail; };

TEST(CommandTail, StripsTheProgramNameHoweverItWasWritten) {
    const TailCase cases[] = {
        {"\"C:\\Setup Dir\\setup.exe\" /A=1", kSetupPath, "/A=1"},
        {"\"C:\\Setup Dir\\setup.exe\"", kSetupPath, ""},
        {"\"C:\\Setup Dir\\setup.exe\"   ", kSetupPath, ""},
        {"\"c:\\setup dir\\SETUP.EXE\" /b", kSetupPath, "/b"},           // no regard to case
        {"C:\\app\\setup.exe /x=1  ", "C:\\app\\setup.exe", "/x=1"},      // unquoted path
        {"setup.exe /x", "C:\\app\\setup.exe", "/x"},                    // file name only
        {"C:\\app\\setup.exe)", "C:\\app\\setup.exe", ""},               // one character left counts as empty
        {"C:\\app\\setup.exe /a setup.exe /b", "C:\\app\\setup.exe", "/a setup.exe /b"},  // first occurrence
        {"setup /x", "C:\\app\\setup.exe", "setup /x"},                  // name not found: line kept
    };
    for (const auto& c : cases) EXPECT_EQ(CommandTailOf(c.commandLine, c.exePath), c.tail) << c.commandLine;
}

struct ParamCase { const char* tail; const char* name; const char* value; };

TEST(ParamValue, ReadsNamedParametersOfTheTail) {
    const char* spanLine = "/SpanCdLvl=2 /OriginExe=\"C:\\My Files\\a.exe\"";
    const ParamCase cases[] = {
        {spanLine, "/SpanCdLvl=", "2"},
        {spanLine, "/OriginExe=", "C:\\My Files\\a.exe"},   // quotes are never part of a value
        {spanLine, "OriginExe", "C:\\My Files\\a.exe"},     // "/" is the default prefix, "=" is added
        {spanLine, "/spancdlvl", "2"},                      // no regard to case
        {spanLine, "/Missing=", "DEF"},
        {"-x=5", "-x=", "5"},
        {"/x=5", "-x=", "DEF"},                             // the prefix decides the split
        {"-x=5 /x=6", "/x=", "6"},
        {"/Title=My App /x=1", "/Title=", "My App"},        // blanks inside a value
        {"/a =  7  /b=1", "/a", "7"},                       // blank before "=" tolerated; value trimmed
        {"/a= /b=1", "/a=", ""},                            // present but empty: empty, not the default
        {"", "/a=", "DEF"},
        {"/a=1", "", "DEF"},                                // empty name
        {"/a=1", "  ", "DEF"},
    };
    for (const auto& c : cases) EXPECT_EQ(ParamValueIn(c.tail, c.name, "DEF"), c.value) << c.tail << " | " << c.name;
}

TEST(ParamInt64, ConvertsOrGivesDefault) {
    EXPECT_EQ(ParamInt64In("/SpanCdLvl=2 /OriginExe=\"C:\\My Files\\a.exe\"", "/SpanCdLvl=", 1), 2);
    EXPECT_EQ(ParamInt64In("/SpanCdLvl=abc", "/SpanCdLvl=", 1), 1);
    EXPECT_EQ(ParamInt64In("/n=-9000000000", "/n=", 0), -9000000000LL);
    EXPECT_EQ(ParamInt64In("/n=99999999999999999999", "/n=", 5), 5);
    EXPECT_EQ(ParamInt64In("", "/n=", 7), 7);
}

struct HasParamCase { const char* tail; const char* name; bool has; };

TEST(HasParam, NeedsTheWholeWord) {
    const HasParamCase cases[] = {
        {"/hide /x=1", "/hide", true},  {"/hide /x=1", "/HIDE", true},  {"/hide /x=1", " /hide ", true},
        {"/hide /x=1", "/hid", false},  {"/hide /x=1", "/x=1", true},   {"/hidex", "/hide", false},
        {"", "/hide", false},           {"a /hide", "/hide", true},
    };
    for (const auto& c : cases) EXPECT_EQ(HasParamIn(c.tail, c.name), c.has) << c.tail << " | " << c.name;
}

TEST(SpanCdLevel, IsOneWhenMissingOrNotANumber) {
    EXPECT_EQ(SpanCdLevelOf(""), 1);
    EXPECT_EQ(SpanCdLevelOf("/SpanCdLvl=x"), 1);
    EXPECT_EQ(SpanCdLevelOf("/SpanCdLvl=2"), 2);
    EXPECT_EQ(SpanCdLevelOf("/SpanCdLvl=0"), 0);
}

}  // namespace
