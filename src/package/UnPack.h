// Extraction: turns a setup package (one setup file, or the disk files of a multi-disk setup)
// into files in a folder, after the checksum test of every disk file. Writes the agent file
// when asked, reports which entry is the setup engine, moves the progress bars and asks for
// further disks.
#pragma once
#include <cstdint>
#include <string>

using UnPackProgress = void (*)(int kind, int unused, uint16_t max, const std::string& text, int step, int position);

struct UnPackRequest {
    std::string Source;      // the setup file, or the first disk file
    std::string Dest;        // the extraction folder
    std::string AgentName;   // file name for the agent file; empty for none
    bool ForcePrompt = false;  // ask for every further disk even when its file is there
    uint8_t Charset = 0;     // of the disk prompt
    std::string Captions;    // button captions of the disk prompt
    std::string Title;       // of the disk prompt
    std::string DiskPrompt;  // with the placeholder "<DISK_NUM>"
    UnPackProgress Progress = nullptr;
};

struct UnPackResult {
    std::string EngineEntry;  // the marked entry ("Engine.exe* /s"); empty when none or cancelled
    bool ChecksumOK = false;  // false when a disk file failed its checksum or is damaged
    bool Cancelled = false;   // the user cancelled a disk prompt
};

// Each entry's data goes into its file as it is inflated. A compressed entry that does not
// inflate raises EZLibError (package/ZLibOpen.h); what came out of it before the fault is in
// its file by then.
UnPackResult UnPack(const UnPackRequest& request);

// How many file writes failed in this process (only the first one is shown to the user).
int FailedWriteCount();
