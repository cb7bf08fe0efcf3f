// pefix: makes a linked stub executable match the layout the package builder relies on, and
// checks it.
//
//   pefix fix FILE     moves the PE header to offset 0x100 and zeroes 0x90..0xFF, where the
//                      builder writes its 64 letters and the data end offset
//   pefix check FILE   verifies that layout, the build-identity text and that the image
//                      imports only system DLLs (no compiler runtime DLLs, no zlib DLL);
//                      prints the imported DLLs
//
// Runs on the build machine (Linux), so it reads the image as bytes, without system headers.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kWantedHeaderOffset = 0x100;
constexpr uint32_t kBuilderAreaStart = 0x90;

uint16_t Get16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b.at(at) | b.at(at + 1) << 8); }
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) { return uint32_t(Get16(b, at)) | uint32_t(Get16(b, at + 2)) << 16; }
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.at(at + i) = uint8_t(v >> (8 * i));
}

struct Headers {
    uint32_t peOffset = 0;
    uint16_t sectionCount = 0;
    uint16_t optionalSize = 0;
    uint32_t optionalOffset = 0;
    uint32_t sectionTableOffset = 0;
    uint32_t end = 0;  // end of the section table
    bool pe32Plus = false;
};

bool ReadHeaders(const std::vector<uint8_t>& image, Headers& h, std::string& error) {
    if (image.size() < 0x200 || image[0] != 'M' || image[1] != 'Z') return error = "not an MZ executable", false;
    h.peOffset = Get32(image, 0x3C);
    if (h.peOffset + 24 > image.size() || std::memcmp(&image[h.peOffset], "PE\0\0", 4) != 0)
        return error = "no PE header where e_lfanew points", false;
    h.sectionCount = Get16(image, h.peOffset + 6);
    h.optionalSize = Get16(image, h.peOffset + 20);
    h.optionalOffset = h.peOffset + 24;
    h.sectionTableOffset = h.optionalOffset + h.optionalSize;
    h.end = h.sectionTableOffset + 40u * h.sectionCount;
    if (h.end > image.size()) return error = "truncated headers", false;
    h.pe32Plus = Get16(image, h.optionalOffset) == 0x20b;
    return true;
}

uint32_t SizeOfHeaders(const std::vector<uint8_t>& image, const Headers& h) { return Get32(image, h.optionalOffset + 60); }

bool RvaToOffset(const std::vector<uint8_t>& image, const Headers& h, uint32_t rva, size_t& offset) {
    for (uint16_t i = 0; i < h.sectionCount; ++i) {
        const size_t s = h.sectionTableOffset + 40u * i;
        const uint32_t va = Get32(image, s + 12), rawSize = Get32(image, s + 16), raw = Get32(image, s + 20);
        const uint32_t virtSize = std::max(Get32(image, s + 8), rawSize);
        if (rva >= va && rva < va + virtSize) {
            offset = raw + (rva - va);
            return offset < image.size();
        }
    }
    return false;
}

std::vector<std::string> ImportedDlls(const std::vector<uint8_t>& image, const Headers& h) {
    std::vector<std::string> dlls;
    const uint32_t directories = h.optionalOffset + (h.pe32Plus ? 112 : 96);
    const uint32_t importRva = Get32(image, directories + 8);  // data directory 1: imports
    size_t at = 0;
    if (importRva == 0 || !RvaToOffset(image, h, importRva, at)) return dlls;
    for (; at + 20 <= image.size(); at += 20) {
        const uint32_t nameRva = Get32(image, at + 12);
        if (nameRva == 0) break;
        size_t nameAt = 0;
        if (!RvaToOffset(image, h, nameRva, nameAt)) break;
        std::string name;
        while (nameAt < image.size() && image[nameAt]) name += char(std::tolower(image[nameAt++]));
        dlls.push_back(name);
    }
    return dlls;
}

bool Load(const char* path, std::vector<uint8_t>& image) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    image.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

int Fix(const char* path) {
    std::vector<uint8_t> image;
    Headers h;
    std::string error;
    if (!Load(path, image)) return std::fprintf(stderr, "pefix: cannot read %s\n", path), 1;
    if (!ReadHeaders(image, h, error)) return std::fprintf(stderr, "pefix: %s: %s\n", path, error.c_str()), 1;
    if (h.peOffset > kWantedHeaderOffset)
        return std::fprintf(stderr, "pefix: %s: PE header at 0x%X, beyond 0x100\n", path, h.peOffset), 1;
    const uint32_t shift = kWantedHeaderOffset - h.peOffset;
    if (h.end + shift > SizeOfHeaders(image, h))
        return std::fprintf(stderr, "pefix: %s: no room to move the headers by %u bytes\n", path, shift), 1;
    for (uint32_t i = h.end; i < h.end + shift; ++i)
        if (image[i] != 0) return std::fprintf(stderr, "pefix: %s: header padding is not free\n", path), 1;

    std::memmove(&image[kWantedHeaderOffset], &image[h.peOffset], h.end - h.peOffset);
    std::fill(image.begin() + std::min<uint32_t>(h.peOffset, kBuilderAreaStart), image.begin() + kWantedHeaderOffset, 0);
    Put32(image, 0x3C, kWantedHeaderOffset);
    Put32(image, kWantedHeaderOffset + 24 + 64, 0);  // the image checksum no longer holds

    const std::string temp = std::string(path) + ".pefix";
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    out.close();
    if (!out || std::rename(temp.c_str(), path) != 0)
        return std::fprintf(stderr, "pefix: cannot write %s\n", path), 1;
    return 0;
}

int Check(const char* path) {
    std::vector<uint8_t> image;
    Headers h;
    std::string error;
    if (!Load(path, image)) return std::fprintf(stderr, "pefix: cannot read %s\n", path), 1;
    if (!ReadHeaders(image, h, error)) return std::fprintf(stderr, "pefix: %s: %s\n", path, error.c_str()), 1;
    int failures = 0;
    auto fail = [&](const std::string& what) {
        std::fprintf(stderr, "pefix: %s: %s\n", path, what.c_str());
        ++failures;
    };
    if (h.peOffset != kWantedHeaderOffset || image[0x100] != 'P' || image[0x101] != 'E') fail("\"PE\" is not at 0x100");
    for (uint32_t i = kBuilderAreaStart; i < kWantedHeaderOffset; ++i)
        if (image[i] != 0) {
            fail("bytes 0x90..0xFF are not all zero");
            break;
        }

    // The build-identity text: start marker, 61 bytes, end marker, exactly once.
    const std::string start = "RAMAT*gan", end = "KFAR*saba";
    const std::string bytes(image.begin(), image.end());
    const size_t at = bytes.find(start);
    if (at == std::string::npos) fail("build-identity text missing");
    else if (bytes.compare(at + start.size() + 61, end.size(), end) != 0) fail("build-identity text malformed");
    else if (bytes.find(start, at + 1) != std::string::npos) fail("build-identity text occurs twice");

    static const std::set<std::string> systemDlls = {
        "kernel32.dll", "user32.dll",   "gdi32.dll",   "advapi32.dll", "shell32.dll", "version.dll",
        "comctl32.dll", "msvcrt.dll",   "ole32.dll",   "oleaut32.dll", "shlwapi.dll", "comdlg32.dll",
        "wininet.dll",  "psapi.dll",    "shfolder.dll"};
    const std::vector<std::string> dlls = ImportedDlls(image, h);
    if (dlls.empty()) fail("no import table found");
    std::printf("%s imports:", path);
    for (const std::string& dll : dlls) {
        std::printf(" %s", dll.c_str());
        if (!systemDlls.count(dll)) fail("imports a non-system DLL: " + dll);
    }
    std::printf("\n");
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "fix") == 0) return Fix(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "check") == 0) return Check(argv[2]);
    std::fprintf(stderr, "usage: pefix fix|check FILE\n");
    return 2;
}
