#include <gtest/gtest.h>

#include "Processes.h"
#include "folders/Common.h"
#include "utils/Folders.h"

namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(Folders, StandardFoldersWithOrWithoutOneTrailingBackslash) {
    EXPECT_EQ(ExeDir(true), e2e::BinDir());
    EXPECT_EQ(ExeDir(false) + "\\", e2e::BinDir());
    EXPECT_EQ(ExePath(), e2e::BinDir() + "win_tests.exe");

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(TempDir(true), temp);  // the system's answer ends with a backslash
    struct Case { const char* what; std::string withSlash; std::string without; };
    const Case cases[] = {
        {"Windows", WindowsDir(true), WindowsDir(false)},
        {"system", SystemDir(true), SystemDir(false)},
        {"temporary", TempDir(true), TempDir(false)},
    };
    for (const auto& c : cases) {
        ASSERT_GT(c.without.size(), 3u) << c.what;
        EXPECT_EQ(c.withSlash, c.without + "\\") << c.what;
        EXPECT_NE(c.without.back(), '\\') << c.what;
        EXPECT_TRUE(IsFolder(c.without)) << c.what;
    }
    EXPECT_EQ(SystemDir(false).rfind(WindowsDir(true), 0), 0u);  // the system folder lies in Windows
}

TEST(NowSeconds, CountsLocalSecondsSince30December1899) {
    // The same moment from the system's file time: 100 ns units since 1 January 1601, which is
    // 109,205 days before 30 December 1899.
    FILETIME utc, local;
    GetSystemTimeAsFileTime(&utc);
    FileTimeToLocalFileTime(&utc, &local);
    const int64_t fileTimeSeconds = int64_t((uint64_t(local.dwHighDateTime) << 32 | local.dwLowDateTime) / 10000000);
    const int64_t expected = fileTimeSeconds - int64_t(109205) * 86400;
    EXPECT_NEAR(double(NowSeconds()), double(expected), 2.0);
}

}  // namespace
