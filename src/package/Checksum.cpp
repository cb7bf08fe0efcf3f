#include "package/Checksum.h"

#include "package/PackX.h"
#include "utils/FileIO.h"

namespace {

constexpr size_t kChecksumBlock = 4096;
constexpr int64_t kSkippedHeaderBytes = 512;  // stub header area with the builder's letters

}  // namespace

uint32_t PackageChecksum(const std::string& fileName, uint32_t trailerLength) {
    SharedReadFile file(fileName);
    if (!file.IsOpen()) return 0;
    int64_t size = file.Size();
    if (size > kChecksumSizeLimit) return kChecksumExempt;

    uint32_t dataEndLow = 0;
    uint8_t bytes[kChecksumBlock];
    if (IsPEImage(file) && file.Seek(kDataEndLowOffset) && file.ReadExact(bytes, 4)) dataEndLow = GetLE32(bytes);
    if (dataEndLow > 0) size = dataEndLow;
    size -= trailerLength;
    int64_t start = 0;
    if (dataEndLow > 0) {
        size -= kSkippedHeaderBytes;
        start = kSkippedHeaderBytes;
    }
    if (!file.Seek(start)) return 0;

    // `size` counts down the bytes left before the trailer; it goes negative past it.
    uint32_t sum = 0;
    for (;;) {
        const size_t got = file.Read(bytes, kChecksumBlock);
        for (size_t at = 0; at + 4 <= got; at += 4) {
            size -= 4;
            if (size > 4) sum += GetLE32(bytes + at);
        }
        if (size > 4) sum += kChecksumExempt;
        if (got < kChecksumBlock) break;
    }
    return sum;
}

bool ChecksumAccepted(uint32_t stored, uint32_t computed) {
    return stored == computed || stored == kChecksumExempt || computed == kChecksumExempt;
}

double SpaceForClusterSize(const SpaceTable& table, int64_t clusterSize) {
    double result = table[0];
    for (int k = 1; k < kSpaceTableSize; ++k)
        if (int64_t(SpaceTableClusterSize(k)) <= clusterSize) result = table[k];
    return result;
}
