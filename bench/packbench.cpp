// packbench: the throughput of `tvpack build` against plain zlib on the same bytes.
//
//   packbench --tvpack PATH --dir DIR [--size MB] [--level N]
//
// Generates about --size megabytes (300) of mixed content in DIR (text, bytes that do not
// compress, as already-compressed data behaves, and zeros), compresses every file with plain
// zlib at the level (streaming, output thrown away), runs tvpack build on the same files, and
// prints both throughputs, their ratio and tvpack's peak memory. Linux only.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "BenchData.h"

namespace {

using benchdata::kMiB;
constexpr size_t kBuffer = 256 * 1024;

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// The fake stub tvpack needs: "MZ", "PE" at 0x100 and the build-identity text.
std::string Stub() {
    std::string stub(100 * 1024, '\0');
    stub[0] = 'M', stub[1] = 'Z', stub[0x100] = 'P', stub[0x101] = 'E';
    const std::string identity = "RAMAT*gan" + std::string(61, '-') + "KFAR*saba";
    stub.replace(0x400, identity.size(), identity);
    return stub;
}

// Plain zlib over every file: read in buffers, deflate, throw the output away.
bool ZlibReference(const std::vector<std::string>& paths, int level, double& seconds, uint64_t& compressed) {
    std::vector<unsigned char> in(kBuffer), out(kBuffer);
    const auto start = std::chrono::steady_clock::now();
    compressed = 0;
    for (const std::string& path : paths) {
        FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return false;
        z_stream z{};
        deflateInit(&z, level);
        int flush = Z_NO_FLUSH;
        do {
            z.avail_in = uInt(std::fread(in.data(), 1, in.size(), f));
            z.next_in = in.data();
            flush = std::feof(f) ? Z_FINISH : Z_NO_FLUSH;
            do {
                z.next_out = out.data();
                z.avail_out = uInt(out.size());
                deflate(&z, flush);
                compressed += out.size() - z.avail_out;
            } while (z.avail_out == 0);
        } while (flush != Z_FINISH);
        deflateEnd(&z);
        std::fclose(f);
    }
    seconds = Seconds(start);
    return true;
}

// Runs a program and waits for it; its wall time and peak resident memory (KiB).
int RunChild(const std::vector<std::string>& args, double& seconds, long& peakKiB) {
    const auto start = std::chrono::steady_clock::now();
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (!std::freopen("/dev/null", "w", stdout)) _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return -1;
    seconds = Seconds(start);
    peakKiB = usage.ru_maxrss;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

long FileSize(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? long(st.st_size) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string tvpack, dir;
    size_t sizeMiB = 300;
    int level = 6;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i], value = argv[i + 1];
        if (name == "--tvpack") tvpack = value;
        else if (name == "--dir") dir = value;
        else if (name == "--size") sizeMiB = std::strtoul(value.c_str(), nullptr, 10);
        else if (name == "--level") level = std::atoi(value.c_str());
    }
    if (tvpack.empty() || dir.empty() || sizeMiB < 10) {
        std::fprintf(stderr, "usage: packbench --tvpack PATH --dir DIR [--size MB] [--level N]\n");
        return 2;
    }

    // 40 % text, 30 % noise, 30 % zeros, in files of 15 MiB (zeros: 30 MiB).
    const std::string files = dir + "/files";
    mkdir(files.c_str(), 0755);
    std::mt19937 random(42);
    std::vector<std::string> paths;
    uint64_t total = 0;
    // Written piece by piece, so that this process stays small: a child forked from it starts
    // with its memory high-water mark, which the peak reported for tvpack would include.
    auto add = [&](const std::string& name, size_t size, const std::function<std::string(size_t)>& piece) {
        paths.push_back(files + "/" + name);
        total += size;
        return benchdata::WritePieces(paths.back(), size, piece);
    };
    auto text = [&](size_t n) { return benchdata::Text(n, random); };
    auto noise = [&](size_t n) { return benchdata::Noise(n, random); };
    auto zeros = [](size_t n) { return std::string(n, '\0'); };
    const size_t textFiles = sizeMiB * 4 / 10 / 15, noiseFiles = sizeMiB * 3 / 10 / 15, zeroFiles = sizeMiB * 3 / 10 / 30;
    bool written = add("Engine.exe", 200 * 1024, text);
    for (size_t i = 0; i < textFiles; ++i) written &= add("text" + std::to_string(i) + ".txt", 15 * kMiB, text);
    for (size_t i = 0; i < noiseFiles; ++i) written &= add("packed" + std::to_string(i) + ".cab", 15 * kMiB, noise);
    for (size_t i = 0; i < zeroFiles; ++i) written &= add("zeros" + std::to_string(i) + ".img", 30 * kMiB, zeros);
    written &= WriteFile(dir + "/stub.exe", Stub()) && WriteFile(dir + "/setup.ini", "[Setup]\nEngine=Engine.exe\n");
    if (!written) {
        std::fprintf(stderr, "packbench: cannot write the data into %s\n", dir.c_str());
        return 1;
    }
    std::printf("data          %.1f MiB in %zu files (%zu text, %zu incompressible, %zu zeros), zlib level %d\n",
                double(total) / kMiB, paths.size(), textFiles + 1, noiseFiles, zeroFiles, level);

    // zlib before and after the build; the faster of the two runs is the reference.
    double zlibSeconds = 0, again = 0, buildSeconds = 0, verifySeconds = 0;
    uint64_t compressed = 0;
    long peakKiB = 0, verifyPeakKiB = 0;
    const std::string out = dir + "/Setup.exe";
    if (!ZlibReference(paths, level, zlibSeconds, compressed)) return 1;
    const int built = RunChild({tvpack, "build", "--stub", dir + "/stub.exe", "--desc", dir + "/setup.ini", "--files",
                                files, "--out", out, "--level", std::to_string(level)},
                               buildSeconds, peakKiB);
    if (!ZlibReference(paths, level, again, compressed)) return 1;
    if (again < zlibSeconds) zlibSeconds = again;
    if (built != 0) {
        std::fprintf(stderr, "packbench: tvpack build failed (%d)\n", built);
        return 1;
    }
    const int verified = RunChild({tvpack, "verify", out}, verifySeconds, verifyPeakKiB);

    const double zlibRate = double(total) / kMiB / zlibSeconds, buildRate = double(total) / kMiB / buildSeconds;
    std::printf("plain zlib    %7.1f MiB/s  (%.2f s, output %.1f MiB)\n", zlibRate, zlibSeconds,
                double(compressed) / kMiB);
    std::printf("tvpack build  %7.1f MiB/s  (%.2f s, setup %.1f MiB)  = %.0f %% of zlib (target 90 %%)\n", buildRate,
                buildSeconds, double(FileSize(out)) / kMiB, 100.0 * buildRate / zlibRate);
    std::printf("peak memory   %7.1f MiB  tvpack build (target below 200 MiB)\n", peakKiB / 1024.0);
    std::printf("tvpack verify %7.1f MiB/s  (%.2f s, peak %.1f MiB): %s\n", double(total) / kMiB / verifySeconds,
                verifySeconds, verifyPeakKiB / 1024.0, verified == 0 ? "OK" : "FAILED");
    return verified == 0 ? 0 : 1;
}
