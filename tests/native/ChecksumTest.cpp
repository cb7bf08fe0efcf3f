#include <gtest/gtest.h>

#include <filesystem>

#include "SetupFileWriter.h"
#include "TempDir.h"
#include "package/Checksum.h"
#include "package/PackWrite.h"

namespace {

class PackageChecksumTest : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes) {
        const std::string path = dir_.File("setup.bin");
        EXPECT_TRUE(fixture::WriteBinaryFile(path, bytes));
        return path;
    }
    uint32_t SumOf(const std::string& bytes) { return PackageChecksum(Write(bytes), kTrailerSize); }

    fixture::TempDir dir_;
};

void PutWord(std::string& bytes, size_t at, uint32_t value) { PutLE32(reinterpret_cast<uint8_t*>(&bytes[at]), value); }

TEST_F(PackageChecksumTest, AddsTheBlockBonusWhileMoreThanFourBytesAreLeftBeforeTheTrailer) {
    // All-zero files that are not PE images: only the 1234 after each 4096-byte block counts.
    struct Case { size_t size; uint32_t expected; };
    const Case cases[] = {
        {5000, 1234},             // 4926 bytes before the trailer: one bonus after the first block
        {4096 + 74, 0},           // exactly one block before the trailer: nothing left after it
        {8192 + 74 + 5, 2 * 1234},  // 5 bytes left after the second block still count
        {8192 + 74 + 4, 1234},      // 4 bytes left do not
        {10, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(SumOf(std::string(c.size, '\0')), c.expected) << c.size;
}

TEST_F(PackageChecksumTest, WordsNearTheTrailerCountOnlyWithMoreThanFourBytesAfterThem) {
    struct Case { size_t dataBeforeTrailer; size_t wordAt; bool counted; };
    const Case cases[] = {
        {100, 88, true},    // 8 bytes follow it before the trailer
        {100, 92, false},   // 4 bytes follow
        {100, 96, false},   // the last word before the trailer
        {100, 100, false},  // inside the trailer
        {101, 92, true},    // 5 bytes follow
        {101, 96, false},
    };
    for (const auto& c : cases) {
        std::string bytes(c.dataBeforeTrailer + kTrailerSize, '\0');
        PutWord(bytes, c.wordAt, 7);
        EXPECT_EQ(SumOf(bytes), c.counted ? 7u : 0u) << c.dataBeforeTrailer << " / " << c.wordAt;
    }
}

TEST_F(PackageChecksumTest, WrapsAroundInThirtyTwoBits) {
    std::string bytes(200, '\0');
    PutWord(bytes, 0, 0xFFFFFFF0u);
    PutWord(bytes, 4, 0x20u);
    EXPECT_EQ(SumOf(bytes), 0x10u);
}

TEST_F(PackageChecksumTest, DataEndSkipsTheFirst512BytesAndWhatFollowsTheData) {
    fixture::SetupImage image;
    image.stub = fixture::FakePEImage(0x600);
    image.headerBlocks = {"\x02" "English" "\x01" "s1=x" "\x02", "|||||"};
    const std::string setup = fixture::Build(image);
    const uint32_t base = SumOf(setup);

    std::string changedHeader = setup;
    changedHeader[0x40] = 'Q';  // inside the first 512 bytes
    EXPECT_EQ(SumOf(changedHeader), base);

    std::string changedStub = setup;
    changedStub[0x240] = 'Q';
    EXPECT_NE(SumOf(changedStub), base);

    EXPECT_EQ(SumOf(setup + std::string(5000, '\xFF')), base) << "a signature appended after the data end";

    // Without a data end the whole file counts, from offset 0 to its physical end.
    image.writeDataEnd = false;
    const std::string noDataEnd = fixture::Build(image);
    std::string changedNoDataEnd = noDataEnd;
    changedNoDataEnd[0x40] = 'Q';
    EXPECT_NE(SumOf(changedNoDataEnd), SumOf(noDataEnd));
}

TEST_F(PackageChecksumTest, FilesOverFiftyMiBPassUnread) {
    const std::string path = dir_.File("big.bin");
    ASSERT_TRUE(fixture::WriteBinaryFile(path, ""));
    std::filesystem::resize_file(path, kChecksumSizeLimit);
    EXPECT_EQ(PackageChecksum(path, kTrailerSize), 12799u * 1234u) << "exactly 50 MiB is still summed";
    std::filesystem::resize_file(path, kChecksumSizeLimit + 1);
    EXPECT_EQ(PackageChecksum(path, kTrailerSize), kChecksumExempt);
    EXPECT_EQ(PackageChecksum(dir_.File("missing.bin"), kTrailerSize), 0u);
}

TEST(ChecksumAccepted, EqualSumsOrTheExemptValuePass) {
    EXPECT_TRUE(ChecksumAccepted(5, 5));
    EXPECT_FALSE(ChecksumAccepted(5, 6));
    EXPECT_TRUE(ChecksumAccepted(kChecksumExempt, 6));
    EXPECT_TRUE(ChecksumAccepted(5, kChecksumExempt));
}

TEST(SpaceTable, SumsSizesRoundedUpToEachClusterSize) {
    const SpaceTable table = SpaceTableOf({0, 1, 511, 512, 513, 70000});
    const SpaceTable expected = {71537, 72704, 74752, 79872, 90112, 106496, 147456, 229376, 393216};
    EXPECT_EQ(table, expected);
}

TEST(SpaceTable, SumsBeyondThirtyTwoBitsSaturate) {
    const SpaceTable table = SpaceTableOf({uint64_t(1) << 32, 1});
    for (int k = 0; k < kSpaceTableSize; ++k) EXPECT_EQ(table[k], 0xFFFFFFFFu) << k;
}

TEST(SpaceTable, ElementForAClusterSizeIsTheLargestNotAboveIt) {
    const SpaceTable table = {100, 101, 102, 103, 104, 105, 106, 107, 108};
    struct Case { int64_t clusterSize; double expected; };
    const Case cases[] = {
        {0, 100}, {511, 100}, {512, 101}, {1000, 101}, {4096, 104}, {32767, 106}, {65536, 108}, {1 << 20, 108},
    };
    for (const auto& c : cases) EXPECT_EQ(SpaceForClusterSize(table, c.clusterSize), c.expected) << c.clusterSize;
}

}  // namespace
