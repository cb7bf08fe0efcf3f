// The texts a setup run computes: the setup engine's command line and the space figures of
// the questions it asks.
#pragma once
#include <string>

// The command line without `name` (such as "/SpanCdLvl=") and its value: characters are
// removed from the name's "/" up to the next "/" or the end (case-sensitive; the blank in
// front stays, and a value holding "/" is cut there).
std::string RemoveParam(const std::string& commandLine, const std::string& name);

// Bytes as megabytes: 1 decimal above 10, 2 from 1 to 10, 3 below 1; "." as separator;
// negative counts as 0. 5 MiB gives 5.00, half a MiB 0.500.
std::string MegabytesText(double bytes);

struct EngineCommandInput {
    std::string dest;           // extraction folder
    std::string engineEntry;    // "Engine.exe*" plus the builder's extra text
    std::string params;         // the caller's text
    std::string threadToken;    // "_" + thread id
    std::string exePath;        // the running stub
    bool autoUpdateProg = false;
};

// The engine's file name (the trimmed text before the "*").
std::string EngineNameOf(const std::string& engineEntry);

// Folder + "\" + engine name (unquoted), the parameters, " /TH_ID=" + token, " /OriginExe="
// with the quoted stub path unless the text holds one, " /AutoUpdateProg" for an agent; then
// any /SpanCdLvl= and /SpanDiskFName1= removed.
std::string EngineCommandLine(const EngineCommandInput& input);

// The texts of the question before extraction; empty when nothing needs asking. `ask` is the
// "s2" text (the package asks to confirm), `limited` the "s3" text (too little room, which
// wins), then `required`, `available` and `proceed` (s4 to s6) follow; the placeholders
// <DRIVE>, <SPACE_REQ> and <SPACE_AVAIL> are filled in (case-sensitive).
struct SpaceQuestionTexts {
    std::string ask, limited, required, available, proceed;
};
std::string SpaceQuestionText(const SpaceQuestionTexts& texts, bool confirmExtraction, const std::string& drive,
                              double requiredBytes, double availableBytes);

// The drive an extraction moves to when the temporary drive is too small: of C, D and E
// (free space as measured, 0 for a drive that is not fixed or not writable) the first with
// the most room; 0 when that is the temporary drive itself or none has room.
char AlternativeTempDrive(char currentTempDrive, const double (&freeSpaceCDE)[3]);
