#include <gtest/gtest.h>

#include "Processes.h"
#include "utils/Files.h"
#include "utils/ScopedWin.h"

namespace {

std::string Pattern(size_t length) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i) bytes[i] = char(i * 7 % 251);
    return bytes;
}

// 5 March 2013 14:07:08 (DOS times count two-second steps).
const uint32_t kFileDate = uint32_t((2013 - 1980) << 9 | 3 << 5 | 5) << 16 | (14 << 11 | 7 << 5 | 4);

class FilesTest : public ::testing::Test {
protected:
    e2e::TempFolder folder_;
};

TEST_F(FilesTest, ReadFileToTextTakesMaxLenFromOffset) {
    const std::string path = folder_.File("300.bin");
    const std::string bytes = Pattern(300);  // NUL bytes included
    ASSERT_TRUE(e2e::WriteFileBytes(path, bytes));
    struct Case { uint32_t maxLen; int64_t offset; std::string expected; };
    const Case cases[] = {
        {0, 0, bytes},   {1000, 0, bytes}, {100, 0, bytes.substr(0, 100)}, {100, 250, bytes.substr(250)},
        {0, 299, bytes.substr(299)},       {0, 300, ""}, {0, 301, ""},     {0, -1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadFileToText(path, c.maxLen, c.offset), c.expected) << c.maxLen << " from " << c.offset;
    EXPECT_EQ(ReadFileToText(folder_.File("missing.bin"), 0, 0), "");
    EXPECT_EQ(ReadFileToText(folder_.Path(), 0, 0), "");  // a folder is no file
}

TEST_F(FilesTest, ReadFileToTextOfALockedFileIsEmpty) {
    const std::string path = folder_.File("locked.bin");
    ASSERT_TRUE(e2e::WriteFileBytes(path, "data"));
    {
        const AutoCloseHandle writer(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
        EXPECT_EQ(ReadFileToText(path, 0, 0), "data");  // a writer that shares does not stop readers
    }
    const AutoCloseHandle exclusive(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(exclusive.IsValid());
    EXPECT_EQ(ReadFileToText(path, 0, 0), "");
}

TEST_F(FilesTest, WriteTextToFileReplacesOrAppendsWholeTexts) {
    const std::string path = folder_.File("out.bin");
    EXPECT_TRUE(WriteTextToFile(path, "", 0, false));  // an empty text makes an empty file
    EXPECT_TRUE(e2e::FileExistsAt(path));
    EXPECT_EQ(e2e::ReadFileBytes(path), "");
    EXPECT_TRUE(WriteTextToFile(path, "abc", 0, false));
    EXPECT_TRUE(WriteTextToFile(path, "def", 0, true));
    EXPECT_EQ(e2e::ReadFileBytes(path), "abcdef");
    EXPECT_TRUE(WriteTextToFile(path, "x", 0, false));
    EXPECT_EQ(e2e::ReadFileBytes(path), "x");
    EXPECT_TRUE(WriteTextToFile(folder_.File("new.bin"), "made", 0, true));  // append creates
    EXPECT_EQ(e2e::ReadFileBytes(folder_.File("new.bin")), "made");
    EXPECT_FALSE(WriteTextToFile(folder_.File("no folder\\x.bin"), "x", 0, false));
}

TEST_F(FilesTest, ThreeMebibytesArriveWholeThroughTheChunkedWrite) {
    const std::string path = folder_.File("big.bin");
    const std::string bytes = Pattern(3 * 1048576);
    EXPECT_TRUE(WriteTextToFile(path, bytes, kFileDate, false));
    EXPECT_EQ(e2e::ReadFileBytes(path), bytes);
    EXPECT_EQ(e2e::DosDateOf(path), kFileDate);
    EXPECT_TRUE(WriteTextToFile(path, bytes.substr(0, 10), 0, true));
    EXPECT_EQ(ReadFileToText(path, 0, int64_t(bytes.size())), bytes.substr(0, 10));
}

// Extraction writes an entry piece by piece as it is inflated.
TEST_F(FilesTest, FileWriterAppendsPiecesAsTheyArriveAndDatesTheFileAtTheEnd) {
    const std::string path = folder_.File("pieces.bin");
    ASSERT_TRUE(e2e::WriteFileBytes(path, "old"));
    const std::string bytes = Pattern(1048576 + 5);
    {
        FileWriter writer(path, true);
        ASSERT_TRUE(writer.IsOpen());
        EXPECT_TRUE(writer.Write(bytes.data(), 10));
        EXPECT_EQ(ReadFileToText(path, 0, 0), "old" + bytes.substr(0, 10));  // readable while it is written
        EXPECT_TRUE(writer.Write(bytes.data() + 10, bytes.size() - 10));
        writer.SetDate(kFileDate);
    }
    EXPECT_EQ(e2e::ReadFileBytes(path), "old" + bytes);
    EXPECT_EQ(e2e::DosDateOf(path), kFileDate);

    FileWriter replacing(path, false);
    EXPECT_TRUE(replacing.Write("n", 1));
    replacing.Close();
    EXPECT_FALSE(replacing.IsOpen());
    EXPECT_EQ(e2e::ReadFileBytes(path), "n");

    FileWriter nowhere(folder_.File("no folder\\x.bin"), true);
    EXPECT_FALSE(nowhere.IsOpen());
    EXPECT_FALSE(nowhere.Write("x", 1));
}

TEST_F(FilesTest, AppendTextToFileSharesTheFileAndSetsTheDate) {
    const std::string path = folder_.File("agent.log");
    EXPECT_TRUE(AppendTextToFile(path, "line 1\r\n", 0));
    {
        // Another process reading and writing the same log at the same time.
        const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
        const AutoCloseHandle other(
            CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(other.IsValid());
        EXPECT_TRUE(AppendTextToFile(path, "line 2\r\n", kFileDate));
    }
    EXPECT_EQ(e2e::ReadFileBytes(path), "line 1\r\nline 2\r\n");
    EXPECT_EQ(e2e::DosDateOf(path), kFileDate);
    EXPECT_FALSE(AppendTextToFile(folder_.File("no folder\\x.log"), "x", 0));
}

TEST_F(FilesTest, SizesAndPositionsBeyondFourGibibytes) {
    const std::string path = folder_.File("sparse.bin");
    const int64_t size = (int64_t(5) << 32) + 10;
    {
        const AutoCloseHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file.IsValid());
        EXPECT_EQ(SeekFile(file.Get(), SeekOrigin::Start, size - 10), size - 10);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.Get(), "0123456789", 10, &written, nullptr));
        EXPECT_EQ(GetFileSizeByHandle(file.Get()), uint64_t(size));
        EXPECT_EQ(SeekFile(file.Get(), SeekOrigin::End, 0), size);
        EXPECT_EQ(SeekFile(file.Get(), SeekOrigin::Start, 10), 10);
        EXPECT_EQ(SeekFile(file.Get(), SeekOrigin::Current, 5), 15);
        EXPECT_EQ(SeekFile(file.Get(), SeekOrigin::Start, -1), -1);
    }
    EXPECT_EQ(GetFileSizeByName(path), uint64_t(size));
    EXPECT_EQ(ReadFileToText(path, 4, size - 7), "3456");
    EXPECT_EQ(GetFileSizeByName(folder_.File("missing.bin")), 0u);
    EXPECT_EQ(SeekFile(INVALID_HANDLE_VALUE, SeekOrigin::Start, 0), -1);
    EXPECT_EQ(GetFileSizeByHandle(INVALID_HANDLE_VALUE), 0u);
}

TEST_F(FilesTest, FreeDiskSpaceFallsBackToTheDriveRoot) {
    const double root = GetFreeDiskSpace("C:\\");
    ASSERT_GT(root, 0);
    const double tolerance = 256.0 * 1048576;  // other programs write meanwhile
    EXPECT_NEAR(GetFreeDiskSpace(folder_.Path() + "not\\there\\yet"), root, tolerance);
    EXPECT_NEAR(GetFreeDiskSpace("C:\\NoSuchFolder\\Sub"), root, tolerance);  // first level missing
    EXPECT_NEAR(GetFreeDiskSpace("c:/windows/system32"), root, tolerance);
    EXPECT_NEAR(GetFreeDiskSpace("C:"), root, tolerance);
    EXPECT_GT(GetFreeDiskSpace(""), 0);  // the current directory's disk
    ASSERT_EQ(GetDriveTypeA("Q:\\"), UINT(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(GetFreeDiskSpace("Q:\\Temp"), -1);
}

}  // namespace
