// A message box of another process, read and answered from outside, as the end-to-end tests
// of the stub read and answer its questions. tvuser.exe shows the box with the stub's code.
#include <gtest/gtest.h>

#include "Processes.h"
#include "UserActor.h"
#include "utils/Desktop.h"

namespace {

std::string ShowBoxCommand(const std::string& arguments) { return "\"" + e2e::BinDir() + "tvuser.exe\" box " + arguments; }

TEST(MsgBoxOfAnotherProcess, IsReadAndAnsweredFromOutside) {
    e2e::ChildProcess shower(ShowBoxCommand("0 0x24 0 Confirm \"Continue with Setup?\""));
    e2e::MsgBoxView box;
    ASSERT_TRUE(e2e::WaitForMsgBox(box, 20000, shower.Pid()));
    EXPECT_EQ(box.caption, "Confirm");
    EXPECT_EQ(box.text, "CONFIRM\r\n\r\nContinue with Setup?\r\n");
    EXPECT_EQ(box.Captions(), std::vector<std::string>({"&Yes", "&No"}));
    EXPECT_EQ(box.focusedButton, 0);
    EXPECT_EQ(box.Width(), 360);
    e2e::PressKey(box, 'N');
    ASSERT_TRUE(shower.Wait(20000));
    EXPECT_EQ(shower.ExitCode(), 7u);
}

// Where a box of this text stands, shown by another process with the developer switch set or not.
POINT BoxPlace(const std::string& text, bool developer) {
    SetEnvironmentVariableA("DVX", developer ? kDeveloperSwitchCode : nullptr);  // inherited by the child
    e2e::ChildProcess shower(ShowBoxCommand("1 0 0 Title \"" + text + "\""));
    SetEnvironmentVariableA("DVX", nullptr);
    e2e::MsgBoxView box;
    POINT place = {-1, -1};
    if (e2e::WaitForMsgBox(box, 20000, shower.Pid())) place = {box.outer.left, box.outer.top};
    e2e::ClickButton(box, 0);
    EXPECT_TRUE(shower.Wait(20000));
    return place;
}

TEST(MsgBoxOfAnotherProcess, DevelopersNewEntryQuestionStandsAside) {
    const std::string question = "Do you want to store the new Entry in the list?";
    const POINT centred = BoxPlace(question, false);
    const POINT aside = BoxPlace(question, true);
    EXPECT_EQ(aside.x, centred.x + 150);
    EXPECT_EQ(aside.y, centred.y + 150);
    const POINT other = BoxPlace("Another question?", true);
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    EXPECT_EQ(other.x, workArea.left + (workArea.right - workArea.left - 360) / 2);
}

}  // namespace
