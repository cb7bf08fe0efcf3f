#include <gtest/gtest.h>

#include "Processes.h"
#include "utils/Desktop.h"
#include "utils/Pump.h"

namespace {

std::string Helper() { return e2e::BinDir() + "utils_helper.exe"; }

// Runs the helper with DVX set to `value` (unset for nullptr) and gives its exit code.
DWORD RunWithDeveloperVariable(const char* value) {
    SetEnvironmentVariableA("DVX", value);
    const e2e::ProcessResult run = e2e::RunProcess("\"" + Helper() + "\" developermode");
    SetEnvironmentVariableA("DVX", nullptr);
    EXPECT_TRUE(run.finished);
    return run.exitCode;
}

TEST(ScreenDpiY, PointsBecomePixelsAtTheScreensResolution) {
    EXPECT_EQ(ScreenDpiY(), 96);  // Wine's null driver
    EXPECT_EQ(PointsToPixels(72), 96);
    EXPECT_EQ(PointsToPixels(8), 11);  // 10.67 rounded
    EXPECT_EQ(PointsToPixels(9), 12);
    EXPECT_EQ(PointsToPixels(-8), -11);
}

TEST(WindowText, TitleUpTo1023Characters) {
    e2e::TestWindow window("TarvelWindowTextTest");
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_EQ(WindowText(window.Handle()), "test");
    SetWindowTextA(window.Handle(), std::string(2000, 't').c_str());
    EXPECT_EQ(WindowText(window.Handle()), std::string(1023, 't'));
    EXPECT_EQ(WindowText(nullptr), "");
}

TEST(LoadProc, FindsFunctionsByLibraryAndName) {
    HMODULE library = nullptr;
    EXPECT_NE(LoadProc("kernel32.dll", "GetDiskFreeSpaceExA", library), nullptr);
    EXPECT_NE(library, nullptr);
    FreeLibrary(library);
    EXPECT_EQ(LoadProc("kernel32.dll", "NoSuchFunctionAnywhere", library), nullptr);
    FreeLibrary(library);
    EXPECT_EQ(LoadProc("no-such-library.dll", "Anything", library), nullptr);
    EXPECT_EQ(library, nullptr);
    EXPECT_NE(LoadProc("SHFolder.dll", "SHGetFolderPathA"), nullptr);
}

TEST(AutoPlayCancel, RegisteredMessageOnlyWhileEnabled) {
    EXPECT_EQ(AutoPlayCancelMessage(), 0);
    EnableAutoPlayCancel(true);
    EXPECT_EQ(AutoPlayCancelMessage(), RegisterWindowMessageA("QueryCancelAutoPlay"));
    EXPECT_GE(AutoPlayCancelMessage(), 0xC000);
    EnableAutoPlayCancel(false);
    EXPECT_EQ(AutoPlayCancelMessage(), 0);
}

TEST(DeveloperMode, OnlyTheExactCodeReadOncePerProcess) {
    // The helper's exit code: 1, plus 2 when the switch was on, plus 4 when it was still on after
    // the helper changed the variable (it must not change within a process).
    EXPECT_EQ(RunWithDeveloperVariable(nullptr), 1u);
    EXPECT_EQ(RunWithDeveloperVariable(kDeveloperSwitchCode), 1u + 2u + 4u);
    EXPECT_EQ(RunWithDeveloperVariable("q7v"), 1u);
    EXPECT_EQ(RunWithDeveloperVariable("Q7vx"), 1u);
    EXPECT_EQ(RunWithDeveloperVariable(""), 1u);
}

TEST(ShellOpen, StartsAProgramThroughTheShell) {
    e2e::TempFolder folder;
    const std::string marker = folder.File("opened.txt");
    ASSERT_TRUE(ShellOpen(Helper(), "touch \"" + marker + "\"", SW_HIDE));
    for (int i = 0; i < 100 && !e2e::FileExistsAt(marker); ++i) YieldX(50);
    EXPECT_EQ(e2e::ReadFileBytes(marker), "touched");
    EXPECT_FALSE(ShellOpen(folder.File("no such program.exe"), "", SW_HIDE));
}

TEST(PreloadSystemLibraries, KeepsThemLoadedWithoutChangingTheErrorMode) {
    const UINT before = SetErrorMode(0);
    SetErrorMode(before);
    PreloadSystemLibraries();
    EXPECT_NE(GetModuleHandleA("shell32.dll"), nullptr);
    EXPECT_NE(GetModuleHandleA("RICHED32.DLL"), nullptr);
    EXPECT_EQ(SetErrorMode(before), before);
}

}  // namespace
