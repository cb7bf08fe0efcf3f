// The real stub's main window under Wine, seen and closed from outside as a user or a peer
// program sees and closes it.
#include <gtest/gtest.h>

#include "Processes.h"
#include "SetupFileWriter.h"
#include "UserActor.h"
#include "package/PackageTrailer.h"
#include "start/RunModes.h"

namespace {

using fixture::LanguageBlock;
using fixture::LanguageEntry;

const std::string kEnglish = LanguageEntry("English", {"s0=Tarvel Setup"});
const std::string kSpanish = LanguageEntry("Spanish", {"s0=Instalación de Tarvel"});
const std::string kBrazil = LanguageEntry("Portuguese(Brazil)", {"s0=Instalação do Tarvel"});

// The main window's class (and single-instance key) of such a program.
std::string ClassOf(const std::string& path) { return StubWindowClassFor(true, path); }

class MainWindowE2ETest : public ::testing::Test {
protected:
    // The window tests run an auto-update program whose name is not its agent's: it runs the
    // main window and its timer but, unlike a setup, does not end by itself on the first tick.
    std::string WriteSetup(const std::string& name, const std::string& languages, bool autoUpdateProg = true) {
        fixture::SetupImage image;
        image.stub = e2e::ReadFileBytes(e2e::BinDir() + "tvstub.exe");
        image.headerBlocks = {languages, fixture::SetupInfoList("", "Product.info", "Agent.exe", "", "")};
        image.trailer.IsAutoUpdateProg = autoUpdateProg ? 1 : 0;
        const std::string path = folder_.File(name);
        EXPECT_TRUE(e2e::WriteFileBytes(path, fixture::Build(image)));
        return path;
    }

    // Starts the stub and reads its main window once it is there.
    bool StartAndRead(e2e::ChildProcess& stub, const std::string& windowClass, e2e::MainWindowView& view) {
        const HWND window = e2e::WaitForTopWindow(windowClass, stub.Pid(), 20000);
        return window && e2e::ReadMainWindow(window, view);
    }

    // Closes the window as a user does and expects the stub to end cleanly.
    void CloseAndExpectEnd(e2e::ChildProcess& stub, HWND window) {
        e2e::CloseStubWindow(window);
        EXPECT_TRUE(stub.Wait(20000));
        EXPECT_EQ(stub.ExitCode(), 0u);
    }

    e2e::TempFolder folder_;
};

TEST_F(MainWindowE2ETest, GeometryFollowsTheLanguagesReadingDirection) {
    struct Case { const char* charset; int statusLeft, activityLeft; };
    const Case cases[] = {{"0", 70, 416}, {"178", 122, 70}, {"177", 122, 70}};
    for (const auto& c : cases) {
        const std::string english = LanguageEntry("English", {"s0=Tarvel Setup", std::string("Charset=") + c.charset});
        const std::string path = WriteSetup("setup.exe", LanguageBlock({english}));
        e2e::ChildProcess stub("\"" + path + "\"");
        e2e::MainWindowView view;
        ASSERT_TRUE(StartAndRead(stub, ClassOf(path), view)) << c.charset;
        EXPECT_EQ(view.caption, "Tarvel Setup");
        EXPECT_FALSE(view.visible) << c.charset;
        EXPECT_EQ(view.outer.right - view.outer.left, 492);
        EXPECT_EQ(view.outer.bottom - view.outer.top, 110);
        RECT workArea;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
        EXPECT_EQ(view.outer.left, workArea.left + (workArea.right - workArea.left - 492) / 2);
        EXPECT_EQ(view.outer.top, workArea.top + (workArea.bottom - workArea.top - 110) / 2);

        EXPECT_EQ(view.status.Left(), c.statusLeft) << c.charset;
        EXPECT_EQ(view.status.Top(), 20);
        EXPECT_EQ(view.status.Width(), 340);
        EXPECT_EQ(view.status.Height(), 18);
        EXPECT_EQ(view.progress.Left(), 70);
        EXPECT_EQ(view.progress.Top(), 38);
        EXPECT_EQ(view.progress.Width(), 392);
        EXPECT_EQ(view.progress.Height(), 13);
        EXPECT_EQ(view.activity.Left(), c.activityLeft) << c.charset;
        EXPECT_EQ(view.activity.Top(), 20);
        EXPECT_EQ(view.activity.Width(), 46);
        EXPECT_EQ(view.activity.Height(), 13);
        EXPECT_TRUE(view.status.visible);
        EXPECT_TRUE(view.progress.visible);
        EXPECT_FALSE(view.activity.visible);
        CloseAndExpectEnd(stub, view.window);
        DeleteFileA(path.c_str());
    }
}

// The extraction folder of a stub file: the user's temporary folder + "SETUP_" + the
// time-of-day word of the file's date.
std::string SetupFolderOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    WORD dosDate = 0, dosTime = 0;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
        FileTimeToLocalFileTime(&data.ftLastWriteTime, &local))
        FileTimeToDosDateTime(&local, &dosDate, &dosTime);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "SETUP_" + std::to_string(dosTime);
}

TEST_F(MainWindowE2ETest, FirstCloseLeavesTheWindowSecondEndsTheStubAndRemovesTheTemporaryFolder) {
    const std::string path = WriteSetup("setup.exe", LanguageBlock({kEnglish}));
    const std::string setupFolder = SetupFolderOf(path);
    CreateDirectoryA(setupFolder.c_str(), nullptr);
    ASSERT_TRUE(e2e::WriteFileBytes(setupFolder + "\\left-over.txt", "x"));

    e2e::DebugViewer viewer;
    e2e::ChildProcess stub("\"" + path + "\"");
    const HWND window = e2e::WaitForTopWindow(ClassOf(path), stub.Pid(), 20000);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(stub.Wait(1500));  // the first request only stops a download
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(e2e::FileExistsAt(setupFolder + "\\left-over.txt"));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(stub.Wait(20000));
    EXPECT_EQ(stub.ExitCode(), 0u);
    EXPECT_FALSE(e2e::FileExistsAt(setupFolder));
    const std::string debug = viewer.Stop();
    EXPECT_NE(debug.find("\r\n- wm_Destroy -\r\n"), std::string::npos) << debug;
    EXPECT_NE(debug.find(" ==== STUB END ====> "), std::string::npos) << debug;
}

// A window of this process that records the notifications a stub sends it.
class Listener {
public:
    Listener() {
        notify_ = RegisterWindowMessageA("tv.test.notify");
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "tv.test.Listener";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        Received().clear();
    }
    ~Listener() {
        DestroyWindow(window_);
        UnregisterClassA("tv.test.Listener", GetModuleHandleA(nullptr));
    }
    HWND Handle() const { return window_; }
    UINT Message() const { return notify_; }
    static std::vector<std::pair<WPARAM, LPARAM>>& Received() {
        static std::vector<std::pair<WPARAM, LPARAM>> received;
        return received;
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == RegisterWindowMessageA("tv.test.notify")) Received().emplace_back(wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window_ = nullptr;
    UINT notify_ = 0;
};

TEST_F(MainWindowE2ETest, QuitPostedByAPeerEndsTheLoopAndTheListenerHearsOfIt) {
    const std::string path = WriteSetup("setup.exe", LanguageBlock({kEnglish}));
    Listener listener;
    const UINT notify = listener.Message();

    e2e::ChildProcess stub("\"" + path + "\"");
    const HWND window = e2e::WaitForTopWindow(ClassOf(path), stub.Pid(), 20000);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, 0x464, WPARAM(listener.Handle()), LPARAM(notify));  // wm_LocalMsg: register
    Sleep(300);
    PostMessageA(window, WM_QUIT, 0, 0);
    EXPECT_TRUE(stub.Wait(20000));
    EXPECT_EQ(stub.ExitCode(), 0u);

    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    const std::vector<std::pair<WPARAM, LPARAM>>& notes = Listener::Received();
    const std::vector<std::pair<WPARAM, LPARAM>> expected = {
        {50, LPARAM(int32_t(reinterpret_cast<intptr_t>(window)))}, {51, 1125}, {43, 0}};
    EXPECT_EQ(notes, expected);
}

TEST_F(MainWindowE2ETest, AgentNeverShowsItsWindow) {
    const std::string path = WriteSetup("Other.exe", LanguageBlock({kEnglish}), true);
    e2e::ChildProcess stub("\"" + path + "\"");
    const HWND window = e2e::WaitForTopWindow(".AutoUpdate.Other", stub.Pid(), 20000);
    ASSERT_NE(window, nullptr);
    bool everVisible = false;
    for (int i = 0; i < 25; ++i) {  // two and a half seconds: two timer ticks
        everVisible = everVisible || IsWindowVisible(window);
        Sleep(100);
    }
    EXPECT_FALSE(everVisible);
    CloseAndExpectEnd(stub, window);
}

TEST_F(MainWindowE2ETest, CaptionComesFromTheSystemsLanguageElseEnglishElseTheOnlyEntry) {
    struct Case { const char* what; const char* locale; std::string languages; const char* caption; };
    const Case cases[] = {
        {"Spanish system, Spanish entry", "es_ES.UTF-8", LanguageBlock({kEnglish, kSpanish, kBrazil}), "Instalación de Tarvel"},
        {"Brazilian system: PORTUGUESE matches no entry", "pt_BR.UTF-8", LanguageBlock({kEnglish, kSpanish, kBrazil}),
         "Tarvel Setup"},
        {"English system", "en_US.UTF-8", LanguageBlock({kSpanish, kEnglish}), "Tarvel Setup"},
        {"a single entry on any system", "es_ES.UTF-8", LanguageBlock({LanguageEntry("Deutsch", {"s0=Tarvel-Installation"})}),
         "Tarvel-Installation"},
        {"neither English nor the system's language", "en_US.UTF-8", LanguageBlock({kSpanish, kBrazil}),
         "Tarvel Installation Suite"},
    };
    int run = 0;
    for (const auto& c : cases) {
        // A file of its own for every run: the process of the run before may still be ending.
        const std::string path = WriteSetup("setup" + std::to_string(++run) + ".exe", c.languages);
        ASSERT_TRUE(e2e::StartInUnixLocale(c.locale, path)) << c.what;
        const HWND window = e2e::WaitForTopWindow(ClassOf(path), 0, 20000);
        ASSERT_NE(window, nullptr) << c.what;
        EXPECT_EQ(e2e::ControlText(window), c.caption) << c.what;
        e2e::CloseStubWindow(window);
        EXPECT_TRUE(e2e::WaitUntilGone(window, 20000)) << c.what;
    }
    Sleep(500);  // the last process ends right after its window, before the folder is removed
}

}  // namespace
