#include "package/ZLibOpen.h"

#include <zlib.h>

#include <memory>

namespace {

class InflateStream {
public:
    InflateStream() {
        const int result = inflateInit(&stream_);
        if (result != Z_OK) throw EZLibError(Message(result));
    }
    ~InflateStream() { inflateEnd(&stream_); }
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;

    z_stream& Get() { return stream_; }
    std::string Message(int result) const {
        return stream_.msg ? std::string(stream_.msg) : std::string(zError(result));
    }

private:
    z_stream stream_{};
};

}  // namespace

void ZLibInflate(const char* data, size_t size, size_t maxOutput, InflateSink sink, void* sinkContext,
                 InflatePump pump, void* pumpContext) {
    InflateStream inflater;
    z_stream& stream = inflater.Get();
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = uInt(size);  // entries are far below 4 GiB: the reader bounds them

    // A piece small enough to come from the heap's reused blocks rather than fresh pages.
    const std::unique_ptr<char[]> piece(new char[kInflatePiece]);
    size_t produced = 0;
    for (;;) {
        stream.next_out = reinterpret_cast<Bytef*>(piece.get());
        stream.avail_out = uInt(kInflatePiece);
        const int result = inflate(&stream, Z_NO_FLUSH);
        const size_t got = kInflatePiece - stream.avail_out;
        if (result != Z_OK && result != Z_STREAM_END) {
            // With room for output, no progress means the input ended before the stream did.
            if (result == Z_BUF_ERROR) throw EZLibError("unexpected end of compressed data");
            throw EZLibError(inflater.Message(result));
        }
        if (got > maxOutput - produced) throw EZLibError("entry too large");
        produced += got;
        if (got > 0) sink(sinkContext, piece.get(), got);
        if (result == Z_STREAM_END) break;
        if (pump) pump(pumpContext);
    }
}
