// The fixed 74-byte record at the end of every setup file's data, and the constants of the
// setup-file layout. Shared by the stub (which reads it and writes it into the agent file)
// and by the package builder (which writes it).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

constexpr uint32_t kPackageMagic = 0x4A3B2C1D;
constexpr uint32_t kTrailerSize = 74;
constexpr uint32_t kChecksumExempt = 1234;  // a checksum field (or a computed sum) of 1234 always passes
constexpr int kSpaceTableSize = 9;          // element 0 plus cluster sizes 512 .. 65536

// Offsets inside the stub executable's header area.
constexpr uint32_t kBuilderLettersOffset = 0x90;  // 64 upper-case letters per build
constexpr uint32_t kBuilderLettersSize = 64;
constexpr uint32_t kDataEndHighOffset = 0xF8;
constexpr uint32_t kDataEndLowOffset = 0xFC;
constexpr uint32_t kPEHeaderOffset = 0x100;

// Bits of PackageTrailer::Options.
enum TrailerOption : uint8_t {
    kOptConfirmExtraction = 1,
    kOptMoreDisksFollow = 2,
    kOptRelaunchFromTemp = 4,
    kOptShowActivityBar = 8,
    kOptAgentLogWanted = 16,
};

struct PackageTrailer {
    uint8_t FormatByte = 0;        // written as 1, not read
    uint8_t HeaderBlockCount = 0;  // 2, or 3 with download information; 0 is read as 2
    uint16_t Reserved = 0;
    int32_t DataOffset = 0;        // file offset of the first header block
    uint32_t FileCount = 0;
    uint32_t Magic = 0;
    uint32_t PackageChecksum = 0;
    std::array<uint8_t, 8> BuilderValue{};
    std::array<uint32_t, kSpaceTableSize> SpaceRequired{};
    uint8_t BuilderByte = 0;
    uint8_t Options = 0;
    uint8_t IsDownloadStub = 0;
    uint8_t AskBeforeDownload = 0;
    uint8_t InstallsAgent = 0;
    uint8_t IsAutoUpdateProg = 0;
    uint32_t TrailerLength = 0;

    bool HasOption(TrailerOption bit) const { return (Options & bit) != 0; }
};

using TrailerBytes = std::array<uint8_t, kTrailerSize>;

TrailerBytes TrailerToBytes(const PackageTrailer& trailer);
PackageTrailer TrailerFromBytes(const TrailerBytes& bytes);

// Little-endian helpers for the layout's numbers.
inline uint32_t GetLE32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void PutLE32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
