#include "package/PackageTrailer.h"

#include <cstring>

namespace {

// Field offsets inside the 74 bytes.
enum : size_t {
    kAtFormat = 0, kAtHeaderBlocks = 1, kAtReserved = 2, kAtDataOffset = 4, kAtFileCount = 8,
    kAtMagic = 12, kAtChecksum = 16, kAtBuilderValue = 20, kAtSpace = 28, kAtBuilderByte = 64,
    kAtOptions = 65, kAtDownloadStub = 66, kAtAskBefore = 67, kAtInstallsAgent = 68,
    kAtAutoUpdateProg = 69, kAtTrailerLength = 70,
};
static_assert(kAtSpace + 4 * kSpaceTableSize == kAtBuilderByte, "space table fills 28..63");
static_assert(kAtTrailerLength + 4 == kTrailerSize, "trailer length is the last field");

}  // namespace

TrailerBytes TrailerToBytes(const PackageTrailer& t) {
    TrailerBytes b{};
    b[kAtFormat] = t.FormatByte;
    b[kAtHeaderBlocks] = t.HeaderBlockCount;
    b[kAtReserved] = uint8_t(t.Reserved);
    b[kAtReserved + 1] = uint8_t(t.Reserved >> 8);
    PutLE32(&b[kAtDataOffset], uint32_t(t.DataOffset));
    PutLE32(&b[kAtFileCount], t.FileCount);
    PutLE32(&b[kAtMagic], t.Magic);
    PutLE32(&b[kAtChecksum], t.PackageChecksum);
    std::memcpy(&b[kAtBuilderValue], t.BuilderValue.data(), t.BuilderValue.size());
    for (int k = 0; k < kSpaceTableSize; ++k) PutLE32(&b[kAtSpace + 4 * k], t.SpaceRequired[k]);
    b[kAtBuilderByte] = t.BuilderByte;
    b[kAtOptions] = t.Options;
    b[kAtDownloadStub] = t.IsDownloadStub;
    b[kAtAskBefore] = t.AskBeforeDownload;
    b[kAtInstallsAgent] = t.InstallsAgent;
    b[kAtAutoUpdateProg] = t.IsAutoUpdateProg;
    PutLE32(&b[kAtTrailerLength], t.TrailerLength);
    return b;
}

PackageTrailer TrailerFromBytes(const TrailerBytes& b) {
    PackageTrailer t;
    t.FormatByte = b[kAtFormat];
    t.HeaderBlockCount = b[kAtHeaderBlocks];
    t.Reserved = uint16_t(b[kAtReserved] | b[kAtReserved + 1] << 8);
    t.DataOffset = int32_t(GetLE32(&b[kAtDataOffset]));
    t.FileCount = GetLE32(&b[kAtFileCount]);
    t.Magic = GetLE32(&b[kAtMagic]);
    t.PackageChecksum = GetLE32(&b[kAtChecksum]);
    std::memcpy(t.BuilderValue.data(), &b[kAtBuilderValue], t.BuilderValue.size());
    for (int k = 0; k < kSpaceTableSize; ++k) t.SpaceRequired[k] = GetLE32(&b[kAtSpace + 4 * k]);
    t.BuilderByte = b[kAtBuilderByte];
    t.Options = b[kAtOptions];
    t.IsDownloadStub = b[kAtDownloadStub];
    t.AskBeforeDownload = b[kAtAskBefore];
    t.InstallsAgent = b[kAtInstallsAgent];
    t.IsAutoUpdateProg = b[kAtAutoUpdateProg];
    t.TrailerLength = GetLE32(&b[kAtTrailerLength]);
    return t;
}
