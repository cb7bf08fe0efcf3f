// The message box's text rules, free of any window: the suite's mark-up, the bold heading
// and the measurement of the converted text.
//
// Mark-up: "<P>" line break, "<T>" tab (both without regard to case), the two-backslash
// sequences \\n and \\t (case-sensitive; a single backslash before n stays text), and
// "<B>" ... "</B>" bold runs (without regard to case).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct MarkedUpText {
    std::string text;                // CR LF line breaks, tabs, no tags
    std::vector<uint16_t> runStarts;  // bold runs, 0-based character offsets into `text`
    std::vector<uint16_t> runEnds;    // (end exclusive; CR LF counts as two characters)
};

// Converts a text in mark-up for display. "<<b>" at the very start (the heading that
// MsgBoxWithHeading adds) is a bold tag; elsewhere it is not special. A "<B>" without a
// later "</B>" is dropped without bold; a "</B>" without a "<B>" before it disappears.
// Each run pairs the first "<B>" with the first "</B>" of the text at that moment, so a stray
// "</B>" ahead of a "<B>" ... "</B>" pair costs that pair its bold.
MarkedUpText ConvertMarkup(const std::string& text);

// The text of a box whose title is shown as a bold heading: "<<b>" heading "</b><P><P>" text
// "<P>". The heading is the title, in upper case when the title is one of the untranslated
// titles "Error", "Attention", "Confirm" or a piece of one (case-sensitive).
std::string MsgBoxWithHeading(const std::string& title, const std::string& text);

// The lines that the box measures: the converted text split at CR LF, " " for an empty
// text, and without the empty line after a final line break.
std::vector<std::string> MeasuredLines(const std::string& text);

struct TextSize {
    int width = 0;
    int height = 0;
};

// Lines wider than this are wrapped by the text control.
constexpr int kMsgBoxWrapWidth = 600;

// The size of the text area from the pixel width of each measured line: the widest line plus
// 10, at most 600; the height counts (width div 600 + 1) line heights for every line.
TextSize MeasuredTextSize(const std::vector<int>& lineWidths, int lineHeight);
