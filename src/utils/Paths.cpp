#include "utils/Paths.h"

std::string ExtractFileName(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFileDir(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileNameWithoutExt(const std::string& path, bool allExtensions) {
    const std::string name = ExtractFileName(path);
    const size_t dot = allExtensions ? name.find('.') : name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
