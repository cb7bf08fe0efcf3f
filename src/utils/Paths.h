// Path texts (Windows paths with backslashes), without touching the file system.
#pragma once
#include <string>

// The part after the last backslash (the whole text when there is none).
std::string ExtractFileName(const std::string& path);
// The part before the last backslash, without it (empty when there is none).
std::string ExtractFileDir(const std::string& path);
// The file-name part without its last extension, or without every extension when
// allExtensions is true: C:\a.b\c.tar.gz gives c.tar, or c.
std::string FileNameWithoutExt(const std::string& path, bool allExtensions);
