#include "BenchData.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace benchdata {

std::string Text(size_t size, std::mt19937& random) {
    static const char* const words[] = {
        "setup", "file", "the", "of", "install", "folder", "update", "agent", "and", "version", "product",
        "window", "to", "a", "is", "registry", "value", "with", "download", "package", "for", "size", "entry",
        "checksum", "error", "message", "in", "language", "extract", "user", "system", "temporary", "drive"};
    std::string text;
    text.reserve(size + 64);
    std::uniform_int_distribution<size_t> pick(0, sizeof words / sizeof *words - 1), lineLength(6, 14);
    for (int line = 0; text.size() < size; ++line) {
        text += std::to_string(line) + ": ";
        for (size_t n = lineLength(random); n > 0; --n) {
            text += words[pick(random)];
            text += n > 1 ? ' ' : '.';
        }
        text += "\r\n";
    }
    text.resize(size);
    return text;
}

std::string Noise(size_t size, std::mt19937& random) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i + 4 <= size; i += 4) {
        const uint32_t v = random();
        std::memcpy(&bytes[i], &v, 4);
    }
    return bytes;
}

bool WritePieces(const std::string& path, size_t size, const std::function<std::string(size_t)>& piece) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = true;
    for (size_t left = size; left > 0 && ok;) {
        const std::string bytes = piece(left < kMiB ? left : kMiB);
        ok = !bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        left -= ok ? bytes.size() : 0;
    }
    return std::fclose(f) == 0 && ok;
}

}  // namespace benchdata
