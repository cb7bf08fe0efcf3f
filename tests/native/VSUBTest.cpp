#include <gtest/gtest.h>

#include "utils/VSUB.h"

namespace {

struct ItemCountCase { const char* list; int count; };

TEST(SUBItemCount, CountsClosedItemsOnly) {
    const ItemCountCase cases[] = {
        {"|a|b|c|", 3}, {"|a|b|c", 0}, {"", 0}, {"||", 1}, {"|", 0}, {"|a|", 1}, {"*1*2*", 2}, {"||x|", 2},
    };
    for (const auto& c : cases) EXPECT_EQ(SUB::ItemCount(c.list), c.count) << c.list;
}

struct GetItemCase { const char* list; int index; const char* expected; };

TEST(SUBGetItem, ReturnsItemOrDefault) {
    const GetItemCase cases[] = {
        {"|a|b|c|", 0, "a"},   {"|a|b|c|", 1, "b"},   {"|a|b|c|", 2, "c"},   {"|a|b|c|", 3, "DEF"},
        {"|a||c|", 1, "DEF"},  {" ", 0, "DEF"},       {"", 0, "DEF"},        {"|a|b", 1, "DEF"},
        {"|a|b", 0, "a"},      {"||x|", 0, "DEF"},    {"||x|", 1, "x"},      {"*1*2*", 1, "2"},
        {"|a|b|c|", -1, "DEF"},
    };
    for (const auto& c : cases) EXPECT_EQ(SUB::GetItem(c.list, c.index, "DEF"), c.expected) << c.list << " " << c.index;
}

TEST(SUBGetItemInt, ConvertsDecimalOrGivesDefault) {
    EXPECT_EQ(SUB::GetItemInt("|12|-7|x|", 0, 99), 12);
    EXPECT_EQ(SUB::GetItemInt("|12|-7|x|", 1, 99), -7);
    EXPECT_EQ(SUB::GetItemInt("|12|-7|x|", 2, 99), 99);
    EXPECT_EQ(SUB::GetItemInt("|12|-7|x|", 3, 99), 99);
    EXPECT_EQ(SUB::GetItemInt("|||", 0, 99), 99);
}

struct ValueCase { const char* list; const char* name; const char* expected; };

TEST(SUBGetValueOf, FindsNamedValueToleratingOneBlank) {
    const ValueCase cases[] = {
        {"| Path = C:\\x |Mode=2|", "path", " C:\\x "},
        {"| Path = C:\\x |Mode=2|", "Size", "DEF"},
        {"| Path = C:\\x |Mode=2|", "mode", "2"},
        {"| Path = C:\\x |Mode=2|", "Mode=", "2"},
        {"|Mode=|x=1|", "Mode", "EMPTY"},
        {"|a=1|", "a", "1"},
        {"||", "a", "DEF"},
        {"|a=1", "a", "DEF"},        // not closed: first and last differ
        {"|xa=1|a=2|", "a", "2"},    // the key includes the separator
    };
    for (const auto& c : cases) EXPECT_EQ(SUB::GetValueOf(c.list, c.name, "EMPTY", "DEF"), c.expected) << c.list << " " << c.name;
}

struct SetItemCase { const char* list; int index; const char* item; const char* expected; };

TEST(SUBSetItem, ReplacesGrowsAndChoosesNewSeparator) {
    const SetItemCase cases[] = {
        {"|a|b|", 3, "d", "|a|b||d|"},
        {"|a|b|", 0, "x|y", "*x|y*b*"},
        {"", 0, "v", "|v|"},
        {"|a|b|", 1, "", "|a||"},
        {"*a*b*", 1, "c", "*a*c*"},
        {"|a|b|", 0, "|*", "^|*^b^"},
    };
    for (const auto& c : cases) EXPECT_EQ(SUB::SetItem(c.list, c.index, c.item), c.expected) << c.list;
}

TEST(SUBSetItem, KeepsNulSeparatorWhenAllCandidatesOccur) {
    const std::string result = SUB::SetItem("|a|", 0, "|*^!~@#$&");
    EXPECT_EQ(result, std::string("\0|*^!~@#$&\0", 11));
}

}  // namespace
