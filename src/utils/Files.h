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

// Deletes every file (not folder) that matches `mask` (a folder and a wildcard pattern),
// hidden and read-only ones included; with clearAttributes their attributes are reset first.
// True when at least one file matched, whether or not its deletion succeeded.
bool DeleteFilesMatching(const std::string& mask, bool clearAttributes);
// Deletes a folder with everything in it (hidden and system subfolders are not listed, so
// they and the folder stay). True when the folder existed and is gone.
bool DeleteFolderTree(const std::string& folder, bool clearAttributes);

// Arranges for the running executable (and with removeFolder its folder) to be deleted after
// the process has ended.
void DeleteMySelf(bool removeFolder);
