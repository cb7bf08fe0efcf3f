// The agent log: timestamped lines appended to a text file next to the running executable,
// written only when the program's own setup file asks for it (AgentLogEnabled).
#pragma once
#include <string>

extern bool AgentLogEnabled;  // set once by the entry, never changed afterwards

void WriteAgentLog(const std::string& message);
void SetAgentLogIndent(const std::string& marker);
std::string AgentLogFileName();  // computed on first use, then kept
