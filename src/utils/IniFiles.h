// Named values in INI files, through the system's profile reader and writer: sections and keys
// are found without regard to case, blanks around a value and one pair of enclosing quotes are
// dropped on reading. Reads never fail towards the caller.
#pragma once
#include <cstdint>
#include <string>

// The value, at most 10,240 characters; `def` for an empty section name, a missing file,
// section or key, and an empty value (Key= reads as the default).
std::string ReadIniString(const std::string& fileName, const std::string& section, const std::string& key,
                          const std::string& def);
// The value as a signed decimal; `def` when it is missing or no valid number.
int64_t ReadIniInt64(const std::string& fileName, const std::string& section, const std::string& key, int64_t def);

// Writes the value, creating the file, the section and the key as needed. True on success.
bool WriteIniString(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::string& value);
bool WriteIniInt64(const std::string& fileName, const std::string& section, const std::string& key, int64_t value);
