// The running program's own folders.
#pragma once
#include <string>

std::string ExePath();  // full path of the running executable

// Without `add`: one trailing backslash removed from a path of 3 or more characters (not the
// second byte of a double-byte character); with `add`: then exactly one appended. So "C:\"
// stays "C:\" with add and becomes "C:" without.
std::string SetTrailingBackslash(const std::string& path, bool add);
// The user's temporary folder, through SetTrailingBackslash with `add`.
std::string TempDir(bool add);
