#include "package/Checksum.h"

#include <windows.h>

int64_t ClusterSize(const std::string& path) {
    // The volume root is the path's first three characters (C:\). A UNC path gives no such
    // root, the query fails and the caller falls back to the plain byte count.
    const std::string root = path.substr(0, 3);
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return 0;
    return int64_t(sectorsPerCluster) * bytesPerSector;
}
