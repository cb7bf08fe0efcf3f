#include "Inspector.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

#include "StubImage.h"
#include "package/Checksum.h"
#include "package/PackX.h"
#include "package/Tokens.h"
#include "utils/FileIO.h"
#include "utils/VSUB.h"

namespace {

constexpr size_t kChunk = 64 * 1024;
constexpr uint32_t kLargestHeaderBlock = 16u << 20;
constexpr size_t kLongestEntryHeader = 64 * 1024;

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// Takes an entry text piece by piece: the header up to the first NUL, and the byte counts.
class EntryTextSink {
public:
    explicit EntryTextSink(EntryReport& entry) : entry_(entry) {}
    void Take(const unsigned char* data, size_t size) {
        entry_.TextSize += size;
        if (headerDone_) {
            entry_.DataSize += size;
            return;
        }
        for (size_t i = 0; i < size; ++i) {
            if (data[i] == 0) {
                headerDone_ = true;
                entry_.DataSize += size - i - 1;
                return;
            }
            if (entry_.Header.size() < kLongestEntryHeader) entry_.Header += char(data[i]);
        }
    }
    void Finish() {
        if (!headerDone_) return Fault("no NUL after the entry header");
        entry_.Info = ParseEntryHeader(entry_.Header);
        if (entry_.Info.Name.empty()) Fault("the entry header names no file");
    }
    void Fault(const std::string& what) {
        if (entry_.Fault.empty()) entry_.Fault = what;
    }

private:
    EntryReport& entry_;
    bool headerDone_ = false;
};

class Inflater {
public:
    Inflater() { ok_ = inflateInit(&stream_) == Z_OK; }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    bool Ok() const { return ok_; }
    z_stream& Stream() { return stream_; }

private:
    z_stream stream_{};
    bool ok_ = false;
};

// Streams a stored or compressed content of `size` bytes from the file's current position.
void ScanContent(SharedReadFile& file, EntryReport& entry) {
    EntryTextSink sink(entry);
    std::vector<unsigned char> input(kChunk), output(kChunk);
    Inflater inflater;
    z_stream& z = inflater.Stream();
    if (entry.Compressed && !inflater.Ok()) return sink.Fault("zlib: cannot start inflating");
    bool ended = false;
    for (uint64_t left = entry.ContentSize; left > 0;) {
        const size_t want = size_t(left < kChunk ? left : kChunk);
        if (file.Read(input.data(), want) != want) return sink.Fault("the file ends inside the entry");
        left -= want;
        if (!entry.Compressed) {
            sink.Take(input.data(), want);
            continue;
        }
        if (ended) return sink.Fault("bytes after the end of the zlib stream");
        z.next_in = input.data();
        z.avail_in = uInt(want);
        do {
            z.next_out = output.data();
            z.avail_out = uInt(output.size());
            const int status = inflate(&z, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END && !(status == Z_BUF_ERROR && z.avail_in == 0))
                return sink.Fault(std::string("zlib: ") + (z.msg ? z.msg : "inflate failed"));
            sink.Take(output.data(), output.size() - z.avail_out);
            if (status == Z_STREAM_END) {
                if (z.avail_in != 0) return sink.Fault("bytes after the end of the zlib stream");
                ended = true;
                break;
            }
        } while (z.avail_in != 0 || z.avail_out == 0);
    }
    if (entry.Compressed && !ended) return sink.Fault("the zlib stream is cut short");
    sink.Finish();
}

bool ReadLE32(SharedReadFile& file, uint32_t& value) {
    uint8_t bytes[4];
    if (!file.ReadExact(bytes, 4)) return false;
    value = GetLE32(bytes);
    return true;
}

void ScanHeaderBlocks(SharedReadFile& file, PackageReport& r, int64_t& position, int64_t trailerStart) {
    const int count = r.Trailer.HeaderBlockCount;
    if (count > 3) r.Faults.push_back("header block count " + std::to_string(count) + " (2 or 3 expected)");
    for (int i = 0; i < count && i < 3; ++i) {
        uint32_t length = 0;
        if (!file.Seek(position) || position + 4 > trailerStart || !ReadLE32(file, length))
            return r.Faults.push_back("header block " + std::to_string(i + 1) + " runs into the trailer");
        if (position + 4 + int64_t(length) > trailerStart || length > kLargestHeaderBlock)
            return r.Faults.push_back("header block " + std::to_string(i + 1) + " of " + std::to_string(length) +
                                      " bytes runs past the trailer");
        std::string block(length, '\0');
        if (length > 0 && !file.ReadExact(&block[0], length))
            return r.Faults.push_back("the file ends inside header block " + std::to_string(i + 1));
        r.HeaderBlocks.push_back(block);
        position += 4 + int64_t(length);
    }
    const std::string& languages = r.HeaderBlocks.empty() ? std::string() : r.HeaderBlocks[0];
    if (SUB::ItemCount(languages) < 1 || languages[0] != '\x02')
        r.Faults.push_back("the language block is not a list of languages");
}

void ScanEntries(SharedReadFile& file, PackageReport& r, int64_t position, int64_t trailerStart) {
    while (position < trailerStart) {
        const std::string where = "entry " + std::to_string(r.Entries.size() + 1) + " at " + std::to_string(position);
        uint32_t stored = 0;
        if (trailerStart - position < 4 || !file.Seek(position) || !ReadLE32(file, stored))
            return r.Faults.push_back(where + ": stray bytes before the trailer");
        const int32_t length = int32_t(stored);
        if (length == INT32_MIN) return r.Faults.push_back(where + ": impossible length");
        EntryReport entry;
        entry.Offset = uint64_t(position);
        entry.Compressed = length > 0;
        entry.ContentSize = uint64_t(length < 0 ? -int64_t(length) : length);
        if (position + 4 + int64_t(entry.ContentSize) > trailerStart)
            return r.Faults.push_back(where + ": " + std::to_string(entry.ContentSize) + " bytes run past the trailer");
        if (length == 0) entry.Fault = "an empty block";
        else ScanContent(file, entry);
        if (!entry.Fault.empty()) r.Faults.push_back(where + ": " + entry.Fault);
        r.Entries.push_back(entry);
        position += 4 + int64_t(entry.ContentSize);
    }
}

}  // namespace

PackageReport InspectPackage(const std::string& path) {
    PackageReport r;
    r.Path = path;
    SharedReadFile file(path);
    if (!file.IsOpen()) return r.Faults.push_back("cannot open the file"), r;
    r.FileSize = file.Size();
    r.IsPE = IsPEImage(file);
    r.DataEnd = SetupDataSize(file);
    if (r.IsPE) {
        r.BuilderLetters.resize(kBuilderLettersSize);
        if (!file.Seek(kBuilderLettersOffset) || !file.ReadExact(&r.BuilderLetters[0], kBuilderLettersSize))
            r.BuilderLetters.clear();
    }
    if (r.DataEnd > r.FileSize)
        return r.Faults.push_back("the data end " + std::to_string(r.DataEnd) + " lies beyond the file's end " +
                                  std::to_string(r.FileSize) + ": the file is cut short"),
               r;
    if (r.DataEnd < int64_t(kTrailerSize)) return r.Faults.push_back("too short to hold a trailer"), r;

    ReadPackageTrailer(file, r.Trailer);
    r.TrailerRead = true;
    if (r.Trailer.TrailerLength != kTrailerSize)
        return r.Faults.push_back("trailer length " + std::to_string(r.Trailer.TrailerLength) + " (74 expected)"), r;
    if (r.Trailer.Magic != kPackageMagic)
        return r.Faults.push_back("wrong magic " + Hex(r.Trailer.Magic) + " (" + Hex(kPackageMagic) + " expected)"), r;

    r.ComputedChecksum = PackageChecksum(path, r.Trailer.TrailerLength);
    if (!ChecksumAccepted(r.Trailer.PackageChecksum, r.ComputedChecksum))
        r.Faults.push_back("checksum " + Hex(r.Trailer.PackageChecksum) + " does not hold: the file sums to " +
                           Hex(r.ComputedChecksum));

    const int64_t trailerStart = r.DataEnd - kTrailerSize;
    int64_t position = r.Trailer.DataOffset;
    if (position < 0 || position > trailerStart)
        return r.Faults.push_back("data offset " + std::to_string(position) + " lies outside the data"), r;
    const size_t faultsBefore = r.Faults.size();
    if (r.IsPE) ScanHeaderBlocks(file, r, position, trailerStart);  // later disks hold entries only
    if (r.Faults.size() > faultsBefore && r.HeaderBlocks.size() < r.Trailer.HeaderBlockCount) return r;
    ScanEntries(file, r, position, trailerStart);

    const size_t entries = r.Entries.size();
    const bool wholePackage = r.IsPE && !r.Trailer.HasOption(kOptMoreDisksFollow);
    if (wholePackage ? entries != r.Trailer.FileCount : entries > r.Trailer.FileCount)
        r.Faults.push_back("the trailer counts " + std::to_string(r.Trailer.FileCount) + " entries, the file holds " +
                           std::to_string(entries));
    if (r.IsPE && r.Trailer.DataOffset > 0) {
        constexpr int64_t kLargestStub = 4 << 20;
        std::string stub(size_t(r.Trailer.DataOffset < kLargestStub ? r.Trailer.DataOffset : kLargestStub), '\0');
        if (file.Seek(0)) stub.resize(file.Read(&stub[0], stub.size()));
        const size_t at = FindBuildIdentity(stub);
        if (at != std::string::npos) r.Identity = stub.substr(at, kIdentityTextSize);
    }
    return r;
}

std::string DosDateText(uint32_t dosDate) {
    if (dosDate == 0) return "-";
    const uint32_t date = dosDate >> 16, time = dosDate & 0xFFFF;
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", 1980 + (date >> 9), (date >> 5) & 15, date & 31,
                  time >> 11, (time >> 5) & 63, (time & 31) * 2);
    return text;
}

namespace {

std::string Flag(const char* name, bool on) { return on ? std::string(" ") + name : std::string(); }

std::string FlagsOrNone(const std::string& flags) { return flags.empty() ? " -" : flags; }

// A text from a header block, with the bytes below blank shown as \xNN. Elsewhere than on
// Windows the terminal takes UTF-8: the Windows-1252 letters from 0xA0 up are converted.
std::string Printable(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
#ifndef _WIN32
        } else if (byte >= 0xA0) {
            shown += char(0xC0 | byte >> 6);
            shown += char(0x80 | (byte & 0x3F));
#else
        } else if (byte >= 0x80) {
            shown += c;
#endif
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            shown += escape;
        }
    }
    return shown;
}

void PrintLanguages(std::ostream& out, const std::string& block) {
    out << "languages   " << SUB::ItemCount(block) << "\n";
    for (int i = 0; i < SUB::ItemCount(block); ++i) {
        const std::string entry = SUB::GetItem(block, i, "");
        out << "  [" << Printable(SUB::GetItem(entry, 0, "")) << "]\n";
        for (int k = 1; k < SUB::ItemCount(entry); ++k) out << "    " << Printable(SUB::GetItem(entry, k, "")) << "\n";
    }
}

// Prints the five items of the setup or download information; item 3 is a token in both.
void PrintInfoList(std::ostream& out, const char* title, const std::string& list, const char* const (&names)[5]) {
    out << title << "\n";
    for (int i = 0; i < 5; ++i) {
        const std::string item = SUB::GetItem(list, i, "");
        out << "  " << names[i] << std::string(15 - std::string(names[i]).size(), ' ') << Printable(item);
        std::string plain;
        if (i == 3 && !item.empty())
            out << (TryDescrambleToken(item, plain) ? "  (plain: " + Printable(plain) + ")" : "  (damaged)");
        out << "\n";
    }
}

void PrintLists(std::ostream& out, const std::vector<std::string>& blocks) {
    static const char* const setupItems[5] = {"InfoFileUrl", "InfoFileName", "AgentExeName", "ProductToken", "RunHidden"};
    static const char* const downloadItems[5] = {"BaseUrl", "FileName", "AlwaysDownload", "Token", "Size"};
    if (blocks.size() > 0) PrintLanguages(out, blocks[0]);
    if (blocks.size() > 1) PrintInfoList(out, "setup information", blocks[1], setupItems);
    if (blocks.size() > 2) PrintInfoList(out, "download information", blocks[2], downloadItems);
}

void PrintEntries(std::ostream& out, const std::vector<EntryReport>& entries) {
    out << "entries     " << entries.size() << "\n";
    if (entries.empty()) return;
    out << "     #  stored       content         data  date                 name\n";
    int number = 0;
    for (const EntryReport& e : entries) {
        char line[128];
        std::snprintf(line, sizeof line, "  %4d  %-6s %12llu %12llu  %-19s  ", ++number, e.Compressed ? "zlib" : "plain",
                      static_cast<unsigned long long>(e.ContentSize), static_cast<unsigned long long>(e.DataSize),
                      DosDateText(e.Info.DosDate).c_str());
        out << line << Printable(e.Info.EngineEntry.empty() ? e.Info.Name : e.Info.EngineEntry);
        if (!e.Fault.empty()) out << "  FAULT: " << e.Fault;
        out << "\n";
    }
}

}  // namespace

void PrintReport(const PackageReport& r, std::ostream& out) {
    out << "file        " << r.Path << "\n";
    out << "size        " << r.FileSize << " bytes, data end " << r.DataEnd << (r.IsPE ? ", starts with the stub" : "")
        << "\n";
    if (!r.Identity.empty()) out << "build       " << Printable(r.Identity) << "\n";
    if (r.TrailerRead) {
        const PackageTrailer& t = r.Trailer;
        out << "trailer     format " << int(t.FormatByte) << ", header blocks " << int(t.HeaderBlockCount)
            << ", data offset " << t.DataOffset << ", entries " << t.FileCount << ", magic " << Hex(t.Magic)
            << ", length " << t.TrailerLength << "\n";
        out << "checksum    stored " << Hex(t.PackageChecksum) << ", computed " << Hex(r.ComputedChecksum)
            << (ChecksumAccepted(t.PackageChecksum, r.ComputedChecksum) ? ": holds" : ": DOES NOT HOLD")
            << (r.ComputedChecksum == kChecksumExempt && r.FileSize > kChecksumSizeLimit ? " (over 50 MiB: not summed)" : "")
            << "\n";
        out << "options    "
            << FlagsOrNone(Flag("ConfirmExtraction", t.HasOption(kOptConfirmExtraction)) +
                           Flag("MoreDisksFollow", t.HasOption(kOptMoreDisksFollow)) +
                           Flag("RelaunchFromTemp", t.HasOption(kOptRelaunchFromTemp)) +
                           Flag("ShowActivityBar", t.HasOption(kOptShowActivityBar)) +
                           Flag("AgentLogWanted", t.HasOption(kOptAgentLogWanted)))
            << "\n";
        out << "flags      "
            << FlagsOrNone(Flag("IsDownloadStub", t.IsDownloadStub) + Flag("AskBeforeDownload", t.AskBeforeDownload) +
                           Flag("InstallsAgent", t.InstallsAgent) + Flag("IsAutoUpdateProg", t.IsAutoUpdateProg))
            << "\n";
        uint64_t total = 0;
        for (int i = 7; i >= 0; --i) total = total << 8 | t.BuilderValue[i];
        out << "builder     files " << total << " bytes, disk " << int(t.BuilderByte) << "\n";
        out << "space       " << t.SpaceRequired[0];
        for (int k = 1; k < kSpaceTableSize; ++k) out << ", " << SpaceTableClusterSize(k) << ": " << t.SpaceRequired[k];
        out << "\n";
    }
    PrintLists(out, r.HeaderBlocks);
    PrintEntries(out, r.Entries);
    PrintVerdict(r, out);
}

void PrintVerdict(const PackageReport& r, std::ostream& out) {
    if (r.Ok()) {
        out << r.Path << ": OK (" << r.Entries.size() << " entries, checksum " << Hex(r.Trailer.PackageChecksum)
            << " holds)\n";
        return;
    }
    out << r.Path << ": FAULT: " << r.Faults[0] << "\n";
    for (size_t i = 1; i < r.Faults.size(); ++i) out << "  also: " << r.Faults[i] << "\n";
}
