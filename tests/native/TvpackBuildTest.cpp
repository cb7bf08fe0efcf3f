// What `tvpack build` writes, read back with the stub's own reader (TGFileInfo,
// ReadPackageTrailer, PackageChecksum, DescrambleToken) and with an extraction that follows
// the stub's rules.
#include <algorithm>
#include <filesystem>

#include "Inspector.h"
#include "PackageReader.h"
#include "TvpackFixture.h"
#include "package/Checksum.h"
#include "package/FileEntry.h"
#include "package/PackWrite.h"
#include "package/PackX.h"
#include "utils/FileIO.h"
#include "utils/Text.h"

namespace {

uint64_t FileSize(const std::string& path) { return std::filesystem::file_size(path); }

TEST_F(TvpackTest, BuildWritesASetupThatTheStubsReaderReadsBack) {
    const std::string engine = AddFile("Engine.exe", "MZ engine");
    AddFile("ReadMe.txt", TextBytes(20000));
    AddFile("data.bin", NoiseBytes(5000));
    AddFile("empty.txt", "");
    SetLocalTime(engine, 2021, 3, 4, 5, 6, 8);
    const std::string setup = dir_.File("Setup.exe");
    ASSERT_EQ(Build(kSetupDescription, setup), 0) << err_;
    EXPECT_NE(out_.find("wrote " + setup), std::string::npos) << out_;

    const TGFileInfo info(setup);
    EXPECT_EQ(info.Trailer().Magic, kPackageMagic);
    EXPECT_EQ(info.Trailer().HeaderBlockCount, 2);
    EXPECT_EQ(info.Trailer().FileCount, 4u);
    EXPECT_EQ(info.InfoFileUrl(), "http://updates.example.com/Product.info");
    EXPECT_EQ(info.InfoFileName(), "Product.info");
    EXPECT_EQ(info.AgentExeName(), "ProductAgent.exe");
    EXPECT_EQ(info.ProductToken(true), "product-secret");
    EXPECT_NE(info.ProductToken(false), "product-secret");
    EXPECT_TRUE(info.RunHidden());
    EXPECT_TRUE(info.ConfirmExtraction());
    EXPECT_TRUE(info.ShowActivityBar());
    EXPECT_TRUE(info.InstallsAgent());
    EXPECT_FALSE(info.AgentLogWanted());
    EXPECT_FALSE(info.MoreDisksFollow());
    EXPECT_FALSE(info.RelaunchFromTemp());
    EXPECT_FALSE(info.IsDownloadStub());
    EXPECT_FALSE(info.IsAutoUpdateProg());
    EXPECT_EQ(info.DownloadInfo(), "");

    PackageTrailer trailer;
    ReadPackageTrailer(setup, trailer);
    EXPECT_EQ(trailer.FormatByte, 1);
    EXPECT_EQ(trailer.TrailerLength, kTrailerSize);
    EXPECT_EQ(trailer.DataOffset, int32_t(fixture::FakeStub().size()));
    EXPECT_EQ(trailer.PackageChecksum, PackageChecksum(setup, kTrailerSize));
    EXPECT_NE(trailer.PackageChecksum, kChecksumExempt);

    SharedReadFile file(setup);
    EXPECT_EQ(ReadDataEndOffset(file), FileSize(setup));

    const fixture::ExtractedPackage package = fixture::ExtractLikeTheStub(setup);
    ASSERT_EQ(package.Error, "");
    const std::vector<std::string> order = {"Engine.exe* /s", "ReadMe.txt", "data.bin", "empty.txt"};
    EXPECT_EQ(package.EntryNames, order);
    EXPECT_EQ(package.EngineEntry, "Engine.exe* /s");
    EXPECT_EQ(package.Files.at("Engine.exe"), "MZ engine");
    EXPECT_EQ(package.Files.at("ReadMe.txt"), TextBytes(20000));
    EXPECT_EQ(package.Files.at("data.bin"), NoiseBytes(5000));
    EXPECT_EQ(package.Files.at("empty.txt"), "");
    EXPECT_EQ(package.Dates.at("Engine.exe"), PackDosDate(2021, 3, 4, 5, 6, 8));
}

TEST_F(TvpackTest, EveryBuildGetsItsOwnLettersAndIdentity) {
    AddFile("Engine.exe", "e");
    ASSERT_EQ(Build(kSetupDescription, dir_.File("Setup1.exe")), 0) << err_;
    ASSERT_EQ(Build(kSetupDescription, dir_.File("Setup2.exe")), 0) << err_;
    const std::string first = fixture::ReadBinaryFile(dir_.File("Setup1.exe"));
    const std::string second = fixture::ReadBinaryFile(dir_.File("Setup2.exe"));
    const std::string letters = first.substr(kBuilderLettersOffset, kBuilderLettersSize);
    EXPECT_TRUE(std::all_of(letters.begin(), letters.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) << letters;
    EXPECT_NE(letters, second.substr(kBuilderLettersOffset, kBuilderLettersSize));

    const size_t identity = first.find("RAMAT*gan") + 9;
    EXPECT_EQ(first.compare(identity + 61, 9, "KFAR*saba"), 0);
    EXPECT_EQ(first.compare(identity, 7, "TVPACK "), 0) << first.substr(identity, 61);
    EXPECT_NE(first.substr(identity, 61), second.substr(identity, 61));
    EXPECT_EQ(InspectPackage(dir_.File("Setup1.exe")).Identity, first.substr(identity, 61));
}

TEST_F(TvpackTest, StoresWhatDoesNotShrinkAndCompressesTheRest) {
    AddFile("Engine.exe", TextBytes(3000));
    AddFile("noise.bin", NoiseBytes(3000));
    for (const char* level : {"6", "0"}) {
        const std::string setup = dir_.File(std::string("Setup") + level + ".exe");
        ASSERT_EQ(Build(kSetupDescription, setup, {"--level", level}), 0) << err_;
        const fixture::ExtractedPackage package = fixture::ExtractLikeTheStub(setup);
        ASSERT_EQ(package.Error, "");
        ASSERT_EQ(package.EntryLengths.size(), 2u);
        EXPECT_EQ(package.EntryLengths[0] > 0, std::string(level) != "0") << "text at level " << level;
        EXPECT_LT(package.EntryLengths[1], 0) << "noise at level " << level;
        EXPECT_EQ(package.Files.at("noise.bin"), NoiseBytes(3000));
    }
}

TEST_F(TvpackTest, LargeFilesAreSplitIntoBoundedEntriesOfTheSameName) {
    AddFile("Engine.exe", "e");
    AddFile("large.bin", NoiseBytes(10000));
    const std::string setup = dir_.File("Setup.exe");
    ASSERT_EQ(Build(kSetupDescription, setup, {"--max-entry", "4K"}), 0) << err_;
    const fixture::ExtractedPackage package = fixture::ExtractLikeTheStub(setup);
    ASSERT_EQ(package.Error, "");
    const std::vector<uint64_t> sizes = {1, 4096, 4096, 1808};
    EXPECT_EQ(package.EntryDataSizes, sizes);
    EXPECT_EQ(package.Files.at("large.bin"), NoiseBytes(10000));
    EXPECT_EQ(TGFileInfo(setup).Trailer().FileCount, 4u);
}

TEST_F(TvpackTest, SpaceTableSumsFileSizesRoundedPerClusterWithTheAgentFile) {
    const std::vector<size_t> sizes = {9, 0, 511, 512, 513, 70000};
    AddFile("Engine.exe", std::string(sizes[0], 'e'));
    for (size_t i = 1; i < sizes.size(); ++i) AddFile("f" + std::to_string(i), std::string(sizes[i], 'x'));
    for (const bool installsAgent : {false, true}) {
        const std::string description =
            ReplaceAll(kSetupDescription, "InstallsAgent=1", installsAgent ? "InstallsAgent=1" : "InstallsAgent=0");
        const std::string setup = dir_.File(installsAgent ? "WithAgent.exe" : "Plain.exe");
        ASSERT_EQ(Build(description, setup), 0) << err_;
        const TGFileInfo info(setup);
        std::vector<uint64_t> counted(sizes.begin(), sizes.end());
        if (installsAgent) counted.push_back(uint64_t(info.FirstEntryOffset()) + kTrailerSize);  // stub, blocks, trailer
        for (int k = 0; k < kSpaceTableSize; ++k) {
            const uint64_t cluster = k == 0 ? 1 : uint64_t(256) << k;
            uint64_t expected = 0;
            for (const uint64_t size : counted) expected += (size + cluster - 1) / cluster * cluster;
            EXPECT_EQ(info.Trailer().SpaceRequired[k], expected) << "element " << k << ", agent " << installsAgent;
        }
    }
}

TEST_F(TvpackTest, MultiDiskSetupSpansFilesAcrossDisksThatEachVerify) {
    AddFile("Engine.exe", "engine");
    AddFile("big.bin", NoiseBytes(30000));
    AddFile("readme.txt", TextBytes(40000));
    const std::string setup = dir_.File("Setup.exe");
    const std::string description = std::string(kSetupDescription) + "Languages=English\n";
    ASSERT_EQ(Build(description, setup, {"--disk-size", "9000", "--max-entry", "16K"}), 0) << err_;
    EXPECT_FALSE(std::filesystem::exists(setup)) << "no launcher was asked for";

    std::vector<std::string> disks;
    for (int n = 1; std::filesystem::exists(setup + ".00" + std::to_string(n)); ++n)
        disks.push_back(setup + ".00" + std::to_string(n));
    ASSERT_GE(disks.size(), 4u);
    uint32_t entries = 0;
    for (size_t i = 0; i < disks.size(); ++i) {
        const PackageReport report = InspectPackage(disks[i]);
        EXPECT_TRUE(report.Ok()) << disks[i] << ": " << (report.Faults.empty() ? "" : report.Faults[0]);
        EXPECT_LE(FileSize(disks[i]), 9000u) << disks[i];
        EXPECT_EQ(report.Trailer.HasOption(kOptMoreDisksFollow), i + 1 < disks.size()) << disks[i];
        EXPECT_EQ(report.Trailer.DataOffset, i == 0 ? int32_t(fixture::FakeStub().size()) : 0) << disks[i];
        EXPECT_EQ(report.IsPE, i == 0) << disks[i];
        EXPECT_EQ(report.Trailer.PackageChecksum, PackageChecksum(disks[i], kTrailerSize)) << disks[i];
        EXPECT_EQ(report.Trailer.HeaderBlockCount, 2) << disks[i];
        entries += uint32_t(report.Entries.size());
    }
    for (const std::string& disk : disks) EXPECT_EQ(TGFileInfo(disk).Trailer().FileCount, entries) << disk;
    EXPECT_EQ(TGFileInfo(disks[0]).InfoFileName(), "Product.info");

    const fixture::ExtractedPackage package = fixture::ExtractLikeTheStub(disks[0]);
    ASSERT_EQ(package.Error, "");
    EXPECT_EQ(package.Disks, int(disks.size()));
    EXPECT_EQ(package.Files.at("big.bin"), NoiseBytes(30000));
    EXPECT_EQ(package.Files.at("readme.txt"), TextBytes(40000));
    EXPECT_EQ(package.EngineEntry, "Engine.exe* /s");
}

TEST_F(TvpackTest, FirstDiskLauncherRelaunchesAndCarriesNoEntries) {
    AddFile("Engine.exe", "engine");
    AddFile("big.bin", NoiseBytes(12000));
    const std::string setup = dir_.File("Setup.exe");
    ASSERT_EQ(Build(kSetupDescription, setup, {"--disk-size", "12K", "--launcher"}), 0) << err_;
    const TGFileInfo launcher(setup);
    EXPECT_TRUE(launcher.RelaunchFromTemp());
    EXPECT_FALSE(launcher.MoreDisksFollow());
    EXPECT_EQ(launcher.Trailer().FileCount, 0u);
    EXPECT_EQ(launcher.FirstEntryOffset() + int64_t(kTrailerSize), int64_t(FileSize(setup)));
    EXPECT_EQ(launcher.LanguageBlock(), TGFileInfo(setup + ".001").LanguageBlock());
    EXPECT_TRUE(InspectPackage(setup).Ok());
    EXPECT_FALSE(TGFileInfo(setup + ".001").RelaunchFromTemp());
    EXPECT_EQ(fixture::ExtractLikeTheStub(setup + ".001").Files.at("big.bin"), NoiseBytes(12000));
}

TEST_F(TvpackTest, DownloadStubCarriesTheFullSetupsTokenAndSize) {
    AddFile("Engine.exe", "engine");
    const std::string download = "[Download]\nBaseUrl=http://dl.example.com/p\nFileName=Full.exe\nToken=dl-secret\n";
    const std::string full = dir_.File("Full.exe");
    ASSERT_EQ(Build(std::string(kSetupDescription) + download, full), 0) << err_;

    const std::string stub = dir_.File("Stub.exe");
    const std::string stubDescription =
        "[Setup]\nKind=DownloadStub\nAgentExeName=Agent.exe\nInstallsAgent=1\n" + download +
        "AlwaysDownload=1\nAskBeforeDownload=1\nFullSetup=Full.exe\n";
    ASSERT_EQ(BuildWithoutFiles(stubDescription, stub), 0) << err_;
    const TGFileInfo info(stub), fullInfo(full);
    EXPECT_TRUE(info.IsDownloadStub());
    EXPECT_TRUE(info.AskBeforeDownload());
    EXPECT_TRUE(info.InstallsAgent());
    EXPECT_FALSE(fullInfo.IsDownloadStub());
    EXPECT_EQ(info.Trailer().HeaderBlockCount, 3);
    EXPECT_EQ(info.Trailer().FileCount, 0u);
    EXPECT_EQ(info.DownloadBaseUrl(), "http://dl.example.com/p");
    EXPECT_EQ(info.DownloadFileName(), "Full.exe");
    EXPECT_TRUE(info.AlwaysDownload());
    EXPECT_EQ(info.DownloadSize(), std::to_string(FileSize(full)));
    EXPECT_EQ(info.DownloadToken(true), "dl-secret");
    EXPECT_EQ(fullInfo.DownloadToken(true), "dl-secret");
    EXPECT_NE(info.DownloadToken(false), fullInfo.DownloadToken(false)) << "each token is scrambled afresh";
    EXPECT_EQ(info.FirstEntryOffset() + int64_t(kTrailerSize), int64_t(FileSize(stub)));
    EXPECT_TRUE(InspectPackage(stub).Ok());

    // A full setup with another token is refused.
    const std::string other = ReplaceAll(stubDescription, "Token=dl-secret", "Token=other");
    EXPECT_EQ(BuildWithoutFiles(other, dir_.File("Stub2.exe")), 1);
    EXPECT_NE(err_.find("another download token"), std::string::npos) << err_;
    EXPECT_FALSE(std::filesystem::exists(dir_.File("Stub2.exe")));
}

TEST_F(TvpackTest, AgentFileIsMarkedAsAutoUpdateProgram) {
    const std::string agent = dir_.File("Agent.exe");
    ASSERT_EQ(BuildWithoutFiles("[Setup]\nKind=Agent\nAgentExeName=Agent.exe\nAgentLogWanted=1\n", agent), 0) << err_;
    const TGFileInfo info(agent);
    EXPECT_TRUE(info.IsAutoUpdateProg());
    EXPECT_TRUE(info.AgentLogWanted());
    EXPECT_FALSE(info.IsDownloadStub());
    EXPECT_EQ(info.AgentExeName(), "Agent.exe");
    EXPECT_EQ(info.Trailer().FileCount, 0u);
    const PackageReport report = InspectPackage(agent);
    EXPECT_TRUE(report.Ok()) << report.Faults[0];
    EXPECT_TRUE(report.Entries.empty());
}

TEST_F(TvpackTest, SetupsOverFiftyMiBCarryTheExemptChecksum) {
    AddFile("Engine.exe", "engine");
    const std::string large = AddFile("zeros.bin", "");
    std::filesystem::resize_file(large, kChecksumSizeLimit + 1000);
    const std::string setup = dir_.File("Setup.exe");
    ASSERT_EQ(Build(kSetupDescription, setup, {"--level", "0"}), 0) << err_;
    EXPECT_GT(FileSize(setup), uint64_t(kChecksumSizeLimit));
    EXPECT_EQ(TGFileInfo(setup).Trailer().PackageChecksum, kChecksumExempt);
    const PackageReport report = InspectPackage(setup);
    EXPECT_TRUE(report.Ok()) << report.Faults[0];
    EXPECT_EQ(report.Entries.size(), 2u);
}

}  // namespace
