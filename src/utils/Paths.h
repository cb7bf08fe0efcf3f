// Path texts (Windows paths with backslashes), without touching the file system.
#pragma once
#include <string>

#include "utils/CodePage.h"

// The part after the last backslash (the whole text when there is none).
std::string ExtractFileName(const std::string& path);
// The part before the last backslash, without it (empty when there is none).
std::string ExtractFileDir(const std::string& path);
// The file-name part without its last extension, or without every extension when
// allExtensions is true: C:\a.b\c.tar.gz gives c.tar, or c.
std::string FileNameWithoutExt(const std::string& path, bool allExtensions);

// The trailing-backslash rules never take a backslash that is the second byte of a
// double-byte character. `isLeadByte` is the code page's test (tests pass their own).
using LeadByteTest = bool (*)(char);

// Drops one trailing backslash from a text of 3 or more characters, then appends one when
// `add` is set: C:\ stays C:\ with add and becomes C: without; C: with add gives C:\.
std::string SetTrailingBackslash(const std::string& path, bool add, LeadByteTest isLeadByte = IsDBCSLeadByte);
// A lone "\" becomes empty; a longer text loses one final backslash.
std::string RemoveTrailingBackslash(const std::string& path, LeadByteTest isLeadByte = IsDBCSLeadByte);
// Collapses runs of backslashes to one, except at the very start (\\server\share stays) and
// directly after a separator inside a text that begins and ends with that separator
// (|C:\\b|\\srv\a| gives |C:\b|\\srv\a|): C:\\dir\\\x gives C:\dir\x. With removeTrailing, one
// final backslash is dropped as well.
std::string CollapseBackslashes(const std::string& s, bool removeTrailing, LeadByteTest isLeadByte = IsDBCSLeadByte);
