// Reader of setup files: the stub executable followed by header blocks, file entries and the
// 74-byte trailer. Every question the program asks about a setup file goes through TGFileInfo.
#pragma once
#include <cstdint>
#include <string>

#include "package/PackageTrailer.h"

class SharedReadFile;

// True when the file starts with "MZ" and has "PE" at offset 0x100.
bool IsPEImage(SharedReadFile& file);
bool IsPEImage(const std::string& fileName);

// The 64-bit data end stored at 0xF8 (high half) and 0xFC (low half); 0 when unreadable.
uint64_t ReadDataEndOffset(SharedReadFile& file);
// The same value taken from a file image held in memory (0 when the image is too short).
uint64_t DataEndOffsetOfImage(const std::string& image);

// Where a setup file's data ends: the data end offset of a PE image when it is above 0,
// otherwise the file's length.
int64_t SetupDataSize(SharedReadFile& file);

// Locates and reads the trailer. Fields beyond what the stored length covers keep their value;
// TrailerLength becomes the stored length itself. A HeaderBlockCount of 0 reads as 2.
void ReadPackageTrailer(SharedReadFile& file, PackageTrailer& trailer);
void ReadPackageTrailer(const std::string& fileName, PackageTrailer& trailer);

class TGFileInfo {
public:
    explicit TGFileInfo(const std::string& fileName);

    const PackageTrailer& Trailer() const { return trailer_; }
    // The data offset moved past the header blocks: where the first file entry starts.
    int64_t FirstEntryOffset() const { return trailer_.DataOffset; }
    const std::string& LanguageBlock() const { return languageBlock_; }
    const std::string& SetupInfo() const { return setupInfo_; }
    const std::string& DownloadInfo() const { return downloadInfo_; }

    bool ConfirmExtraction() const { return trailer_.HasOption(kOptConfirmExtraction); }
    bool MoreDisksFollow() const { return trailer_.HasOption(kOptMoreDisksFollow); }
    bool RelaunchFromTemp() const { return trailer_.HasOption(kOptRelaunchFromTemp); }
    bool ShowActivityBar() const { return trailer_.HasOption(kOptShowActivityBar); }
    bool AgentLogWanted() const { return trailer_.HasOption(kOptAgentLogWanted); }
    bool IsDownloadStub() const { return trailer_.IsDownloadStub != 0; }
    bool AskBeforeDownload() const { return trailer_.AskBeforeDownload != 0; }
    bool InstallsAgent() const { return trailer_.InstallsAgent != 0; }
    bool IsAutoUpdateProg() const { return trailer_.IsAutoUpdateProg != 0; }

    // Setup information.
    std::string InfoFileUrl() const;
    std::string InfoFileName() const;      // file-name part of item 1
    std::string OriginalFileName() const;  // InfoFileName up to its first "." + ".original"
    std::string AgentExeName() const;
    // Item 3 as stored (scrambled), or with descramble true its plain value (a random number
    // text when the token is damaged).
    std::string ProductToken(bool descramble) const;
    bool RunHidden() const;

    // Download information.
    std::string DownloadBaseUrl() const;
    std::string DownloadFileName() const;
    bool AlwaysDownload() const;
    std::string DownloadToken(bool descramble) const;  // like ProductToken
    std::string DownloadSize() const;

    // Bytes the package needs on the volume of `targetPath`: the space table's element for
    // that volume's cluster size.
    double RequiredSpace(const std::string& targetPath) const;

    // Language texts. The first LanguageText call of the process, on whichever TGFileInfo,
    // chooses the language (SelectedLanguage, see package/Language.h); every later call on
    // any TGFileInfo reads from that choice, never from its own language block again.
    std::string LanguageText(const std::string& key, const std::string& def) const;
    int Charset() const;           // "Charset", 0 when missing or not a number
    int FontSize() const;          // "FontSize" in points, 8 when missing or not a number
    std::string FontName() const;  // "FontName", "Tahoma" when missing
    // The entry of this file's language block named `name`, or "*" (see FindLanguageIn).
    std::string FindLanguage(const std::string& name) const;

private:
    PackageTrailer trailer_;
    std::string languageBlock_;
    std::string setupInfo_;
    std::string downloadInfo_;
};
