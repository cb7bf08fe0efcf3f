#include "SetupDescription.h"

#include <map>

#include "HostFiles.h"
#include "utils/Text.h"

namespace {

std::string LineError(const IniLine& line, const std::string& what) {
    return "line " + std::to_string(line.Number) + ": " + what;
}

bool ParseBool(const std::string& value, bool& result) {
    const std::string v = UpperCase(value);
    if (v == "1" || v == "YES" || v == "TRUE") return result = true, true;
    if (v == "0" || v == "NO" || v == "FALSE") return result = false, true;
    return false;
}

std::vector<std::string> SplitNames(const std::string& value) {
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t comma; (comma = value.find(',', start)) != std::string::npos; start = comma + 1)
        names.push_back(Trim(value.substr(start, comma - start)));
    names.push_back(Trim(value.substr(start)));
    return names;
}

std::string Resolve(const std::string& folder, const std::string& path) {
    return path.empty() || IsAbsolutePath(path) ? path : JoinPath(folder, path);
}

// One key of the description: where its value goes.
struct KeyTarget {
    std::string* Text = nullptr;
    bool* Flag = nullptr;
};

bool CheckDescription(SetupDescription& d, std::string& error) {
    if (d.Kind == SetupKind::Setup && d.Engine.empty())
        return error = "[Setup] Engine: a setup needs its setup engine, a file of the files folder", false;
    if (d.Kind != SetupKind::Setup && !d.Engine.empty())
        return error = "[Setup] Engine: only a setup carries files", false;
    if (d.Kind == SetupKind::DownloadStub && !d.HasDownload)
        return error = "a download stub needs a [Download] section", false;
    // Without a token the stub's comparison of two random numbers would always fail.
    if (d.HasDownload && (d.DownloadBaseUrl.empty() || d.DownloadFileName.empty() || d.DownloadToken.empty()))
        return error = "[Download] needs BaseUrl, FileName and Token", false;
    if (!d.DownloadSize.empty() && !d.FullSetup.empty())
        return error = "[Download] Size and FullSetup both give the size: keep one", false;
    int64_t size = 0;
    if (!d.DownloadSize.empty() && (!TryStrToInt64(d.DownloadSize, size) || size < 0))
        return error = "[Download] Size: not a number of bytes: " + d.DownloadSize, false;
    if (d.InstallsAgent && (d.AgentExeName.empty() || d.AgentExeName == ".exe"))
        return error = "[Setup] InstallsAgent: AgentExeName must name the agent file", false;
    if (d.Engine.find('*') != std::string::npos)
        return error = "[Setup] Engine: the name may not contain \"*\"", false;
    return true;
}

}  // namespace

bool ParseIniLines(const std::string& text, std::vector<IniLine>& lines, std::string& error) {
    std::string section;
    int number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string raw = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (raw.find('\0') != std::string::npos) return error = "line " + std::to_string(number) + ": a NUL byte", false;
        const std::string trimmed = Trim(raw);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
        IniLine line;
        line.Number = number;
        if (trimmed[0] == '[') {
            if (trimmed.back() != ']') return error = LineError(line, "a section line must end with \"]\""), false;
            section = Trim(trimmed.substr(1, trimmed.size() - 2));
            line.IsSection = true;
            line.Section = section;
            lines.push_back(line);
            continue;
        }
        const size_t equals = trimmed.find('=');
        if (equals == std::string::npos || equals == 0)
            return error = LineError(line, "expected key=value: " + trimmed), false;
        if (section.empty()) return error = LineError(line, "a key before the first [section]"), false;
        line.Section = section;
        line.Key = Trim(trimmed.substr(0, equals));
        line.Value = Trim(trimmed.substr(equals + 1));
        lines.push_back(line);
    }
    return true;
}

bool ParseSetupDescription(const std::string& text, const std::string& folder, SetupDescription& d,
                           std::string& error) {
    std::vector<IniLine> lines;
    if (!ParseIniLines(text, lines, error)) return false;

    std::string kind, languages;
    const std::map<std::string, KeyTarget> setupKeys = {
        {"KIND", {&kind}},
        {"ENGINE", {&d.Engine}},
        {"ENGINEPARAMS", {&d.EngineParams}},
        {"INFOFILEURL", {&d.InfoFileUrl}},
        {"INFOFILENAME", {&d.InfoFileName}},
        {"AGENTEXENAME", {&d.AgentExeName}},
        {"PRODUCTTOKEN", {&d.ProductToken}},
        {"RUNHIDDEN", {nullptr, &d.RunHidden}},
        {"CONFIRMEXTRACTION", {nullptr, &d.ConfirmExtraction}},
        {"SHOWACTIVITYBAR", {nullptr, &d.ShowActivityBar}},
        {"INSTALLSAGENT", {nullptr, &d.InstallsAgent}},
        {"AGENTLOGWANTED", {nullptr, &d.AgentLogWanted}},
        {"LANGUAGES", {&languages}},
        {"LANGUAGEFILE", {&d.LanguageFile}},
    };
    const std::map<std::string, KeyTarget> downloadKeys = {
        {"BASEURL", {&d.DownloadBaseUrl}},
        {"FILENAME", {&d.DownloadFileName}},
        {"ALWAYSDOWNLOAD", {nullptr, &d.AlwaysDownload}},
        {"TOKEN", {&d.DownloadToken}},
        {"SIZE", {&d.DownloadSize}},
        {"FULLSETUP", {&d.FullSetup}},
        {"ASKBEFOREDOWNLOAD", {nullptr, &d.AskBeforeDownload}},
    };

    std::map<std::string, int> seen;
    for (const IniLine& line : lines) {
        const std::string section = UpperCase(line.Section);
        if (section != "SETUP" && section != "DOWNLOAD")
            return error = LineError(line, "unknown section [" + line.Section + "]"), false;
        if (section == "DOWNLOAD") d.HasDownload = true;
        if (line.IsSection) continue;
        const auto& keys = section == "SETUP" ? setupKeys : downloadKeys;
        const auto target = keys.find(UpperCase(line.Key));
        if (target == keys.end())
            return error = LineError(line, "unknown key " + line.Key + " in [" + line.Section + "]"), false;
        if (seen[section + "/" + target->first]++)
            return error = LineError(line, line.Key + " is given twice"), false;
        if (target->second.Text) {
            *target->second.Text = line.Value;
        } else if (!ParseBool(line.Value, *target->second.Flag)) {
            return error = LineError(line, line.Key + ": expected 1 or 0, got " + line.Value), false;
        }
    }

    const std::string upperKind = UpperCase(kind);
    if (upperKind.empty() || upperKind == "SETUP") d.Kind = SetupKind::Setup;
    else if (upperKind == "DOWNLOADSTUB") d.Kind = SetupKind::DownloadStub;
    else if (upperKind == "AGENT") d.Kind = SetupKind::Agent;
    else return error = "[Setup] Kind: expected Setup, DownloadStub or Agent, got " + kind, false;
    if (!languages.empty()) d.Languages = SplitNames(languages);
    d.LanguageFile = Resolve(folder, d.LanguageFile);
    d.FullSetup = Resolve(folder, d.FullSetup);
    return CheckDescription(d, error);
}

bool ReadSetupDescription(const std::string& path, SetupDescription& description, std::string& error) {
    std::string text;
    if (!ReadWholeFile(path, text)) return error = path + ": cannot read the setup description", false;
    if (!ParseSetupDescription(text, FolderOfPath(path), description, error)) return error = path + ": " + error, false;
    return true;
}
