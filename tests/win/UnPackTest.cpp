// Extraction of crafted packages in this process: entries, header blocks, names, dates,
// damaged blocks, the agent file and the one box for a failed write.
#include <gtest/gtest.h>

#include <zlib.h>

#include <vector>

#include "Processes.h"
#include "SetupFileWriter.h"
#include "UserActor.h"
#include "package/PackX.h"
#include "package/UnPack.h"
#include "package/ZLibOpen.h"

namespace {

std::string Compressed(const std::string& plain) {
    uLongf size = compressBound(uLong(plain.size()));
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&packed[0]), &size, reinterpret_cast<const Bytef*>(plain.data()),
              uLong(plain.size()), 6);
    packed.resize(size);
    return packed;
}

std::string Entry(const std::string& header, const std::string& data) { return header + '\0' + data; }

// A block with an explicit signed length (the fixture writer's blocks are all "compressed").
std::string RawBlock(int32_t length, const std::string& content) {
    uint8_t bytes[4];
    PutLE32(bytes, uint32_t(length));
    return std::string(reinterpret_cast<char*>(bytes), 4) + content;
}

// A block holding the entry text compressed.
std::string CompressedBlock(const std::string& entryText) {
    const std::string packed = Compressed(entryText);
    return RawBlock(int32_t(packed.size()), packed);
}

// 4 March 2020 10:00:08.
const uint32_t kEntryDate = (uint32_t(40) << 25 | 3u << 21 | 4u << 16) | (5u << 11 | 6u << 5 | 4u);

std::vector<std::pair<int, int>> g_progress;  // (kind, max) of every call
void RecordProgress(int kind, int, uint16_t max, const std::string&, int, int) { g_progress.emplace_back(kind, max); }

class UnPackTest : public ::testing::Test {
protected:
    void SetUp() override { g_progress.clear(); }

    // A package whose file entries are the given raw blocks (length field included).
    std::string WritePackage(const std::string& name, const std::vector<std::string>& rawBlocks, uint8_t headerBlocks = 2) {
        fixture::SetupImage image;
        image.headerBlocks = {"\x02" "\x01" "English" "\x01" "\x02", fixture::SetupInfoList("", ".info", "Agent.exe", "", "")};
        if (headerBlocks == 3) image.headerBlocks.push_back("|http://x/|F.exe|1|T|9|");
        image.trailer.FileCount = uint32_t(rawBlocks.size());
        std::string bytes = fixture::Build(image);
        // Put the raw blocks between the header blocks and the trailer.
        std::string blocks;
        for (const std::string& block : rawBlocks) blocks += block;
        bytes.insert(bytes.size() - kTrailerSize, blocks);
        PutLE32(reinterpret_cast<uint8_t*>(&bytes[kDataEndLowOffset]), uint32_t(bytes.size()));
        const std::string path = source_.File(name);
        EXPECT_TRUE(e2e::WriteFileBytes(path, bytes));
        return path;
    }

    UnPackResult Extract(const std::string& source, const std::string& agentName = "") {
        UnPackRequest request;
        request.Source = source;
        request.Dest = dest_.Path() + "out";
        request.AgentName = agentName;
        request.Progress = RecordProgress;
        return UnPack(request);
    }
    std::string Out(const std::string& name) const { return dest_.Path() + "out\\" + name; }

    e2e::TempFolder source_;
    e2e::TempFolder dest_;
};

TEST_F(UnPackTest, WritesStoredAndCompressedEntriesAfterTheHeaderBlocks) {
    const std::string path = WritePackage(
        "Setup.exe", {RawBlock(-int32_t(Entry("|plain.txt|0|", "as is").size()), Entry("|plain.txt|0|", "as is")),
                      RawBlock(int32_t(Compressed(Entry("|packed.txt|0|", std::string(5000, 'p'))).size()),
                               Compressed(Entry("|packed.txt|0|", std::string(5000, 'p'))))});
    const UnPackResult result = Extract(path);
    EXPECT_TRUE(result.ChecksumOK);
    EXPECT_EQ(result.EngineEntry, "");
    EXPECT_EQ(e2e::ReadFileBytes(Out("plain.txt")), "as is");
    EXPECT_EQ(e2e::ReadFileBytes(Out("packed.txt")), std::string(5000, 'p'));
}

TEST_F(UnPackTest, ThreeHeaderBlocksAreSkippedBeforeTheFirstFile) {
    const std::string entry = Entry("|first.txt|0|", "1");
    const std::string path = WritePackage("Setup.exe", {RawBlock(-int32_t(entry.size()), entry)}, 3);
    EXPECT_TRUE(Extract(path).ChecksumOK);
    EXPECT_EQ(e2e::ReadFileBytes(Out("first.txt")), "1");
}

TEST_F(UnPackTest, SameNameEntriesAreConcatenatedAndCountedOnce) {
    const std::string x = Entry("|a.bin|0|", "x"), y = Entry("|a.bin|0|", "y");
    const std::string path = WritePackage("Setup.exe", {RawBlock(-2 - 9, x), RawBlock(-2 - 9, y)});
    Extract(path);
    EXPECT_EQ(e2e::ReadFileBytes(Out("a.bin")), "xy");
    int steps = 0;
    for (const auto& call : g_progress) steps += call.first == 1;
    EXPECT_EQ(steps, 1);
    ASSERT_GE(g_progress.size(), 2u);
    EXPECT_EQ(g_progress[0], std::make_pair(0, 0));  // start
    EXPECT_EQ(g_progress[1], std::make_pair(0, 2));  // the package's FileCount
}

TEST_F(UnPackTest, EngineEntryKeepsItsExtraTextAndTheFileItsName) {
    const std::string engine = Entry("|Engine.exe* /s|0|", "MZ");
    const std::string path = WritePackage("Setup.exe", {RawBlock(-int32_t(engine.size()), engine)});
    EXPECT_EQ(Extract(path).EngineEntry, "Engine.exe* /s");
    EXPECT_EQ(e2e::ReadFileBytes(Out("Engine.exe")), "MZ");
}

TEST_F(UnPackTest, EntryDatesBecomeFileDatesAndZeroKeepsTheCreationTime) {
    const std::string dated = Entry("|dated.txt|" + std::to_string(kEntryDate) + "|", "d");
    const std::string undated = Entry("|undated.txt|0|", "u");
    const std::string path = WritePackage("Setup.exe", {RawBlock(-int32_t(dated.size()), dated),
                                                        RawBlock(-int32_t(undated.size()), undated)});
    Extract(path);
    EXPECT_EQ(e2e::DosDateOf(Out("dated.txt")), kEntryDate);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(Out("undated.txt").c_str(), GetFileExInfoStandard, &data));
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const int64_t age = (int64_t(now.dwHighDateTime) << 32 | now.dwLowDateTime) -
                        (int64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime);
    EXPECT_LT(age, int64_t(60) * 10000000);  // written just now
}

// An entry is written as it is inflated, one piece after the other: the file must still end up
// whole, with its date set after the last piece, wherever the header's NUL falls.
TEST_F(UnPackTest, EntriesLargerThanOneInflatedPieceArriveWholeWithTheirDates) {
    std::string data(3 * kInflatePiece + 17, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = char(i * 7 % 251);
    // The header of `name`, padded with an unused item to `length` bytes when that is longer.
    auto header = [](const std::string& name, size_t length) {
        std::string text = "|" + name + "|" + std::to_string(kEntryDate) + "|";
        if (length > text.size()) text += std::string(length - text.size() - 1, 'h') + "|";
        return text;
    };
    struct Case { const char* name; size_t headerLength; std::string data; };
    const Case cases[] = {
        {"pieces.bin", 0, data},
        {"header over two pieces.bin", kInflatePiece + 100, "after it"},
        {"NUL opens the second piece.bin", kInflatePiece, "x"},
        {"NUL ends the first piece.bin", kInflatePiece - 1, "y"},
    };
    std::vector<std::string> blocks;
    for (const auto& c : cases) blocks.push_back(CompressedBlock(Entry(header(c.name, c.headerLength), c.data)));
    EXPECT_TRUE(Extract(WritePackage("Setup.exe", blocks)).ChecksumOK);
    for (const auto& c : cases) {
        EXPECT_EQ(e2e::ReadFileBytes(Out(c.name)), c.data) << c.name;
        EXPECT_EQ(e2e::DosDateOf(Out(c.name)), kEntryDate) << c.name;
    }
}

TEST_F(UnPackTest, BlockRunningPastTheDataIsADamagedPackage) {
    const std::string entry = Entry("|a.txt|0|", "a");
    struct Case { const char* what; std::string block; };
    const Case cases[] = {
        {"length past the end", RawBlock(100000, entry)},
        {"most negative length", RawBlock(INT32_MIN, entry)},
    };
    for (const auto& c : cases) {
        const std::string path = WritePackage("Setup.exe", {RawBlock(-int32_t(entry.size()), entry), c.block});
        const UnPackResult result = Extract(path);
        EXPECT_FALSE(result.ChecksumOK) << c.what;
        EXPECT_EQ(result.EngineEntry, "") << c.what;
    }
}

TEST_F(UnPackTest, AgentFileOnlyForExecutableSetupNames) {
    const std::string entry = Entry("|a.txt|0|", "a");
    for (const char* name : {"Setup.exe", "Setup.bin"}) {
        const std::string path = WritePackage(name, {RawBlock(-int32_t(entry.size()), entry)});
        Extract(path, "C:\\somewhere\\Agent.exe");
        const std::string agent = e2e::ReadFileBytes(Out("Agent.exe"));
        if (std::string(name) == "Setup.bin") {
            EXPECT_TRUE(agent.empty()) << name;
            continue;
        }
        const TGFileInfo setup(path);
        ASSERT_EQ(agent.size(), size_t(setup.FirstEntryOffset()) + kTrailerSize);
        EXPECT_EQ(agent[kDataEndLowOffset], 0);
        EXPECT_EQ(uint8_t(agent[agent.size() - kTrailerSize + 69]), 1);
        DeleteFileA(Out("Agent.exe").c_str());
    }
}

// The failure count lives for the whole process: only its first failed write shows a box.
TEST_F(UnPackTest, FailedWritesShowOneBoxAndNeverLeaveTheFolder) {
    ASSERT_EQ(FailedWriteCount(), 0) << "this test must see the process's first failed write";
    // Several inflated pieces: the box still reports the whole data size.
    const std::string escape = CompressedBlock(Entry("|..\\escaped.txt|0|", std::string(600000, 'b')));
    const std::string absolute = Entry("|C:\\absolute.txt|0|", "bad");
    const std::string subfolder = Entry("|missing\\sub.txt|0|", "bad");
    const std::string good = Entry("|good.txt|0|", "good");
    const std::string path = WritePackage("Setup.exe", {escape, RawBlock(-int32_t(absolute.size()), absolute),
                                                        RawBlock(-int32_t(subfolder.size()), subfolder),
                                                        RawBlock(-int32_t(good.size()), good)});
    std::string text;
    const e2e::ActResult acted = e2e::ShowAndAct(
        [&] {
            Extract(path);
            return int32_t(0);
        },
        [&](e2e::MsgBoxView& box) {
            text = box.text;
            e2e::PressKey(box, VK_RETURN);
        });
    EXPECT_TRUE(acted.seen);
    EXPECT_NE(text.find("Unable to save Extracted File!"), std::string::npos) << text;
    EXPECT_NE(text.find("Data Size:"), std::string::npos) << text;
    EXPECT_NE(text.find("600000 Bytes"), std::string::npos) << text;
    EXPECT_EQ(FailedWriteCount(), 3);
    EXPECT_FALSE(e2e::FileExistsAt(dest_.Path() + "escaped.txt"));
    EXPECT_FALSE(e2e::FileExistsAt("C:\\absolute.txt"));
    EXPECT_EQ(e2e::ReadFileBytes(Out("good.txt")), "good");
}

TEST_F(UnPackTest, EntryThatDoesNotInflateRaisesEZLibError) {
    std::string packed = Compressed(Entry("|a.txt|0|", std::string(1000, 'a')));
    packed[packed.size() - 1] ^= 0x5A;
    const std::string path = WritePackage("Setup.exe", {RawBlock(int32_t(packed.size()), packed)});
    try {
        Extract(path);
        ADD_FAILURE() << "no error";
    } catch (const EZLibError& e) {
        EXPECT_STREQ(e.what(), "incorrect data check");
    }
}

}  // namespace
