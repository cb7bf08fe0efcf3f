// benchdata: writes the mixed content of the extraction benchmark into a folder.
//
//   benchdata DIR [--size MB] [--file-size MB]
//
// About --size megabytes (300): 40 % text (a few hundred small documents of 1 to 64 KiB, the
// rest in large files), 30 % bytes that do not compress and 30 % zeros. Large files hold at
// most --file-size MiB (96) each, so that with entries of 64 MiB they make full entries and
// a remainder. Prints what it wrote. Linux only.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "BenchData.h"

using benchdata::kMiB;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: benchdata DIR [--size MB] [--file-size MB]\n");
        return 2;
    }
    const std::string dir = argv[1];
    size_t sizeMiB = 300, fileMiB = 96;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const size_t value = std::strtoul(argv[i + 1], nullptr, 10);
        if (name == "--size") sizeMiB = value;
        else if (name == "--file-size") fileMiB = value;
    }
    if (sizeMiB < 10 || fileMiB < 1) {
        std::fprintf(stderr, "benchdata: --size takes at least 10, --file-size at least 1\n");
        return 2;
    }
    mkdir(dir.c_str(), 0755);

    std::mt19937 random(6);
    size_t files = 0, total = 0;
    bool written = true;
    auto add = [&](const std::string& name, size_t size, const std::function<std::string(size_t)>& piece) {
        written = written && benchdata::WritePieces(dir + "/" + name, size, piece);
        ++files;
        total += size;
    };
    // Fills `bytes` with files of at most the large-file size.
    auto addLarge = [&](const char* stem, const char* extension, size_t bytes,
                        const std::function<std::string(size_t)>& piece) {
        for (int n = 0; bytes > 0; ++n) {
            const size_t size = bytes < fileMiB * kMiB ? bytes : fileMiB * kMiB;
            add(stem + std::to_string(n) + extension, size, piece);
            bytes -= size;
        }
    };
    auto text = [&](size_t n) { return benchdata::Text(n, random); };
    auto noise = [&](size_t n) { return benchdata::Noise(n, random); };
    auto zeros = [](size_t n) { return std::string(n, '\0'); };

    const size_t all = sizeMiB * kMiB, smallBytes = all / 50;
    std::uniform_int_distribution<size_t> smallSize(1024, 64 * 1024);
    size_t small = 0;
    for (int n = 0; small < smallBytes; ++n) {
        const size_t size = smallSize(random);
        add("doc" + std::to_string(n) + ".txt", size, text);
        small += size;
    }
    addLarge("text", ".txt", all * 4 / 10 - small, text);
    addLarge("packed", ".cab", all * 3 / 10, noise);
    addLarge("zeros", ".img", all - all * 7 / 10, zeros);
    if (!written) {
        std::fprintf(stderr, "benchdata: cannot write the data into %s\n", dir.c_str());
        return 1;
    }
    std::printf("%zu files, %zu bytes\n", files, total);
    return 0;
}
