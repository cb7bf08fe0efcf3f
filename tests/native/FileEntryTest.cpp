#include <gtest/gtest.h>

#include "package/FileEntry.h"
#include "package/PackWrite.h"

namespace {

TEST(EntryHeader, IsAListOfNameAndDate) {
    EXPECT_EQ(EntryHeader("ReadMe.txt", 1234567), "|ReadMe.txt|1234567|");
    EXPECT_EQ(EntryHeader("1#data.bin", 0), "|1#data.bin|0|");
    EXPECT_EQ(EngineEntryHeader("Engine.exe", "", 5), "|Engine.exe*|5|");
    EXPECT_EQ(EngineEntryHeader("Engine.exe", "  /s /q ", 5), "|Engine.exe* /s /q|5|");
    // Extra text with the list's own separator moves the list to another one.
    EXPECT_EQ(EngineEntryHeader("Engine.exe", "/a=x|y", 5), "^Engine.exe* /a=x|y^5^");
}

TEST(EntryHeader, ParsesNameEngineMarkAndDate) {
    struct Case { const char* header; const char* name; const char* engineEntry; uint32_t date; };
    const Case cases[] = {
        {"|ReadMe.txt|1234567|", "ReadMe.txt", "", 1234567},
        {"|Engine.exe*|5|", "Engine.exe", "Engine.exe*", 5},
        {"|Engine.exe* /s|5|", "Engine.exe", "Engine.exe* /s", 5},
        {"^Engine.exe* /a=x|y^5^", "Engine.exe", "Engine.exe* /a=x|y", 5},
        {"|a.bin|abc|", "a.bin", "", 0},
        {"|a.bin|", "a.bin", "", 0},
        {"|a.bin|-3|", "a.bin", "", 0},
    };
    for (const auto& c : cases) {
        const EntryHeaderInfo info = ParseEntryHeader(c.header);
        EXPECT_EQ(info.Name, c.name) << c.header;
        EXPECT_EQ(info.EngineEntry, c.engineEntry) << c.header;
        EXPECT_EQ(info.DosDate, c.date) << c.header;
    }
}

TEST(EntryText, SplitsAtTheFirstNul) {
    std::string header, data;
    ASSERT_TRUE(SplitEntryText(std::string("|a|0|\0x\0y", 9), header, data));
    EXPECT_EQ(header, "|a|0|");
    EXPECT_EQ(data, std::string("x\0y", 3));
    EXPECT_FALSE(SplitEntryText("|a|0|", header, data));
}

TEST(PackDosDate, PacksDateHighAndTimeLow) {
    // 2021-03-04 05:06:08: date (41 << 9 | 3 << 5 | 4), time (5 << 11 | 6 << 5 | 4).
    EXPECT_EQ(PackDosDate(2021, 3, 4, 5, 6, 8), uint32_t(41 << 9 | 3 << 5 | 4) << 16 | (5 << 11 | 6 << 5 | 4));
    EXPECT_EQ(PackDosDate(1980, 1, 1, 0, 0, 0), uint32_t(1 << 5 | 1) << 16);
    EXPECT_EQ(PackDosDate(1979, 12, 31, 23, 59, 59), 0u);
    EXPECT_EQ(PackDosDate(2108, 1, 1, 0, 0, 0), 0u);
}

}  // namespace
