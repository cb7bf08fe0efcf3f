#include <gtest/gtest.h>

#include "Processes.h"
#include "utils/Files.h"
#include "utils/ScopedWin.h"

namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class FilesTreeTest : public ::testing::Test {
protected:
    // Creates the folders of `relative` below the test folder and, unless it ends with a
    // backslash, the file itself.
    std::string Make(const std::string& relative, DWORD attributes = 0) {
        const std::string path = folder_.Path() + relative;
        for (size_t slash = path.find('\\', folder_.Path().size()); slash != std::string::npos;
             slash = path.find('\\', slash + 1))
            CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
        if (path.back() != '\\') {
            EXPECT_TRUE(e2e::WriteFileBytes(path, relative));
        }
        const std::string made = path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
        if (attributes) SetFileAttributesA(made.c_str(), attributes);
        return made;
    }
    // Starts a host program (Wine runs Linux programs too) in the test folder, so that relative
    // paths work. Wine hands out no process handle for such a program: callers wait for its
    // effect.
    void RunInTestFolder(const std::string& commandLine) {
        char saved[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, saved);
        SetCurrentDirectoryA(folder_.Path().c_str());
        e2e::RunProcess(commandLine);
        SetCurrentDirectoryA(saved);
    }
    std::string Root() const { return folder_.Path().substr(0, folder_.Path().size() - 1); }

    e2e::TempFolder folder_;
};

TEST_F(FilesTreeTest, FindFileInTreeSearchesDepthFirstSkippingHiddenFolders) {
    const std::string deep = Make("a\\b\\target.txt");
    Make("hidden\\", FILE_ATTRIBUTE_HIDDEN);
    Make("hidden\\secret.txt");
    Make("system\\", FILE_ATTRIBUTE_SYSTEM);
    const std::string system = Make("system\\sys.txt");
    const std::string top = Make("top.txt");
    struct Case { const char* name; std::string expected; };
    const Case cases[] = {
        {"target.txt", deep}, {"sys.txt", system}, {"top.txt", top}, {"secret.txt", ""}, {"missing.txt", ""},
        {"b", ""},  // folders are not files
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindFileInTree(Root(), c.name), c.expected) << c.name;
        EXPECT_EQ(FindFileInTree(folder_.Path(), c.name), c.expected) << c.name << " (folder with backslash)";
    }
}

TEST_F(FilesTreeTest, TreeSearchesServeTheMessageQueue) {
    Make("a\\b\\c\\d.txt");
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
    FindFileInTree(Root(), "missing.txt");
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(FilesTreeTest, FindFolderInTreeMatchesTheEndOfThePathWithoutCase) {
    const std::string product = Make("Vendor\\Product\\");
    Make("Other\\Product\\", FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(FindFolderInTree(Root(), "vendor\\PRODUCT"), product);
    EXPECT_EQ(FindFolderInTree(Root(), "Product"), product);  // the hidden one is never entered
    EXPECT_EQ(FindFolderInTree(product, "Product"), product);
    EXPECT_EQ(FindFolderInTree(Root(), "Vendor\\Missing"), "");
}

TEST_F(FilesTreeTest, DriveSearchesTakeOnlyDrivesOfTheType) {
    ASSERT_EQ(GetDriveTypeA("C:\\"), UINT(DRIVE_FIXED));
    const std::string name = "tarvel-find-" + std::to_string(GetCurrentProcessId()) + ".txt";
    const std::string atRoot = "C:\\" + name;
    ASSERT_TRUE(e2e::WriteFileBytes(atRoot, "x"));
    EXPECT_EQ(FindFileOnDrives(name, DRIVE_FIXED), atRoot);
    EXPECT_EQ(FindFileOnDrives(name, DRIVE_RAMDISK), "");  // no such drive here
    DeleteFileA(atRoot.c_str());

    const std::string product = Make("Vendor\\Product\\");
    EXPECT_EQ(FindFolderOnDrives(product, DRIVE_FIXED), product);  // an absolute path is checked as it is
    EXPECT_EQ(FindFolderOnDrives(product, DRIVE_CDROM), "");
    EXPECT_EQ(FindFolderOnDrives(product + "\\Missing", DRIVE_FIXED), "");
    EXPECT_EQ(FindFolderOnDrives("Vendor\\Product", DRIVE_RAMDISK), "");
}

TEST_F(FilesTreeTest, DeleteFilesMatchingDeletesFilesButNotFolders) {
    Make("a.txt");
    Make("b.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const std::string readOnly = Make("r.txt", FILE_ATTRIBUTE_READONLY);
    const std::string other = Make("c.log");
    const std::string folderLikeAFile = Make("d.txt\\");
    EXPECT_TRUE(DeleteFilesMatching(folder_.Path() + "*.txt", false));
    EXPECT_FALSE(e2e::FileExistsAt(folder_.File("a.txt")));
    EXPECT_FALSE(e2e::FileExistsAt(folder_.File("b.txt")));
    EXPECT_TRUE(e2e::FileExistsAt(readOnly));  // read-only without clearing: matched, not deleted
    EXPECT_TRUE(e2e::FileExistsAt(other));
    EXPECT_TRUE(IsFolder(folderLikeAFile));
    EXPECT_TRUE(DeleteFilesMatching(folder_.Path() + "*.txt", false));  // still matches r.txt
    EXPECT_TRUE(DeleteFilesMatching(folder_.Path() + "*.txt", true));
    EXPECT_FALSE(e2e::FileExistsAt(readOnly));
    EXPECT_FALSE(DeleteFilesMatching(folder_.Path() + "*.txt", true));  // nothing left to match
}

TEST_F(FilesTreeTest, DeleteFolderTreeRemovesEverythingItCan) {
    const std::string tree = Make("tree\\");
    Make("tree\\a.txt");
    Make("tree\\sub\\deeper\\b.txt");
    Make("tree\\sub\\c.txt", FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(DeleteFolderTree(tree, false));  // the read-only file keeps its folders
    EXPECT_FALSE(e2e::FileExistsAt(tree + "\\a.txt"));
    EXPECT_FALSE(IsFolder(tree + "\\sub\\deeper"));
    EXPECT_TRUE(e2e::FileExistsAt(tree + "\\sub\\c.txt"));
    EXPECT_TRUE(DeleteFolderTree(tree + "\\", true));  // with a trailing backslash, clearing attributes
    EXPECT_FALSE(IsFolder(tree));
    EXPECT_FALSE(DeleteFolderTree(tree, true));  // no longer there: false, nothing changes
    EXPECT_FALSE(DeleteFolderTree("", true));
    EXPECT_TRUE(IsFolder(Root()));
}

TEST_F(FilesTreeTest, DeleteFolderTreeOfAFolderInUseReportsFailure) {
    const std::string tree = Make("inuse\\");
    const std::string held = Make("inuse\\held.txt");
    Make("inuse\\free.txt");
    Make("inuse\\sub\\free.txt");
    {
        const AutoCloseHandle open(
            CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(open.IsValid());
        EXPECT_FALSE(DeleteFolderTree(tree, false));
        EXPECT_TRUE(e2e::FileExistsAt(held));
        EXPECT_FALSE(e2e::FileExistsAt(tree + "\\free.txt"));
        EXPECT_FALSE(IsFolder(tree + "\\sub"));
    }
    EXPECT_TRUE(DeleteFolderTree(tree, false));
}

TEST_F(FilesTreeTest, DeleteFolderTreeLeavesHiddenSubfolders) {
    const std::string tree = Make("withhidden\\");
    Make("withhidden\\h\\", FILE_ATTRIBUTE_HIDDEN);
    Make("withhidden\\h\\x.txt");
    EXPECT_FALSE(DeleteFolderTree(tree, true));
    EXPECT_TRUE(e2e::FileExistsAt(tree + "\\h\\x.txt"));
}

TEST_F(FilesTreeTest, DeleteFolderTreeNeverEntersALinkedFolder) {
    const std::string tree = Make("linked\\");
    const std::string precious = Make("elsewhere\\precious.txt");
    // A symbolic link made by the host system's ln, which Wine serves as a reparse point.
    RunInTestFolder("Z:\\bin\\ln -s ../elsewhere linked/link");
    for (int i = 0; i < 100 && !e2e::FileExistsAt(tree + "\\link\\precious.txt"); ++i) Sleep(50);
    ASSERT_TRUE(e2e::FileExistsAt(tree + "\\link\\precious.txt"));
    // Windows removes the link itself; Wine cannot (its RemoveDirectory goes to the target), so
    // only what matters is checked: the content behind the link is untouched.
    DeleteFolderTree(tree, true);
    EXPECT_TRUE(e2e::FileExistsAt(precious));
    RunInTestFolder("Z:\\bin\\rm -f linked/link");  // so that the test folder can go
    for (int i = 0; i < 100 && e2e::FileExistsAt(tree + "\\link"); ++i) Sleep(50);
}

}  // namespace
