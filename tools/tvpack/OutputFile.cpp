#include "OutputFile.h"

OutputFile::OutputFile(std::string finalPath)
    : finalPath_(std::move(finalPath)), tempPath_(finalPath_ + ".tvpack-part") {}

OutputFile::~OutputFile() {
    file_.reset();
    if (!committed_) std::remove(tempPath_.c_str());
}

bool OutputFile::Fail(const std::string& what) {
    if (error_.empty()) error_ = finalPath_ + ": " + what + ": " + LastSystemError();
    return false;
}

bool OutputFile::Open() {
    file_.reset(std::fopen(tempPath_.c_str(), "w+b"));
    if (!file_) return Fail("cannot create " + tempPath_);
    position_ = 0;
    return true;
}

bool OutputFile::Write(const void* data, size_t size) {
    if (Failed() || !file_) return false;
    if (size > 0 && std::fwrite(data, 1, size, file_.get()) != size) return Fail("cannot write");
    position_ += size;
    return true;
}

bool OutputFile::SeekTo(uint64_t position) {
    if (Failed() || !file_) return false;
    if (!SeekFile(file_.get(), position)) return Fail("cannot seek");
    position_ = position;
    return true;
}

bool OutputFile::Close() {
    if (Failed() || !file_) return false;
    if (std::fflush(file_.get()) != 0 || !TruncateFile(file_.get(), position_)) return Fail("cannot finish");
    if (std::fclose(file_.release()) != 0) return Fail("cannot close");
    return true;
}

bool OutputFile::Patch(uint64_t position, const void* data, size_t size) {
    if (Failed()) return false;
    StdioFile file(std::fopen(tempPath_.c_str(), "r+b"));
    if (!file || !SeekFile(file.get(), position) || std::fwrite(data, 1, size, file.get()) != size)
        return Fail("cannot update");
    if (std::fclose(file.release()) != 0) return Fail("cannot update");
    return true;
}

bool OutputFile::Commit() {
    if (Failed() || file_) return false;
    std::string why;
    if (!ReplaceFileWith(tempPath_, finalPath_, why)) {
        error_ = finalPath_ + ": cannot replace it: " + why;
        return false;
    }
    committed_ = true;
    return true;
}
