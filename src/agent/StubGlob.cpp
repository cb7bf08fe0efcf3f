#include "agent/StubGlob.h"

#include "package/PackX.h"
#include "start/StubMain.h"
#include "utils/Dates.h"
#include "utils/Folders.h"
#include "utils/IniFiles.h"
#include "utils/LocaleFormats.h"
#include "utils/Text.h"
#include "utils/VSUB.h"

namespace {

const char* const kOriginalSetup = "OriginalSetup";
const char* const kNewSetup = "NewSetup";
const char* const kMsgBox = "MsgBox";

uint8_t g_overrides[kOverrideCount] = {255, 255, 255, 255, 255, 255, 255, 255};

// Defaults are plain character strings: every accessor stays a single call.
std::string Text(const std::string& file, const char* section, const char* key, const char* def = "") {
    return ReadIniString(file, section, key, def);
}
int64_t Integer(const std::string& file, const char* section, const char* key, int64_t def = 0) {
    return ReadIniInt64(file, section, key, def);
}
int32_t Integer32(const std::string& file, const char* section, const char* key, int64_t def = 0) {
    return int32_t(uint32_t(uint64_t(ReadIniInt64(file, section, key, def))));  // the low 32 bits
}

void WriteTimeKey(const std::string& file, const char* key, int64_t agentSeconds) {
    WriteIniInt64(file, kOriginalSetup, key, agentSeconds);
    WriteIniString(file, kOriginalSetup, std::string("__") + key,
                   FormatDateTimeDMY(DateTimeFromSeconds(agentSeconds)));
}

}  // namespace

std::string OriginalFilePath() { return ExeDir(true) + OwnFileInfo().OriginalFileName(); }
std::string InfoFilePath() { return ExeDir(true) + OwnFileInfo().InfoFileName(); }

OriginalSettings::OriginalSettings() : path_(OriginalFilePath()) {}

int64_t OriginalSettings::ProbeSecondsInterval() const { return Integer(path_, kOriginalSetup, "ProbeSecondsInterval"); }
int64_t OriginalSettings::ProbeSecondsLast() const { return Integer(path_, kOriginalSetup, "ProbeSecondsLast"); }
int64_t OriginalSettings::ReAskSecondsInterval() const { return Integer(path_, kOriginalSetup, "ReAskSecondsInterval"); }
int64_t OriginalSettings::ReAskSecondsLast() const { return Integer(path_, kOriginalSetup, "ReAskSecondsLast"); }
int32_t OriginalSettings::VersionOriginal() const { return Integer32(path_, kOriginalSetup, "VersionOriginal"); }
int32_t OriginalSettings::Stamp() const { return Integer32(path_, kOriginalSetup, "Stamp"); }
std::string OriginalSettings::ProgramName() const { return Text(path_, kOriginalSetup, "ProgramName"); }
std::string OriginalSettings::TargetDir() const { return Text(path_, "Directories", "TargetDir"); }
std::string OriginalSettings::SharedDir() const { return Text(path_, "Directories", "SharedDir"); }
std::string OriginalSettings::AuxiliaryDir() const { return Text(path_, "Directories", "AuxiliaryDir"); }
std::string OriginalSettings::StartUpLink() const { return Text(path_, "UnInstall", "StartUpLink"); }
std::string OriginalSettings::CheckforNewUpdateLink() const { return Text(path_, "UnInstall", "CheckforNewUpdateLink"); }
std::string OriginalSettings::BtnText() const { return Text(path_, kMsgBox, "BtnText", kStandardCaptions); }
std::string OriginalSettings::ErrorTitle() const { return Text(path_, kMsgBox, "Error", "Error"); }
std::string OriginalSettings::ConfirmTitle() const { return Text(path_, kMsgBox, "Confirm", "Confirm"); }
std::string OriginalSettings::AttentionTitle() const { return Text(path_, kMsgBox, "Attention", "Attention"); }
int32_t OriginalSettings::CharSet() const { return Integer32(path_, kMsgBox, "CharSet"); }
std::string OriginalSettings::FontName() const { return Text(path_, kMsgBox, "FontName", "Tahoma"); }
int32_t OriginalSettings::FontSize() const { return Integer32(path_, kMsgBox, "FontSize", 8); }

std::string OriginalSettings::AgentText(const std::string& key, const std::string& def) const {
    return ReadIniString(path_, "AutoUpdate", key, def);
}

void OriginalSettings::WriteProbeSecondsInterval(int64_t seconds) const {
    WriteIniInt64(path_, kOriginalSetup, "ProbeSecondsInterval", seconds);
}
void OriginalSettings::WriteReAskSecondsInterval(int64_t seconds) const {
    WriteIniInt64(path_, kOriginalSetup, "ReAskSecondsInterval", seconds);
}
void OriginalSettings::WriteProbeSecondsLast(int64_t agentSeconds) const {
    WriteTimeKey(path_, "ProbeSecondsLast", agentSeconds);
}
void OriginalSettings::WriteReAskSecondsLast(int64_t agentSeconds) const {
    WriteTimeKey(path_, "ReAskSecondsLast", agentSeconds);
}
void OriginalSettings::WriteVersionOriginal(int32_t version) const {
    WriteIniInt64(path_, kOriginalSetup, "VersionOriginal", version);
}
void OriginalSettings::WriteStamp(int32_t stamp) const { WriteIniInt64(path_, kOriginalSetup, "Stamp", stamp); }

InfoSettings::InfoSettings() : path_(InfoFilePath()) {}

bool InfoSettings::Flag(const char* key) const { return Text(path_, kNewSetup, key, "0") == "1"; }

bool InfoSettings::Switch(int index, const char* key) const {
    const uint8_t value = g_overrides[index];
    return value == kNotOverridden ? Flag(key) : value == 1;
}

int32_t InfoSettings::VersionNew() const { return Integer32(path_, kNewSetup, "VersionNew"); }
int32_t InfoSettings::Stamp() const { return Integer32(path_, kNewSetup, "Stamp"); }
std::string InfoSettings::ValidVersions() const { return Text(path_, kNewSetup, "ValidVersions"); }
std::string InfoSettings::DownloadURL_UPDATE() const { return Text(path_, kNewSetup, "DownloadURL_UPDATE"); }
std::string InfoSettings::NameOfUpdateFile() const { return Text(path_, kNewSetup, "NameOfUpdateFile"); }
int32_t InfoSettings::SizeOfUpdateFile() const { return Integer32(path_, kNewSetup, "SizeOfUpdateFile"); }
std::string InfoSettings::ProgramName() const { return Text(path_, kNewSetup, "ProgramName"); }
bool InfoSettings::RequestConfirmationBeforeDownload() const { return Switch(1, "RequestConfirmationBeforeDownload"); }
bool InfoSettings::RequestConfirmationBeforeDownloadForce() const {
    return Switch(6, "RequestConfirmationBeforeDownloadForce");
}
bool InfoSettings::RequestConfirmationBeforeInstall() const { return Switch(2, "RequestConfirmationBeforeInstall"); }
bool InfoSettings::RequestConfirmationBeforeInstallForce() const {
    return Switch(7, "RequestConfirmationBeforeInstallForce");
}
bool InfoSettings::BackgroundUpdate() const { return Switch(3, "BackgroundUpdate"); }
bool InfoSettings::InformFinish() const { return Switch(4, "InformFinish"); }
bool InfoSettings::RestartProcess() const { return Switch(5, "RestartProcess"); }
std::string InfoSettings::RunningProcess() const { return Text(path_, kNewSetup, "RunningProcess"); }
std::string InfoSettings::ShutDownMethod() const { return Text(path_, kNewSetup, "ShutDownMethod"); }
bool InfoSettings::RemoveStartUpShortcut() const { return Flag("RemoveStartUpShortcut"); }
bool InfoSettings::RemoveCheckForNewUpdateShortcut() const { return Flag("RemoveCheckForNewUpdateShortcut"); }
bool InfoSettings::AutoInform() const { return Integer(path_, "General", "AutoInform") == 1; }
std::string InfoSettings::DownloadURL_INFORM() const { return Text(path_, "AutoInform", "DownloadURL_INFORM"); }
std::string InfoSettings::NameOfInformFile() const { return Text(path_, "AutoInform", "NameOfInformFile"); }
int32_t InfoSettings::SizeOfInformFile() const { return Integer32(path_, "AutoInform", "SizeOfInformFile"); }
int32_t InfoSettings::AutoInformW() const { return Integer32(path_, "AutoInform", "AutoInformW", 360); }
int32_t InfoSettings::AutoInformH() const { return Integer32(path_, "AutoInform", "AutoInformH", 360); }

void SetOverride(int index, uint8_t value) {
    if (index >= 0 && index < kOverrideCount) g_overrides[index] = value;
}

uint8_t OverrideValue(int index) { return index >= 0 && index < kOverrideCount ? g_overrides[index] : kNotOverridden; }

std::string OverridesToText() {
    std::string list = "|";
    for (uint8_t value : g_overrides) list += IntToStr(value) + "|";
    return list;
}

void OverridesFromText(const std::string& list) {
    for (int i = 0; i < kOverrideCount; ++i) {
        int64_t value = 0;
        if (TryStrToInt64(SUB::GetItem(list, i, ""), value)) g_overrides[i] = uint8_t(uint64_t(value) & 0xFF);
    }
}

bool AskBeforeCheck() { return g_overrides[0] == 1; }
