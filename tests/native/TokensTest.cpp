#include <gtest/gtest.h>

#include <set>

#include "package/PackWrite.h"
#include "package/Tokens.h"
#include "utils/Scramble.h"
#include "utils/Text.h"

namespace {

// Key bytes 0x10 and 0x33 (key 0x23), a = 2, b = 2, fillers 0x55 0x66 and 0x77, value "AB":
// stored 10 21 21 76 45 62 61 54, check byte 57, 33; each hex digit's code plus 50.
const char kHandMadeToken[] = "cbdcdcihfghdhcgfgiee";

bool IsRandomFallback(const std::string& text) {
    int64_t value = 0;
    return !text.empty() && text.size() <= 5 && TryStrToInt64(text, value) && value >= 0 && value < 99999;
}

TEST(DescrambleToken, ReadsTheValueBetweenTheFillers) {
    std::string value;
    ASSERT_TRUE(TryDescrambleToken(kHandMadeToken, value));
    EXPECT_EQ(value, "AB");
    EXPECT_EQ(DescrambleToken(kHandMadeToken), "AB");
}

TEST(DescrambleToken, FailsTheCheckAfterAnySingleChange) {
    const std::string good = kHandMadeToken;
    for (size_t i = 0; i < good.size(); ++i) {
        std::string damaged = good;
        damaged[i] = damaged[i] == 'b' ? 'c' : 'b';  // another hexadecimal digit
        std::string value;
        EXPECT_FALSE(TryDescrambleToken(damaged, value)) << i;
        EXPECT_TRUE(IsRandomFallback(DescrambleToken(damaged))) << i;
    }
}

TEST(DescrambleToken, TextsThatAreNoTokensGiveARandomNumber) {
    const char* const cases[] = {"", "cbdc", "cbdcdcihfghdhcgfgie", "zzzzzzzzzzzzzzzzzzzz", "bÜ"};
    for (const char* text : cases) {
        std::string value;
        EXPECT_FALSE(TryDescrambleToken(text, value)) << text;
        EXPECT_TRUE(IsRandomFallback(DescrambleToken(text))) << text;
    }
}

TEST(ScrambleToken, RoundTripsThroughTheDescrambler) {
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte += char(c);
    const std::string values[] = {"", "secret-1", "a|b*c", everyByte, std::string(1000, 'x')};
    for (const std::string& plain : values) {
        const std::string token = ScrambleToken(plain);
        for (const char c : token) EXPECT_TRUE((c >= 'b' && c <= 'k') || (c >= 's' && c <= 'x')) << token;
        std::string value;
        ASSERT_TRUE(TryDescrambleToken(token, value)) << token;
        EXPECT_EQ(value, plain);
    }
}

TEST(ScrambleToken, UsuallyDiffersFromOneCallToTheNext) {
    std::set<std::string> tokens;
    for (int i = 0; i < 20; ++i) tokens.insert(ScrambleToken("same"));
    EXPECT_GT(tokens.size(), 1u);
}

TEST(SplitInformText, TakesTheTokenOfFieldOneAndTheMessageAfterTheFourthBar) {
    const std::string token = ScrambleToken("prod");
    struct Case { std::string text; bool tokenIsProd; std::string message; };
    const Case cases[] = {
        {"|" + token + "|a|b|Hello", true, "Hello"},
        {"x|" + token + "|||A|B|C", true, "A|B|C"},    // the message keeps its own bars
        {token + "|a|b|Hello", false, ""},           // field 0 dropped: "a" is read as the token
        {"|" + token + "|a|b", true, ""},            // no fourth bar: no message
        {"|" + token, true, ""},                     // the token runs to the end
        {"no bar at all", false, ""},
    };
    for (const auto& c : cases) {
        const InformParts parts = SplitInformText(c.text);
        if (c.tokenIsProd) EXPECT_EQ(parts.Token, "prod") << c.text;
        else EXPECT_TRUE(IsRandomFallback(parts.Token)) << c.text;
        EXPECT_EQ(parts.Message, c.message) << c.text;
    }
}

TEST(SplitInformText, UndoesTheValueScramblingFirst) {
    const std::string text = ScrambleText("|" + ScrambleToken("prod") + "|||<b>News</b>", true);
    ASSERT_EQ(text.compare(0, 12, "Scrambled=01"), 0);
    const InformParts parts = SplitInformText(text);
    EXPECT_EQ(parts.Token, "prod");
    EXPECT_EQ(parts.Message, "<b>News</b>");
}

TEST(InformText, WritesWhatSplitInformTextReads) {
    for (const bool scrambled : {false, true}) {
        const std::string text = InformText("prod-7", "Line 1\r\nLine | 2", scrambled);
        EXPECT_EQ(text.compare(0, 12, "Scrambled=01") == 0, scrambled);
        const InformParts parts = SplitInformText(text);
        EXPECT_EQ(parts.Token, "prod-7") << scrambled;
        EXPECT_EQ(parts.Message, "Line 1\r\nLine | 2") << scrambled;
    }
}

}  // namespace
