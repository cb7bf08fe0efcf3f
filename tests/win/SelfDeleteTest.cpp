#include <gtest/gtest.h>

#include "Processes.h"
#include "utils/Files.h"

namespace {

// A copy of the helper program that deletes itself through DeleteMySelf once it has ended, with
// its own temporary folder (given through TMP) so that its batch file can be watched.
TEST(DeleteMySelf, TheCopiedProgramDisappearsAfterItEnds) {
    struct Case { const char* what; bool removeFolder; const char* tempName; };
    const Case cases[] = {
        {"program only", false, "temp"},
        {"program and its folder", true, "temp"},
        {"temporary folder with a blank", true, "my temp"},
    };
    for (const auto& c : cases) {
        e2e::TempFolder folder;
        const std::string appFolder = folder.File("app");
        const std::string temp = folder.File(c.tempName) + "\\";
        const std::string exe = appFolder + "\\X_Helper.exe";
        ASSERT_TRUE(CreateDirectoryA(appFolder.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(temp.c_str(), nullptr));
        ASSERT_TRUE(CopyFileA((e2e::BinDir() + "utils_helper.exe").c_str(), exe.c_str(), FALSE));
        // A program planted where an unquoted "...\my temp\_DEL_ME_.BAT" would start "...\my.exe".
        ASSERT_TRUE(CopyFileA((e2e::BinDir() + "utils_helper.exe").c_str(), folder.File("my.exe").c_str(), FALSE));

        char savedTmp[MAX_PATH] = "";
        const bool hadTmp = GetEnvironmentVariableA("TMP", savedTmp, MAX_PATH) > 0;
        SetEnvironmentVariableA("TMP", temp.c_str());
        const std::string arguments = c.removeFolder ? " deleteself folder" : " deleteself";
        const e2e::ProcessResult run = e2e::RunProcess("\"" + exe + "\"" + arguments);
        SetEnvironmentVariableA("TMP", hadTmp ? savedTmp : nullptr);
        ASSERT_TRUE(run.finished) << c.what;
        EXPECT_EQ(run.exitCode, 0u) << c.what;

        EXPECT_TRUE(e2e::WaitUntilGone(exe, 30000)) << c.what;
        if (c.removeFolder) {
            EXPECT_TRUE(e2e::WaitUntilGone(appFolder, 10000)) << c.what;
        } else {
            Sleep(300);  // time for a wrong RD line to run
            EXPECT_TRUE(e2e::FileExistsAt(appFolder)) << c.what;
        }
        EXPECT_TRUE(e2e::WaitUntilGone(temp + "_DEL_ME_.BAT", 10000)) << c.what;  // the script removes itself too
    }
}

TEST(EjectCD, OnlyCdRomDrivesAndSilentOtherwise) {
    e2e::DebugViewer viewer;
    ASSERT_TRUE(viewer.Running());
    ASSERT_EQ(GetDriveTypeA("C:\\"), UINT(DRIVE_FIXED));
    EXPECT_FALSE(EjectCD("C:\\Temp\\x"));
    EXPECT_FALSE(EjectCD("1:\\"));
    EXPECT_FALSE(EjectCD(""));
    EXPECT_EQ(viewer.Stop(), "");
}

}  // namespace
