// `tvpack build`: writes a setup file (or the disk files of a multi-disk setup, a download
// stub, an agent file) from a stub executable, a setup description and a folder of files.
//
// A setup file is the stub (with this build's letters at 0x90 and its data end at 0xF8/0xFC),
// the length-prefixed header blocks (language block, setup information, and the download
// information when there is any), the file entries, and the 74-byte trailer whose checksum
// is computed over the finished file exactly as the stub computes it. Disk files after the
// first hold only entries and a trailer. Everything is written to temporary files that
// replace the outputs only when every one of them is complete.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "SetupDescription.h"

constexpr uint64_t kDefaultMaxEntry = 64ull << 20;
constexpr uint64_t kMaxEntryLimit = 1ull << 30;  // an entry's length must fit 31 bits
constexpr uint64_t kMinEntryData = 1024;         // the smallest piece a disk is filled with

struct BuildOptions {
    std::string StubPath;
    std::string FilesFolder;  // required for a setup, not given for the other kinds
    std::string OutPath;      // the setup; with DiskSize its disks are OutPath.001, .002, ...
    int Level = 6;            // zlib level; 0 stores every entry
    uint64_t MaxEntry = kDefaultMaxEntry;  // the most file bytes in one entry
    uint64_t DiskSize = 0;                 // 0: one file
    bool Launcher = false;                 // with DiskSize: OutPath becomes a first-disk launcher
};

struct BuiltFile {
    std::string Path;
    uint64_t Size = 0;
    uint32_t Entries = 0;
    uint32_t Checksum = 0;
};

struct BuildSummary {
    std::vector<BuiltFile> Files;
    uint32_t FileCount = 0;    // entries of the whole package
    uint64_t TotalBytes = 0;   // bytes of the files carried
};

bool BuildPackage(const SetupDescription& description, const BuildOptions& options, BuildSummary& summary,
                  std::string& error);

// The header blocks' contents for a description and a language block (tokens scrambled).
std::vector<std::string> HeaderBlocksOf(const SetupDescription& description, const std::string& languageBlock);
