// A setup runs end to end: built by the package builder around the demo engine, started the
// way a user starts it, answered through its boxes, and watched through what the engine saw.
#include <gtest/gtest.h>

#include "Processes.h"
#include "SetupFixture.h"
#include "UserActor.h"
#include "package/Checksum.h"
#include "package/PackX.h"
#include "package/SetupCommand.h"
#include "package/StubSetup.h"

namespace {

constexpr uint32_t kSomeDate = (uint32_t(41) << 25 | 5u << 21 | 6u << 16) | (7u << 11 | 8u << 5 | 10u / 2);

std::string Pattern(size_t size, uint32_t seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = char(seed >> 24);
    }
    return bytes;
}

// Runs a setup to its end; answers every box it shows with `answer` (a key) and records what
// they said.
struct SetupRun {
    DWORD exitCode = 0;
    bool finished = false;
    std::vector<e2e::MsgBoxView> boxes;
};

SetupRun RunSetup(const std::string& commandLine, UINT answer = VK_RETURN, DWORD timeoutMs = 60000) {
    SetupRun run;
    e2e::ChildProcess stub(commandLine);
    const DWORD start = GetTickCount();
    while (!stub.Wait(100) && GetTickCount() - start < timeoutMs) {
        e2e::MsgBoxView box;
        if (e2e::WaitForMsgBox(box, 50, stub.Pid())) {
            run.boxes.push_back(box);
            e2e::PressKey(box, answer);
            e2e::WaitUntilGone(box.box, 5000);
        }
    }
    run.finished = stub.Wait(0);
    run.exitCode = stub.ExitCode();
    return run;
}

class SetupRunTest : public e2e::SetupRunFixture {};

TEST_F(SetupRunTest, ExtractsRunsTheEngineAndHandsBackItsExitCode) {
    AddFile("ReadMe.txt", "Tarvel demo\r\n", kSomeDate);
    AddFile("Data.bin", Pattern(300000, 7) + std::string(200000, 'z'), kSomeDate + 2);
    AddFile("Empty.txt", "", kSomeDate);
    const std::string setup = BuildSetup("Setup.exe", "EngineParams=/q\nInfoFileName=Product.info\n");
    const std::string tail = EngineArgs() + " /EngineExit=3010";
    const SetupRun run = RunSetup("\"" + setup + "\"" + tail);
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(run.exitCode, 3010u);

    const e2e::EngineRecord record = ReadRecord();
    ASSERT_TRUE(record.ran);
    const size_t token = record.commandLine.find(" /TH_ID=_");
    ASSERT_NE(token, std::string::npos) << record.commandLine;
    const std::string threadToken = record.commandLine.substr(token + 8, record.commandLine.find(' ', token + 1) - token - 8);
    EXPECT_EQ(record.commandLine, record.engineDir + "\\Engine.exe" + tail + " /q /TH_ID=" + threadToken +
                                      " /OriginExe=\"" + setup + "\"");
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(record.engineDir.compare(0, strlen(temp) + 6, std::string(temp) + "SETUP_"), 0) << record.engineDir;
    EXPECT_FALSE(e2e::FileExistsAt(record.engineDir)) << "the temporary folder is removed";

    for (const char* name : {"ReadMe.txt", "Data.bin", "Empty.txt"}) {
        EXPECT_EQ(e2e::ReadFileBytes(Installed(name)), e2e::ReadFileBytes(filesDir_ + "\\" + name)) << name;
        EXPECT_EQ(e2e::DosDateOf(Installed(name)), e2e::DosDateOf(filesDir_ + "\\" + name)) << name;
    }
    EXPECT_FALSE(e2e::FileExistsAt(Installed("Agent.exe")));
}

TEST_F(SetupRunTest, WaitsWhileTheEnginesDialogIsUp) {
    AddFile("a.txt", "a");
    const std::string setup = BuildSetup("Setup.exe", "");
    const SetupRun run = RunSetup("\"" + setup + "\"" + EngineArgs() + " /EngineDialogAfterMs=2500");
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 0u);
    // The dialog's process writes this just before it closes its dialog: the stub ended later.
    EXPECT_TRUE(e2e::FileExistsAt(recordPath_ + ".dialog"));
}

TEST_F(SetupRunTest, EngineAtomDecidesWhetherShortcutsAreRemoved) {
    AddFile("a.txt", "a");
    const std::string setup = BuildSetup("Setup.exe", "InfoFileName=Product.info\n");
    struct Case { const char* what; const char* engineArgs; bool removed; };
    const Case cases[] = {
        {"engine reports success", "", true},
        {"engine leaves the atom", " /EngineKeepAtom", false},
    };
    for (const auto& c : cases) {
        const std::string startUp = folder_.File("StartUp.lnk"), check = folder_.File("Check.lnk");
        ASSERT_TRUE(e2e::WriteFileBytes(startUp, "link"));
        ASSERT_TRUE(e2e::WriteFileBytes(check, "link"));
        WritePrivateProfileStringA("UnInstall", "StartUpLink", startUp.c_str(), folder_.File("Product.original").c_str());
        WritePrivateProfileStringA("UnInstall", "CheckforNewUpdateLink", check.c_str(),
                                   folder_.File("Product.original").c_str());
        WritePrivateProfileStringA("NewSetup", "RemoveStartUpShortcut", "1", folder_.File("Product.info").c_str());
        WritePrivateProfileStringA("NewSetup", "RemoveCheckForNewUpdateShortcut", "1",
                                   folder_.File("Product.info").c_str());
        const SetupRun run = RunSetup("\"" + setup + "\"" + EngineArgs() + c.engineArgs);
        ASSERT_TRUE(run.finished) << c.what;
        EXPECT_EQ(run.exitCode, 0u) << c.what;
        EXPECT_EQ(e2e::FileExistsAt(startUp), !c.removed) << c.what;
        EXPECT_EQ(e2e::FileExistsAt(check), !c.removed) << c.what;
    }
}

TEST_F(SetupRunTest, DamagedPackageShowsBadCrcAndStartsNoEngine) {
    AddFile("Data.bin", Pattern(200000, 3));
    const std::string setup = BuildSetup("Setup.exe", "");
    std::string bytes = e2e::ReadFileBytes(setup);
    const TGFileInfo info(setup);
    bytes[size_t(info.FirstEntryOffset()) + 1000] ^= 0x20;
    ASSERT_TRUE(e2e::WriteFileBytes(setup, bytes));
    const SetupRun run = RunSetup("\"" + setup + "\"" + EngineArgs());
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].caption, "Error");
    EXPECT_NE(run.boxes[0].text.find("Bad CRC!"), std::string::npos) << run.boxes[0].text;
    EXPECT_FALSE(ReadRecord().ran);
    EXPECT_EQ(run.exitCode, uint32_t(kExitDamagedPackage));
}

TEST_F(SetupRunTest, SetupOver50MiBPassesTheChecksumWhateverItsContent) {
    AddFile("Big.bin", Pattern(size_t(51) << 20, 11));
    const std::string setup = BuildSetup("Setup.exe", "", {"--level", "1"});
    std::string bytes = e2e::ReadFileBytes(setup);
    ASSERT_GT(bytes.size(), size_t(50) << 20);
    const TGFileInfo info(setup);
    const size_t flipped = size_t(info.FirstEntryOffset()) + (size_t(40) << 20);  // inside the stored file
    bytes[flipped] ^= 0x01;
    ASSERT_TRUE(e2e::WriteFileBytes(setup, bytes));
    const SetupRun run = RunSetup("\"" + setup + "\"" + EngineArgs());
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_TRUE(ReadRecord().ran);
    EXPECT_EQ(run.exitCode, 0u);
}

TEST_F(SetupRunTest, ConfirmExtractionAsksAndNoEndsWithoutExtracting) {
    AddFile("a.txt", "a");
    const std::string setup = BuildSetup("Setup.exe", "ConfirmExtraction=1\n");
    const SetupRun no = RunSetup("\"" + setup + "\"" + EngineArgs(), 'N');
    ASSERT_TRUE(no.finished);
    ASSERT_EQ(no.boxes.size(), 1u);
    EXPECT_EQ(no.boxes[0].caption, "Confirm");
    EXPECT_NE(no.boxes[0].text.find("Tarvel will extract files to your Temp Drive (C:)"), std::string::npos)
        << no.boxes[0].text;
    EXPECT_NE(no.boxes[0].text.find("Continue with Setup?"), std::string::npos);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string required = MegabytesText(TGFileInfo(setup).RequiredSpace(temp));
    EXPECT_NE(no.boxes[0].text.find("Estimated space required on your Temp drive is: \t  " + required + " MB"),
              std::string::npos)
        << no.boxes[0].text;
    EXPECT_NE(no.boxes[0].text.find("Free space available on your Temp drive is: \t  "), std::string::npos);
    EXPECT_FALSE(ReadRecord().ran);
    EXPECT_EQ(no.exitCode, uint32_t(kExitUserCancelled));

    const SetupRun yes = RunSetup("\"" + setup + "\"" + EngineArgs(), 'Y');
    ASSERT_TRUE(yes.finished);
    EXPECT_EQ(yes.boxes.size(), 1u);
    EXPECT_TRUE(ReadRecord().ran);
    EXPECT_EQ(yes.exitCode, 0u);
}

TEST_F(SetupRunTest, HiddenSetupAsksNothingAndShowsNoWindow) {
    AddFile("a.txt", "a");
    const std::string setup = BuildSetup("Setup.exe", "ConfirmExtraction=1\n");
    e2e::ChildProcess stub("\"" + setup + "\" /hide" + EngineArgs());
    bool windowSeen = false, windowShown = false;
    while (!stub.Wait(50)) {
        const HWND window = e2e::FindTopWindow(setup, stub.Pid());
        windowSeen = windowSeen || window != nullptr;
        windowShown = windowShown || (window && IsWindowVisible(window));
        e2e::MsgBoxView box;
        ASSERT_FALSE(e2e::WaitForMsgBox(box, 1, stub.Pid())) << "a box: " << box.text;
    }
    EXPECT_TRUE(windowSeen);
    EXPECT_FALSE(windowShown);
    EXPECT_TRUE(ReadRecord().ran);
    EXPECT_EQ(stub.ExitCode(), 0u);
}

TEST_F(SetupRunTest, AgentFileIsTheStubAndHeaderBlocksMarkedAsAgent) {
    AddFile("a.txt", "a");
    const std::string setup = BuildSetup("Setup.exe", "AgentExeName=Agent.exe\nInstallsAgent=1\nInfoFileName=P.info\n");
    const SetupRun run = RunSetup("\"" + setup + "\"" + EngineArgs());
    ASSERT_TRUE(run.finished);
    ASSERT_TRUE(ReadRecord().ran);
    const std::string agent = e2e::ReadFileBytes(Installed("Agent.exe"));
    const std::string bytes = e2e::ReadFileBytes(setup);
    const TGFileInfo setupInfo(setup);
    const size_t headerEnd = size_t(setupInfo.FirstEntryOffset());
    ASSERT_EQ(agent.size(), headerEnd + kTrailerSize);
    std::string expectedStart = bytes.substr(0, headerEnd);
    expectedStart.replace(kDataEndLowOffset, 4, std::string(4, '\0'));
    EXPECT_EQ(agent.substr(0, headerEnd), expectedStart);
    TrailerBytes trailerBytes;
    std::copy(agent.end() - kTrailerSize, agent.end(), trailerBytes.begin());
    const PackageTrailer trailer = TrailerFromBytes(trailerBytes);
    EXPECT_EQ(trailer.IsAutoUpdateProg, 1);
    EXPECT_EQ(trailer.TrailerLength, kTrailerSize);
    EXPECT_EQ(trailer.FileCount, setupInfo.Trailer().FileCount);
    EXPECT_EQ(trailer.Magic, kPackageMagic);
    // Read as a setup file, it is an agent of the same product.
    const TGFileInfo agentInfo(Installed("Agent.exe"));
    EXPECT_TRUE(agentInfo.IsAutoUpdateProg());
    EXPECT_EQ(agentInfo.AgentExeName(), "Agent.exe");
    EXPECT_EQ(agentInfo.InfoFileName(), "P.info");
}

}  // namespace

namespace {

// Three disk files: the engine and the start of Big.bin on the first, more of Big.bin on the
// second, its end and a.txt on the third.
class MultiDiskTest : public e2e::SetupRunFixture {
protected:
    std::string BuildDisks() {
        AddFile("Big.bin", Pattern(700000, 5));
        AddFile("a.txt", "small");
        const std::string first = BuildSetup("Setup.exe", "", {"--disk-size", "500K"}) + ".001";
        EXPECT_TRUE(e2e::FileExistsAt(folder_.File("Setup.exe.003")));
        EXPECT_FALSE(e2e::FileExistsAt(folder_.File("Setup.exe.004")));
        return first;
    }
    // The extraction folder the run will use: nothing else holds its lock here.
    std::string ExtractionFolder(const std::string& firstDisk) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        return std::string(temp) + "SETUP_" + std::to_string(e2e::DosDateOf(firstDisk) & 0xFFFF);
    }
};

TEST_F(MultiDiskTest, ExtractsTheDisksInOrderIntoWholeFiles) {
    const std::string first = BuildDisks();
    const SetupRun run = RunSetup("\"" + first + "\"" + EngineArgs());
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.boxes.empty());
    ASSERT_TRUE(ReadRecord().ran);
    EXPECT_EQ(e2e::ReadFileBytes(Installed("Big.bin")), e2e::ReadFileBytes(filesDir_ + "\\Big.bin"));
    EXPECT_EQ(e2e::ReadFileBytes(Installed("a.txt")), "small");
    EXPECT_EQ(run.exitCode, 0u);
}

TEST_F(MultiDiskTest, AsksForAMissingDiskAndGoesOnOnceItIsThere) {
    const std::string first = BuildDisks();
    const std::string second = folder_.File("Setup.exe.002");
    ASSERT_TRUE(MoveFileA(second.c_str(), (second + ".away").c_str()));
    e2e::ChildProcess stub("\"" + first + "\"" + EngineArgs());
    e2e::MsgBoxView box;
    ASSERT_TRUE(e2e::WaitForMsgBox(box, 30000, stub.Pid()));
    EXPECT_EQ(box.caption, "Attention");
    EXPECT_NE(box.text.find("Please insert DISK #2 and press OK to continue"), std::string::npos) << box.text;
    ASSERT_TRUE(MoveFileA((second + ".away").c_str(), second.c_str()));
    e2e::PressKey(box, VK_RETURN);
    ASSERT_TRUE(stub.Wait(60000));
    EXPECT_EQ(stub.ExitCode(), 0u);
    EXPECT_EQ(e2e::ReadFileBytes(Installed("Big.bin")), e2e::ReadFileBytes(filesDir_ + "\\Big.bin"));
}

TEST_F(MultiDiskTest, CancelAtTheThirdDiskKeepsTheFirstTwoAndStartsNoEngine) {
    const std::string first = BuildDisks();
    const std::string third = folder_.File("Setup.exe.003");
    ASSERT_TRUE(MoveFileA(third.c_str(), (third + ".away").c_str()));
    e2e::ChildProcess stub("\"" + first + "\"" + EngineArgs());
    e2e::MsgBoxView box;
    ASSERT_TRUE(e2e::WaitForMsgBox(box, 30000, stub.Pid()));
    EXPECT_NE(box.text.find("DISK #3"), std::string::npos) << box.text;
    const std::string extracted = ExtractionFolder(first);
    EXPECT_TRUE(e2e::FileExistsAt(extracted + "\\Engine.exe"));
    const uint64_t partial = e2e::ReadFileBytes(extracted + "\\Big.bin").size();
    EXPECT_GT(partial, 0u);
    EXPECT_LT(partial, 700000u);
    EXPECT_FALSE(e2e::FileExistsAt(extracted + "\\a.txt"));
    e2e::PressKey(box, 'C');  // &Cancel
    ASSERT_TRUE(stub.Wait(60000));
    EXPECT_EQ(stub.ExitCode(), uint32_t(kExitUserCancelled));
    EXPECT_FALSE(ReadRecord().ran);
    EXPECT_FALSE(e2e::FileExistsAt(extracted));
}

}  // namespace

namespace {

// The user's temporary folder on the 2 MiB drive T: (see small-drive.sh).
class SmallTempDriveTest : public e2e::SetupRunFixture {
protected:
    void SetUp() override {
        if (GetDriveTypeA("T:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no small drive T: on this machine";
    }
    // The stub inherits the test's environment: its temporary folder becomes T:\.
    struct TempOnT {
        TempOnT() {
            GetEnvironmentVariableA("TMP", tmp, MAX_PATH);
            GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
            SetEnvironmentVariableA("TMP", "T:\\");
            SetEnvironmentVariableA("TEMP", "T:\\");
        }
        ~TempOnT() {
            SetEnvironmentVariableA("TMP", tmp);
            SetEnvironmentVariableA("TEMP", temp);
        }
        char tmp[MAX_PATH] = "", temp[MAX_PATH] = "";
    };
};

TEST_F(SmallTempDriveTest, TooLittleRoomMovesTheExtractionToTheFixedDriveWithMostRoom) {
    AddFile("Zeros.bin", std::string(size_t(8) << 20, '\0'));  // 8 MiB to unpack, little to store
    const std::string setup = BuildSetup("Setup.exe", "");
    SetupRun run;
    {
        TempOnT temp;
        run = RunSetup("\"" + setup + "\"" + EngineArgs());
    }
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.boxes.empty());  // the other drive has room: nothing to ask
    const e2e::EngineRecord record = ReadRecord();
    ASSERT_TRUE(record.ran);
    EXPECT_TRUE(record.engineDir.compare(0, 8, "C:\\TEMP_") == 0 || record.engineDir.compare(0, 13, "C:\\TEMP\\TEMP_") == 0)
        << record.engineDir;
    EXPECT_FALSE(e2e::FileExistsAt(record.engineDir)) << "the alternative folder is removed";
    EXPECT_EQ(e2e::ReadFileBytes(Installed("Zeros.bin")).size(), size_t(8) << 20);
    EXPECT_EQ(run.exitCode, 0u);
}

}  // namespace

namespace {

TEST_F(MultiDiskTest, ForcePromptAsksForEveryFurtherDisk) {
    const std::string first = BuildDisks();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Fennet\\Tarvel\\SpanDisk", 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "ForcePrompt", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    const SetupRun run = RunSetup("\"" + first + "\"" + EngineArgs());
    RegDeleteValueA(key, "ForcePrompt");
    RegCloseKey(key);
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.boxes.size(), 2u);
    EXPECT_NE(run.boxes[0].text.find("DISK #2"), std::string::npos) << run.boxes[0].text;
    EXPECT_NE(run.boxes[1].text.find("DISK #3"), std::string::npos) << run.boxes[1].text;
    EXPECT_TRUE(ReadRecord().ran);
    EXPECT_EQ(run.exitCode, 0u);
}

TEST_F(SetupRunTest, EntryThatDoesNotInflateIsReportedAsDamaged) {
    AddFile("Text.txt", std::string(100000, 't'));
    const std::string setup = BuildSetup("Setup.exe", "");
    std::string bytes = e2e::ReadFileBytes(setup);
    const TGFileInfo info(setup);
    // The second entry (after the engine) is Text.txt, compressed: damage its zlib check
    // value, then store the checksum of the damaged file so that only inflating finds it.
    size_t at = size_t(info.FirstEntryOffset());
    at += 4 + GetLE32(reinterpret_cast<const uint8_t*>(&bytes[at]));
    const int32_t length = int32_t(GetLE32(reinterpret_cast<const uint8_t*>(&bytes[at])));
    ASSERT_GT(length, 0);
    bytes[at + 4 + size_t(length) - 1] ^= 0x5A;
    ASSERT_TRUE(e2e::WriteFileBytes(setup, bytes));
    PutLE32(reinterpret_cast<uint8_t*>(&bytes[bytes.size() - kTrailerSize + 16]), PackageChecksum(setup, kTrailerSize));
    ASSERT_TRUE(e2e::WriteFileBytes(setup, bytes));

    e2e::DebugViewer viewer;
    const SetupRun run = RunSetup("\"" + setup + "\"" + EngineArgs());
    const std::string debug = viewer.Stop();
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_NE(run.boxes[0].text.find("Bad CRC!"), std::string::npos) << run.boxes[0].text;
    EXPECT_NE(debug.find(" --- ExtractAndRunSetup() --- UnPack --- incorrect data check\r\n"), std::string::npos)
        << debug;
    EXPECT_FALSE(ReadRecord().ran);
    EXPECT_EQ(run.exitCode, uint32_t(kExitDamagedPackage));
}

TEST_F(SetupRunTest, TwoSetupsWithTheSameFolderNameNeverShareIt) {
    AddFile("a.txt", "first");
    const std::string first = BuildSetup("First.exe", "");
    AddFile("a.txt", "second");
    const std::string second = BuildSetup("Second.exe", "");
    // The same file date gives both the same extraction folder name.
    ASSERT_TRUE(e2e::SetDosDate(second, e2e::DosDateOf(first)));
    const std::string firstRecord = folder_.File("first.txt"), secondRecord = folder_.File("second.txt");
    e2e::ChildProcess a("\"" + first + "\" /EngineRecord=\"" + firstRecord + "\" /InstallDir=\"" + folder_.File("a") +
                        "\" /EngineDialogMs=6000");
    for (int i = 0; i < 300 && !e2e::FileExistsAt(firstRecord); ++i) Sleep(50);  // its engine runs
    ASSERT_TRUE(e2e::FileExistsAt(firstRecord));
    e2e::ChildProcess b("\"" + second + "\" /EngineRecord=\"" + secondRecord + "\" /InstallDir=\"" + folder_.File("b") +
                        "\"");
    ASSERT_TRUE(b.Wait(60000));
    ASSERT_TRUE(a.Wait(60000));
    EXPECT_EQ(a.ExitCode(), 0u);
    EXPECT_EQ(b.ExitCode(), 0u);
    auto engineDir = [](const std::string& record) {
        for (const std::string& line : e2e::SplitLines(e2e::ReadFileBytes(record)))
            if (line.compare(0, 10, "EngineDir=") == 0) return line.substr(10);
        return std::string();
    };
    const std::string dirA = engineDir(firstRecord), dirB = engineDir(secondRecord);
    EXPECT_EQ(dirB, dirA + "_2");
    EXPECT_EQ(e2e::ReadFileBytes(folder_.File("a") + "\\a.txt"), "first");
    EXPECT_EQ(e2e::ReadFileBytes(folder_.File("b") + "\\a.txt"), "second");
    EXPECT_FALSE(e2e::FileExistsAt(dirA));
    EXPECT_FALSE(e2e::FileExistsAt(dirB));
}

}  // namespace
