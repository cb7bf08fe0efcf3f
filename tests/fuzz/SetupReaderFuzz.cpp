// Mutation fuzzing of the setup-file reader: valid setup images built in memory are damaged
// at random (flipped bytes, lengths and offsets set to edge values, truncation, appended
// bytes) and read back, checksummed, and inspected the way tvpack verify reads them (entries
// inflated). Any crash, sanitizer report or over-allocation fails the run.
//
//   setup_reader_fuzz [--seconds N] [--seed S]
//
// The entry point LLVMFuzzerTestOneInput also lets libFuzzer drive the same target.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <zlib.h>

#include "Inspector.h"
#include "SetupFileWriter.h"
#include "package/Checksum.h"
#include "package/PackX.h"
#include "utils/FileIO.h"

namespace {

std::string g_path;

int ReadOnce(const std::string& bytes) {
    if (!fixture::WriteBinaryFile(g_path, bytes)) return 0;
    const TGFileInfo info(g_path);
    const size_t held = info.LanguageBlock().size() + info.SetupInfo().size() + info.DownloadInfo().size();
    if (held > bytes.size()) {
        std::fprintf(stderr, "reader holds %zu bytes of a %zu-byte file\n", held, bytes.size());
        std::abort();
    }
    // Every accessor must cope with whatever was read.
    volatile size_t sink = info.InfoFileName().size() + info.OriginalFileName().size() + info.AgentExeName().size() +
                           info.DownloadFileName().size() + info.DownloadToken(false).size();
    (void)sink;
    PackageTrailer trailer;
    ReadPackageTrailer(g_path, trailer);
    SharedReadFile file(g_path);
    (void)SetupDataSize(file);
    (void)PackageChecksum(g_path, trailer.TrailerLength);
    const PackageReport report = InspectPackage(g_path);
    if (report.HeaderBlocks.size() > 3) std::abort();
    return 0;
}

// A zlib stream of an entry text: header, NUL, data.
std::string CompressedEntry(const std::string& name, const std::string& data) {
    const std::string text = "|" + name + "|0|" + std::string(1, '\0') + data;
    uLongf size = compressBound(uLong(text.size()));
    std::string out(size, '\0');
    compress(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(text.data()), uLong(text.size()));
    out.resize(size);
    return out;
}

std::vector<std::string> Seeds() {
    std::vector<std::string> seeds;
    fixture::SetupImage plain;
    plain.headerBlocks = {"\x02" "ENGLISH\x01s1=Hi\x02", fixture::SetupInfoList("u", "P.info", "Agent.exe", "T", "1")};
    plain.blocks = {"entry one", "entry two"};
    seeds.push_back(fixture::Build(plain));
    fixture::SetupImage download = plain;
    download.headerBlocks.push_back("|http://h/|Full.exe|1|DT|99|");
    download.afterData = "signature block";
    seeds.push_back(fixture::Build(download));
    fixture::SetupImage compressed = plain;
    compressed.blocks = {CompressedEntry("Engine.exe*", "engine"), CompressedEntry("a.txt", std::string(3000, 'a'))};
    compressed.trailer.FileCount = 2;
    seeds.push_back(fixture::Build(compressed));
    fixture::SetupImage notPe = plain;
    notPe.stub = std::string(0x200, 'N');
    seeds.push_back(fixture::Build(notPe));
    return seeds;
}

std::string Mutate(std::string bytes, std::mt19937& random) {
    static const uint32_t edges[] = {0, 1, 3, 4, 73, 74, 75, 80, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 0xFFFFFFFCu};
    const int rounds = 1 + int(random() % 4);
    for (int r = 0; r < rounds && !bytes.empty(); ++r) {
        const size_t at = random() % bytes.size();
        switch (random() % 6) {
            case 0: bytes[at] = char(random()); break;
            case 1: bytes[at] ^= char(1u << (random() % 8)); break;
            case 2: {  // a length, offset or count field set to an edge value
                // Mostly the trailer's fields (counted back from the end), sometimes anywhere.
                const size_t back = 4 + 4 * (random() % 19);
                const size_t field = (random() % 3 == 0 && bytes.size() >= back) ? bytes.size() - back : at;
                if (field + 4 <= bytes.size())
                    PutLE32(reinterpret_cast<uint8_t*>(&bytes[field]), edges[random() % (sizeof edges / 4)]);
                break;
            }
            case 3: bytes.resize(random() % bytes.size()); break;
            case 4: bytes += std::string(random() % 100, char(random())); break;
            case 5: bytes.erase(at, random() % 16); break;
        }
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (g_path.empty()) g_path = "setup_reader_fuzz.bin";
    return ReadOnce(std::string(reinterpret_cast<const char*>(data), size));
}

#ifndef TV_LIBFUZZER
int main(int argc, char** argv) {
    double seconds = 5;
    unsigned seed = std::random_device()();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atof(argv[i + 1]);
        else if (std::strcmp(argv[i], "--seed") == 0) seed = unsigned(std::strtoul(argv[i + 1], nullptr, 10));
    }
    g_path = "setup_reader_fuzz." + std::to_string(seed) + ".bin";
    std::mt19937 random(seed);
    const std::vector<std::string> seeds = Seeds();
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = 0;
    while (std::chrono::steady_clock::now() < end) {
        for (int i = 0; i < 64; ++i, ++runs) ReadOnce(Mutate(seeds[random() % seeds.size()], random));
    }
    std::remove(g_path.c_str());
    std::printf("setup reader: %ld damaged files read without fault (seed %u)\n", runs, seed);
    return 0;
}
#endif
