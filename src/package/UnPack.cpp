#include "package/UnPack.h"

#include <windows.h>

#include <cstring>

#include "dialogs/VMsgBox.h"
#include "package/Checksum.h"
#include "package/FileEntry.h"
#include "package/PackX.h"
#include "package/PackageEntries.h"
#include "package/ZLibOpen.h"
#include "utils/Desktop.h"
#include "utils/FileIO.h"
#include "utils/Files.h"
#include "utils/Paths.h"
#include "utils/Pump.h"
#include "utils/ScopedWin.h"
#include "utils/SystemInfo.h"
#include "utils/Text.h"
#include "utils/VDebug.h"

namespace {

// No entry the builder writes inflates beyond this (it splits files into entries of 64 MiB
// by default); a stream that claims more is damaged and is not written on.
constexpr size_t kMaxEntryText = size_t(1) << 30;

int g_failedWrites = 0;

// The pump between read chunks and inflate pieces serves the queue at most every few
// milliseconds: each look at the queue is a round trip to the window system, which after every
// 64 KiB costs the extraction nearly a tenth of its speed under Wine, and a window served every
// 10 ms answers as promptly as one served more often.
constexpr int64_t kPumpIntervalMs = 10;

void PumpMessages(void*) {
    static int64_t lastServed = 0;
    const int64_t now = MilliCounter();
    if (now - lastServed < kPumpIntervalMs) return;
    lastServed = now;
    YieldX(0);
}

void Progress(const UnPackRequest& request, int kind, uint16_t max, int step, int position) {
    if (request.Progress) request.Progress(kind, 0, max, "", step, position);
}

std::string DiskReport(const std::string& target, size_t dataSize) {
    return LastErrorText() + "<P>" + "  Data Size: <T>" + UIntToStr(dataSize) + " Bytes<P>" + "  File Size:  <T>" +
           UIntToStr(GetFileSizeByName(target)) + " Bytes<P>" + "  Bytes Free: <T>" +
           IntToStr(int64_t(GetFreeDiskSpace(target))) + " Bytes";
}

void ReportFailedWrite(const UnPackRequest& request, const std::string& target, size_t dataSize) {
    if (++g_failedWrites != 1) return;
    MsgError(kMsgBoxWithHeading, target + "<P><P>Unable to save Extracted File!<P><P>" + DiskReport(target, dataSize),
             "", request.Charset, request.Captions);
}

// One file entry on its way into its file. The entry text arrives in pieces, as it is inflated
// (or the stored content at once): the header up to the first NUL names the target, and every
// later byte is appended to the target as it comes, so that an entry is never held inflated
// in memory as a whole.
class EntryWriter {
public:
    EntryWriter(const UnPackRequest& request, UnPackResult& result) : request_(request), result_(result) {}

    static void Take(void* writer, const char* data, size_t size) {
        static_cast<EntryWriter*>(writer)->Add(data, size);
    }

    void Add(const char* data, size_t size) {
        if (!headerDone_) {
            const char* nul = static_cast<const char*>(std::memchr(data, '\0', size));
            const size_t headerPart = nul ? size_t(nul - data) : size;
            header_.append(data, headerPart);
            if (!nul) return;
            StartFile();
            data = nul + 1;
            size -= headerPart + 1;
        }
        if (skipped_) return;
        dataSize_ += size;
        if (!failed_ && size > 0 && !file_.Write(data, size)) Fail();
    }

    // Ends the entry: a completely written file gets the entry's date, a failed write is
    // reported with the whole data size. An entry text without a NUL is all header.
    void Finish() {
        if (!headerDone_) StartFile();
        if (skipped_) return;
        if (!failed_) {
            file_.SetDate(date_);
            file_.Close();
            return;
        }
        file_.Close();
        SetLastError(error_);
        ReportFailedWrite(request_, target_, dataSize_);
    }

private:
    void StartFile() {
        headerDone_ = true;
        if (header_.empty()) {
            skipped_ = true;
            return;
        }
        if (header_.find(kEngineMark) != std::string::npos) result_.EngineEntry = header_;
        const EntryHeaderInfo info = ParseEntryHeader(header_);
        if (!info.EngineEntry.empty()) result_.EngineEntry = info.EngineEntry;
        date_ = info.DosDate;
        target_ = SetTrailingBackslash(request_.Dest, true) + info.Name;
        // A name that would leave the extraction folder is written nowhere: a failed write.
        if (!IsSafeEntryName(info.Name)) {
            DebugOut() << GetCurrentProcessId() << " Unsafe entry name refused: " << info.Name << '<' << DebugEol;
            Fail();
            return;
        }
        if (GetFileAttributesA(target_.c_str()) == INVALID_FILE_ATTRIBUTES) Progress(request_, 1, 0, 1, 0);
        file_ = FileWriter(target_, true);
        if (!file_.IsOpen()) Fail();
    }

    void Fail() {
        failed_ = true;
        error_ = GetLastError();
    }

    const UnPackRequest& request_;
    UnPackResult& result_;
    std::string header_;
    bool headerDone_ = false;
    bool skipped_ = false;  // an empty header: nothing is written
    bool failed_ = false;
    DWORD error_ = 0;  // the system's reason for the failed write, for the report
    std::string target_;
    uint32_t date_ = 0;
    FileWriter file_;
    size_t dataSize_ = 0;
};

// The agent file: the stub and header blocks of the first disk, with the low half of the data
// end cleared and a trailer that marks an auto-update program.
void WriteAgentFile(const UnPackRequest& request, int64_t headerEnd) {
    const std::string agentName = ExtractFileName(request.AgentName);
    if (agentName.empty() || !(EndsWithNoCase(".exe", request.Source) || EndsWithNoCase(".exe.001", request.Source)))
        return;
    PackageTrailer trailer;
    ReadPackageTrailer(request.Source, trailer);
    std::string image = ReadFileToText(request.Source, uint32_t(headerEnd), 0);
    if (image.size() != size_t(headerEnd) || image.size() < kDataEndLowOffset + 4) return;
    PutLE32(reinterpret_cast<uint8_t*>(&image[kDataEndLowOffset]), 0);
    trailer.IsAutoUpdateProg = 1;
    trailer.TrailerLength = kTrailerSize;
    const TrailerBytes bytes = TrailerToBytes(trailer);
    image.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());

    const std::string target = SetTrailingBackslash(request.Dest, true) + agentName;
    if (!WriteTextToFile(target, image, 0, false)) return;
    // The agent carries the date and time of the setup it came from.
    AutoCloseHandle source(CreateFileA(request.Source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
    AutoCloseHandle agent(CreateFileA(target.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    FILETIME written;
    if (source.IsValid() && agent.IsValid() && GetFileTime(source.Get(), nullptr, nullptr, &written))
        SetFileTime(agent.Get(), nullptr, nullptr, &written);
    DebugOut() << GetCurrentProcessId() << " New AU-Agent: " << target << DebugEol;
}

// Asks for disk `diskNumber` until its file is there or the user cancels. True to go on.
bool PromptForDisk(const UnPackRequest& request, const std::string& diskFile, int diskNumber) {
    if (!request.ForcePrompt && FileExists(diskFile)) return true;
    EjectCD(diskFile);
    const std::string prompt = ReplaceAllNoCase(request.DiskPrompt, "<DISK_NUM>", IntToStr(diskNumber));
    bool goOn = true;
    do {
        goOn = MsgConfirmOkCancel(0, prompt, request.Title, request.Charset, request.Captions);
        YieldWait(0, 500);
    } while (goOn && !FileExists(diskFile));
    return goOn;
}

}  // namespace

int FailedWriteCount() { return g_failedWrites; }

UnPackResult UnPack(const UnPackRequest& request) {
    const int64_t start = MilliCounter();
    UnPackResult result;
    const std::string baseName = DiskBaseName(request.Source);
    std::string source = request.Source;
    int diskNumber = 1;
    int blockCount = 0;
    int headerBlocks = 2;
    bool goOn = true;
    Progress(request, 0, 0, 1, 0);

    for (;;) {
        PackageTrailer trailer;
        bool blocksOfThisDiskRead = false;
        int64_t headerEnd = 0;
        if (FileExists(source)) {
            ReadPackageTrailer(source, trailer);
            if (diskNumber == 1) {
                headerBlocks = trailer.HeaderBlockCount;
                DebugOut() << "FileInfo.FilesCount=" << trailer.FileCount << DebugEol;
            }
            result.ChecksumOK = ChecksumAccepted(trailer.PackageChecksum, PackageChecksum(source, trailer.TrailerLength));
            if (!result.ChecksumOK) break;

            SharedReadFile file(source);
            const int64_t dataSize = SetupDataSize(file);
            DebugOut() << "FileLen=" << dataSize << DebugEol;
            if (diskNumber == 1 && trailer.Magic != kPackageMagic) {
                // No package at all in the setup file: reported like a failed checksum, so
                // that the user learns that the setup file is damaged.
                result.ChecksumOK = false;
                break;
            }
            if (trailer.Magic == kPackageMagic) {
                if (diskNumber == 1) Progress(request, 0, uint16_t(trailer.FileCount), 1, 0);
                if (!ForceDirectories(request.Dest))
                    MsgError(kMsgBoxWithHeading,
                             request.Dest + "<P><P>Unable to create Directory!<P><P>" + LastErrorText(), "",
                             request.Charset, request.Captions);
                PackageBlockReader reader(file, trailer.DataOffset, dataSize, PumpMessages, nullptr);
                std::string block;  // kept from entry to entry: its memory is reused
                bool compressed = false;
                while (reader.HasMore()) {
                    YieldX(0);
                    if (!reader.Next(block, compressed)) {
                        // A length that runs past the data, or a file cut short: damaged.
                        DebugOut() << GetCurrentProcessId() << " Damaged block at " << reader.Position() << " in "
                                   << source << DebugEol;
                        result.ChecksumOK = false;
                        result.EngineEntry.clear();
                        DebugOut() << "UnCompressTime: " << (MilliCounter() - start) << " MS" << DebugEol << DebugEol;
                        return result;
                    }
                    ++blockCount;
                    if (blockCount == headerBlocks) headerEnd = reader.Position();
                    if (blockCount <= headerBlocks) continue;
                    EntryWriter entry(request, result);
                    if (compressed)
                        ZLibInflate(block.data(), block.size(), kMaxEntryText, EntryWriter::Take, &entry,
                                    PumpMessages, nullptr);
                    else
                        entry.Add(block.data(), block.size());
                    entry.Finish();
                }
                blocksOfThisDiskRead = true;
            }
        }
        if (diskNumber == 1 && blocksOfThisDiskRead && headerEnd > 0) WriteAgentFile(request, headerEnd);
        if (!trailer.HasOption(kOptMoreDisksFollow)) break;

        EnableAutoPlayCancel(true);
        ++diskNumber;
        source = DiskFileName(baseName, diskNumber);
        goOn = PromptForDisk(request, source, diskNumber);
        Progress(request, 1, 0, 1, 0);
        if (!goOn) break;
    }

    if (!goOn) {
        result.EngineEntry.clear();
        result.Cancelled = true;
    }
    DebugOut() << "UnCompressTime: " << (MilliCounter() - start) << " MS" << DebugEol << DebugEol;
    YieldWait(0, 500);
    return result;
}
