// The setup description that `tvpack build` reads: an INI-style text naming what kind of file
// to build and what its header blocks and trailer flags say. Example:
//
//   [Setup]
//   ; Setup (the default), DownloadStub or Agent
//   Kind=Setup
//   ; the setup engine, a file of the files folder: written first, marked "*"
//   Engine=Engine.exe
//   EngineParams=/s
//   InfoFileUrl=http://updates.example.com/Product.info
//   InfoFileName=Product.info
//   AgentExeName=ProductAgent.exe
//   ; tokens are given plain and written scrambled
//   ProductToken=product-secret
//   InstallsAgent=1
//
//   [Download]
//   BaseUrl=http://downloads.example.com/product
//   FileName=ProductSetup.exe
//   Token=download-secret
//   ; the size (and a check of the token) from the full setup; or Size=bytes
//   FullSetup=ProductSetup.exe
//
// Comment lines start with ";" or "#". A value runs to the end of its line (blanks at both
// ends dropped), so a ";" after a value belongs to the value.
#pragma once
#include <string>
#include <vector>

enum class SetupKind { Setup, DownloadStub, Agent };

struct SetupDescription {
    SetupKind Kind = SetupKind::Setup;
    std::string Engine;
    std::string EngineParams;

    // Setup information. Without auto-update the names keep only their fixed parts.
    std::string InfoFileUrl;
    std::string InfoFileName = ".info";
    std::string AgentExeName = ".exe";
    std::string ProductToken;  // plain
    bool RunHidden = false;

    // Trailer options and flags.
    bool ConfirmExtraction = false;
    bool ShowActivityBar = false;
    bool InstallsAgent = false;
    bool AgentLogWanted = false;

    // Languages: the names to keep, in order (empty: every table), and a table file that
    // adds or replaces languages (a path relative to the description's folder, or absolute).
    std::vector<std::string> Languages;
    std::string LanguageFile;

    // Download information (the third header block), when [Download] is present.
    bool HasDownload = false;
    std::string DownloadBaseUrl;
    std::string DownloadFileName;
    bool AlwaysDownload = false;
    std::string DownloadToken;  // plain
    std::string DownloadSize;   // decimal bytes, or empty
    std::string FullSetup;      // path; gives DownloadSize and must carry DownloadToken
    bool AskBeforeDownload = false;
};

// Reads and checks a description. Relative paths in it become paths from its folder.
bool ReadSetupDescription(const std::string& path, SetupDescription& description, std::string& error);

// Parses description text (no file access; `folder` resolves relative paths).
bool ParseSetupDescription(const std::string& text, const std::string& folder, SetupDescription& description,
                           std::string& error);

// Lines of an INI-style text: [Section] and key=value, comments and blank lines skipped.
// Shared by descriptions and language table files.
struct IniLine {
    int Number = 0;
    std::string Section;  // the section the line belongs to (as written)
    std::string Key;      // empty for a section line
    std::string Value;
    bool IsSection = false;
};
bool ParseIniLines(const std::string& text, std::vector<IniLine>& lines, std::string& error);
