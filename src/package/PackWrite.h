// The writing side of the setup-file format, which only the package builder needs: scrambled
// tokens and inform texts, entry headers, packed dates and the space table. Kept apart from
// the reading side so that the stub, which ships inside every setup, does not carry it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "package/Checksum.h"

// The scrambled form of a plain token (see Tokens.h), with a random key and random fillers:
// two calls usually give different texts that descramble to the same value.
std::string ScrambleToken(const std::string& plain);

// An inform text: "|" scrambled token "|||" message (the fields between are not used).
// With scrambled true the whole text is in the "Scrambled=01" form.
std::string InformText(const std::string& plainToken, const std::string& message, bool scrambled);

// The header of a file entry: "|" name "|" date "|". For the setup engine the name item is
// the name, "*" and, when there is any, a blank and the extra command-line text. A text that
// holds "|" moves the list to another separator.
std::string EntryHeader(const std::string& fileName, uint32_t dosDate);
std::string EngineEntryHeader(const std::string& fileName, const std::string& extraText, uint32_t dosDate);

// Packed DOS date and time (date in the high 16 bits, local time) from its parts; 0 for a
// year outside 1980..2107. Seconds are kept in two-second steps.
uint32_t PackDosDate(int year, int month, int day, int hour, int minute, int second);

// The space table of a package's files: element 0 the sum of their sizes, element k the sum
// of the sizes rounded up to whole clusters of SpaceTableClusterSize(k). Sums that do not fit
// 32 bits are stored as 0xFFFFFFFF, so that a huge package never looks small.
SpaceTable SpaceTableOf(const std::vector<uint64_t>& fileSizes);
