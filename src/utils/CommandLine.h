// The program's command line: its tail (everything after the program name) and the
// "/Name=value" parameters in it. The rules are pure functions of the command line and the
// executable's path; the short forms read the running process's own, afresh at every call.
#pragma once
#include <cstdint>
#include <string>

// The command line without the program name, trimmed. For "C:\Setup Dir\setup.exe" /A=1
// (program path quoted) the tail is /A=1.
std::string CommandTailOf(const std::string& commandLine, const std::string& exePath);

// Value of parameter `name` ("/SpanCdLvl=", "-x=", "OriginExe") in a command tail, trimmed and
// without quotes; `def` when absent. The parameter's first character "-" or "/" (default "/")
// is the prefix that separates parameters, so -x= finds -x=5 but not /x=5.
std::string ParamValueIn(const std::string& tail, const std::string& name, const std::string& def);
int64_t ParamInt64In(const std::string& tail, const std::string& name, int64_t def);
// True when `name` followed by a blank occurs in the tail followed by a blank (no case).
bool HasParamIn(const std::string& tail, const std::string& name);

// The same for the running process (Windows only).
std::string GetCommandTail();
std::string GetParamValue(const std::string& name, const std::string& def);
int64_t GetParamInt64(const std::string& name, int64_t def);
bool HasParam(const std::string& name);
