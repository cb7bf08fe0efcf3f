// The debug channel. DebugOut() is the process-wide text stream every unit writes its
// diagnostic lines to; each flushed chunk goes to the debug viewer window (class ".VDebug.",
// registered message ".V_DebugMsg.", text passed in a global atom) and/or the debug file.
#pragma once
#include <cstdint>
#include <exception>
#include <string>

#include "utils/DebugStream.h"

// 0 = viewer window only (shipped), 1 = debug file only, 2 = both, other = discard.
constexpr uint8_t kDebugOutputModeViewer = 0;
constexpr uint8_t kDebugOutputModeFile = 1;
constexpr uint8_t kDebugOutputModeBoth = 2;
constexpr uint8_t DebugOutputMode = kDebugOutputModeViewer;
constexpr uint16_t DebugChannelId = 1;
constexpr const char* kDebugViewerClass = ".VDebug.";
constexpr const char* kDebugViewerMessage = ".V_DebugMsg.";
constexpr const char* kDebugFilePath = "C:\\ProgramData\\_vdebug.txt";
constexpr size_t kDebugDeliveryMax = 10241;

DebugStream& DebugOut();

// Hands one chunk to the channels of DebugOutputMode.
void DeliverDebugText(const std::string& text);
// The same for a given mode (the build-time constant decides in the program).
void DeliverDebugTextInMode(uint8_t mode, const std::string& text);

// Writes " --- Routine()[ --- Extra] --- message" as one DebugOut line.
void LogException(const std::exception& e, const std::string& routine, const std::string& extra);
void LogException(const char* message, const std::string& routine, const std::string& extra);
