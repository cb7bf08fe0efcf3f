// The auto-update settings: the original-settings file (".original", what is installed) and
// the information file (".info", what is on offer), both next to the running agent, and the
// eight override switches held in memory. Nothing is cached: every read and write goes to the
// file at that moment, so the agent and its X_ copy see each other's changes.
#pragma once
#include <cstdint>
#include <string>

std::string OriginalFilePath();  // program folder + OriginalFileName of the own setup file
std::string InfoFilePath();      // program folder + InfoFileName

constexpr const char* kStandardCaptions = "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|";

// The original-settings file. Constructed for OriginalFilePath() unless a path is given.
class OriginalSettings {
public:
    OriginalSettings();
    explicit OriginalSettings(const std::string& path) : path_(path) {}
    const std::string& Path() const { return path_; }

    int64_t ProbeSecondsInterval() const;
    int64_t ProbeSecondsLast() const;
    int64_t ReAskSecondsInterval() const;
    int64_t ReAskSecondsLast() const;
    int32_t VersionOriginal() const;
    int32_t Stamp() const;
    std::string ProgramName() const;
    std::string TargetDir() const;
    std::string SharedDir() const;
    std::string AuxiliaryDir() const;
    std::string StartUpLink() const;
    std::string CheckforNewUpdateLink() const;
    std::string BtnText() const;
    std::string ErrorTitle() const;      // [MsgBox] Error
    std::string ConfirmTitle() const;    // [MsgBox] Confirm
    std::string AttentionTitle() const;  // [MsgBox] Attention
    int32_t CharSet() const;
    std::string FontName() const;
    int32_t FontSize() const;
    // [AutoUpdate] key, or `def`.
    std::string AgentText(const std::string& key, const std::string& def) const;

    void WriteProbeSecondsInterval(int64_t seconds) const;
    void WriteReAskSecondsInterval(int64_t seconds) const;
    // Time keys: the decimal value, then the readable companion "__" + key.
    void WriteProbeSecondsLast(int64_t agentSeconds) const;
    void WriteReAskSecondsLast(int64_t agentSeconds) const;
    void WriteVersionOriginal(int32_t version) const;
    void WriteStamp(int32_t stamp) const;

private:
    std::string path_;
};

// The information file. Constructed for InfoFilePath() unless a path is given. The eight
// switch keys answer after the override rule.
class InfoSettings {
public:
    InfoSettings();
    explicit InfoSettings(const std::string& path) : path_(path) {}
    const std::string& Path() const { return path_; }

    int32_t VersionNew() const;
    int32_t Stamp() const;
    std::string ValidVersions() const;
    std::string DownloadURL_UPDATE() const;
    std::string NameOfUpdateFile() const;
    int32_t SizeOfUpdateFile() const;
    std::string ProgramName() const;
    bool RequestConfirmationBeforeDownload() const;       // switch 1
    bool RequestConfirmationBeforeDownloadForce() const;  // switch 6
    bool RequestConfirmationBeforeInstall() const;        // switch 2
    bool RequestConfirmationBeforeInstallForce() const;   // switch 7
    bool BackgroundUpdate() const;                        // switch 3
    bool InformFinish() const;                            // switch 4
    bool RestartProcess() const;                          // switch 5
    std::string RunningProcess() const;
    std::string ShutDownMethod() const;
    bool RemoveStartUpShortcut() const;
    bool RemoveCheckForNewUpdateShortcut() const;
    bool AutoInform() const;  // [General] AutoInform equals 1
    std::string DownloadURL_INFORM() const;
    std::string NameOfInformFile() const;
    int32_t SizeOfInformFile() const;
    int32_t AutoInformW() const;
    int32_t AutoInformH() const;

private:
    bool Switch(int index, const char* key) const;
    bool Flag(const char* key) const;
    std::string path_;
};

// Override switches: 255 = not overridden (the information file decides), otherwise on
// exactly when 1. Request codes 20 to 25 set switches 0 to 5.
constexpr int kOverrideCount = 8;
constexpr uint8_t kNotOverridden = 255;
void SetOverride(int index, uint8_t value);
uint8_t OverrideValue(int index);
std::string OverridesToText();               // |255|255|255|255|255|255|255|255| at start
void OverridesFromText(const std::string& list);
bool AskBeforeCheck();                       // switch 0 is 1
