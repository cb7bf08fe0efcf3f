// The text sink behind DebugOut: values are appended in order into a 128-character buffer,
// which is handed to the sink when it is full, when a line ends (CR LF) and when the stream
// is flushed at exit. A line of up to 126 characters plus CR LF thus travels as one chunk; a
// longer one as chunks of 128 with the CR LF in the last.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

class DebugStream {
public:
    static constexpr size_t kBufferSize = 128;
    // Receives each flushed chunk. The stream's buffer is emptied after the call whatever
    // happens inside it.
    using Sink = void (*)(const char* chunk, size_t length);

    explicit DebugStream(Sink sink) : sink_(sink) {}
    ~DebugStream() { Flush(); }
    DebugStream(const DebugStream&) = delete;
    DebugStream& operator=(const DebugStream&) = delete;

    void Write(const char* text, size_t length);
    void EndLine();  // CR LF, then flush
    void Flush();

    DebugStream& operator<<(const char* text);
    DebugStream& operator<<(const std::string& text) {
        Write(text.data(), text.size());
        return *this;
    }
    DebugStream& operator<<(char c) {
        Write(&c, 1);
        return *this;
    }
    DebugStream& operator<<(bool b);  // TRUE / FALSE
    template <typename T, typename = std::enable_if_t<std::is_integral<T>::value>>
    DebugStream& operator<<(T n) {
        if (std::is_signed<T>::value) WriteSigned(static_cast<int64_t>(n));
        else WriteUnsigned(static_cast<uint64_t>(n));
        return *this;
    }
    DebugStream& operator<<(DebugStream& (*manipulator)(DebugStream&)) { return manipulator(*this); }

private:
    void WriteSigned(int64_t n);
    void WriteUnsigned(uint64_t n);

    Sink sink_;
    char buffer_[kBufferSize];
    size_t used_ = 0;
};

// Ends the line: DebugOut() << "text" << DebugEol;
DebugStream& DebugEol(DebugStream& stream);

// The text that the debug file receives for a chunk: every CR LF, lone CR and lone LF
// becomes CR LF.
std::string NormalizeLineEnds(const std::string& text);

// One LogException line (without its line end): " --- Routine()[ --- Extra] --- Message".
std::string ExceptionLine(const std::string& routine, const std::string& extra, const std::string& message);
