// A thin wrapper over zlib's inflate for the package's compressed entries: one complete zlib
// stream (RFC 1950) in, the entry text out, handed over piece by piece as it is inflated.
// A zlib error is raised as EZLibError with zlib's message, the
// one exception that crosses routines in this program.
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
// Receives the inflated bytes in order, one piece of at most kInflatePiece bytes per call.
using InflateSink = void (*)(void* context, const char* data, size_t size);

// The most output one inflate call produces: the size of the pieces a sink receives.
constexpr size_t kInflatePiece = size_t(256) << 10;

// Inflates `size` bytes at `data`, handing the output to `sink` as it comes, with `pump` called
// after every piece but the last: memory stays at one piece however large the entry is. Output
// beyond `maxOutput` bytes is refused as damaged data. An error raises EZLibError after the
// pieces of the inflate calls before it have been handed over, but not the piece of the failing
// call: a wrong check value shows in the last call, so only the last piece is kept back; the
// piece that would cross `maxOutput` is kept back too.
void ZLibInflate(const char* data, size_t size, size_t maxOutput, InflateSink sink, void* sinkContext,
                 InflatePump pump, void* pumpContext);
