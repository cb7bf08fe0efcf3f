#include "SetupFixture.h"

#include <sstream>

#include "Commands.h"

namespace e2e {

void SetupRunFixture::AddFile(const std::string& name, const std::string& bytes, uint32_t dosDate) {
    CreateDirectoryA(filesDir_.c_str(), nullptr);
    const std::string path = filesDir_ + "\\" + name;
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    if (dosDate != 0) {
        ASSERT_TRUE(SetDosDate(path, dosDate));
    }
}

std::string SetupRunFixture::BuildSetup(const std::string& name, const std::string& description,
                                        const std::vector<std::string>& extraArgs) {
    CreateDirectoryA(filesDir_.c_str(), nullptr);
    CopyFileA((BinDir() + "demoengine.exe").c_str(), (filesDir_ + "\\Engine.exe").c_str(), FALSE);
    const std::string descriptionPath = folder_.File(name + ".ini");
    EXPECT_TRUE(WriteFileBytes(descriptionPath, "[Setup]\nEngine=Engine.exe\n" + description));
    std::vector<std::string> args = {"build",   "--stub", BinDir() + "tvstub.exe", "--desc", descriptionPath,
                                     "--files", filesDir_, "--out",                folder_.File(name)};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::ostringstream out, err;
    EXPECT_EQ(RunTvpack(args, out, err), 0) << err.str();
    return folder_.File(name);
}

std::string SetupRunFixture::EngineArgs() const {
    return " /EngineRecord=\"" + recordPath_ + "\" /InstallDir=\"" + installDir_ + "\"";
}

EngineRecord SetupRunFixture::ReadRecord() const {
    EngineRecord record;
    if (!FileExistsAt(recordPath_)) return record;
    record.ran = true;
    for (const std::string& line : SplitLines(ReadFileBytes(recordPath_))) {
        if (line.compare(0, 12, "CommandLine=") == 0) record.commandLine = line.substr(12);
        else if (line.compare(0, 10, "EngineDir=") == 0) record.engineDir = line.substr(10);
        else if (line.compare(0, 4, "Env=") == 0) record.environment.push_back(line.substr(4));
    }
    return record;
}

}  // namespace e2e
