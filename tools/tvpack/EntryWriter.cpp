#include "EntryWriter.h"

#include <zlib.h>

#include <vector>

#include "HostFiles.h"
#include "OutputFile.h"
#include "package/PackageTrailer.h"

namespace {

constexpr size_t kBufferSize = 256 * 1024;

EntryResult Failure(const std::string& error) {
    EntryResult result;
    result.Error = error;
    return result;
}

// Reads the piece's data in buffer-sized parts and hands each to `take`.
template <typename Take>
bool ReadPiece(const EntryPiece& piece, std::vector<unsigned char>& buffer, Take take) {
    if (!SeekFile(piece.Source, piece.Offset)) return false;
    for (uint64_t left = piece.Length; left > 0;) {
        const size_t want = size_t(left < buffer.size() ? left : buffer.size());
        if (std::fread(buffer.data(), 1, want, piece.Source) != want) return false;
        if (!take(buffer.data(), want)) return false;
        left -= want;
    }
    return true;
}

bool WriteLength(OutputFile& out, uint64_t at, int32_t length) {
    uint8_t bytes[4];
    PutLE32(bytes, uint32_t(length));
    const uint64_t end = out.Position();
    return out.SeekTo(at) && out.Write(bytes, 4) && out.SeekTo(end);
}

class Deflater {
public:
    explicit Deflater(int level) { ok_ = deflateInit(&stream_, level) == Z_OK; }
    ~Deflater() { deflateEnd(&stream_); }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
    bool Ok() const { return ok_; }
    z_stream& Stream() { return stream_; }

private:
    z_stream stream_{};
    bool ok_ = false;
};

enum class Attempt { Done, StoredIsSmaller, TooLarge, Failed };

// Deflates the entry text straight into `out` after the length field. Gives up as soon as the
// output reaches the text's own size (storing is better) or the room.
Attempt TryCompress(OutputFile& out, const EntryPiece& piece, int level, uint64_t room, uint64_t& produced,
                    uint64_t& takenAtLimit) {
    Deflater deflater(level);
    if (!deflater.Ok()) return Attempt::Failed;
    z_stream& z = deflater.Stream();
    const uint64_t textSize = EntryTextSize(piece);
    std::vector<unsigned char> output(kBufferSize), input(kBufferSize);
    produced = 0;
    Attempt verdict = Attempt::Done;

    // Runs deflate over the current input, writing full output buffers.
    auto pump = [&](int flush) {
        for (;;) {
            z.next_out = output.data();
            z.avail_out = uInt(output.size());
            const int status = deflate(&z, flush);
            if (status == Z_STREAM_ERROR) return verdict = Attempt::Failed, false;
            const size_t made = output.size() - z.avail_out;
            if (produced + made >= textSize) return verdict = Attempt::StoredIsSmaller, false;
            if (4 + produced + made > room) {
                takenAtLimit = z.total_in;
                return verdict = Attempt::TooLarge, false;
            }
            if (!out.Write(output.data(), made)) return verdict = Attempt::Failed, false;
            produced += made;
            if (status == Z_STREAM_END || (z.avail_out != 0 && z.avail_in == 0 && flush == Z_NO_FLUSH)) return true;
        }
    };

    std::string head = piece.Header;
    head += '\0';
    z.next_in = reinterpret_cast<unsigned char*>(&head[0]);
    z.avail_in = uInt(head.size());
    if (!pump(Z_NO_FLUSH)) return verdict;
    const bool read = ReadPiece(piece, input, [&](unsigned char* data, size_t size) {
        z.next_in = data;
        z.avail_in = uInt(size);
        return pump(Z_NO_FLUSH);
    });
    if (!read) return verdict == Attempt::Done ? Attempt::Failed : verdict;
    z.next_in = nullptr;
    z.avail_in = 0;
    return pump(Z_FINISH) ? Attempt::Done : verdict;
}

}  // namespace

EntryResult WriteEntry(OutputFile& out, const EntryPiece& piece, int level, uint64_t room) {
    const uint64_t start = out.Position();
    const uint64_t textSize = EntryTextSize(piece);
    if (textSize > uint64_t(INT32_MAX)) return Failure(piece.Name + ": an entry larger than 2 GiB");
    const uint8_t placeholder[4] = {};
    if (!out.Write(placeholder, 4)) return Failure(out.Error());

    EntryResult result;
    if (level > 0) {
        uint64_t produced = 0;
        const Attempt attempt = TryCompress(out, piece, level, room, produced, result.TextTakenAtLimit);
        if (attempt == Attempt::Failed)
            return Failure(out.Failed() ? out.Error() : piece.Name + ": cannot read the file (did it change during the build?)");
        if (attempt == Attempt::Done) {
            if (!WriteLength(out, start, int32_t(produced))) return Failure(out.Error());
            result.Outcome = EntryOutcome::Written;
            result.Compressed = true;
            result.ContentSize = produced;
            return result;
        }
        result.StoredIsSmaller = attempt == Attempt::StoredIsSmaller;
        if (attempt == Attempt::TooLarge) {
            result.Outcome = EntryOutcome::TooLarge;
            if (!out.SeekTo(start)) return Failure(out.Error());
            return result;
        }
    }

    // Stored: the entry text as it is, with a negative length.
    if (4 + textSize > room) {
        result.Outcome = EntryOutcome::TooLarge;
        result.StoredIsSmaller = true;
        if (!out.SeekTo(start)) return Failure(out.Error());
        return result;
    }
    std::string head = piece.Header;
    head += '\0';
    std::vector<unsigned char> buffer(kBufferSize);
    if (!out.SeekTo(start + 4) || !out.Write(head)) return Failure(out.Error());
    if (!ReadPiece(piece, buffer, [&](unsigned char* data, size_t size) { return out.Write(data, size); }))
        return Failure(out.Failed() ? out.Error() : piece.Name + ": cannot read the file (did it change during the build?)");
    if (!WriteLength(out, start, -int32_t(textSize))) return Failure(out.Error());
    result.Outcome = EntryOutcome::Written;
    result.Compressed = false;
    result.ContentSize = textSize;
    return result;
}
