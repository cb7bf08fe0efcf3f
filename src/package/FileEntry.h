// The text of a file entry: an entry header (a delimited list of the file name and its packed
// DOS date), one NUL byte, then the file's bytes. Stored compressed (one zlib stream) or as
// it is; the entry's signed length says which. The writing side is in PackWrite.h.
#pragma once
#include <cstdint>
#include <string>

constexpr char kEngineMark = '*';  // after the engine's file name; the rest is its extra text

struct EntryHeaderInfo {
    std::string Name;         // file name without the engine mark and its text
    std::string EngineEntry;  // the whole name item ("Engine.exe* /s") when marked, else empty
    uint32_t DosDate = 0;     // 0 when missing or not a number
};

EntryHeaderInfo ParseEntryHeader(const std::string& header);

// Splits an entry text at its first NUL. False when it has none.
bool SplitEntryText(const std::string& text, std::string& header, std::string& data);
