#include <gtest/gtest.h>

#include "SetupFileWriter.h"
#include "TempDir.h"
#include "package/PackageEntries.h"
#include "utils/FileIO.h"

namespace {

TEST(DiskFiles, NamesFollowTheFirstDisk) {
    EXPECT_EQ(DiskBaseName("D:\\Setup.exe.001"), "D:\\Setup.exe");
    EXPECT_EQ(DiskBaseName("D:\\SETUP.EXE.001"), "D:\\SETUP.EXE");
    EXPECT_EQ(DiskBaseName("D:\\Setup.exe"), "D:\\Setup.exe");
    EXPECT_EQ(DiskFileName("D:\\Setup.exe", 2), "D:\\Setup.exe.002");
    EXPECT_EQ(DiskFileName("Setup.exe", 12), "Setup.exe.012");
    EXPECT_EQ(DiskFileName("Setup.exe", 1234), "Setup.exe.1234");
}

TEST(IsSafeEntryName, KeepsEveryWriteInsideTheFolder) {
    const struct { const char* name; bool safe; } cases[] = {
        {"a.txt", true},        {"sub\\a.txt", true},    {"12#a.txt", true},      {"a..b.txt", true},
        {"", false},            {"\\a.txt", false},      {"C:\\a.txt", false},    {"C:a.txt", false},
        {"..\\a.txt", false},   {"sub\\..\\..\\a", false}, {"/etc/x", false},     {"sub//a", false},
        {"..", false},          {".\\a", false},         {"a\\", false},          {"\\\\srv\\share\\a", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsSafeEntryName(c.name), c.safe) << c.name;
}

class BlockReaderTest : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes) {
        const std::string path = dir_.File("package.bin");
        EXPECT_TRUE(fixture::WriteBinaryFile(path, bytes));
        return path;
    }
    static std::string Block(int32_t length, const std::string& content) {
        uint8_t bytes[4];
        PutLE32(bytes, uint32_t(length));
        return std::string(reinterpret_cast<char*>(bytes), 4) + content;
    }
    fixture::TempDir dir_;
};

void CountPump(void* context) { ++*static_cast<int*>(context); }

TEST_F(BlockReaderTest, ReadsCompressedAndStoredBlocksInChunksUpToTheTrailer) {
    const std::string big(200000, 'b');
    const std::string bytes = Block(3, "abc") + Block(-int32_t(big.size()), big) + std::string(kTrailerSize, 't');
    SharedReadFile file(Write(bytes));
    int pumps = 0;
    PackageBlockReader reader(file, 0, int64_t(bytes.size()), CountPump, &pumps);
    std::string content;
    bool compressed = false;
    ASSERT_TRUE(reader.HasMore());
    ASSERT_TRUE(reader.Next(content, compressed));
    EXPECT_EQ(content, "abc");
    EXPECT_TRUE(compressed);
    ASSERT_TRUE(reader.HasMore());
    ASSERT_TRUE(reader.Next(content, compressed));
    EXPECT_EQ(content, big);
    EXPECT_FALSE(compressed);
    EXPECT_FALSE(reader.HasMore());  // only the trailer is left
    EXPECT_EQ(pumps, 1 + 4);         // 64 KiB chunks: 3 bytes, then 200000 bytes
}

TEST_F(BlockReaderTest, DamagedLengthsStopWithoutAllocating) {
    struct Case { const char* what; std::string bytes; };
    const Case cases[] = {
        {"length past the end", Block(1000, "short") + std::string(80, 't')},
        {"most negative length", Block(INT32_MIN, "") + std::string(80, 't')},
        {"huge stored length", Block(-0x7FFFFFFF, "") + std::string(80, 't')},
        {"length field cut", std::string("\x05\x00", 2)},
    };
    for (const auto& c : cases) {
        SharedReadFile file(Write(c.bytes));
        PackageBlockReader reader(file, 0, int64_t(c.bytes.size()) + 80, nullptr, nullptr);
        std::string content = "previous";
        bool compressed = false;
        EXPECT_FALSE(reader.Next(content, compressed)) << c.what;
        EXPECT_TRUE(content.empty()) << c.what;
        EXPECT_LT(content.capacity(), size_t(1) << 20) << c.what;
    }
}

}  // namespace
