// The real stub under Wine: setup files made from tvstub.exe, run with exact command lines,
// watched through the debug viewer and the agent log.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "Commands.h"
#include "Processes.h"
#include "SetupFileWriter.h"
#include "UserActor.h"
#include "package/PackageTrailer.h"
#include "package/StubSetup.h"

namespace {

using e2e::DebugViewer;
using e2e::RunProcess;

const std::string kLanguages = "\x02" "\x01" "English" "\x01" "s1=Hello" "\x01" "\x02";

struct StubRun {
    e2e::ProcessResult process;
    std::string debug;  // everything the viewer received
    std::string Line(const std::string& text) const { return std::to_string(process.pid) + text + "\r\n"; }
    bool Has(const std::string& text) const { return debug.find(Line(text)) != std::string::npos; }
};

class StubRunTest : public ::testing::Test {
protected:
    // Writes a setup file: the real stub followed by header blocks and a trailer.
    std::string WriteSetup(const std::string& name, const std::string& agentName, uint8_t options,
                           bool autoUpdateProg) {
        fixture::SetupImage image;
        image.stub = e2e::ReadFileBytes(e2e::BinDir() + "tvstub.exe");
        image.headerBlocks = {kLanguages, fixture::SetupInfoList("", "Product.info", agentName, "", "")};
        image.trailer.Options = options;
        image.trailer.IsAutoUpdateProg = autoUpdateProg ? 1 : 0;
        const std::string path = folder_.File(name);
        EXPECT_TRUE(e2e::WriteFileBytes(path, fixture::Build(image)));
        return path;
    }

    // Runs the stub to its end. A stub that runs its main window (`windowClass` names it) is
    // closed as a user closes it, once the window is there.
    StubRun Run(const std::string& commandLine, const std::string& windowClass = "") {
        DebugViewer viewer;
        EXPECT_TRUE(viewer.Running());
        StubRun run;
        if (windowClass.empty()) {
            run.process = RunProcess(commandLine);
        } else {
            e2e::ChildProcess stub(commandLine);
            run.process.started = stub.Started();
            run.process.pid = stub.Pid();
            const HWND window = e2e::WaitForTopWindow(windowClass, stub.Pid(), 20000);
            EXPECT_NE(window, nullptr) << commandLine << ": no window of class " << windowClass;
            if (window) e2e::CloseStubWindow(window);
            run.process.finished = stub.Wait(30000);
            run.process.exitCode = stub.ExitCode();
        }
        run.debug = viewer.Stop();
        EXPECT_TRUE(run.process.started) << commandLine;
        EXPECT_TRUE(run.process.finished) << commandLine;
        return run;
    }

    std::vector<std::string> AgentLogMessages(const std::string& logName) {
        std::vector<std::string> messages;
        for (const std::string& line : e2e::SplitLines(e2e::ReadFileBytes(folder_.File(logName))))
            messages.push_back(line.size() > 23 ? line.substr(23) : std::string());  // after time and thread id
        return messages;
    }

    e2e::TempFolder folder_;
};

TEST_F(StubRunTest, SetupReportsStartModeAndEndThroughTheViewer) {
    // A package without files: the setup runs to its end by itself and reports it as damaged
    // (no engine to start).
    const std::string path = WriteSetup("setup.exe", ".exe", 0, false);
    const std::string commandLine = "\"" + path + "\" /x=1  /y=\"a b\"";
    const StubRun run = Run(commandLine);
    EXPECT_EQ(run.process.exitCode, uint32_t(kExitDamagedPackage));
    const std::string start = run.Line(" ==== STUB START ====> " + commandLine + "<") +
                              run.Line(" ==== ThisIs_AutoUpdateProg=FALSE") +
                              run.Line(" ==== RunMode=WinMain HandleParamOK=FALSE");
    const std::string end = run.Line(" ==== STUB END ====> " + commandLine + "<") + "\r\n";
    EXPECT_EQ(run.debug.substr(0, start.size()), start) << run.debug;
    ASSERT_GE(run.debug.size(), end.size());
    EXPECT_EQ(run.debug.substr(run.debug.size() - end.size()), end) << run.debug;
}

TEST_F(StubRunTest, LongCommandLineStillArrivesWhole) {
    const std::string path = WriteSetup("setup.exe", ".exe", 0, false);
    const std::string commandLine = "\"" + path + "\" /note=" + std::string(400, 'n');
    const StubRun run = Run(commandLine);
    EXPECT_TRUE(run.Has(" ==== STUB START ====> " + commandLine + "<"));
    EXPECT_TRUE(run.Has(" ==== STUB END ====> " + commandLine + "<"));
}

TEST_F(StubRunTest, SecondInstanceOfTheSamePathDoesNothing) {
    const std::string path = WriteSetup("setup.exe", ".exe", 0, false);
    e2e::TestWindow first(path);  // the first instance's main window: its class is the full path
    ASSERT_NE(first.Handle(), nullptr);
    const StubRun same = Run("\"" + path + "\"");
    EXPECT_TRUE(same.Has(" ==== RunMode=None HandleParamOK=FALSE")) << same.debug;
    EXPECT_TRUE(same.Has(" ==== STUB END ====> \"" + path + "\"<"));

    const std::string other = WriteSetup("other.exe", ".exe", 0, false);  // same content, other path
    const StubRun independent = Run("\"" + other + "\"");
    EXPECT_TRUE(independent.Has(" ==== RunMode=WinMain HandleParamOK=FALSE")) << independent.debug;
}

TEST_F(StubRunTest, RunModeFollowsMarksNamesAndCommandLine) {
    struct Case {
        const char* what;
        const char* fileName;
        uint8_t options;
        bool autoUpdateProg;
        const char* arguments;
        const char* runMode;
        const char* windowClass;  // of the main window to close, when the mode runs one that stays
        uint32_t exitCode;        // a setup without files ends by itself, reporting no engine
    };
    const Case cases[] = {
        {"plain agent", "Agent.exe", kOptAgentLogWanted, true, "", "CreateAndRun_X_Exe HandleParamOK=TRUE", nullptr,
         0},
        {"X_ copy", "x_agent.EXE", kOptAgentLogWanted, true, "", "X_AutoUpdate HandleParamOK=FALSE",
         ".AutoUpdate.x_agent", 0},
        {"agent under another name", "Other.exe", 0, true, "", "WinMain HandleParamOK=FALSE", ".AutoUpdate.Other",
         0},
        {"first-disk launcher", "setup.exe", kOptRelaunchFromTemp, false, "", "SpanCdRelaunch HandleParamOK=FALSE",
         nullptr, 0},
        {"launcher, level not a number", "setup.exe", kOptRelaunchFromTemp, false, " /SpanCdLvl=abc",
         "SpanCdRelaunch HandleParamOK=FALSE", nullptr, 0},
        {"launcher's copy", "setup.exe", kOptRelaunchFromTemp, false, " /SpanCdLvl=2", "WinMain HandleParamOK=FALSE",
         nullptr, kExitDamagedPackage},
        {"level 1 without the option", "setup.exe", 0, false, " /SpanCdLvl=1", "WinMain HandleParamOK=FALSE", nullptr,
         kExitDamagedPackage},
    };
    int caseNumber = 0;
    for (const auto& c : cases) {
        // Each case in a folder of its own: the X_ copy and the launcher's copy delete themselves
        // (the launcher's copy with its folder) after they end.
        const std::string caseFolder = std::to_string(++caseNumber);
        CreateDirectoryA(folder_.File(caseFolder).c_str(), nullptr);
        const std::string path = WriteSetup(caseFolder + "\\" + c.fileName, "Agent.exe", c.options, c.autoUpdateProg);
        const StubRun run = Run("\"" + path + "\"" + c.arguments, c.windowClass ? c.windowClass : "");
        EXPECT_EQ(run.process.exitCode, c.exitCode) << c.what;
        EXPECT_TRUE(run.Has(std::string(" ==== ThisIs_AutoUpdateProg=") + (c.autoUpdateProg ? "TRUE" : "FALSE")))
            << c.what;
        EXPECT_TRUE(run.Has(std::string(" ==== RunMode=") + c.runMode)) << c.what << "\n" << run.debug;
        DeleteFileA(path.c_str());
    }
}

TEST_F(StubRunTest, PlainAgentWritesItsStartAndDecisionsToTheAgentLog) {
    const std::string path = WriteSetup("Agent.exe", "Agent.exe", kOptAgentLogWanted, true);
    const StubRun run = Run("\"" + path + "\" /WAIT=0");
    const std::vector<std::string> expected = {
        "   ", "   ", "   === START === " + path, "   CommandLine=\"" + path + "\" /WAIT=0",
        "   Agent Version=1.0.0.1", "   DoRunStubWin() --- Start", "   X_ExeIsRunning=FALSE",
        "   ThisIs_Plain_AutoUpdate_Exe=TRUE", "   ThisIs_X_AutoUpdate_Exe=FALSE", "   DoRunStubWin() --- End",
        "   === EXIT === " + path, "   ",
    };
    EXPECT_EQ(AgentLogMessages("X_Agent.log"), expected);
}

TEST_F(StubRunTest, XCopyMarksItsLinesAndSharesTheAgentsLog) {
    const std::string path = WriteSetup("X_Agent.exe", "Agent.exe", kOptAgentLogWanted, true);
    Run("\"" + path + "\"", ".AutoUpdate.X_Agent");
    const std::vector<std::string> messages = AgentLogMessages("X_Agent.log");
    // Closed as a user closes it: the first request only stops a download, the second one
    // destroys the window.
    const std::vector<std::string> expected = {
        " X ", " X ", " X === START === " + path, " X CommandLine=\"" + path + "\"", " X Agent Version=1.0.0.1",
        " X DoRunStubWin() --- Start", " X X_ExeIsRunning=FALSE", " X ThisIs_Plain_AutoUpdate_Exe=FALSE",
        " X ThisIs_X_AutoUpdate_Exe=TRUE", " X CheckTestMode", " X WinMain",
        " X .. CloseMainWindow() - Start", " X .. CloseMainWindow() - End",
        " X .. CloseMainWindow() - Start", " X .. CloseMainWindow() - End",
        " X .. DestroyMainWindow() - Start", " X .. DestroyMainWindow() - End", " X DeleteMySelf",
        " X DoRunStubWin() --- End", " X === EXIT === " + path, " X ",
    };
    EXPECT_EQ(messages, expected);
    EXPECT_TRUE(e2e::WaitUntilGone(path, 30000));  // deleted by its batch file after it ended
    EXPECT_TRUE(e2e::FileExistsAt(folder_.File("X_Agent.log")));
}

TEST_F(StubRunTest, PlainAgentSeesItsRunningCopyAndItsOwnWindow) {
    const std::string path = WriteSetup("Agent.exe", "Agent.exe", kOptAgentLogWanted, true);
    e2e::TestWindow copy(".AutoUpdate.X_Agent");
    e2e::TestWindow own(".AutoUpdate.Agent");
    const StubRun run = Run("\"" + path + "\"");
    EXPECT_TRUE(run.Has(" ==== RunMode=None HandleParamOK=TRUE")) << run.debug;
    const std::vector<std::string> messages = AgentLogMessages("X_Agent.log");
    EXPECT_NE(std::find(messages.begin(), messages.end(), "   X_ExeIsRunning=TRUE"), messages.end());
}

TEST_F(StubRunTest, AgentLogNeedsBothTheAgentMarkAndTheOption) {
    struct Case { const char* what; uint8_t options; bool autoUpdateProg; bool logged; };
    const Case cases[] = {
        {"agent with the option", kOptAgentLogWanted, true, true},
        {"agent without the option", 0, true, false},
        {"setup with the option", kOptAgentLogWanted, false, false},
    };
    for (const auto& c : cases) {
        const std::string path = WriteSetup("Other.exe", "Agent.exe", c.options, c.autoUpdateProg);
        Run("\"" + path + "\"", c.autoUpdateProg ? ".AutoUpdate.Other" : path);
        EXPECT_EQ(e2e::FileExistsAt(folder_.File("X_Other.log")), c.logged) << c.what;
        DeleteFileA(folder_.File("X_Other.log").c_str());
    }
}

TEST_F(StubRunTest, SetupAndAgentBuiltByTvpackTakeTheirRunModes) {
    const std::string files = folder_.File("files");
    ASSERT_TRUE(CreateDirectoryA(files.c_str(), nullptr));
    ASSERT_TRUE(e2e::WriteFileBytes(files + "\\Engine.exe", "engine"));
    struct Case { const char* name; const char* description; bool carriesFiles; const char* autoUpdate; const char* runMode; };
    const Case cases[] = {
        {"Setup.exe", "[Setup]\nEngine=Engine.exe\nAgentExeName=Agent.exe\n", true, "FALSE",
         "WinMain HandleParamOK=FALSE"},
        {"Agent.exe", "[Setup]\nKind=Agent\nAgentExeName=Agent.exe\nAgentLogWanted=1\n", false, "TRUE",
         "CreateAndRun_X_Exe HandleParamOK=TRUE"},
    };
    for (const auto& c : cases) {
        const std::string description = folder_.File("setup.ini");
        ASSERT_TRUE(e2e::WriteFileBytes(description, c.description));
        std::vector<std::string> args = {"build", "--stub", e2e::BinDir() + "tvstub.exe", "--desc", description,
                                         "--out", folder_.File(c.name)};
        if (c.carriesFiles) args.insert(args.end(), {"--files", files});
        std::ostringstream out, err;
        ASSERT_EQ(RunTvpack(args, out, err), 0) << err.str();
        // The setup runs its main window until it is closed (its class is its path); the plain
        // agent only hands over to its copy and ends.
        const std::string path = folder_.File(c.name);
        // The setup runs by itself to its end: its engine entry is no program, so it reports the
        // package as damaged. The plain agent only hands over to its copy.
        const StubRun run = Run("\"" + path + "\"");
        EXPECT_EQ(run.process.exitCode, c.carriesFiles ? uint32_t(kExitDamagedPackage) : 0u) << c.name;
        EXPECT_TRUE(run.Has(std::string(" ==== ThisIs_AutoUpdateProg=") + c.autoUpdate)) << c.name << "\n" << run.debug;
        EXPECT_TRUE(run.Has(std::string(" ==== RunMode=") + c.runMode)) << c.name << "\n" << run.debug;
    }
}

TEST_F(StubRunTest, DamagedSetupFileRunsAsASetupAndSaysSo) {
    std::string bytes = e2e::ReadFileBytes(e2e::BinDir() + "tvstub.exe") + std::string(100, '\xFF');
    const std::string path = folder_.File("damaged.exe");
    ASSERT_TRUE(e2e::WriteFileBytes(path, bytes));
    DebugViewer viewer;
    e2e::ChildProcess stub("\"" + path + "\"");
    e2e::MsgBoxView box;
    ASSERT_TRUE(e2e::WaitForMsgBox(box, 20000, stub.Pid()));
    EXPECT_EQ(box.caption, "Error");
    EXPECT_NE(box.text.find("Bad CRC!"), std::string::npos) << box.text;
    e2e::PressKey(box, VK_RETURN);
    EXPECT_TRUE(stub.Wait(20000));
    EXPECT_EQ(stub.ExitCode(), uint32_t(kExitDamagedPackage));
    const std::string debug = viewer.Stop();
    EXPECT_NE(debug.find(" ==== ThisIs_AutoUpdateProg=FALSE"), std::string::npos);
    EXPECT_NE(debug.find(" ==== RunMode=WinMain HandleParamOK=FALSE"), std::string::npos);
}

}  // namespace
