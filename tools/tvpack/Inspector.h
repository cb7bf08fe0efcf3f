// `tvpack inspect` and `tvpack verify`: read a setup file (or one disk file) the way the stub
// reads it and report what it holds and every fault found: a missing or damaged trailer, a
// wrong magic, a checksum that does not hold, blocks that run past the trailer, entries
// whose zlib stream does not inflate or whose text has no header. Entries are streamed
// through in fixed-size buffers; nothing is held whole.
#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "package/FileEntry.h"
#include "package/PackageTrailer.h"

struct EntryReport {
    uint64_t Offset = 0;       // of the entry's length field
    bool Compressed = false;
    uint64_t ContentSize = 0;  // bytes stored in the file
    uint64_t TextSize = 0;     // bytes of the entry text (inflated)
    std::string Header;
    EntryHeaderInfo Info;
    uint64_t DataSize = 0;     // the file's bytes in this entry
    std::string Fault;         // empty when the entry reads back
};

struct PackageReport {
    std::string Path;
    int64_t FileSize = -1;
    int64_t DataEnd = 0;
    bool IsPE = false;
    std::string BuilderLetters;  // the 64 bytes at 0x90 of a PE image
    std::string Identity;        // the build-identity text, when found
    PackageTrailer Trailer;
    bool TrailerRead = false;
    uint32_t ComputedChecksum = 0;
    std::vector<std::string> HeaderBlocks;
    std::vector<EntryReport> Entries;
    std::vector<std::string> Faults;

    bool Ok() const { return Faults.empty(); }
};

PackageReport InspectPackage(const std::string& path);

void PrintReport(const PackageReport& report, std::ostream& out);
// One line: "path: OK ..." or "path: FAULT: ..." and the further faults below it.
void PrintVerdict(const PackageReport& report, std::ostream& out);

// A packed DOS date as "yyyy-mm-dd hh:mm:ss", or "-" for 0.
std::string DosDateText(uint32_t dosDate);
