// `tvpack inspect` and `tvpack verify` on good and damaged files, and the token and inform
// commands.
#include <zlib.h>

#include <functional>

#include "Inspector.h"
#include "TvpackFixture.h"
#include "package/PackWrite.h"
#include "package/Tokens.h"

namespace {

class InspectTest : public TvpackTest {
protected:
    void SetUp() override {
        TvpackTest::SetUp();
        AddFile("Engine.exe", TextBytes(5000));
        AddFile("noise.bin", NoiseBytes(3000));
        AddFile("readme.txt", TextBytes(8000));
        setup_ = dir_.File("Setup.exe");
        ASSERT_EQ(Build(kSetupDescription, setup_), 0) << err_;
        good_ = fixture::ReadBinaryFile(setup_);
        report_ = InspectPackage(setup_);
        ASSERT_TRUE(report_.Ok()) << report_.Faults[0];
        ASSERT_EQ(report_.Entries.size(), 3u);
    }
    std::string WriteDamaged(const std::string& bytes) {
        const std::string path = dir_.File("Damaged.exe");
        EXPECT_TRUE(fixture::WriteBinaryFile(path, bytes));
        return path;
    }
    // Where an entry's content starts in the file.
    size_t ContentAt(int entry) const { return size_t(report_.Entries[size_t(entry)].Offset) + 4; }

    std::string setup_;
    std::string good_;
    PackageReport report_;
};

std::string JoinedFaults(const PackageReport& report) {
    std::string all;
    for (const std::string& fault : report.Faults) all += fault + "\n";
    return all;
}

TEST_F(InspectTest, ReportsEverythingTheSetupHolds) {
    ASSERT_EQ(Run({"inspect", setup_}), 0) << err_;
    for (const char* expected : {"header blocks 2", "ConfirmExtraction ShowActivityBar", "InstallsAgent", "[English]",
                                 "s7=Bad CRC!", "[Spanish]", "(plain: product-secret)", "Engine.exe* /s", "noise.bin",
                                 "plain", "zlib", ": holds", "OK (3 entries"})
        EXPECT_NE(out_.find(expected), std::string::npos) << expected << "\n" << out_;
    EXPECT_TRUE(report_.Entries[0].Compressed);
    EXPECT_FALSE(report_.Entries[1].Compressed);
    EXPECT_EQ(report_.Entries[1].DataSize, 3000u);
    EXPECT_EQ(report_.Entries[2].Info.Name, "readme.txt");
    EXPECT_EQ(report_.Entries[2].DataSize, 8000u);
}

TEST_F(InspectTest, DamagedFilesReportTheirFault) {
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        const char* fault;
    };
    const Case cases[] = {
        {"cut short", [](std::string& b) { b.resize(b.size() - 100); }, "cut short"},
        {"cut to a few bytes", [](std::string& b) { b.resize(50); }, "too short"},
        {"byte flipped in a compressed entry", [this](std::string& b) { b[ContentAt(0) + 40] ^= 0x55; }, "zlib"},
        {"byte flipped in a stored entry", [this](std::string& b) { b[ContentAt(1) + 100] ^= 0x01; }, "checksum"},
        {"wrong magic", [](std::string& b) { b[b.size() - kTrailerSize + 12] ^= 0x01; }, "wrong magic"},
        {"entry longer than the data",
         [this](std::string& b) { PutLE32(reinterpret_cast<uint8_t*>(&b[ContentAt(1) - 4]), 0x7FFFFFF0u); },
         "run past the trailer"},
        {"trailer length changed", [](std::string& b) { b[b.size() - 4] = 80; }, "trailer length 80"},
        {"entry count changed", [](std::string& b) { b[b.size() - kTrailerSize + 8] = 7; }, "counts 7 entries"},
        {"data offset outside the data",
         [](std::string& b) { PutLE32(reinterpret_cast<uint8_t*>(&b[b.size() - kTrailerSize + 4]), 0x7FFFFFF0u); },
         "data offset"},
        {"header block running past the trailer",
         [](std::string& b) { PutLE32(reinterpret_cast<uint8_t*>(&b[fixture::FakeStub().size()]), 0x00FFFFFFu); },
         "header block 1"},
    };
    for (const auto& c : cases) {
        std::string bytes = good_;
        c.damage(bytes);
        const std::string path = WriteDamaged(bytes);
        const PackageReport report = InspectPackage(path);
        EXPECT_FALSE(report.Ok()) << c.what;
        EXPECT_NE(JoinedFaults(report).find(c.fault), std::string::npos) << c.what << ":\n" << JoinedFaults(report);
        EXPECT_EQ(Run({"verify", path}), 1) << c.what;
        EXPECT_NE(out_.find("Damaged.exe: FAULT: "), std::string::npos) << c.what << ": " << out_;
        EXPECT_EQ(Run({"inspect", path}), 1) << c.what;
    }
}

std::string Compressed(const std::string& text) {
    uLongf size = compressBound(uLong(text.size()));
    std::string out(size, '\0');
    EXPECT_EQ(compress(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(text.data()),
                       uLong(text.size())),
              Z_OK);
    out.resize(size);
    return out;
}

TEST_F(TvpackTest, EntriesThatDoNotReadBackAreFaults) {
    const std::string text = std::string("|a.txt|0|") + '\0' + TextBytes(3000);
    const std::string stream = Compressed(text);
    struct Case { const char* what; std::string block; const char* fault; };
    const Case cases[] = {
        {"bytes after the zlib stream", stream + "xx", "bytes after the end of the zlib stream"},
        {"zlib stream cut short", stream.substr(0, stream.size() - 10), "cut short"},
        {"entry text without a NUL", Compressed("|a.txt|0|no nul"), "no NUL"},
        {"entry header without a name", Compressed(std::string("||0|") + '\0' + "data"), "names no file"},
        {"no zlib stream at all", "plain text with a positive length", "zlib: "},
    };
    for (const auto& c : cases) {
        fixture::SetupImage image;
        image.stub = fixture::FakeStub();
        image.headerBlocks = {"\x02\x01" "English\x01s1=x\x01\x02", "|||||"};
        image.blocks = {Compressed(text), c.block};
        image.trailer.FileCount = 2;
        const std::string path = dir_.File("Crafted.exe");
        ASSERT_TRUE(fixture::WriteBinaryFile(path, fixture::Build(image)));
        const PackageReport report = InspectPackage(path);
        ASSERT_EQ(report.Entries.size(), 2u) << c.what << "\n" << JoinedFaults(report);
        EXPECT_EQ(report.Entries[0].Fault, "") << c.what;
        EXPECT_NE(report.Entries[1].Fault.find(c.fault), std::string::npos) << c.what << ": " << report.Entries[1].Fault;
        EXPECT_EQ(report.Faults.size(), 1u) << c.what << "\n" << JoinedFaults(report);
    }
}

TEST_F(TvpackTest, VerifyChecksEveryFileGiven) {
    EXPECT_EQ(Run({"verify", dir_.File("missing.exe")}), 1);
    EXPECT_NE(out_.find("cannot open"), std::string::npos) << out_;
    AddFile("Engine.exe", "e");
    ASSERT_EQ(Build(kSetupDescription, dir_.File("Setup.exe")), 0) << err_;
    EXPECT_EQ(Run({"verify", dir_.File("Setup.exe")}), 0);
    EXPECT_NE(out_.find("Setup.exe: OK (1 entries"), std::string::npos) << out_;
    EXPECT_EQ(Run({"verify", dir_.File("Setup.exe"), stub_}), 1) << "the bare stub is no setup";
    EXPECT_NE(out_.find("Setup.exe: OK"), std::string::npos) << out_;
    EXPECT_NE(out_.find("stub.exe: FAULT"), std::string::npos) << out_;
}

TEST_F(TvpackTest, TokenCommandScramblesAndDescrambles) {
    ASSERT_EQ(Run({"token", "my secret"}), 0) << err_;
    ASSERT_FALSE(out_.empty());
    const std::string token = out_.substr(0, out_.size() - 1);
    EXPECT_EQ(DescrambleToken(token), "my secret");
    ASSERT_EQ(Run({"token", "--descramble", token}), 0) << err_;
    EXPECT_EQ(out_, "my secret\n");
    EXPECT_EQ(Run({"token", "--descramble", token + "b"}), 1);
    EXPECT_NE(err_.find("check byte"), std::string::npos) << err_;
    EXPECT_EQ(Run({"token"}), 2);
}

TEST_F(TvpackTest, InformCommandWritesWhatTheAgentReads) {
    ASSERT_TRUE(fixture::WriteBinaryFile(dir_.File("message.rtf"), "{\\rtf1 New | version}"));
    for (const bool scrambled : {false, true}) {
        const std::string path = dir_.File(scrambled ? "inform2.txt" : "inform1.txt");
        std::vector<std::string> args = {"inform", "--token", "prod", "--message-file", dir_.File("message.rtf"),
                                         "--out", path};
        if (scrambled) args.push_back("--scrambled");
        ASSERT_EQ(Run(args), 0) << err_;
        const std::string text = fixture::ReadBinaryFile(path);
        EXPECT_EQ(text.compare(0, 12, "Scrambled=01") == 0, scrambled);
        const InformParts parts = SplitInformText(text);
        EXPECT_EQ(parts.Token, "prod");
        EXPECT_EQ(parts.Message, "{\\rtf1 New | version}");
    }
    EXPECT_EQ(Run({"inform", "--token", "prod", "--out", dir_.File("x.txt")}), 2);
    EXPECT_NE(err_.find("--message"), std::string::npos) << err_;
    EXPECT_EQ(Run({"inform", "--token", "prod", "--message-file", dir_.File("none"), "--out", dir_.File("y.txt")}), 1);
    EXPECT_FALSE(std::filesystem::exists(dir_.File("y.txt")));
}

TEST_F(TvpackTest, UnknownCommandsShowTheUsage) {
    EXPECT_EQ(Run({}), 2);
    EXPECT_NE(err_.find("usage:"), std::string::npos);
    EXPECT_EQ(Run({"pack"}), 2);
    EXPECT_NE(err_.find("unknown command pack"), std::string::npos) << err_;
    EXPECT_EQ(Run({"help"}), 0);
    EXPECT_NE(out_.find("tvpack build"), std::string::npos);
}

}  // namespace
