#include "Commands.h"

#include <map>

#include "Inspector.h"
#include "OutputFile.h"
#include "PackageBuilder.h"
#include "package/PackWrite.h"
#include "package/Tokens.h"
#include "utils/Text.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  tvpack build --stub FILE --desc FILE [--files FOLDER] --out FILE\n"
    "               [--level 0-9] [--max-entry SIZE] [--disk-size SIZE] [--launcher]\n"
    "      writes a setup from the stub executable, the setup description and the files of\n"
    "      FOLDER (the engine named in the description first). --level: zlib level (6);\n"
    "      --max-entry: the most file bytes in one entry (64M); --disk-size: split into disk\n"
    "      files OUT.001, OUT.002, ... of at most SIZE bytes; --launcher: with --disk-size,\n"
    "      OUT becomes the first-disk launcher that moves the run to the hard disk.\n"
    "  tvpack inspect FILE...    everything a setup file holds, and its faults\n"
    "  tvpack verify FILE...     OK, or the faults (exit code 1)\n"
    "  tvpack token PLAIN        the scrambled form of a token\n"
    "  tvpack token --descramble TEXT\n"
    "  tvpack inform --token PLAIN (--message TEXT | --message-file FILE) [--scrambled] --out FILE\n"
    "      writes an inform file (with --scrambled in the \"Scrambled=01\" form)\n"
    "SIZE: bytes, or a number followed by K, M or G.\n";

struct Arguments {
    std::map<std::string, std::string> Values;  // --name value
    std::vector<std::string> Switches;         // --name
    std::vector<std::string> Positional;
    bool Has(const std::string& name) const { return Values.count(name) != 0; }
    std::string Get(const std::string& name) const {
        const auto found = Values.find(name);
        return found == Values.end() ? std::string() : found->second;
    }
    bool Switch(const std::string& name) const {
        for (const std::string& s : Switches)
            if (s == name) return true;
        return false;
    }
};

// Splits the arguments after the command. `valued` names the options that take a value
// ("--name value" or "--name=value"), `switches` those that do not.
bool ParseArguments(const std::vector<std::string>& args, const std::vector<std::string>& valued,
                    const std::vector<std::string>& switches, Arguments& parsed, std::string& error) {
    auto isIn = [](const std::vector<std::string>& names, const std::string& name) {
        for (const std::string& n : names)
            if (n == name) return true;
        return false;
    };
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.compare(0, 2, "--") != 0) {
            parsed.Positional.push_back(arg);
            continue;
        }
        const size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (isIn(switches, name) && equals == std::string::npos) {
            parsed.Switches.push_back(name);
        } else if (isIn(valued, name)) {
            if (parsed.Has(name)) return error = name + " is given twice", false;
            if (equals != std::string::npos) parsed.Values[name] = arg.substr(equals + 1);
            else if (i + 1 < args.size()) parsed.Values[name] = args[++i];
            else return error = name + " needs a value", false;
        } else {
            return error = "unknown option " + arg, false;
        }
    }
    return true;
}

int Usage(std::ostream& err, const std::string& problem) {
    if (!problem.empty()) err << "tvpack: " << problem << "\n";
    err << kUsage;
    return 2;
}

int Failure(std::ostream& err, const std::string& error) {
    err << "tvpack: " << error << "\n";
    return 1;
}

int Build(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments a;
    std::string error;
    if (!ParseArguments(args, {"--stub", "--desc", "--files", "--out", "--level", "--max-entry", "--disk-size"},
                        {"--launcher"}, a, error))
        return Usage(err, error);
    if (!a.Positional.empty()) return Usage(err, "unexpected " + a.Positional[0]);
    for (const char* required : {"--stub", "--desc", "--out"})
        if (a.Get(required).empty()) return Usage(err, std::string("build needs ") + required);

    BuildOptions options;
    options.StubPath = a.Get("--stub");
    options.FilesFolder = a.Get("--files");
    options.OutPath = a.Get("--out");
    options.Launcher = a.Switch("--launcher");
    int64_t level = options.Level;
    if (a.Has("--level") && !TryStrToInt64(a.Get("--level"), level)) return Usage(err, "--level takes a number");
    options.Level = (level < 0 || level > 9) ? -1 : int(level);  // -1 is refused with the range
    if (a.Has("--max-entry") && !ParseByteSize(a.Get("--max-entry"), options.MaxEntry))
        return Usage(err, "--max-entry takes a size");
    if (a.Has("--disk-size") && (!ParseByteSize(a.Get("--disk-size"), options.DiskSize) || options.DiskSize == 0))
        return Usage(err, "--disk-size takes a size");

    SetupDescription description;
    if (!ReadSetupDescription(a.Get("--desc"), description, error)) return Failure(err, error);
    BuildSummary summary;
    if (!BuildPackage(description, options, summary, error)) return Failure(err, error);
    for (const BuiltFile& file : summary.Files) {
        char checksum[16];
        std::snprintf(checksum, sizeof checksum, "0x%08X", file.Checksum);
        out << "wrote " << file.Path << " (" << file.Size << " bytes, " << file.Entries << " entries, checksum "
            << checksum << ")\n";
    }
    out << "package: " << summary.FileCount << " entries, " << summary.TotalBytes << " bytes of files\n";
    return 0;
}

int Inspect(const std::vector<std::string>& args, std::ostream& out, bool verdictOnly) {
    int status = 0;
    for (size_t i = 1; i < args.size(); ++i) {
        const PackageReport report = InspectPackage(args[i]);
        if (verdictOnly) {
            PrintVerdict(report, out);
        } else {
            if (i > 1) out << "\n";
            PrintReport(report, out);
        }
        if (!report.Ok()) status = 1;
    }
    return status;
}

int Token(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 2 && args[1].compare(0, 2, "--") != 0) {
        out << ScrambleToken(args[1]) << "\n";
        return 0;
    }
    if (args.size() == 3 && args[1] == "--descramble") {
        std::string plain;
        if (!TryDescrambleToken(args[2], plain)) return Failure(err, "not a token, or its check byte does not match");
        out << plain << "\n";
        return 0;
    }
    return Usage(err, "token takes a plain token, or --descramble and a scrambled one");
}

int Inform(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Arguments a;
    std::string error;
    if (!ParseArguments(args, {"--token", "--message", "--message-file", "--out"}, {"--scrambled"}, a, error))
        return Usage(err, error);
    if (!a.Positional.empty()) return Usage(err, "unexpected " + a.Positional[0]);
    if (a.Get("--token").empty() || a.Get("--out").empty()) return Usage(err, "inform needs --token and --out");
    if (a.Has("--message") == a.Has("--message-file")) return Usage(err, "inform needs --message or --message-file");
    std::string message = a.Get("--message");
    if (a.Has("--message-file") && !ReadWholeFile(a.Get("--message-file"), message))
        return Failure(err, a.Get("--message-file") + ": cannot read the message");

    OutputFile file(a.Get("--out"));
    if (!file.Open() || !file.Write(InformText(a.Get("--token"), message, a.Switch("--scrambled"))) || !file.Close() ||
        !file.Commit())
        return Failure(err, file.Error());
    out << "wrote " << file.FinalPath() << "\n";
    return 0;
}

}  // namespace

bool ParseByteSize(const std::string& text, uint64_t& bytes) {
    if (text.empty()) return false;
    std::string digits = text;
    unsigned shift = 0;
    switch (UpperCase(text.substr(text.size() - 1))[0]) {
        case 'K': shift = 10; break;
        case 'M': shift = 20; break;
        case 'G': shift = 30; break;
        default: break;
    }
    if (shift) digits.pop_back();
    int64_t value = 0;
    if (!TryStrToInt64(digits, value) || value < 0 || uint64_t(value) > (UINT64_MAX >> 34)) return false;
    bytes = uint64_t(value) << shift;
    return true;
}

int RunTvpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Usage(err, "");
    const std::string& command = args[0];
    if (command == "build") return Build(args, out, err);
    if (command == "inspect" || command == "verify") {
        if (args.size() < 2) return Usage(err, command + " needs a file");
        return Inspect(args, out, command == "verify");
    }
    if (command == "token") return Token(args, out, err);
    if (command == "inform") return Inform(args, out, err);
    if (command == "help" || command == "--help" || command == "-h") {
        out << kUsage;
        return 0;
    }
    return Usage(err, "unknown command " + command);
}
