// The agent log's file name and line layout, as pure functions.
#pragma once
#include <cstdint>
#include <string>

// C:\P\Agent.exe and C:\P\X_Agent.exe both give C:\P\X_Agent.log ("X_" is added unless the
// name starts with exactly "X_").
std::string AgentLogFileNameFor(const std::string& exePath);

// timestamp, one blank, the thread id padded on the left to 5 characters, the marker, the
// message and CR LF.
std::string AgentLogLine(const std::string& timestamp, uint32_t threadId, const std::string& marker,
                         const std::string& message);
