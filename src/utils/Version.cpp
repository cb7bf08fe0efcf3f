#include "utils/Version.h"

#include <windows.h>

#include "utils/Folders.h"
#include "utils/Text.h"

std::string GetFileVersionText(const std::string& fileName) {
    const std::string path = fileName.empty() ? ExePath() : fileName;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return std::string();
    std::string data(size, '\0');
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoLength = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, &data[0]) ||
        !VerQueryValueA(&data[0], "\\", reinterpret_cast<void**>(&info), &infoLength) || !info ||
        infoLength < sizeof(VS_FIXEDFILEINFO))
        return std::string();
    return IntToStr(HIWORD(info->dwFileVersionMS)) + "." + IntToStr(LOWORD(info->dwFileVersionMS)) + "." +
           IntToStr(HIWORD(info->dwFileVersionLS)) + "." + IntToStr(LOWORD(info->dwFileVersionLS));
}
