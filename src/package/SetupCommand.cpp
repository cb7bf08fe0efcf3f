#include "package/SetupCommand.h"

#include "utils/Text.h"

std::string RemoveParam(const std::string& commandLine, const std::string& name) {
    const size_t at = name.empty() ? std::string::npos : commandLine.find(name);
    if (at == std::string::npos) return commandLine;
    size_t end = commandLine.find('/', at + 1);
    if (end == std::string::npos) end = commandLine.size();
    return commandLine.substr(0, at) + commandLine.substr(end);
}

std::string MegabytesText(double bytes) {
    const double megabytes = bytes > 0 ? bytes / 1048576.0 : 0.0;
    const int decimals = megabytes > 10 ? 1 : (megabytes >= 1 ? 2 : 3);
    int64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    // Rounded to the shown decimals, half away from zero.
    const int64_t scaled = int64_t(megabytes * double(scale) + 0.5);
    return IntToStr(scaled / scale) + "." + PadLeft(IntToStr(scaled % scale), size_t(decimals), '0');
}

std::string EngineNameOf(const std::string& engineEntry) {
    return Trim(engineEntry.substr(0, engineEntry.find('*')));
}

std::string EngineCommandLine(const EngineCommandInput& input) {
    const size_t star = input.engineEntry.find('*');
    const std::string extra = star == std::string::npos ? std::string() : Trim(input.engineEntry.substr(star + 1));
    const std::string params = Trim(input.params + " " + extra);

    std::string folder = input.dest;
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    std::string command = folder + "\\" + EngineNameOf(input.engineEntry);
    if (!params.empty()) command += " " + params;
    command += " /TH_ID=" + input.threadToken;
    if (command.find("/OriginExe=") == std::string::npos) command += " /OriginExe=\"" + input.exePath + "\"";
    if (input.autoUpdateProg) command += " /AutoUpdateProg";
    return RemoveParam(RemoveParam(command, "/SpanCdLvl="), "/SpanDiskFName1=");
}

std::string SpaceQuestionText(const SpaceQuestionTexts& texts, bool confirmExtraction, const std::string& drive,
                              double requiredBytes, double availableBytes) {
    std::string message;
    if (confirmExtraction) message = texts.ask;
    if (requiredBytes >= availableBytes) message = texts.limited;
    if (message.empty()) return message;
    message += texts.required + texts.available + texts.proceed;
    message = ReplaceAll(message, "<DRIVE>", drive);
    message = ReplaceAll(message, "<SPACE_REQ>", MegabytesText(requiredBytes));
    return ReplaceAll(message, "<SPACE_AVAIL>", MegabytesText(availableBytes));
}

char AlternativeTempDrive(char currentTempDrive, const double (&freeSpaceCDE)[3]) {
    char best = currentTempDrive;
    double largest = 0;
    for (int i = 0; i < 3; ++i) {
        if (freeSpaceCDE[i] > largest) {
            largest = freeSpaceCDE[i];
            best = char('C' + i);
        }
    }
    return best == currentTempDrive ? '\0' : best;
}
