// Reading registry values as text. The program only reads the registry; it never creates or
// changes keys or values. Every read gives the caller's default when anything fails.
#pragma once
#include <windows.h>

#include <string>

#include "utils/RegistryPath.h"

HKEY RootKeyOf(RegistryRoot root);

// Reads value `valueName` (empty: the key's default value) of the key named by `path` (see
// SplitRegistryPath) as text (see RegistryValueText), in the 32-bit view of the registry.
// `def` for a missing key or value, access denied or data above 10,241 bytes.
std::string ReadRegistryString(const std::string& path, const std::string& valueName, const std::string& def);
