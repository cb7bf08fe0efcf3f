#include <gtest/gtest.h>

#include <stdexcept>

#include "Processes.h"
#include "utils/VDebug.h"

namespace {

class DebugFile : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA("C:\\ProgramData", nullptr);
        DeleteFileA(kDebugFilePath);
    }
    void TearDown() override { DeleteFileA(kDebugFilePath); }
};

TEST(DebugViewerChannel, LongLineArrivesAsChunksOf128And128And44WithLineEnd) {
    e2e::DebugViewer viewer(true);
    ASSERT_TRUE(viewer.Running());
    const std::string line = std::string(100, 'a') + std::string(100, 'b') + std::string(100, 'c');
    DebugOut() << line << DebugEol;
    const std::vector<std::string> chunks = e2e::ParseFrames(viewer.Stop());
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0], line.substr(0, 128));
    EXPECT_EQ(chunks[1], line.substr(128, 128));
    EXPECT_EQ(chunks[2], line.substr(256) + "\r\n");
}

TEST(DebugViewerChannel, LogExceptionWritesOneLine) {
    e2e::DebugViewer viewer;
    ASSERT_TRUE(viewer.Running());
    LogException(std::runtime_error("incorrect data check"), "UnPack", "");
    LogException(std::runtime_error("M"), "YieldX", "X");
    EXPECT_EQ(viewer.Stop(), " --- UnPack() --- incorrect data check\r\n --- YieldX() --- X --- M\r\n");
}

TEST_F(DebugFile, ViewerModeWithoutViewerWritesNothingAnywhere) {
    ASSERT_EQ(FindWindowA(kDebugViewerClass, nullptr), nullptr);
    DebugOut() << "into the void" << DebugEol;
    DeliverDebugTextInMode(kDebugOutputModeViewer, "into the void\r\n");
    EXPECT_FALSE(e2e::FileExistsAt(kDebugFilePath));
}

TEST_F(DebugFile, FileModeNormalizesLineEndsAndAppends) {
    DeliverDebugTextInMode(kDebugOutputModeFile, "a\rb\nc\r\n");
    DeliverDebugTextInMode(kDebugOutputModeFile, "d");
    EXPECT_EQ(e2e::ReadFileBytes(kDebugFilePath), "a\r\nb\r\nc\r\nd");
}

TEST_F(DebugFile, BothModeReachesFileAndViewer) {
    e2e::DebugViewer viewer;
    ASSERT_TRUE(viewer.Running());
    DeliverDebugTextInMode(kDebugOutputModeBoth, "x\ny");
    EXPECT_EQ(viewer.Stop(), "x\ny");  // the viewer gets the chunk unchanged
    EXPECT_EQ(e2e::ReadFileBytes(kDebugFilePath), "x\r\ny");
}

TEST_F(DebugFile, OtherModesDiscard) {
    e2e::DebugViewer viewer;
    ASSERT_TRUE(viewer.Running());
    DeliverDebugTextInMode(7, "gone");
    EXPECT_EQ(viewer.Stop(), "");
    EXPECT_FALSE(e2e::FileExistsAt(kDebugFilePath));
}

}  // namespace
