#include "utils/SystemInfo.h"

#include <windows.h>

#include "utils/Registry.h"
#include "utils/Text.h"

namespace {

const DWORD kNameBufferSize = 256;

}  // namespace

bool IsWinNT() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
#pragma GCC diagnostic pop
}

std::string CurrentVersionKey() {
    const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    return IsWinNT() ? ReplaceAll(key, "Windows", "Windows NT") : key;
}

std::string GetLogonUserName() {
    char name[kNameBufferSize];
    DWORD size = kNameBufferSize;
    return GetUserNameA(name, &size) ? Trim(name) : std::string();
}

std::string GetComputerNameText() {
    char name[kNameBufferSize];
    DWORD size = kNameBufferSize;
    return GetComputerNameA(name, &size) ? Trim(name) : std::string();
}

std::string GetRegisteredOwner() {
    return Trim(ReadRegistryString(CurrentVersionKey(), "RegisteredOwner", GetLogonUserName()));
}

std::string GetRegisteredOrganization() {
    return Trim(ReadRegistryString(CurrentVersionKey(), "RegisteredOrganization", ""));
}

std::string GetAccountDomain(const std::string& accountName) {
    std::string sid(64, '\0'), domain(kNameBufferSize, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD sidSize = DWORD(sid.size()), domainSize = DWORD(domain.size());
        SID_NAME_USE use;
        if (LookupAccountNameA(nullptr, accountName.c_str(), &sid[0], &sidSize, &domain[0], &domainSize, &use))
            return Trim(domain.c_str());
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
        // The sizes asked for; the domain size includes its terminator.
        sid.resize(sidSize);
        domain.resize(domainSize + 1);
    }
    return std::string();
}

std::string GetUserDomain() { return GetAccountDomain(GetLogonUserName()); }

std::string LastErrorText() {
    const DWORD code = GetLastError();
    struct SystemText {  // the buffer FormatMessage allocates
        char* text = nullptr;
        ~SystemText() { LocalFree(text); }
    } buffer;
    try {
        const DWORD length =
            FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<char*>(&buffer.text), 0, nullptr);
        return buffer.text ? Trim(std::string(buffer.text, length)) : std::string();
    } catch (...) {
        return "Error Reading \"SysUtils.SysErrorMessage(GetLastError)\"";
    }
}
