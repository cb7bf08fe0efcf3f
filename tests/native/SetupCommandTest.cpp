#include <gtest/gtest.h>

#include "package/SetupCommand.h"

namespace {

TEST(RemoveParam, CutsFromTheNameToTheNextParameter) {
    const struct { const char* line; const char* name; const char* expected; } cases[] = {
        {"a /SpanCdLvl=2 /b", "/SpanCdLvl=", "a /b"},
        {"a /b /SpanCdLvl=2", "/SpanCdLvl=", "a /b "},
        {"a /x=\"D:\\d/e\" /b", "/x=", "a /e\" /b"},  // a value holding "/" is cut there
        {"a /spancdlvl=2", "/SpanCdLvl=", "a /spancdlvl=2"},  // case-sensitive
        {"a /b", "/SpanCdLvl=", "a /b"},
    };
    for (const auto& c : cases) EXPECT_EQ(RemoveParam(c.line, c.name), c.expected) << c.line;
}

TEST(MegabytesText, DecimalsFollowTheSize) {
    const struct { double bytes; const char* text; } cases[] = {
        {0, "0.000"},           {-5, "0.000"},             {524288, "0.500"},        {5 * 1048576.0, "5.00"},
        {10.5 * 1048576, "10.5"}, {10 * 1048576.0, "10.00"}, {1048576, "1.00"},       {1234.56 * 1048576, "1234.6"},
        {1, "0.000"},
    };
    for (const auto& c : cases) EXPECT_EQ(MegabytesText(c.bytes), c.text) << c.bytes;
}

EngineCommandInput Input(const std::string& entry, const std::string& params) {
    EngineCommandInput input;
    input.dest = "C:\\Temp\\SETUP_123\\";
    input.engineEntry = entry;
    input.params = params;
    input.threadToken = "_42";
    input.exePath = "C:\\Dl\\Setup.exe";
    return input;
}

TEST(EngineCommandLine, FollowsTheEngineContract) {
    const struct { const char* what; EngineCommandInput input; const char* expected; } cases[] = {
        {"plain setup", Input("Engine.exe*", ""),
         "C:\\Temp\\SETUP_123\\Engine.exe /TH_ID=_42 /OriginExe=\"C:\\Dl\\Setup.exe\""},
        {"builder's extra text after the caller's", Input("Engine.exe* /q", "/x"),
         "C:\\Temp\\SETUP_123\\Engine.exe /x /q /TH_ID=_42 /OriginExe=\"C:\\Dl\\Setup.exe\""},
        {"the launcher copy passes its origin on",
         Input("Engine.exe*", "/SpanCdLvl=2 /SpanDiskFName1=\"D:\\Setup.exe.001\" /OriginExe=\"D:\\Setup.exe\""),
         "C:\\Temp\\SETUP_123\\Engine.exe /OriginExe=\"D:\\Setup.exe\" /TH_ID=_42"},
        {"blanks around the entry parts", Input("  Engine.exe  *   /q  ", "  "),
         "C:\\Temp\\SETUP_123\\Engine.exe /q /TH_ID=_42 /OriginExe=\"C:\\Dl\\Setup.exe\""},
    };
    for (const auto& c : cases) EXPECT_EQ(EngineCommandLine(c.input), c.expected) << c.what;

    EngineCommandInput agent = Input("Engine.exe*", "/OriginalInfoFile=\"C:\\App\\P.info\"");
    agent.autoUpdateProg = true;
    agent.dest = "C:\\Temp\\SETUP_123";
    EXPECT_EQ(EngineCommandLine(agent),
              "C:\\Temp\\SETUP_123\\Engine.exe /OriginalInfoFile=\"C:\\App\\P.info\" /TH_ID=_42 "
              "/OriginExe=\"C:\\Dl\\Setup.exe\" /AutoUpdateProg");
}

}  // namespace

namespace {

SpaceQuestionTexts Texts() {
    SpaceQuestionTexts texts;
    texts.ask = "Extract to (<DRIVE>)<P>";
    texts.limited = "Little room on (<DRIVE>)<P>";
    texts.required = "need <SPACE_REQ> MB<P>";
    texts.available = "have <SPACE_AVAIL> MB<P>";
    texts.proceed = "Go on?";
    return texts;
}

TEST(SpaceQuestionText, AsksWhenTheRoomIsShortOrThePackageSaysSo) {
    const double mb = 1048576;
    const struct { const char* what; bool confirm; double required, available; const char* text; } cases[] = {
        {"enough room, no confirmation", false, 5 * mb, 500 * mb, ""},
        {"confirmation", true, 5 * mb, 500 * mb, "Extract to (C:)<P>need 5.00 MB<P>have 500.0 MB<P>Go on?"},
        {"too little room", false, 12.5 * mb, 0.5 * mb, "Little room on (C:)<P>need 12.5 MB<P>have 0.500 MB<P>Go on?"},
        {"exactly the room left counts as too little", false, 2 * mb, 2 * mb,
         "Little room on (C:)<P>need 2.00 MB<P>have 2.00 MB<P>Go on?"},
        {"too little room wins over confirmation", true, 3 * mb, -1,
         "Little room on (C:)<P>need 3.00 MB<P>have 0.000 MB<P>Go on?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpaceQuestionText(Texts(), c.confirm, "C:", c.required, c.available), c.text) << c.what;
}

TEST(AlternativeTempDrive, TakesTheFirstDriveWithTheMostRoom) {
    const struct { const char* what; char current; double space[3]; char chosen; } cases[] = {
        {"D has the most", 'C', {10, 50, 20}, 'D'},
        {"the temporary drive itself has the most", 'C', {50, 10, 20}, '\0'},
        {"a tie goes to the first", 'T', {30, 30, 0}, 'C'},
        {"no drive has room", 'T', {0, 0, 0}, '\0'},
        {"unwritable drives count as none", 'C', {-1, -1, -1}, '\0'},
    };
    for (const auto& c : cases) EXPECT_EQ(AlternativeTempDrive(c.current, c.space), c.chosen) << c.what;
}

}  // namespace
