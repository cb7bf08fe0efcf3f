#include "PackageBuilder.h"

#include <algorithm>
#include <memory>

#include "EntryWriter.h"
#include "LanguageTables.h"
#include "OutputFile.h"
#include "PackageFiles.h"
#include "StubImage.h"
#include "package/Checksum.h"
#include "package/FileEntry.h"
#include "package/PackWrite.h"
#include "package/PackX.h"
#include "package/Tokens.h"
#include "utils/FileIO.h"
#include "utils/Text.h"
#include "utils/VSUB.h"

namespace {

constexpr uint64_t kUnlimited = uint64_t(1) << 62;

std::string ListOf(const std::vector<std::string>& items) {
    std::string list;
    for (size_t i = 0; i < items.size(); ++i) list = SUB::SetItem(list, int(i), items[i]);
    return list;
}

std::string ScrambledOrEmpty(const std::string& plain) { return plain.empty() ? plain : ScrambleToken(plain); }

std::string LengthPrefixed(const std::string& block) {
    uint8_t length[4];
    PutLE32(length, uint32_t(block.size()));
    return std::string(reinterpret_cast<char*>(length), 4) + block;
}

std::string DiskPath(const std::string& outPath, int disk) {
    return outPath + "." + PadLeft(std::to_string(disk), 3, '0');
}

bool BuildLanguageBlock(const SetupDescription& d, std::string& block, std::string& error) {
    std::vector<LanguageTable> tables = BuiltInLanguageTables();
    if (!d.LanguageFile.empty()) {
        std::vector<LanguageTable> extra;
        if (!ReadLanguageFile(d.LanguageFile, extra, error)) return false;
        MergeLanguageTables(tables, extra);
    }
    if (!d.Languages.empty() && !SelectLanguageTables(tables, d.Languages, error)) return false;
    return LanguageBlockOf(tables, block, error);
}

// The download size from the full setup, which must carry the same download token.
bool TakeFullSetup(SetupDescription& d, std::string& error) {
    if (d.FullSetup.empty()) return true;
    const TGFileInfo full(d.FullSetup);
    if (full.Trailer().Magic != kPackageMagic) return error = d.FullSetup + ": not a setup file", false;
    std::string token;
    if (!TryDescrambleToken(full.DownloadToken(false), token) || token != d.DownloadToken)
        return error = d.FullSetup + ": the full setup carries another download token", false;
    SharedReadFile file(d.FullSetup);
    d.DownloadSize = std::to_string(file.Size());
    return true;
}

bool CheckOptions(const SetupDescription& d, const BuildOptions& o, std::string& error) {
    if (o.Level < 0 || o.Level > 9) return error = "the compression level runs from 0 to 9", false;
    if (o.MaxEntry < kMinEntryData || o.MaxEntry > kMaxEntryLimit)
        return error = "the entry size runs from 1 KiB to 1 GiB", false;
    if (o.Launcher && o.DiskSize == 0) return error = "a first-disk launcher needs a disk size", false;
    if (d.Kind == SetupKind::Setup && o.FilesFolder.empty()) return error = "a setup needs its files folder", false;
    if (d.Kind != SetupKind::Setup && !o.FilesFolder.empty())
        return error = "only a setup carries files: no files folder for a download stub or an agent", false;
    if (d.Kind != SetupKind::Setup && o.DiskSize != 0) return error = "only a setup is split into disks", false;
    return true;
}

// Writes the files of one build: the disks of the package in turn, then finishes them.
class PackageWriter {
public:
    PackageWriter(const std::string& stub, const std::vector<std::string>& headerBlocks, const PackageTrailer& trailer,
                  const BuildOptions& options)
        : stub_(stub), trailer_(trailer), options_(options) {
        for (const std::string& block : headerBlocks) headers_ += LengthPrefixed(block);
    }

    uint64_t FirstDiskOverhead() const { return stub_.size() + headers_.size() + kTrailerSize; }
    uint32_t FileCount() const { return fileCount_; }

    bool WritePackage(const std::vector<PackageFile>& files, const std::string& engineParams, std::string& error) {
        if (!StartDisk(error)) return false;
        for (const PackageFile& file : files) {
            StdioFile source(std::fopen(file.SourcePath.c_str(), "rb"));
            if (!source) return error = file.SourcePath + ": cannot read: " + LastSystemError(), false;
            EntryPiece piece;
            piece.Name = file.SourcePath;
            piece.Header = file.IsEngine ? EngineEntryHeader(file.Name, engineParams, file.DosDate)
                                         : EntryHeader(file.Name, file.DosDate);
            piece.Source = source.get();
            piece.Offset = 0;
            do {
                piece.Length = std::min(options_.MaxEntry, file.Size - piece.Offset);
                if (!WriteNextEntry(piece, error)) return false;
            } while (piece.Offset < file.Size);
        }
        return FinishDisk(false, error);
    }

    // A file of stub and header blocks only: download stub, agent, first-disk launcher.
    bool WriteHeaderOnlyFile(const std::string& path, uint8_t extraOptions, std::string& error) {
        outputs_.push_back(std::make_unique<OutputFile>(path));
        diskNumbers_.push_back(0);
        entries_.push_back(0);
        OutputFile& out = *outputs_.back();
        if (!out.Open() || !out.Write(stub_) || !out.Write(headers_)) return error = out.Error(), false;
        return WriteTrailer(out, int32_t(stub_.size()), 0, extraOptions, error);
    }

    // Data end, entry count and checksum into every file, then every file into place.
    bool Finish(uint32_t fileCount, BuildSummary& summary, std::string& error) {
        for (size_t i = 0; i < outputs_.size(); ++i) {
            OutputFile& out = *outputs_[i];
            const uint64_t size = out.Position();
            uint8_t field[8];
            PutLE32(field, diskNumbers_[i] == 0 ? 0 : fileCount);  // files of header blocks carry none
            if (!out.Patch(size - kTrailerSize + 8, field, 4)) return error = out.Error(), false;
            if (diskNumbers_[i] <= 1) {  // files that start with the stub
                PutLE32(field, uint32_t(size >> 32));
                PutLE32(field + 4, uint32_t(size));
                if (!out.Patch(kDataEndHighOffset, field, 8)) return error = out.Error(), false;
            }
            const uint32_t checksum = PackageChecksum(out.TempPath(), kTrailerSize);
            PutLE32(field, checksum);
            if (!out.Patch(size - kTrailerSize + 16, field, 4)) return error = out.Error(), false;
            summary.Files.push_back(BuiltFile{out.FinalPath(), size, entries_[i], checksum});
        }
        for (auto& out : outputs_)
            if (!out->Commit()) return error = out->Error(), false;
        return true;
    }

private:
    OutputFile& Out() { return *outputs_.back(); }
    bool Spanned() const { return options_.DiskSize != 0; }
    int Disk() const { return diskNumbers_.back(); }

    uint64_t Room() const {
        if (!Spanned()) return kUnlimited;
        const uint64_t used = outputs_.back()->Position() + kTrailerSize;
        return used >= options_.DiskSize ? 0 : options_.DiskSize - used;
    }

    bool StartDisk(std::string& error) {
        const int disk = diskNumbers_.empty() ? 1 : Disk() + 1;
        outputs_.push_back(std::make_unique<OutputFile>(Spanned() ? DiskPath(options_.OutPath, disk) : options_.OutPath));
        diskNumbers_.push_back(disk);
        entries_.push_back(0);
        if (!Out().Open()) return error = Out().Error(), false;
        if (disk == 1 && (!Out().Write(stub_) || !Out().Write(headers_))) return error = Out().Error(), false;
        return true;
    }

    bool FinishDisk(bool moreDisksFollow, std::string& error) {
        const int32_t dataOffset = Disk() == 1 ? int32_t(stub_.size()) : 0;
        return WriteTrailer(Out(), dataOffset, uint8_t(Disk()), moreDisksFollow ? kOptMoreDisksFollow : 0, error);
    }

    bool WriteTrailer(OutputFile& out, int32_t dataOffset, uint8_t diskNumber, uint8_t extraOptions, std::string& error) {
        PackageTrailer trailer = trailer_;
        trailer.DataOffset = dataOffset;
        trailer.BuilderByte = diskNumber;
        trailer.Options |= extraOptions;
        const TrailerBytes bytes = TrailerToBytes(trailer);
        if (!out.Write(bytes.data(), bytes.size()) || !out.Close()) return error = out.Error(), false;
        return true;
    }

    void CountEntry() {
        ++entries_.back();
        ++fileCount_;
    }

    // Writes the next entry of the piece's file (the whole piece, or on a full disk a smaller
    // piece that fills it), moving on to the next disk when this one is full.
    bool WriteNextEntry(EntryPiece& piece, std::string& error) {
        const EntryResult result = WriteEntry(Out(), piece, options_.Level, Room());
        if (result.Outcome == EntryOutcome::Failed) return error = result.Error, false;
        if (result.Outcome == EntryOutcome::Written) {
            CountEntry();
            piece.Offset += piece.Length;
            return true;
        }
        const uint64_t overhead = 4 + piece.Header.size() + 1;
        const uint64_t spare = Room() > overhead ? Room() - overhead : 0;
        if (piece.Length > 0 && spare >= kMinEntryData) {
            EntryPiece part = piece;
            if (!FillDisk(part, result, spare, error)) return false;
            piece.Offset += part.Length;
        } else if (entries_.back() == 0) {
            return error = "the disk size leaves no room for an entry of " + piece.Name, false;
        }
        return FinishDisk(true, error) && StartDisk(error);
    }

    // Writes a first part of the piece that fits the rest of this disk: compressed when a
    // shorter piece fits, guided by how much text the compressor had taken when it filled
    // the room; otherwise stored, filling the room exactly.
    bool FillDisk(EntryPiece& part, EntryResult result, uint64_t spare, std::string& error) {
        // Data that hardly shrank on the way to the limit is stored at once.
        const bool incompressible = result.TextTakenAtLimit / 100 * 97 <= Room();
        for (int attempt = 0; attempt < 3 && !incompressible && !result.StoredIsSmaller && options_.Level > 0; ++attempt) {
            const uint64_t taken = result.TextTakenAtLimit;
            const uint64_t data = taken > part.Header.size() + 1 ? taken - part.Header.size() - 1 : 0;
            const uint64_t guess = data / 10 * 9;  // the compressor still held some of what it took
            if (guess < kMinEntryData || guess >= part.Length) break;
            part.Length = guess;
            result = WriteEntry(Out(), part, options_.Level, Room());
            if (result.Outcome == EntryOutcome::Failed) return error = result.Error, false;
            if (result.Outcome == EntryOutcome::Written) return CountEntry(), true;
        }
        part.Length = spare;
        result = WriteEntry(Out(), part, 0, Room());
        if (result.Outcome != EntryOutcome::Written)
            return error = result.Error.empty() ? "cannot fill the disk with " + part.Name : result.Error, false;
        CountEntry();
        return true;
    }

    const std::string& stub_;
    std::string headers_;
    PackageTrailer trailer_;
    const BuildOptions& options_;
    std::vector<std::unique_ptr<OutputFile>> outputs_;
    std::vector<int> diskNumbers_;  // 1, 2, ... for disks; 0 for a file of header blocks only
    std::vector<uint32_t> entries_;
    uint32_t fileCount_ = 0;
};

PackageTrailer TrailerFor(const SetupDescription& d, size_t headerBlockCount, const SpaceTable& space,
                          uint64_t totalBytes) {
    PackageTrailer t;
    t.FormatByte = 1;
    t.HeaderBlockCount = uint8_t(headerBlockCount);
    t.Magic = kPackageMagic;
    t.SpaceRequired = space;
    for (int i = 0; i < 8; ++i) t.BuilderValue[i] = uint8_t(totalBytes >> (8 * i));
    if (d.ConfirmExtraction) t.Options |= kOptConfirmExtraction;
    if (d.ShowActivityBar) t.Options |= kOptShowActivityBar;
    if (d.AgentLogWanted) t.Options |= kOptAgentLogWanted;
    t.IsDownloadStub = d.Kind == SetupKind::DownloadStub;
    t.AskBeforeDownload = d.AskBeforeDownload;
    t.InstallsAgent = d.InstallsAgent;
    t.IsAutoUpdateProg = d.Kind == SetupKind::Agent;
    t.TrailerLength = kTrailerSize;
    return t;
}

}  // namespace

std::vector<std::string> HeaderBlocksOf(const SetupDescription& d, const std::string& languageBlock) {
    std::vector<std::string> blocks = {
        languageBlock,
        ListOf({d.InfoFileUrl, d.InfoFileName, d.AgentExeName, ScrambledOrEmpty(d.ProductToken), d.RunHidden ? "1" : "0"}),
    };
    if (d.HasDownload)
        blocks.push_back(ListOf({d.DownloadBaseUrl, d.DownloadFileName, d.AlwaysDownload ? "1" : "0",
                                 ScrambledOrEmpty(d.DownloadToken), d.DownloadSize}));
    return blocks;
}

bool BuildPackage(const SetupDescription& description, const BuildOptions& options, BuildSummary& summary,
                  std::string& error) {
    SetupDescription d = description;
    if (!CheckOptions(d, options, error) || !TakeFullSetup(d, error)) return false;
    std::string languageBlock;
    if (!BuildLanguageBlock(d, languageBlock, error)) return false;
    std::vector<PackageFile> files;
    if (!options.FilesFolder.empty() && !ListPackageFiles(options.FilesFolder, d.Engine, files, error)) return false;

    std::string stub;
    if (!ReadWholeFile(options.StubPath, stub)) return error = options.StubPath + ": cannot read the stub", false;
    if (!PrepareStub(stub, error)) return error = options.StubPath + ": " + error, false;

    const std::vector<std::string> headerBlocks = HeaderBlocksOf(d, languageBlock);
    std::vector<uint64_t> sizes;
    for (const PackageFile& file : files) sizes.push_back(file.Size);
    summary = BuildSummary();
    for (const uint64_t size : sizes) summary.TotalBytes += size;
    if (d.InstallsAgent) {  // the agent file is extracted beside the package's files
        uint64_t agentSize = stub.size() + kTrailerSize;
        for (const std::string& block : headerBlocks) agentSize += 4 + block.size();
        sizes.push_back(agentSize);
    }
    const PackageTrailer trailer = TrailerFor(d, headerBlocks.size(), SpaceTableOf(sizes), summary.TotalBytes);

    PackageWriter writer(stub, headerBlocks, trailer, options);
    if (d.Kind != SetupKind::Setup) {
        if (!writer.WriteHeaderOnlyFile(options.OutPath, 0, error)) return false;
    } else {
        if (options.DiskSize != 0 && options.DiskSize < writer.FirstDiskOverhead() + 4 + 512 + kMinEntryData)
            return error = "the disk size is too small: the first disk needs " +
                           std::to_string(writer.FirstDiskOverhead()) + " bytes for the stub, header blocks and trailer",
                   false;
        if (options.Launcher && !writer.WriteHeaderOnlyFile(options.OutPath, kOptRelaunchFromTemp, error)) return false;
        if (!writer.WritePackage(files, d.EngineParams, error)) return false;
    }
    summary.FileCount = d.Kind == SetupKind::Setup ? writer.FileCount() : 0;
    return writer.Finish(summary.FileCount, summary, error);
}
