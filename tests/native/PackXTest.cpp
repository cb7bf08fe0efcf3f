#include <gtest/gtest.h>

#include "SetupFileWriter.h"
#include "TempDir.h"
#include "package/PackX.h"
#include "utils/FileIO.h"

namespace {

using fixture::Build;
using fixture::SetupImage;

const std::string kLanguages = "\x02" "\x01" "English" "\x01" "s1=Hello" "\x01" "\x02";
const std::string kSetupInfo = fixture::SetupInfoList("http://x/Product.info", "Product.info", "Agent.exe", "TOK", "1");
const std::string kDownloadInfo = "|http://x/dl/|Full.exe|1|DTOK|123456|";

class PackXTest : public ::testing::Test {
protected:
    std::string Write(const std::string& bytes, const std::string& name = "setup.exe") {
        const std::string path = dir_.File(name);
        EXPECT_TRUE(fixture::WriteBinaryFile(path, bytes));
        return path;
    }
    SetupImage TwoBlocks() const {
        SetupImage image;
        image.headerBlocks = {kLanguages, kSetupInfo};
        return image;
    }
    fixture::TempDir dir_;
};

TEST(TrailerBytes, RoundTripEveryField) {
    PackageTrailer t;
    t.FormatByte = 1;
    t.HeaderBlockCount = 3;
    t.Reserved = 0x0102;
    t.DataOffset = -5;
    t.FileCount = 7;
    t.Magic = kPackageMagic;
    t.PackageChecksum = 0xDEADBEEF;
    for (int i = 0; i < 8; ++i) t.BuilderValue[i] = uint8_t(0xA0 + i);
    for (int k = 0; k < kSpaceTableSize; ++k) t.SpaceRequired[k] = 1000u * (k + 1);
    t.BuilderByte = 9;
    t.Options = 0x1F;
    t.IsDownloadStub = 1;
    t.AskBeforeDownload = 2;
    t.InstallsAgent = 3;
    t.IsAutoUpdateProg = 4;
    t.TrailerLength = 74;
    const TrailerBytes bytes = TrailerToBytes(t);
    EXPECT_EQ(bytes[1], 3);
    EXPECT_EQ(GetLE32(&bytes[12]), kPackageMagic);
    EXPECT_EQ(GetLE32(&bytes[28 + 8 * 4]), 9000u);  // last space element ends at 64
    EXPECT_EQ(bytes[65], 0x1F);
    EXPECT_EQ(bytes[69], 4);
    EXPECT_EQ(GetLE32(&bytes[70]), 74u);
    const PackageTrailer back = TrailerFromBytes(bytes);
    EXPECT_EQ(TrailerToBytes(back), bytes);
    EXPECT_EQ(back.DataOffset, -5);
}

TEST_F(PackXTest, ReadsHeaderBlocksOfAPEWithDataEnd) {
    SetupImage image = TwoBlocks();
    image.trailer.FileCount = 4;
    image.trailer.Options = kOptConfirmExtraction | kOptAgentLogWanted;
    image.trailer.IsAutoUpdateProg = 1;
    const std::string bytes = Build(image);
    const TGFileInfo info(Write(bytes));
    EXPECT_EQ(info.Trailer().Magic, kPackageMagic);
    EXPECT_EQ(info.Trailer().FileCount, 4u);
    EXPECT_EQ(info.LanguageBlock(), kLanguages);
    EXPECT_EQ(info.SetupInfo(), kSetupInfo);
    EXPECT_EQ(info.DownloadInfo(), "");
    EXPECT_EQ(info.FirstEntryOffset(), int64_t(bytes.size() - kTrailerSize));
    EXPECT_TRUE(info.ConfirmExtraction());
    EXPECT_TRUE(info.AgentLogWanted());
    EXPECT_FALSE(info.MoreDisksFollow());
    EXPECT_TRUE(info.IsAutoUpdateProg());
    EXPECT_FALSE(info.IsDownloadStub());
    EXPECT_EQ(info.InfoFileUrl(), "http://x/Product.info");
    EXPECT_EQ(info.AgentExeName(), "Agent.exe");
    EXPECT_EQ(info.ProductToken(false), "TOK");
    EXPECT_TRUE(info.RunHidden());
}

TEST_F(PackXTest, FindsTheTrailerWherever) {
    struct Case { const char* what; bool pe; bool writeDataEnd; std::string afterData; };
    const Case cases[] = {
        {"PE with data end 0, read from the physical end", true, false, ""},
        {"PE with bytes after the data end", true, true, std::string(300, 'S')},
        {"not a PE: bytes 0xF8..0xFF ignored", false, true, ""},
    };
    for (const auto& c : cases) {
        SetupImage image = TwoBlocks();
        if (!c.pe) image.stub[0x100] = 'X';
        image.writeDataEnd = c.writeDataEnd;
        image.afterData = c.afterData;
        std::string bytes = Build(image);
        if (!c.pe) bytes[0xF8] = bytes[0xFC] = '\x7F';  // garbage where a data end would be
        const TGFileInfo info(Write(bytes));
        EXPECT_EQ(info.Trailer().Magic, kPackageMagic) << c.what;
        EXPECT_EQ(info.SetupInfo(), kSetupInfo) << c.what;
        EXPECT_EQ(IsPEImage(dir_.File("setup.exe")), c.pe) << c.what;
    }
}

TEST_F(PackXTest, HeaderBlockCountZeroReadsAsTwo) {
    SetupImage image = TwoBlocks();
    image.headerBlocks.push_back("|not|read|");
    image.keepTrailerFields = true;
    image.trailer.HeaderBlockCount = 0;
    image.trailer.DataOffset = int32_t(image.stub.size());
    image.trailer.Magic = kPackageMagic;
    image.trailer.TrailerLength = kTrailerSize;
    const TGFileInfo info(Write(Build(image)));
    EXPECT_EQ(info.Trailer().HeaderBlockCount, 2);
    EXPECT_EQ(info.SetupInfo(), kSetupInfo);
    EXPECT_EQ(info.DownloadInfo(), "");
}

TEST_F(PackXTest, DownloadBlockPresentWithThreeHeaderBlocks) {
    SetupImage image = TwoBlocks();
    image.headerBlocks.push_back(kDownloadInfo);
    image.trailer.IsDownloadStub = 1;
    const TGFileInfo info(Write(Build(image)));
    EXPECT_EQ(info.Trailer().HeaderBlockCount, 3);
    EXPECT_TRUE(info.IsDownloadStub());
    EXPECT_EQ(info.DownloadBaseUrl(), "http://x/dl/");
    EXPECT_EQ(info.DownloadFileName(), "Full.exe");
    EXPECT_TRUE(info.AlwaysDownload());
    EXPECT_EQ(info.DownloadToken(false), "DTOK");
    EXPECT_EQ(info.DownloadSize(), "123456");
}

TEST_F(PackXTest, LongerStoredTrailerHasItsFirst70BytesRead) {
    // A trailer of stored length 80: 6 unknown bytes follow the 70 bytes the reader knows.
    PackageTrailer t;
    t.HeaderBlockCount = 2;
    t.Magic = kPackageMagic;
    t.FileCount = 3;
    t.Options = kOptShowActivityBar;
    const std::string stub = fixture::FakePEImage();
    t.DataOffset = int32_t(stub.size());
    std::string bytes = stub + fixture::LengthPrefixed(kLanguages) + fixture::LengthPrefixed(kSetupInfo);
    const TrailerBytes tb = TrailerToBytes(t);
    bytes.append(reinterpret_cast<const char*>(tb.data()), 70);
    bytes += std::string(6, '\xEE');
    uint8_t length[4];
    PutLE32(length, 80);
    bytes.append(reinterpret_cast<char*>(length), 4);
    const TGFileInfo info(Write(bytes));
    EXPECT_EQ(info.Trailer().TrailerLength, 80u);
    EXPECT_EQ(info.Trailer().FileCount, 3u);
    EXPECT_TRUE(info.ShowActivityBar());
    EXPECT_EQ(info.SetupInfo(), kSetupInfo);
}

TEST_F(PackXTest, ShorterStoredTrailerLeavesLaterFieldsAlone) {
    // Stored length 20: the reader takes 16 bytes (format .. checksum) and keeps the rest.
    SetupImage image = TwoBlocks();
    image.writeDataEnd = false;  // read from the physical end, which moves with the cut
    std::string bytes = Build(image);
    bytes.erase(bytes.size() - kTrailerSize + 16, kTrailerSize - 16 - 4);
    PutLE32(reinterpret_cast<uint8_t*>(&bytes[bytes.size() - 4]), 20);
    std::string path = Write(bytes);
    PackageTrailer trailer;
    trailer.Options = 0x55;
    trailer.IsAutoUpdateProg = 7;
    ReadPackageTrailer(path, trailer);
    EXPECT_EQ(trailer.Magic, kPackageMagic);
    EXPECT_EQ(trailer.Options, 0x55);
    EXPECT_EQ(trailer.IsAutoUpdateProg, 7);
    EXPECT_EQ(trailer.TrailerLength, 20u);
}

TEST_F(PackXTest, DamagedFilesGiveAnEmptyReader) {
    struct Case { const char* what; std::string bytes; };
    std::string wrongMagic = Build(TwoBlocks());
    wrongMagic[wrongMagic.size() - kTrailerSize + 12] ^= 1;
    std::string hugeBlock = Build(TwoBlocks());
    PutLE32(reinterpret_cast<uint8_t*>(&hugeBlock[fixture::FakePEImage().size()]), 0xFFFFFFF0u);
    const Case cases[] = {
        {"wrong magic", wrongMagic},
        {"empty file", ""},
        {"shorter than a trailer", "MZ12345"},
        {"trailer length beyond the start", std::string(10, '\0') + "\xFF\xFF\xFF\x7F"},
    };
    for (const auto& c : cases) {
        const TGFileInfo info(Write(c.bytes));
        EXPECT_NE(info.Trailer().Magic, kPackageMagic) << c.what;
        EXPECT_EQ(info.LanguageBlock(), "") << c.what;
        EXPECT_EQ(info.SetupInfo(), "") << c.what;
        EXPECT_EQ(info.AgentExeName(), "") << c.what;
        EXPECT_FALSE(info.IsAutoUpdateProg()) << c.what;
    }
    // A first block whose length runs past the end is read as far as the file goes.
    const TGFileInfo huge(Write(hugeBlock));
    EXPECT_EQ(huge.Trailer().Magic, kPackageMagic);
    EXPECT_LT(huge.LanguageBlock().size(), hugeBlock.size());
    EXPECT_EQ(huge.SetupInfo(), "");
}

TEST_F(PackXTest, MissingFileGivesAllZeroTrailer) {
    const TGFileInfo info(dir_.File("missing.exe"));
    EXPECT_EQ(TrailerToBytes(info.Trailer()), TrailerBytes{});
    EXPECT_EQ(info.InfoFileName(), "");
    EXPECT_FALSE(IsPEImage(dir_.File("missing.exe")));
}

TEST_F(PackXTest, DataEndOffsetFromFileAndImage) {
    SetupImage image = TwoBlocks();
    image.afterData = "signature";
    const std::string bytes = Build(image);
    SharedReadFile file(Write(bytes));
    const uint64_t expected = bytes.size() - image.afterData.size();
    EXPECT_EQ(ReadDataEndOffset(file), expected);
    EXPECT_EQ(DataEndOffsetOfImage(bytes), expected);
    EXPECT_EQ(DataEndOffsetOfImage(bytes.substr(0, 0xFF)), 0u);
    EXPECT_EQ(SetupDataSize(file), int64_t(expected));
}

struct InfoNameCase { const char* item; const char* infoFileName; const char* originalFileName; };

TEST_F(PackXTest, InfoAndOriginalFileNames) {
    const InfoNameCase cases[] = {
        {"Product.info", "Product.info", "Product.original"},
        {"My.Product.info", "My.Product.info", "My.original"},
        {"C:\\x\\a.info", "a.info", "a.original"},
        {"http:a.info", "a.info", "a.original"},
        {".info", ".info", ".original"},
        {"", "", ".original"},
    };
    for (const auto& c : cases) {
        SetupImage image;
        image.headerBlocks = {kLanguages, fixture::SetupInfoList("", c.item, "", "", "")};
        const TGFileInfo info(Write(Build(image)));
        EXPECT_EQ(info.InfoFileName(), c.infoFileName) << c.item;
        EXPECT_EQ(info.OriginalFileName(), c.originalFileName) << c.item;
    }
}

TEST_F(PackXTest, FlagsAreExactComparisonsWithOne) {
    SetupImage image;
    image.headerBlocks = {kLanguages, fixture::SetupInfoList("", "", "", "", "1 "), "|||01|||"};
    const TGFileInfo info(Write(Build(image)));
    EXPECT_FALSE(info.RunHidden());
    EXPECT_FALSE(info.AlwaysDownload());
}

TEST_F(PackXTest, FileStaysOpenForOthersAndIsClosedAfterReading) {
    const std::string path = Write(Build(TwoBlocks()));
    {
        SharedReadFile held(path);  // another reader holds the file
        const TGFileInfo info(path);
        EXPECT_EQ(info.SetupInfo(), kSetupInfo);
    }
    const TGFileInfo info(path);
    EXPECT_EQ(std::remove(path.c_str()), 0);  // nothing kept the file open
}

}  // namespace
