#include "utils/VDebug.h"

#include <windows.h>

#include "utils/ScopedWin.h"

namespace {

// The lock and the viewer message, set up on first use so that a unit writing during its own
// initialisation still finds them ready. Never torn down: the stream flushes at exit.
struct DebugChannel {
    CRITICAL_SECTION flushLock;
    UINT viewerMessage;
    DebugChannel() {
        InitializeCriticalSection(&flushLock);
        viewerMessage = RegisterWindowMessageA(kDebugViewerMessage);
    }
};

DebugChannel& Channel() {
    static DebugChannel* channel = new DebugChannel;
    return *channel;
}

void AppendToDebugFile(const std::string& text) {
    const std::string normalized = NormalizeLineEnds(text);
    AutoCloseHandle file(CreateFileA(kDebugFilePath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return;
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(file.Get(), zero, nullptr, FILE_END)) return;
    DWORD written = 0;
    WriteFile(file.Get(), normalized.data(), DWORD(normalized.size()), &written, nullptr);
}

void SendToViewer(const std::string& text) {
    const HWND viewer = FindWindowA(kDebugViewerClass, nullptr);
    if (!viewer) return;
    // The viewer reads the atom's name before SendMessage returns; a failed add sends 0.
    const ATOM atom = GlobalAddAtomA(text.c_str());
    SendMessageA(viewer, Channel().viewerMessage, DebugChannelId, atom);
    if (atom) GlobalDeleteAtom(atom);
}

// The stream's sink: one flushed chunk, under the lock, delivery included.
void FlushChunk(const char* chunk, size_t length) {
    EnterCriticalSection(&Channel().flushLock);
    try {
        size_t copied = 0;
        while (copied < length && copied < kDebugDeliveryMax && chunk[copied] != '\0') ++copied;
        DeliverDebugText(std::string(chunk, copied));
    } catch (...) {
    }
    LeaveCriticalSection(&Channel().flushLock);
}

// Start-up of the channel during program initialisation, before any unit writes.
struct DebugChannelStartup {
    DebugChannelStartup() {
        Channel();
        DebugOut();
    }
} g_debugChannelStartup;

}  // namespace

DebugStream& DebugOut() {
    static DebugStream stream(FlushChunk);
    return stream;
}

void DeliverDebugTextInMode(uint8_t mode, const std::string& text) {
    if (mode == kDebugOutputModeFile || mode == kDebugOutputModeBoth) AppendToDebugFile(text);
    if (mode == kDebugOutputModeViewer || mode == kDebugOutputModeBoth) SendToViewer(text);
}

void DeliverDebugText(const std::string& text) { DeliverDebugTextInMode(DebugOutputMode, text); }

void LogException(const std::exception& e, const std::string& routine, const std::string& extra) {
    LogException(e.what(), routine, extra);
}

void LogException(const char* message, const std::string& routine, const std::string& extra) {
    DebugOut() << ExceptionLine(routine, extra, message ? message : "") << DebugEol;
}
