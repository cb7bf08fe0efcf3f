#include "utils/RegistryPath.h"

#include "utils/Text.h"

RegistryRoot RegistryRootFromName(const std::string& name) {
    struct Name { const char* longName; const char* shortName; RegistryRoot root; };
    static const Name kNames[] = {
        {"HKEY_CLASSES_ROOT", "HKCR", RegistryRoot::ClassesRoot},
        {"HKEY_CURRENT_USER", "HKCU", RegistryRoot::CurrentUser},
        {"HKEY_LOCAL_MACHINE", "HKLM", RegistryRoot::LocalMachine},
        {"HKEY_USERS", "HKU", RegistryRoot::Users},
        {"HKEY_CURRENT_CONFIG", "HKCC", RegistryRoot::CurrentConfig},
        {"HKEY_DYN_DATA", "HKDD", RegistryRoot::DynData},
    };
    const std::string upper = UpperCase(name);
    for (const Name& n : kNames)
        if (upper == n.longName || upper == n.shortName) return n.root;
    return RegistryRoot::CurrentUser;
}

RegistryLocation SplitRegistryPath(const std::string& path) {
    const std::string trimmed = Trim(path);
    RegistryLocation location;
    if (!StartsWith("HK", trimmed, true)) {
        location.subKey = trimmed;
        return location;
    }
    const size_t slash = trimmed.find('\\');
    location.root = RegistryRootFromName(trimmed.substr(0, slash));
    if (slash != std::string::npos) location.subKey = trimmed.substr(slash + 1);
    return location;
}

std::string RegistryValueText(uint32_t type, const std::string& data) {
    if (type == kRegistryTypeDword && data.size() == 4) {
        uint32_t value = 0;
        for (size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(data[i]);
        return UIntToStr(value);
    }
    if (type == kRegistryTypeMultiString && data.size() > 2) {
        const size_t end = data.find_last_not_of('\0');
        return ReplaceAll(data.substr(0, end == std::string::npos ? 0 : end + 1), std::string(1, '\0'), "<0>");
    }
    return data.substr(0, data.find('\0'));
}
