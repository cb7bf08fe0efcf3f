// extractref: the reference of the extraction benchmark (a Windows program, run under Wine).
// It does the plain work of an extraction with zlib and the system's file calls: reads the
// setup file's entries after its header blocks (4-byte signed length, compressed when
// positive), inflates each compressed one through a 1 MiB buffer and appends the data after
// the first NUL of the entry text to a file of the entry's name in DIR, as the stub writes:
// the file opened for appending per entry, written in pieces of at most 1 MiB, given the
// entry's date.
//
//   extractref SETUP DIR
//
// Prints "ReferenceTime: N MS" (from opening the setup to the last file closed), the entries,
// the file bytes written and the largest entry text. Exit code 1 when the setup cannot be
// read, an entry does not inflate or a file cannot be written.
#include <windows.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "package/FileEntry.h"
#include "package/PackX.h"
#include "package/PackageEntries.h"
#include "utils/FileIO.h"
#include "utils/ScopedWin.h"

namespace {

constexpr size_t kWriteChunk = size_t(1) << 20;

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Receives an entry text in pieces: the header up to the first NUL names the file, the rest
// is appended to it.
class EntryFile {
public:
    explicit EntryFile(const std::string& dir) : dir_(dir) {}

    bool Add(const char* data, size_t size) {
        if (!headerDone_) {
            size_t taken = 0;
            while (taken < size && data[taken] != '\0') ++taken;
            header_.append(data, taken);
            if (taken == size) return true;
            headerDone_ = true;
            if (!Open()) return false;
            data += taken + 1;
            size -= taken + 1;
        }
        if (skipped_) return true;
        DWORD written = 0;
        if (size > 0 && (!WriteFile(file_.Get(), data, DWORD(size), &written, nullptr) || written != size))
            return false;
        bytes_ += size;
        return true;
    }

    // Closes the file, with the entry's date; an entry text without a NUL is all header.
    bool Finish() {
        if (!headerDone_) {
            headerDone_ = true;
            if (!Open()) return false;
        }
        if (skipped_) return true;
        FILETIME local, utc;
        if (date_ != 0 && DosDateTimeToFileTime(WORD(date_ >> 16), WORD(date_ & 0xFFFF), &local) &&
            LocalFileTimeToFileTime(&local, &utc))
            SetFileTime(file_.Get(), nullptr, nullptr, &utc);
        file_.Reset();
        return true;
    }

    uint64_t Bytes() const { return bytes_; }

private:
    bool Open() {
        if (header_.empty()) {  // the stub skips such an entry
            skipped_ = true;
            return true;
        }
        const EntryHeaderInfo info = ParseEntryHeader(header_);
        if (!IsSafeEntryName(info.Name)) return false;
        date_ = info.DosDate;
        file_.Reset(CreateFileA((dir_ + "\\" + info.Name).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        LARGE_INTEGER zero{};
        return file_.IsValid() && SetFilePointerEx(file_.Get(), zero, nullptr, FILE_END);
    }

    std::string dir_;
    std::string header_;
    bool headerDone_ = false;
    bool skipped_ = false;
    uint32_t date_ = 0;
    AutoCloseHandle file_;
    uint64_t bytes_ = 0;
};

// Inflates one zlib stream into `file`, 1 MiB of output at a time; the entry text's length.
bool InflateInto(const std::string& content, std::vector<char>& buffer, EntryFile& file, uint64_t& textSize) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    z.avail_in = uInt(content.size());
    int result = Z_OK;
    while (result == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer.data());
        z.avail_out = uInt(buffer.size());
        result = inflate(&z, Z_NO_FLUSH);
        if ((result == Z_OK || result == Z_STREAM_END) && !file.Add(buffer.data(), buffer.size() - z.avail_out))
            result = Z_ERRNO;
    }
    textSize = z.total_out;
    inflateEnd(&z);
    return result == Z_STREAM_END;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: extractref SETUP DIR\n");
        return 2;
    }
    const std::string dir = argv[2];
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);

    SharedReadFile setup(argv[1]);
    PackageTrailer trailer;
    if (setup.IsOpen()) ReadPackageTrailer(setup, trailer);
    if (trailer.Magic != kPackageMagic) {
        std::fprintf(stderr, "extractref: %s is no setup file\n", argv[1]);
        return 1;
    }
    CreateDirectoryA(dir.c_str(), nullptr);
    const int64_t dataSize = SetupDataSize(setup);
    std::vector<char> buffer(kWriteChunk);
    std::string content;
    int64_t position = trailer.DataOffset;
    uint64_t entries = 0, bytes = 0, largest = 0;
    for (int block = 1; dataSize - position > kTrailerSize; ++block) {
        uint8_t lengthBytes[4];
        const bool lengthRead = setup.Seek(position) && setup.ReadExact(lengthBytes, 4);
        const int32_t length = int32_t(GetLE32(lengthBytes));
        const int64_t size = length < 0 ? -int64_t(length) : int64_t(length);
        position += 4 + size;
        if (!lengthRead || position > dataSize) {
            std::fprintf(stderr, "extractref: block %d is damaged\n", block);
            return 1;
        }
        if (block <= trailer.HeaderBlockCount) continue;
        content.resize(size_t(size));
        if (!setup.ReadExact(&content[0], content.size())) {
            std::fprintf(stderr, "extractref: block %d cannot be read\n", block);
            return 1;
        }

        EntryFile file(dir);
        uint64_t textSize = content.size();
        const bool ok = length > 0 ? InflateInto(content, buffer, file, textSize)
                                   : file.Add(content.data(), content.size());
        if (!ok || !file.Finish()) {
            std::fprintf(stderr, "extractref: entry %llu does not inflate or cannot be written\n",
                         static_cast<unsigned long long>(entries + 1));
            return 1;
        }
        ++entries;
        bytes += file.Bytes();
        if (textSize > largest) largest = textSize;
    }
    const double ms = MillisecondsSince(start);
    std::printf("ReferenceTime: %.0f MS\nEntries: %llu\nBytes: %llu\nLargestEntry: %llu\n", ms,
                static_cast<unsigned long long>(entries), static_cast<unsigned long long>(bytes),
                static_cast<unsigned long long>(largest));
    return 0;
}
