// Generated content for the benchmarks: text that compresses like documentation, bytes that do
// not compress (as already-compressed data behaves), and files written piece by piece so that
// the generating process stays small. Linux only.
#pragma once
#include <cstddef>
#include <functional>
#include <random>
#include <string>

namespace benchdata {

constexpr size_t kMiB = 1024 * 1024;

// Numbered lines of words from a setup's vocabulary, "\r\n" at each end, cut to `size` bytes.
std::string Text(size_t size, std::mt19937& random);
// Random bytes.
std::string Noise(size_t size, std::mt19937& random);

// Writes `size` bytes to `path`, asking `piece` for at most 1 MiB at a time. False when the
// file cannot be written.
bool WritePieces(const std::string& path, size_t size, const std::function<std::string(size_t)>& piece);

}  // namespace benchdata
