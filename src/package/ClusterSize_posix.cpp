#include "package/Checksum.h"

#include <sys/statvfs.h>

int64_t ClusterSize(const std::string& path) {
    // The allocation unit of the file system that holds the path.
    struct statvfs info;
    if (::statvfs(path.c_str(), &info) != 0) return 0;
    return int64_t(info.f_frsize);
}
