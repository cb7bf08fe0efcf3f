#include <windows.h>

#include "utils/CommandLine.h"
#include "utils/Folders.h"

std::string GetCommandTail() { return CommandTailOf(GetCommandLineA(), ExePath()); }

std::string GetParamValue(const std::string& name, const std::string& def) {
    return ParamValueIn(GetCommandTail(), name, def);
}

int64_t GetParamInt64(const std::string& name, int64_t def) { return ParamInt64In(GetCommandTail(), name, def); }

bool HasParam(const std::string& name) { return HasParamIn(GetCommandTail(), name); }
