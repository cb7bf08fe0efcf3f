// A thin wrapper over zlib's inflate for the package's compressed entries: one complete
// zlib stream (RFC 1950) in, the whole entry text out. A zlib error is raised as EZLibError
// with zlib's message, the one exception that crosses routines in this program.
#pragma once
#include <cstddef>
#include <exception>
#include <string>

class EZLibError : public std::exception {
public:
    explicit EZLibError(const std::string& message) : message_(message) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Called between inflate calls so that the caller can keep its window alive.
using InflatePump = void (*)(void* context);

// Inflates `size` bytes at `data` into `out` (replacing its content). Output beyond
// `maxOutput` bytes is refused as damaged data. The output buffer starts at the input size
// rounded up to 256 and grows by half of itself whenever it is full, so even a highly
// compressible entry costs linear time.
void ZLibInflate(const char* data, size_t size, std::string& out, size_t maxOutput, InflatePump pump,
                 void* pumpContext);
