// Registry paths such as "HKEY_CURRENT_USER\Software\Fennet\Tarvel\SpanDisk" and the text a
// value reads as, without touching the registry.
#pragma once
#include <cstdint>
#include <string>

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };

// HKEY_CLASSES_ROOT/HKCR, HKEY_CURRENT_USER/HKCU, HKEY_LOCAL_MACHINE/HKLM, HKEY_USERS/HKU,
// HKEY_CURRENT_CONFIG/HKCC, HKEY_DYN_DATA/HKDD in any case; anything else is the current user.
RegistryRoot RegistryRootFromName(const std::string& name);

struct RegistryLocation {
    RegistryRoot root = RegistryRoot::CurrentUser;
    std::string subKey;
};

// The trimmed path split at its first backslash into root name and sub-key (trailing
// backslashes stay). A path that does not start with HK lies wholly under the current user:
// Software\x is HKCU\Software\x, HKXX\Software is HKCU\Software, and HKLM alone is the root of
// local machine with an empty sub-key.
RegistryLocation SplitRegistryPath(const std::string& path);

constexpr uint32_t kRegistryTypeDword = 4;        // REG_DWORD
constexpr uint32_t kRegistryTypeMultiString = 7;  // REG_MULTI_SZ

// A value's data as text: a 4-byte DWORD as its unsigned decimal (4294967295 for all bits
// set); a multi-string of more than 2 bytes without its final NULs and with "<0>" for every
// NUL inside (a, b reads as a<0>b); anything else up to its first NUL.
std::string RegistryValueText(uint32_t type, const std::string& data);
