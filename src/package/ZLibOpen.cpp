#include "package/ZLibOpen.h"

#include <zlib.h>

namespace {

// The most output one inflate call may produce before the caller's pump runs again.
constexpr size_t kOutputPerCall = size_t(4) << 20;

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

void ZLibInflate(const char* data, size_t size, std::string& out, size_t maxOutput, InflatePump pump,
                 void* pumpContext) {
    InflateStream inflater;
    z_stream& stream = inflater.Get();
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = uInt(size);  // entries are far below 4 GiB: the reader bounds them

    size_t capacity = (size + 255) / 256 * 256;
    if (capacity == 0) capacity = 256;
    out.clear();
    out.resize(capacity);
    size_t produced = 0;
    for (;;) {
        if (produced == out.size()) {
            if (out.size() >= maxOutput) throw EZLibError("entry too large");
            size_t grown = out.size() + out.size() / 2;
            if (grown > maxOutput) grown = maxOutput;
            out.resize(grown);
        }
        const size_t room = out.size() - produced;
        stream.next_out = reinterpret_cast<Bytef*>(&out[produced]);
        stream.avail_out = uInt(room < kOutputPerCall ? room : kOutputPerCall);
        const uInt before = stream.avail_out;
        const int result = inflate(&stream, Z_NO_FLUSH);
        produced += before - stream.avail_out;
        if (result == Z_STREAM_END) break;
        if (result == Z_BUF_ERROR && stream.avail_in == 0) throw EZLibError("unexpected end of compressed data");
        if (result != Z_OK && result != Z_BUF_ERROR) throw EZLibError(inflater.Message(result));
        if (pump) pump(pumpContext);
    }
    out.resize(produced);
}
