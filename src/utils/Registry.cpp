#include "utils/Registry.h"

#include "utils/ScopedWin.h"

namespace {

const DWORD kValueBufferSize = 10241;

}  // namespace

HKEY RootKeyOf(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
        case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
        case RegistryRoot::Users: return HKEY_USERS;
        case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
        case RegistryRoot::DynData: return HKEY_DYN_DATA;
        case RegistryRoot::CurrentUser: break;
    }
    return HKEY_CURRENT_USER;
}

std::string ReadRegistryString(const std::string& path, const std::string& valueName, const std::string& def) {
    const RegistryLocation location = SplitRegistryPath(path);
    HKEY opened = nullptr;
    // The release program is 32-bit and sees the 32-bit view; other builds ask for the same.
    if (RegOpenKeyExA(RootKeyOf(location.root), location.subKey.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &opened) !=
        ERROR_SUCCESS)
        return def;
    const AutoRegKey key(opened);
    std::string data(kValueBufferSize, '\0');
    DWORD type = 0, size = kValueBufferSize;
    if (RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) !=
        ERROR_SUCCESS)
        return def;
    data.resize(size);
    return RegistryValueText(type, data);
}
