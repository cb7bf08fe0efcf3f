#include "package/PackX.h"

#include <cstring>

#include "package/Checksum.h"
#include "package/Tokens.h"
#include "package/Language.h"
#include "utils/FileIO.h"
#include "utils/Text.h"
#include "utils/VSUB.h"

namespace {

bool ReadLE32At(SharedReadFile& file, int64_t position, uint32_t& value) {
    uint8_t bytes[4];
    if (!file.Seek(position) || !file.ReadExact(bytes, 4)) return false;
    value = GetLE32(bytes);
    return true;
}

// Reads one length-prefixed header block at the current position. A length that runs past
// the end of the file is read as far as the file goes: never allocate more than is there.
std::string ReadHeaderBlock(SharedReadFile& file, int64_t& position, int64_t fileSize) {
    uint8_t lengthBytes[4];
    if (!file.Seek(position) || !file.ReadExact(lengthBytes, 4)) return std::string();
    const uint32_t length = GetLE32(lengthBytes);
    position += 4;
    const int64_t available = fileSize - position;
    std::string block(static_cast<size_t>(available <= 0 ? 0 : (length < available ? length : available)), '\0');
    block.resize(file.Read(&block[0], block.size()));
    position += length;
    return block;
}

std::string FileNamePartOf(const std::string& path) {
    const size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

bool IsPEImage(SharedReadFile& file) {
    char mz[2], pe[2];
    return file.Seek(0) && file.ReadExact(mz, 2) && mz[0] == 'M' && mz[1] == 'Z' &&
           file.Seek(kPEHeaderOffset) && file.ReadExact(pe, 2) && pe[0] == 'P' && pe[1] == 'E';
}

bool IsPEImage(const std::string& fileName) {
    SharedReadFile file(fileName);
    return IsPEImage(file);
}

uint64_t ReadDataEndOffset(SharedReadFile& file) {
    uint8_t bytes[8];
    if (!file.Seek(kDataEndHighOffset) || !file.ReadExact(bytes, 8)) return 0;
    return uint64_t(GetLE32(bytes)) << 32 | GetLE32(bytes + 4);
}

uint64_t DataEndOffsetOfImage(const std::string& image) {
    if (image.size() < kDataEndLowOffset + 4) return 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(image.data());
    return uint64_t(GetLE32(bytes + kDataEndHighOffset)) << 32 | GetLE32(bytes + kDataEndLowOffset);
}

int64_t SetupDataSize(SharedReadFile& file) {
    if (IsPEImage(file)) {
        const uint64_t dataEnd = ReadDataEndOffset(file);
        if (dataEnd > 0 && dataEnd <= uint64_t(INT64_MAX)) return int64_t(dataEnd);
    }
    return file.Size();
}

void ReadPackageTrailer(SharedReadFile& file, PackageTrailer& trailer) {
    const int64_t dataEnd = SetupDataSize(file);
    uint32_t length = 0;
    if (!ReadLE32At(file, dataEnd - 4, length)) length = 0;  // too short to hold a trailer

    // The stored length counts the length field itself; a longer trailer has its first 70
    // bytes read, a shorter one leaves the fields it does not reach as they were.
    TrailerBytes bytes = TrailerToBytes(trailer);
    const uint32_t toRead = (length < kTrailerSize ? length : kTrailerSize) - (length < 4 ? length : 4);
    if (toRead > 0 && file.Seek(dataEnd - int64_t(length))) {
        const size_t got = file.Read(bytes.data(), toRead);
        if (got > 0) trailer = TrailerFromBytes(bytes);
    }
    trailer.TrailerLength = length;
    if (trailer.HeaderBlockCount == 0) trailer.HeaderBlockCount = 2;
}

void ReadPackageTrailer(const std::string& fileName, PackageTrailer& trailer) {
    SharedReadFile file(fileName);
    if (file.IsOpen()) ReadPackageTrailer(file, trailer);
}

TGFileInfo::TGFileInfo(const std::string& fileName) {
    if (!FileExists(fileName)) return;
    SharedReadFile file(fileName);
    if (!file.IsOpen()) return;
    ReadPackageTrailer(file, trailer_);
    if (trailer_.Magic != kPackageMagic) return;

    const int64_t fileSize = file.Size();
    int64_t position = trailer_.DataOffset;
    languageBlock_ = ReadHeaderBlock(file, position, fileSize);
    setupInfo_ = ReadHeaderBlock(file, position, fileSize);
    if (trailer_.HeaderBlockCount > 2) downloadInfo_ = ReadHeaderBlock(file, position, fileSize);
    trailer_.DataOffset = int32_t(position);
}

std::string TGFileInfo::InfoFileUrl() const { return SUB::GetItem(setupInfo_, 0, ""); }
std::string TGFileInfo::InfoFileName() const { return FileNamePartOf(SUB::GetItem(setupInfo_, 1, "")); }

std::string TGFileInfo::OriginalFileName() const {
    const std::string name = InfoFileName();
    return name.substr(0, name.find('.')) + ".original";
}

std::string TGFileInfo::AgentExeName() const { return SUB::GetItem(setupInfo_, 2, ""); }
std::string TGFileInfo::ProductToken(bool descramble) const {
    const std::string stored = SUB::GetItem(setupInfo_, 3, "");
    return descramble ? DescrambleToken(stored) : stored;
}

bool TGFileInfo::RunHidden() const { return SUB::GetItem(setupInfo_, 4, "") == "1"; }

std::string TGFileInfo::DownloadBaseUrl() const { return SUB::GetItem(downloadInfo_, 0, ""); }
std::string TGFileInfo::DownloadFileName() const { return SUB::GetItem(downloadInfo_, 1, ""); }
bool TGFileInfo::AlwaysDownload() const { return SUB::GetItem(downloadInfo_, 2, "") == "1"; }
std::string TGFileInfo::DownloadToken(bool descramble) const {
    const std::string stored = SUB::GetItem(downloadInfo_, 3, "");
    return descramble ? DescrambleToken(stored) : stored;
}

std::string TGFileInfo::DownloadSize() const { return SUB::GetItem(downloadInfo_, 4, ""); }

double TGFileInfo::RequiredSpace(const std::string& targetPath) const {
    return SpaceForClusterSize(trailer_.SpaceRequired, ClusterSize(targetPath));
}

std::string TGFileInfo::LanguageText(const std::string& key, const std::string& def) const {
    return LanguageEntryText(SelectLanguageOnce(languageBlock_), key, def);
}

int TGFileInfo::Charset() const { return int(StrToInt64Def(Trim(LanguageText("Charset", "0")), 0)); }
int TGFileInfo::FontSize() const { return int(StrToInt64Def(Trim(LanguageText("FontSize", "8")), 8)); }
std::string TGFileInfo::FontName() const { return LanguageText("FontName", "Tahoma"); }

std::string TGFileInfo::FindLanguage(const std::string& name) const { return FindLanguageIn(languageBlock_, name); }
