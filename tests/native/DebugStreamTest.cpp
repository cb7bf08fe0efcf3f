#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "utils/AgentLogFormat.h"
#include "utils/Dates.h"
#include "utils/DebugStream.h"

namespace {

std::vector<std::string> g_chunks;
void RecordChunk(const char* chunk, size_t length) { g_chunks.emplace_back(chunk, length); }
// Fails on every chunk that holds a 'z', records the others.
void FailingOnZSink(const char* chunk, size_t length) {
    const std::string text(chunk, length);
    if (text.find('z') != std::string::npos) throw std::runtime_error("viewer gone");
    g_chunks.push_back(text);
}

class DebugStreamTest : public ::testing::Test {
protected:
    void SetUp() override { g_chunks.clear(); }
};

TEST_F(DebugStreamTest, LongLineArrivesInChunksOf128WithLineEndInTheLast) {
    DebugStream out(RecordChunk);
    out << std::string(300, 'x') << DebugEol;
    ASSERT_EQ(g_chunks.size(), 3u);
    EXPECT_EQ(g_chunks[0], std::string(128, 'x'));
    EXPECT_EQ(g_chunks[1], std::string(128, 'x'));
    EXPECT_EQ(g_chunks[2], std::string(44, 'x') + "\r\n");
}

TEST_F(DebugStreamTest, FlushPointsFollowTheBuffer) {
    struct Case { size_t lineLength; std::vector<size_t> chunkSizes; };
    const Case cases[] = {
        {0, {2}},
        {126, {128}},         // fits with its CR LF
        {127, {128, 1}},      // the CR fills the buffer, the LF travels alone
        {128, {128, 2}},
    };
    for (const auto& c : cases) {
        g_chunks.clear();
        DebugStream out(RecordChunk);
        out << std::string(c.lineLength, 'a') << DebugEol;
        std::vector<size_t> sizes;
        for (const auto& chunk : g_chunks) sizes.push_back(chunk.size());
        EXPECT_EQ(sizes, c.chunkSizes) << c.lineLength;
    }
}

TEST_F(DebugStreamTest, WritesValuesInOrder) {
    DebugStream out(RecordChunk);
    out << 1234 << " ==== ThisIs_AutoUpdateProg=" << false << ' ' << true << ' ' << -5 << ' '
        << uint64_t(18446744073709551615ull) << '<' << DebugEol;
    ASSERT_EQ(g_chunks.size(), 1u);
    EXPECT_EQ(g_chunks[0], "1234 ==== ThisIs_AutoUpdateProg=FALSE TRUE -5 18446744073709551615<\r\n");
}

TEST_F(DebugStreamTest, PendingTextIsFlushedWhenTheStreamCloses) {
    {
        DebugStream out(RecordChunk);
        out << "tail";
        EXPECT_TRUE(g_chunks.empty());
    }
    ASSERT_EQ(g_chunks.size(), 1u);
    EXPECT_EQ(g_chunks[0], "tail");
}

TEST_F(DebugStreamTest, AFailingSinkNeverBlocksLaterOutput) {
    DebugStream out(FailingOnZSink);
    out << std::string(500, 'z') << DebugEol;  // every flush of these throws; nothing escapes
    out << "still writable" << DebugEol;
    // The failed chunks were dropped, not kept in the buffer in front of the next line.
    ASSERT_EQ(g_chunks.size(), 1u);
    EXPECT_EQ(g_chunks[0], "still writable\r\n");
}

TEST(NormalizeLineEnds, AnyMixBecomesCRLF) {
    EXPECT_EQ(NormalizeLineEnds("a\rb\nc\r\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(NormalizeLineEnds("\n\r\r\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(NormalizeLineEnds("plain"), "plain");
    EXPECT_EQ(NormalizeLineEnds(""), "");
}

TEST(ExceptionLine, PutsExtraBetweenParenthesesAndMessage) {
    EXPECT_EQ(ExceptionLine("R", "", "M"), " --- R() --- M");
    EXPECT_EQ(ExceptionLine("YieldX", "X", "M"), " --- YieldX() --- X --- M");
}

struct LogNameCase { const char* exePath; const char* logPath; };

TEST(AgentLogFileName, AgentAndCopyShareOneLog) {
    const LogNameCase cases[] = {
        {"C:\\P\\Agent.exe", "C:\\P\\X_Agent.log"},
        {"C:\\P\\X_Agent.exe", "C:\\P\\X_Agent.log"},
        {"C:\\P\\x_agent.exe", "C:\\P\\X_x_agent.log"},  // the test for "X_" is case-sensitive
        {"C:\\P\\My.Agent.exe", "C:\\P\\X_My.Agent.log"},
        {"C:\\P\\Agent", "C:\\P\\X_Agent.log"},
        {"C:\\Agent.exe", "C:\\X_Agent.log"},
    };
    for (const auto& c : cases) EXPECT_EQ(AgentLogFileNameFor(c.exePath), c.logPath) << c.exePath;
}

TEST(AgentLogLine, TimestampPaddedThreadMarkerMessage) {
    EXPECT_EQ(AgentLogLine("05/03/13 14:07:09", 1234, "   ", "msg"), "05/03/13 14:07:09  1234   msg\r\n");
    EXPECT_EQ(AgentLogLine("t", 123456, " X ", ""), "t 123456 X \r\n");  // longer ids are not cut
}

TEST(FormatLogTimestamp, UsesTwoDigitsAndLocaleSeparators) {
    DateTimeParts t;
    t.Year = 2013; t.Month = 3; t.Day = 5; t.Hour = 14; t.Minute = 7; t.Second = 9;
    EXPECT_EQ(FormatLogTimestamp(t, "/", ":"), "05/03/13 14:07:09");
    EXPECT_EQ(FormatLogTimestamp(t, ".", "."), "05.03.13 14.07.09");
    t.Year = 2000; t.Hour = 0;
    EXPECT_EQ(FormatLogTimestamp(t, "-", ":"), "05-03-00 00:07:09");
}

}  // namespace
