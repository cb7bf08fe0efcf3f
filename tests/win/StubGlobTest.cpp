#include <gtest/gtest.h>

#include "Processes.h"
#include "agent/StubGlob.h"
#include "folders/Common.h"
#include "utils/Dates.h"
#include "utils/Folders.h"
#include "utils/IniFiles.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < kOverrideCount; ++i) SetOverride(i, kNotOverridden);
    }
    void TearDown() override { SetUp(); }
    void Write(const std::string& file, const char* section, const char* key, const char* value) {
        ASSERT_TRUE(WriteIniString(file, section, key, value));
    }
    e2e::TempFolder folder_;
    std::string original_ = folder_.File("Product.original");
    std::string info_ = folder_.File("Product.info");
};

TEST_F(SettingsTest, PathsFollowTheOwnSetupFile) {
    // The test program carries no package: item 1 is empty, so the names are the bare extensions.
    EXPECT_EQ(OriginalFilePath(), ExeDir(true) + ".original");
    EXPECT_EQ(InfoFilePath(), ExeDir(true));
}

TEST_F(SettingsTest, MissingFilesGiveEveryDefault) {
    const OriginalSettings original(original_);
    EXPECT_EQ(original.ProbeSecondsInterval(), 0);
    EXPECT_EQ(original.ProbeSecondsLast(), 0);
    EXPECT_EQ(original.ReAskSecondsInterval(), 0);
    EXPECT_EQ(original.VersionOriginal(), 0);
    EXPECT_EQ(original.Stamp(), 0);
    EXPECT_EQ(original.ProgramName(), "");
    EXPECT_EQ(original.TargetDir(), "");
    EXPECT_EQ(original.StartUpLink(), "");
    EXPECT_EQ(original.BtnText(), "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|");
    EXPECT_EQ(original.ErrorTitle(), "Error");
    EXPECT_EQ(original.ConfirmTitle(), "Confirm");
    EXPECT_EQ(original.AttentionTitle(), "Attention");
    EXPECT_EQ(original.CharSet(), 0);
    EXPECT_EQ(original.FontName(), "Tahoma");
    EXPECT_EQ(original.FontSize(), 8);
    EXPECT_EQ(original.AgentText("s3", "File Download Aborted!"), "File Download Aborted!");

    const InfoSettings info(info_);
    EXPECT_EQ(info.VersionNew(), 0);
    EXPECT_EQ(info.DownloadURL_UPDATE(), "");
    EXPECT_FALSE(info.RequestConfirmationBeforeDownload());
    EXPECT_FALSE(info.BackgroundUpdate());
    EXPECT_FALSE(info.RemoveStartUpShortcut());
    EXPECT_FALSE(info.AutoInform());
    EXPECT_EQ(info.AutoInformW(), 360);
    EXPECT_EQ(info.AutoInformH(), 360);
}

TEST_F(SettingsTest, ReadsValuesWithTheirTypes) {
    Write(original_, "OriginalSetup", "VersionOriginal", "4294967297");  // used as 32 bits: 1
    Write(original_, "OriginalSetup", "ProbeSecondsInterval", "-1");
    Write(original_, "MsgBox", "FontSize", "eleven");                     // not a number: default
    Write(original_, "UnInstall", "StartUpLink", "C:\\Links\\Start.lnk");
    Write(original_, "AutoUpdate", "s11", "New <B>PROG_NAME</B>");
    const OriginalSettings original(original_);
    EXPECT_EQ(original.VersionOriginal(), 1);
    EXPECT_EQ(original.ProbeSecondsInterval(), -1);
    EXPECT_EQ(original.FontSize(), 8);
    EXPECT_EQ(original.StartUpLink(), "C:\\Links\\Start.lnk");
    EXPECT_EQ(original.AgentText("s11", ""), "New <B>PROG_NAME</B>");

    const struct { const char* value; bool on; } autoInform[] = {{"1", true}, {"01", true}, {"yes", false}, {"2", false}};
    for (const auto& c : autoInform) {
        Write(info_, "General", "AutoInform", c.value);
        EXPECT_EQ(InfoSettings(info_).AutoInform(), c.on) << c.value;
    }
}

TEST_F(SettingsTest, SwitchKeysFollowTheOverrideRule) {
    const InfoSettings info(info_);
    const struct { const char* value; bool on; } values[] = {{"1", true}, {"yes", false}, {"true", false}, {"0", false}};
    for (const auto& c : values) {
        Write(info_, "NewSetup", "RequestConfirmationBeforeInstall", c.value);
        EXPECT_EQ(info.RequestConfirmationBeforeInstall(), c.on) << c.value;
    }
    Write(info_, "NewSetup", "RequestConfirmationBeforeInstall", "0");
    SetOverride(2, 1);
    EXPECT_TRUE(info.RequestConfirmationBeforeInstall());
    Write(info_, "NewSetup", "RequestConfirmationBeforeInstall", "1");
    SetOverride(2, 0);
    EXPECT_FALSE(info.RequestConfirmationBeforeInstall());
    SetOverride(2, 7);  // any value but 255 overrides; on only for 1
    EXPECT_FALSE(info.RequestConfirmationBeforeInstall());
    // Each switch reads its own key.
    Write(info_, "NewSetup", "RestartProcess", "1");
    Write(info_, "NewSetup", "RequestConfirmationBeforeDownloadForce", "1");
    EXPECT_TRUE(info.RestartProcess());
    EXPECT_TRUE(info.RequestConfirmationBeforeDownloadForce());
    EXPECT_FALSE(info.RequestConfirmationBeforeInstallForce());
    EXPECT_FALSE(AskBeforeCheck());
    SetOverride(0, 1);
    EXPECT_TRUE(AskBeforeCheck());
}

TEST_F(SettingsTest, OverrideListRoundTripsAndKeepsWhatItCannotRead) {
    EXPECT_EQ(OverridesToText(), "|255|255|255|255|255|255|255|255|");
    SetOverride(3, 9);
    SetOverride(5, 1);
    OverridesFromText("|1|0|255|x|");
    EXPECT_EQ(OverrideValue(0), 1);
    EXPECT_EQ(OverrideValue(1), 0);
    EXPECT_EQ(OverrideValue(2), 255);
    EXPECT_EQ(OverrideValue(3), 9);   // "x" is no number
    EXPECT_EQ(OverrideValue(5), 1);   // no such item
    OverridesFromText("|-1|256|");
    EXPECT_EQ(OverrideValue(0), 255);  // the low 8 bits
    EXPECT_EQ(OverrideValue(1), 0);
    EXPECT_EQ(OverridesToText(), "|255|0|255|9|255|1|255|255|");
}

TEST_F(SettingsTest, TimeKeysAreWrittenWithReadableCompanions) {
    const OriginalSettings original(original_);
    DateTimeParts newYear;
    newYear.Year = 2000; newYear.Month = 1; newYear.Day = 1;
    const int64_t seconds = SecondsSince1899(newYear);
    EXPECT_EQ(seconds, 36526LL * 86400);
    original.WriteProbeSecondsLast(seconds);
    original.WriteReAskSecondsLast(seconds + 3661);
    EXPECT_EQ(original.ProbeSecondsLast(), seconds);
    EXPECT_EQ(ReadIniString(original_, "OriginalSetup", "__ProbeSecondsLast", ""), "01-JAN-2000 00:00:00");
    EXPECT_EQ(ReadIniString(original_, "OriginalSetup", "__ReAskSecondsLast", ""), "01-JAN-2000 01:01:01");
    original.WriteVersionOriginal(-2);
    original.WriteStamp(77);
    original.WriteProbeSecondsInterval(3600);
    EXPECT_EQ(ReadIniString(original_, "OriginalSetup", "VersionOriginal", ""), "-2");
    EXPECT_EQ(original.Stamp(), 77);
    EXPECT_EQ(original.ProbeSecondsInterval(), 3600);
    const int64_t now = NowSeconds();
    EXPECT_GT(now, seconds);
}

}  // namespace
