// The package checksum and the space table of a setup file: what the stub tests before it
// unpacks, and what the builder writes into the trailer. One implementation for both sides.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "package/PackageTrailer.h"

// Files larger than this pass the checksum test unread: PackageChecksum returns 1234.
constexpr int64_t kChecksumSizeLimit = 52428800;  // 50 MiB

// The 32-bit wrap-around sum of a setup file (not a CRC, though the user's message calls it
// one). A word counts only when it lies before the trailer and more than 4 bytes follow it
// there; 1234 is added after every 4096-byte block read while that still holds. A PE image
// whose data end (low half at 0xFC) is above 0 is summed from offset 512 up to its data
// end. A file over 50 MiB gives 1234. A file that cannot be opened gives 0.
uint32_t PackageChecksum(const std::string& fileName, uint32_t trailerLength);

// True when a stored and a computed checksum let the package pass: equal, or either is 1234.
bool ChecksumAccepted(uint32_t stored, uint32_t computed);

using SpaceTable = std::array<uint32_t, kSpaceTableSize>;

// Cluster size of element k (1..8) of the space table: 256 * 2^k, so 512 .. 65536.
constexpr uint32_t SpaceTableClusterSize(int k) { return 256u << k; }

// The element that fits a volume of the given cluster size: the one of the largest cluster
// size not above it, or element 0 when the cluster size is below 512 (or unknown, 0).
double SpaceForClusterSize(const SpaceTable& table, int64_t clusterSize);

// Cluster size in bytes of the volume that holds `path` (on Windows the volume root named by
// its first three characters, such as C:\), or 0 when the system cannot tell.
int64_t ClusterSize(const std::string& path);
