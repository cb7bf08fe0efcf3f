// Setups built with the package builder around the demo engine (tools/demoengine), run the
// way a user runs them, with the engine recording what the stub gave it.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "Processes.h"

namespace e2e {

// What the engine wrote into its record file: its command line, its folder, its environment.
struct EngineRecord {
    bool ran = false;
    std::string commandLine;
    std::string engineDir;
    std::vector<std::string> environment;
};

class SetupRunFixture : public ::testing::Test {
protected:
    // A file of the package (with a packed DOS date unless 0).
    void AddFile(const std::string& name, const std::string& bytes, uint32_t dosDate = 0);
    // Builds `name` with tvpack from the files added and the demo engine as Engine.exe, with
    // `description` as the [Setup] lines after Engine=. `extraArgs` go to `tvpack build`.
    std::string BuildSetup(const std::string& name, const std::string& description,
                           const std::vector<std::string>& extraArgs = {});
    // The parameters that tell the demo engine where to record and install.
    std::string EngineArgs() const;
    EngineRecord ReadRecord() const;
    // The installed copy of a file (the engine copies what it found next to it).
    std::string Installed(const std::string& name) const { return installDir_ + "\\" + name; }

    TempFolder folder_;
    std::string filesDir_ = folder_.File("files");
    std::string installDir_ = folder_.File("installed");
    std::string recordPath_ = folder_.File("engine.txt");
};

}  // namespace e2e
