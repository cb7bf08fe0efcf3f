#include "utils/IniFiles.h"

#include <windows.h>

#include "utils/SystemInfo.h"
#include "utils/Text.h"
#include "utils/VDebug.h"

namespace {

const DWORD kValueBufferSize = 10241;  // 10,240 characters and the terminator

}  // namespace

std::string ReadIniString(const std::string& fileName, const std::string& section, const std::string& key,
                          const std::string& def) {
    if (section.empty()) return def;
    try {
        std::string value(kValueBufferSize, '\0');
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", &value[0], kValueBufferSize,
                                                      fileName.c_str());
        value.resize(length);
        return value.empty() ? def : value;
    } catch (...) {
        DebugOut() << "EXCEPTION --- Utils.ReadIniString()  " << LastErrorText() << DebugEol;
        return def;
    }
}

int64_t ReadIniInt64(const std::string& fileName, const std::string& section, const std::string& key, int64_t def) {
    return StrToInt64Def(ReadIniString(fileName, section, key, IntToStr(def)), def);
}

bool WriteIniString(const std::string& fileName, const std::string& section, const std::string& key,
                    const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName.c_str()) != 0;
}

bool WriteIniInt64(const std::string& fileName, const std::string& section, const std::string& key, int64_t value) {
    return WriteIniString(fileName, section, key, IntToStr(value));
}
