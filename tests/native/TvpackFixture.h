// A test bed for tvpack: a folder with a fake stub, a files folder and a description, and the
// command run in-process with its output captured.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "Commands.h"
#include "SetupFileWriter.h"
#include "TempDir.h"

#ifdef _WIN32
#include <sys/utime.h>
#else
#include <utime.h>
#endif

class TvpackTest : public ::testing::Test {
protected:
    void SetUp() override {
        stub_ = dir_.File("stub.exe");
        ASSERT_TRUE(fixture::WriteBinaryFile(stub_, fixture::FakeStub()));
        files_ = dir_.File("files");
        std::filesystem::create_directories(files_);
    }

    std::string AddFile(const std::string& name, const std::string& content) {
        const std::string path = (std::filesystem::path(files_) / name).string();
        EXPECT_TRUE(fixture::WriteBinaryFile(path, content));
        return path;
    }

    // Sets a file's last write time to a local calendar time.
    static void SetLocalTime(const std::string& path, int year, int month, int day, int hour, int minute, int second) {
        std::tm local{};
        local.tm_year = year - 1900;
        local.tm_mon = month - 1;
        local.tm_mday = day;
        local.tm_hour = hour;
        local.tm_min = minute;
        local.tm_sec = second;
        local.tm_isdst = -1;
        utimbuf times{};
        times.actime = times.modtime = std::mktime(&local);
        ASSERT_EQ(utime(path.c_str(), &times), 0);
    }

    std::string WriteDescription(const std::string& text, const std::string& name = "setup.ini") {
        const std::string path = dir_.File(name);
        EXPECT_TRUE(fixture::WriteBinaryFile(path, text));
        return path;
    }

    int Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int code = RunTvpack(args, out, err);
        out_ = out.str();
        err_ = err.str();
        return code;
    }

    // `tvpack build` of a description with the fake stub and the files folder, into `out`.
    int Build(const std::string& description, const std::string& out, std::vector<std::string> extra = {}) {
        extra.insert(extra.begin(), {"--files", files_});
        return BuildWithoutFiles(description, out, extra);
    }
    // The same for the kinds that carry no files (download stubs, agents).
    int BuildWithoutFiles(const std::string& description, const std::string& out, std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"build", "--stub", stub_, "--desc", WriteDescription(description), "--out", out};
        args.insert(args.end(), extra.begin(), extra.end());
        return Run(args);
    }

    // Names of the files in the test folder that a failed build could have left.
    std::vector<std::string> LeftOvers() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.Path())) {
            const std::string name = entry.path().filename().string();
            if (name.find("Setup") != std::string::npos || name.find("tvpack-part") != std::string::npos)
                names.push_back(name);
        }
        return names;
    }

    fixture::TempDir dir_;
    std::string stub_;
    std::string files_;
    std::string out_, err_;
};

constexpr char kSetupDescription[] =
    "; a setup with every key\n"
    "[Setup]\n"
    "Engine=Engine.exe\n"
    "EngineParams=/s\n"
    "InfoFileUrl=http://updates.example.com/Product.info\n"
    "InfoFileName=Product.info\n"
    "AgentExeName=ProductAgent.exe\n"
    "ProductToken=product-secret\n"
    "RunHidden=1\n"
    "ConfirmExtraction=1\n"
    "ShowActivityBar=yes\n"
    "InstallsAgent=1\n"
    "AgentLogWanted=0\n";

// Bytes that deflate cannot shrink.
inline std::string NoiseBytes(size_t size, uint32_t seed = 1) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1664525u + 1013904223u;
        c = char(seed >> 24);
    }
    return bytes;
}

inline std::string TextBytes(size_t size) {
    std::string text;
    for (int line = 0; text.size() < size; ++line) text += "line " + std::to_string(line) + " of the read-me text\r\n";
    return text.substr(0, size);
}
