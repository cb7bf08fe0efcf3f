#include "utils/DebugStream.h"

#include "utils/Text.h"

void DebugStream::Write(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        buffer_[used_++] = text[i];
        if (used_ == kBufferSize) Flush();
    }
}

void DebugStream::EndLine() {
    Write("\r\n", 2);
    Flush();
}

void DebugStream::Flush() {
    if (used_ == 0) return;
    try {
        if (sink_) sink_(buffer_, used_);
    } catch (...) {
        // A failing channel never blocks later output.
    }
    used_ = 0;
}

DebugStream& DebugStream::operator<<(const char* text) {
    if (text) Write(text, std::char_traits<char>::length(text));
    return *this;
}

DebugStream& DebugStream::operator<<(bool b) { return *this << (b ? "TRUE" : "FALSE"); }

void DebugStream::WriteSigned(int64_t n) { *this << IntToStr(n); }

void DebugStream::WriteUnsigned(uint64_t n) { *this << UIntToStr(n); }

DebugStream& DebugEol(DebugStream& stream) {
    stream.EndLine();
    return stream;
}

std::string NormalizeLineEnds(const std::string& text) {
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n' || c == '\0') {
            result += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            result += c;
        }
    }
    return result;
}

std::string ExceptionLine(const std::string& routine, const std::string& extra, const std::string& message) {
    return " --- " + routine + "()" + (extra.empty() ? std::string() : " --- " + extra) + " --- " + message;
}
