#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>

#include "Processes.h"
#include "utils/AgentLog.h"
#include "utils/Folders.h"

namespace {

class AgentLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        AgentLogEnabled = false;
        SetAgentLogIndent("   ");
        DeleteFileA(AgentLogFileName().c_str());
    }
    void TearDown() override {
        AgentLogEnabled = false;
        SetAgentLogIndent("   ");
        DeleteFileA(AgentLogFileName().c_str());
    }
};

TEST_F(AgentLogTest, LogsNextToTheExecutableUnderTheXName) {
    EXPECT_EQ(AgentLogFileName(), e2e::BinDir() + "X_win_tests.log");
}

TEST_F(AgentLogTest, DisabledLogTouchesNoFile) {
    WriteAgentLog("nothing");
    EXPECT_FALSE(e2e::FileExistsAt(AgentLogFileName()));
}

TEST_F(AgentLogTest, AppendsTimestampedLinesWithThreadIdAndMarker) {
    AgentLogEnabled = true;
    WriteAgentLog("first");
    SetAgentLogIndent(" X ");
    WriteAgentLog("");
    const std::vector<std::string> lines = e2e::SplitLines(e2e::ReadFileBytes(AgentLogFileName()));
    ASSERT_EQ(lines.size(), 2u);
    char id[16];
    std::snprintf(id, sizeof id, "%5lu", GetCurrentThreadId());
    for (const std::string& line : lines) {
        // "dd?mm?yy HH?NN?SS" with the locale's separators, then a blank and the padded id.
        ASSERT_GE(line.size(), 18u + 5u + 3u) << line;
        for (int digit : {0, 1, 3, 4, 6, 7, 9, 10, 12, 13, 15, 16}) EXPECT_TRUE(isdigit(line[digit])) << line;
        EXPECT_EQ(line[8], ' ') << line;
        EXPECT_EQ(line.substr(18, 5), id) << line;
    }
    EXPECT_EQ(lines[0].substr(23), "   first");
    EXPECT_EQ(lines[1].substr(23), " X ");
}

}  // namespace
