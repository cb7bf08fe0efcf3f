// The text of a file entry: an entry header (a delimited list of the file name and its packed
// DOS date), one NUL byte, then the file's bytes. Stored compressed (one zlib stream) or as
// it is; the entry's signed length says which.
#pragma once
#include <cstdint>
#include <string>

constexpr char kEngineMark = '*';  // after the engine's file name; the rest is its extra text

// The header of an entry: "|" name "|" date "|". For the setup engine the name item is the
// name, "*" and, when there is any, a blank and the extra command-line text.
std::string EntryHeader(const std::string& fileName, uint32_t dosDate);
std::string EngineEntryHeader(const std::string& fileName, const std::string& extraText, uint32_t dosDate);

struct EntryHeaderInfo {
    std::string Name;         // file name without the engine mark and its text
    std::string EngineEntry;  // the whole name item ("Engine.exe* /s") when marked, else empty
    uint32_t DosDate = 0;     // 0 when missing or not a number
};

EntryHeaderInfo ParseEntryHeader(const std::string& header);

// Splits an entry text at its first NUL. False when it has none.
bool SplitEntryText(const std::string& text, std::string& header, std::string& data);

// Packed DOS date and time (date in the high 16 bits, local time) from its parts; 0 for a
// year outside 1980..2107. Seconds are kept in two-second steps.
uint32_t PackDosDate(int year, int month, int day, int hour, int minute, int second);
