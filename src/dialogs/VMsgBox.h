// The program's own modal message box: every question and message the user sees goes through
// it. It shows a text in the suite's mark-up (see MsgBoxText.h) in a read-only rich-text
// control, a coloured band with an icon on the left and up to three buttons whose captions
// come from a localisable caption list ("|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|"), and
// lays itself out from the size of its text. Style flags and result codes: MsgBoxLayout.h.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Owner-or-mode of ShowMsgBox and its wrappers: one of these, or a window (MsgBoxOwner) that
// owns the box.
constexpr LONG_PTR kMsgBoxWithHeading = 0;  // title as a bold heading above the text; owner: the active window
constexpr LONG_PTR kMsgBoxPlain = 1;        // no heading; owner: the active window
constexpr LONG_PTR kMsgBoxPlainNoClose = 2; // like kMsgBoxPlain, and the Close command is greyed
inline LONG_PTR MsgBoxOwner(HWND window) { return reinterpret_cast<LONG_PTR>(window); }

constexpr const char* kMsgBoxClassName = "VMsgBox";

// The font of all later boxes: face name and character set always, the point size unless 0.
// At start: "Tahoma", 8 points, character set 1 (default).
void SetMsgBoxFont(const std::string& faceName, int pointSize, uint8_t charSet);

// Shows a box and returns the chosen button's result code: 0 when the box was closed without
// a choice, the first button's code when `timeoutMs` (0 = none) ran out. Character sets 177
// and 178 right-align the text and read it right to left. An empty caption list means the
// default one. Serves the thread's pending messages for 100 ms before it returns.
int32_t ShowMsgBox(LONG_PTR ownerOrMode, const std::string& text, const std::string& title, uint32_t timeoutMs,
                   uint32_t flags, uint8_t charSet, const std::string& captions);

// The box proper, called by ShowMsgBox: disables the active window while the box is up and
// runs its own modal loop, which serves every message of the thread.
int32_t RunMsgBox(HWND owner, const std::string& text, const std::string& title, uint32_t timeoutMs, uint32_t flags,
                  const std::string& captions);

// The wrappers. An empty title becomes "Error", "Attention" or "Confirm", an empty caption
// list the default one.
void MsgError(LONG_PTR ownerOrMode, const std::string& text, const std::string& title, uint8_t charSet,
              const std::string& captions);  // OK, stop icon
void MsgAttention(LONG_PTR ownerOrMode, const std::string& text, const std::string& title, uint32_t timeoutMs,
                  uint8_t charSet, const std::string& captions);  // OK, exclamation icon
// Yes/No with the question icon; true for Yes (so a timeout answers Yes).
bool MsgConfirm(LONG_PTR ownerOrMode, const std::string& text, const std::string& title, uint32_t timeoutMs,
                uint8_t charSet, const std::string& captions);
// OK/Cancel with the question icon; true for OK.
bool MsgConfirmOkCancel(LONG_PTR ownerOrMode, const std::string& text, const std::string& title, uint8_t charSet,
                        const std::string& captions);
