#include "package/UnPack.h"

#include <windows.h>

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
// by default); a stream that claims more is damaged.
constexpr size_t kMaxEntryText = size_t(1) << 30;

int g_failedWrites = 0;

void PumpMessages(void*) { YieldX(0); }

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

// One file entry: its header names the target; its data is appended to that file.
void WriteEntry(const UnPackRequest& request, const std::string& entryText, UnPackResult& result) {
    const size_t nul = entryText.find('\0');
    const std::string header = entryText.substr(0, nul);
    if (header.empty()) return;
    if (header.find(kEngineMark) != std::string::npos) result.EngineEntry = header;
    const EntryHeaderInfo info = ParseEntryHeader(header);
    if (!info.EngineEntry.empty()) result.EngineEntry = info.EngineEntry;

    const char* data = nul == std::string::npos ? entryText.data() + entryText.size() : entryText.data() + nul + 1;
    const size_t dataSize = size_t(entryText.data() + entryText.size() - data);
    const std::string target = SetTrailingBackslash(request.Dest, true) + info.Name;
    // A name that would leave the extraction folder is written nowhere: a failed write.
    if (!IsSafeEntryName(info.Name)) {
        DebugOut() << GetCurrentProcessId() << " Unsafe entry name refused: " << info.Name << '<' << DebugEol;
        ReportFailedWrite(request, target, dataSize);
        return;
    }
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) Progress(request, 1, 0, 1, 0);
    if (!WriteBytesToFile(target, data, dataSize, info.DosDate, true)) ReportFailedWrite(request, target, dataSize);
}

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
                std::string block, entryText;
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
                    if (compressed) {
                        ZLibInflate(block.data(), block.size(), entryText, kMaxEntryText, PumpMessages, nullptr);
                        block.clear();
                        block.shrink_to_fit();
                        WriteEntry(request, entryText, result);
                    } else {
                        WriteEntry(request, block, result);
                    }
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
