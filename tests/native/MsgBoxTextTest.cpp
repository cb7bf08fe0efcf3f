#include <gtest/gtest.h>

#include "dialogs/MsgBoxText.h"

namespace {

struct BoldRun {
    uint16_t start, end;
    bool operator==(const BoldRun& o) const { return start == o.start && end == o.end; }
};

std::vector<BoldRun> RunsOf(const MarkedUpText& m) {
    std::vector<BoldRun> runs;
    for (size_t i = 0; i < m.runStarts.size(); ++i) runs.push_back({m.runStarts[i], m.runEnds[i]});
    return runs;
}

void PrintTo(const BoldRun& r, std::ostream* os) { *os << "[" << r.start << "," << r.end << ")"; }

struct MarkupCase {
    const char* what;
    std::string source;
    std::string text;
    std::vector<BoldRun> runs;
};

TEST(ConvertMarkup, TagsBecomeLineBreaksTabsAndBoldRuns) {
    const MarkupCase cases[] = {
        {"<P> breaks the line", "one<P>two", "one\r\ntwo", {}},
        {"<p> as <P>", "one<p>two", "one\r\ntwo", {}},
        {"<T> and <t> are tabs", "a<T>b<t>c", "a\tb\tc", {}},
        {"two backslashes and n break the line", "one\\\\ntwo", "one\r\ntwo", {}},
        {"two backslashes and t are a tab", "a\\\\tb", "a\tb", {}},
        {"one backslash and n stays text", "one\\ntwo", "one\\ntwo", {}},
        {"the backslash sequences are case-sensitive", "a\\\\Nb\\\\Tc", "a\\\\Nb\\\\Tc", {}},
        {"one bold word between two lines", "first<P><B>bold</B> rest", "first\r\nbold rest", {{7, 11}}},
        {"<b> as <B>", "x<b>y</b>z", "xyz", {{1, 2}}},
        {"<B> without </B> is dropped without bold", "a<B>b c", "ab c", {}},
        {"</B> alone disappears", "a</B>b", "ab", {}},
        {"several runs in order", "<B>a</B>-<b>bb</B>-<B>c</b>", "a-bb-c", {{0, 1}, {2, 4}, {5, 6}}},
        {"offsets count CR LF as two characters", "<P><P><B>x</B><P><B>yz</B>", "\r\n\r\nx\r\nyz", {{4, 5}, {7, 9}}},
        {"an empty bold pair gives no run", "a<B></B>b", "ab", {}},
        // Each run is recorded in the text of its moment: the inner tag still stood in it.
        {"nested <B> pairs with the first </B>", "<B>a<B>b</B>c</B>", "abc", {{0, 5}, {1, 3}}},
        {"a stray </B> ahead of a pair takes its bold", "</B>x<B>y</B>", "xy", {}},
        {"the heading <<b> at the start is a bold tag", "<<b>ERROR</b><P><P>Disk full<P>",
         "ERROR\r\n\r\nDisk full\r\n", {{0, 5}}},
        {"<<b> elsewhere keeps its first <", "x<<b>y</b>", "x<y", {{2, 3}}},
        {"the heading tag is case-sensitive", "<<B>T</B>", "<T", {{1, 2}}},
        {"empty text", "", "", {}},
    };
    for (const auto& c : cases) {
        const MarkedUpText m = ConvertMarkup(c.source);
        EXPECT_EQ(m.text, c.text) << c.what;
        EXPECT_EQ(RunsOf(m), c.runs) << c.what;
    }
}

TEST(ConvertMarkup, ReplacesBackslashSequencesBeforeTags) {
    // "\\<P>" is two backslashes followed by <P>: no \\n sequence, so the tag still breaks.
    EXPECT_EQ(ConvertMarkup("a\\\\<P>n").text, "a\\\\\r\nn");
}

TEST(MsgBoxWithHeading, UntranslatedTitlesAreUpperCasedOthersKeepTheirCase) {
    struct Case { const char* title; const char* heading; };
    const Case cases[] = {
        {"Error", "ERROR"}, {"Attention", "ATTENTION"}, {"Confirm", "CONFIRM"},
        {"Att", "ATT"},  // a piece of an untranslated title
        {"error", "error"}, {"Fehler", "Fehler"}, {"Atención", "Atención"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MsgBoxWithHeading(c.title, "Text"), std::string("<<b>") + c.heading + "</b><P><P>Text<P>") << c.title;
    const MarkedUpText shown = ConvertMarkup(MsgBoxWithHeading("Error", "Bad CRC!"));
    EXPECT_EQ(shown.text, "ERROR\r\n\r\nBad CRC!\r\n");
    EXPECT_EQ(RunsOf(shown), (std::vector<BoldRun>{{0, 5}}));
}

TEST(MeasuredLines, SplitsAtLineBreaksAndSkipsOnlyTheEmptyLastLine) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(MeasuredLines(""), Lines({" "}));
    EXPECT_EQ(MeasuredLines("one"), Lines({"one"}));
    EXPECT_EQ(MeasuredLines("one\r\ntwo"), Lines({"one", "two"}));
    EXPECT_EQ(MeasuredLines("one\r\n"), Lines({"one"}));
    EXPECT_EQ(MeasuredLines("one\r\n\r\ntwo\r\n"), Lines({"one", "", "two"}));
    EXPECT_EQ(MeasuredLines("\r\n"), Lines({""}));
}

TEST(MeasuredTextSize, WidestLinePlusTenAtMost600AndOneLineHeightPer600Pixels) {
    struct Case { const char* what; std::vector<int> widths; int width, height; };
    const Case cases[] = {
        {"one short line", {40}, 50, 13},
        {"the widest line decides", {40, 120, 80}, 130, 39},
        {"an empty line still counts one line", {0}, 10, 13},
        {"a line of 599 pixels", {599}, 600, 13},
        {"a line of 600 pixels counts two lines", {600}, 600, 26},
        {"a line of 1250 pixels counts three", {1250, 10}, 600, 52},
        {"no lines", {}, 0, 0},
    };
    for (const auto& c : cases) {
        const TextSize size = MeasuredTextSize(c.widths, 13);
        EXPECT_EQ(size.width, c.width) << c.what;
        EXPECT_EQ(size.height, c.height) << c.what;
    }
}

}  // namespace
