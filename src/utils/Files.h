// Whole-file operations on byte texts. None of them raises or shows anything: failures are
// false, empty texts, 0 or -1.
#pragma once
#include <cstdint>
#include <string>

// Writes `text` to the file, replacing it, or at its end when `append` is true (a missing
// file is created). Texts above 1 MiB are written in chunks of min(length / 10, 1 MiB).
// A non-zero packed DOS date (local time) becomes the file's last-write time once all bytes
// are written. True when every byte was written.
bool WriteTextToFile(const std::string& path, const std::string& text, uint32_t fileDate, bool append);
bool AppendTextToFile(const std::string& path, const std::string& text, uint32_t fileDate);

// Arranges for the running executable (and with removeFolder its folder) to be deleted after
// the process has ended.
void DeleteMySelf(bool removeFolder);
