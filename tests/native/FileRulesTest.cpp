#include <gtest/gtest.h>

#include <vector>

#include "utils/FileRules.h"
#include "utils/Pump.h"

namespace {

std::vector<size_t> ChunksOf(size_t length, size_t stopAfterBytes = SIZE_MAX) {
    std::vector<size_t> chunks;
    size_t expectedOffset = 0;
    const size_t written = WriteInChunks(length, [&](size_t offset, size_t count) -> size_t {
        EXPECT_EQ(offset, expectedOffset);
        if (offset >= stopAfterBytes) return 0;  // the disk is full
        chunks.push_back(count);
        expectedOffset += count;
        return count;
    });
    EXPECT_EQ(written, expectedOffset);
    return chunks;
}

TEST(WriteInChunks, LongTextsGoOutInTenthsOfAtMostOneMebibyte) {
    const size_t kMiB = 1048576;
    EXPECT_EQ(ChunksOf(100), std::vector<size_t>{100});
    EXPECT_EQ(ChunksOf(kMiB), std::vector<size_t>{kMiB});  // the threshold itself is one write
    EXPECT_TRUE(ChunksOf(0).empty());

    std::vector<size_t> threeMiB(10, 314572);  // 3 MiB / 10, rounded down
    threeMiB.push_back(8);                     // and the rest
    EXPECT_EQ(ChunksOf(3 * kMiB), threeMiB);
    EXPECT_EQ(ChunksOf(20 * kMiB), std::vector<size_t>(20, kMiB));
    EXPECT_EQ(ChunksOf(3 * kMiB, 3 * 314572), std::vector<size_t>(3, 314572));  // stops at a failed write
}

TEST(ReadByteCount, NothingAtOrBeyondTheEnd) {
    struct Case { int64_t size; uint32_t maxLen; int64_t offset; int64_t expected; };
    const Case cases[] = {
        {300, 0, 0, 300},   {300, 1000, 0, 300}, {300, 100, 0, 100},  {300, 100, 250, 50},
        {300, 0, 300, 0},   {300, 0, 301, 0},    {300, 0, -1, 0},     {0, 0, 0, 0},
        {int64_t(5) << 32, 0, 10, (int64_t(5) << 32) - 10},  // above 4 GiB nothing wraps around
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadByteCount(c.size, c.maxLen, c.offset), c.expected)
            << c.size << "/" << c.maxLen << "/" << c.offset;
}

TEST(FreeSpaceQueryPath, DriveAndFirstFolderLevelElseTheRoot) {
    struct Case { const char* path; bool extended; const char* query; const char* root; };
    const Case cases[] = {
        {"C:\\Temp\\Sub\\x", true, "C:\\Temp", "C:\\"},
        {"c:/Temp/Sub", true, "c:\\Temp", "C:\\"},
        {"C:\\Temp", true, "C:\\Temp", "C:\\"},
        {"C:\\", true, "C:\\", "C:\\"},
        {"C:", true, "C:\\", "C:\\"},        // two characters: the root directly
        {"d:\\Temp\\Sub", false, "D:\\", "D:\\"},  // the older query only knows roots
        {"", true, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FreeSpaceQueryPath(c.path, c.extended), c.query) << c.path;
        EXPECT_EQ(DriveRootOf(c.path), c.root) << c.path;
    }
}

TEST(SelfDeleteScript, LoopsUntilTheProgramIsGoneThenCleansUp) {
    const std::string exe = "C:\\Program Files\\App\\X_Agent.exe";
    const std::string batch = "C:\\Users\\Jo Smith\\Temp\\_DEL_ME_.BAT";
    EXPECT_EQ(SelfDeleteScript(exe, batch, false),
              ":START\r\n"
              "DEL \"C:\\Program Files\\App\\X_Agent.exe\"\r\n"
              "IF exist \"C:\\Program Files\\App\\X_Agent.exe\" GOTO START\r\n"
              "DEL \"C:\\Users\\Jo Smith\\Temp\\_DEL_ME_.BAT\"\r\n");
    EXPECT_EQ(SelfDeleteScript(exe, batch, true),
              ":START\r\n"
              "DEL \"C:\\Program Files\\App\\X_Agent.exe\"\r\n"
              "IF exist \"C:\\Program Files\\App\\X_Agent.exe\" GOTO START\r\n"
              "RD \"C:\\Program Files\\App\"\r\n"
              "DEL \"C:\\Users\\Jo Smith\\Temp\\_DEL_ME_.BAT\"\r\n");
}

TEST(YieldWaitStepMs, ATenthOfTheDurationWithin1To25Ms) {
    struct Case { int step; int64_t duration; int expected; };
    const Case cases[] = {
        {0, 1000, 25}, {0, 50, 5}, {0, 5, 1}, {0, 0, 1}, {0, 2, 1}, {0, 100, 10},
        {0, int64_t(1) << 40, 25}, {1, 1000, 1}, {500, 10, 500}, {-3, 1000, 25},
    };
    for (const auto& c : cases)
        EXPECT_EQ(YieldWaitStepMs(c.step, c.duration), c.expected) << c.step << "/" << c.duration;
}

}  // namespace
