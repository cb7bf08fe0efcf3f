#include <gtest/gtest.h>

#include "SetupFileWriter.h"
#include "TempDir.h"
#include "package/Language.h"
#include "package/PackX.h"
#include "package/SLangId.h"

namespace {

using fixture::LanguageBlock;
using fixture::LanguageEntry;

const std::string kEnglish = LanguageEntry("English", {"s0=Tarvel Setup", "s1=Extracting Files...", "Charset=0"});
const std::string kSpanish = LanguageEntry("Spanish", {"s0=Instalación", "s1=Extrayendo archivos...", "FontSize=9"});
const std::string kBrazil = LanguageEntry("Portuguese(Brazil)", {"s0=Instalação"});
const std::string kThree = LanguageBlock({kEnglish, kSpanish, kBrazil});

TEST(LanguageNameOf, TableNamesAndSubstringMatches) {
    struct Case { int number; const char* name; };
    const Case cases[] = {
        {9, "ENGLISH"}, {10, "SPANISH"}, {1, "ARABIC"}, {13, "HEBREW"}, {54, "AFRIKAANS"}, {42, "VIETNAMESE"},
        {26, "CROATIAN"},               // shared with SERBIAN: the first item wins
        {22, "PORTUGUESE"},             // a Brazilian system
        {52, "CHINESE(SIMPLIFIED)"},    // inside 2052
        {43, "DUTCH(STANDARD)"},        // inside 1043
        {20, "NORWEGIAN"},              // before 2052 and 2067 in the table
        {2052, "CHINESE(SIMPLIFIED)"}, {1046, "PORTUGUESE(BRAZIL)"}, {3098, "SERBIAN(CYRILIC)"},
        {5, "CZECH"},                   // written 05
        {0, ""},                        // 00 is nowhere
        {99, ""}, {123, ""}, {-1, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(LanguageNameOf(c.number), c.name) << c.number;
}

TEST(PrimaryLanguageOf, LowTenBitsOrEnglishWithoutLocale) {
    EXPECT_EQ(PrimaryLanguageOf(0x0C0A), 10);
    EXPECT_EQ(PrimaryLanguageOf(0x0416), 22);
    EXPECT_EQ(PrimaryLanguageOf(0x0409), 9);
    EXPECT_EQ(PrimaryLanguageOf(0), 9);
}

TEST(FindLanguageIn, NameMatchesTrimmedWithoutCaseElseTheOnlyEntryElseStar) {
    EXPECT_EQ(FindLanguageIn(kThree, "SPANISH"), kSpanish);
    EXPECT_EQ(FindLanguageIn(kThree, " english "), kEnglish);
    EXPECT_EQ(FindLanguageIn(kThree, "PORTUGUESE"), "*");  // no entry named just Portuguese
    EXPECT_EQ(FindLanguageIn(kThree, "PORTUGUESE(BRAZIL)"), kBrazil);
    const std::string german = LanguageEntry("Deutsch", {"s0=Installation"});
    EXPECT_EQ(FindLanguageIn(LanguageBlock({german}), "SPANISH"), german);
    EXPECT_EQ(FindLanguageIn("", "ENGLISH"), "*");
    EXPECT_EQ(FindLanguageIn("garbage", "ENGLISH"), "*");
}

TEST(ChooseLanguageIn, SystemLanguageElseEnglishElseStar) {
    EXPECT_EQ(ChooseLanguageIn(kThree, "SPANISH"), kSpanish);
    EXPECT_EQ(ChooseLanguageIn(kThree, "PORTUGUESE"), kEnglish);  // Brazil's primary name matches no entry
    EXPECT_EQ(ChooseLanguageIn(kThree, "JAPANESE"), kEnglish);
    EXPECT_EQ(ChooseLanguageIn(LanguageBlock({kSpanish, kBrazil}), "JAPANESE"), "*");
    EXPECT_EQ(ChooseLanguageIn(LanguageBlock({kSpanish}), "JAPANESE"), kSpanish);
}

TEST(LanguageEntryText, KeyWithoutCaseEmptyTextStaysEmptyMissingKeyGivesDefault) {
    const std::string entry = LanguageEntry("English", {"s1=Hello", "s2=", " s3 = padded "});
    EXPECT_EQ(LanguageEntryText(entry, "s1", "D"), "Hello");
    EXPECT_EQ(LanguageEntryText(entry, "S1", "D"), "Hello");
    EXPECT_EQ(LanguageEntryText(entry, "s2", "D"), "");
    EXPECT_EQ(LanguageEntryText(entry, "s3", "D"), " padded ");
    EXPECT_EQ(LanguageEntryText(entry, "s9", "D"), "D");
    EXPECT_EQ(LanguageEntryText(entry, "English", "D"), "D");  // the name is not a key
    EXPECT_EQ(LanguageEntryText("*", "s1", "D"), "D");
    EXPECT_EQ(LanguageEntryText("", "s1", "D"), "D");
}

// Setup files with a given language block, and a process-wide language selection that starts
// afresh for every test with the system language the test chooses.
class LanguageTextTest : public ::testing::Test {
protected:
    static std::string g_system;
    static std::string System() { return g_system; }

    void SetUp() override { UseSystemLanguage("ENGLISH"); }
    void TearDown() override { RestartLanguageSelection(nullptr); }
    void UseSystemLanguage(const std::string& name) {
        g_system = name;
        RestartLanguageSelection(System);
    }
    std::string WriteSetup(const std::string& languageBlock, const std::string& name = "setup.exe") {
        fixture::SetupImage image;
        image.headerBlocks = {languageBlock, fixture::SetupInfoList("", "P.info", "Agent.exe", "", "")};
        const std::string path = dir_.File(name);
        EXPECT_TRUE(fixture::WriteBinaryFile(path, fixture::Build(image)));
        return path;
    }
    fixture::TempDir dir_;
};
std::string LanguageTextTest::g_system;

TEST_F(LanguageTextTest, SpanishSystemGetsSpanish) {
    UseSystemLanguage("SPANISH");
    const TGFileInfo info(WriteSetup(kThree));
    EXPECT_EQ(info.LanguageText("s1", "Extracting Files..."), "Extrayendo archivos...");
    EXPECT_EQ(SelectedLanguage(), kSpanish);
}

TEST_F(LanguageTextTest, BrazilianSystemFallsBackToEnglish) {
    UseSystemLanguage(LanguageNameOf(22));
    const TGFileInfo info(WriteSetup(kThree));
    EXPECT_EQ(info.LanguageText("s0", "Tarvel Installation Suite"), "Tarvel Setup");
}

TEST_F(LanguageTextTest, SingleEntryTableIsUsedOnEverySystem) {
    const std::string german = LanguageBlock({LanguageEntry("Deutsch", {"s1=Dateien werden entpackt..."})});
    for (const char* system : {"ENGLISH", "SPANISH", "JAPANESE"}) {
        UseSystemLanguage(system);
        const TGFileInfo info(WriteSetup(german));
        EXPECT_EQ(info.LanguageText("s1", "Extracting Files..."), "Dateien werden entpackt...") << system;
    }
}

TEST_F(LanguageTextTest, WithoutEnglishAndSystemLanguageEveryTextIsTheDefaultForTheProcess) {
    UseSystemLanguage("JAPANESE");
    const TGFileInfo noMatch(WriteSetup(LanguageBlock({kSpanish, kBrazil})));
    EXPECT_EQ(noMatch.LanguageText("s1", "Extracting Files..."), "Extracting Files...");
    EXPECT_EQ(SelectedLanguage(), "*");
    // The choice stays made: a later file with an English entry does not change it.
    const TGFileInfo withEnglish(WriteSetup(kThree, "other.exe"));
    EXPECT_EQ(withEnglish.LanguageText("s0", "Tarvel Installation Suite"), "Tarvel Installation Suite");
    EXPECT_EQ(withEnglish.Charset(), 0);
    EXPECT_EQ(withEnglish.FontName(), "Tahoma");
}

TEST_F(LanguageTextTest, FirstLookupFixesTheLanguageForLaterFiles) {
    UseSystemLanguage("SPANISH");
    const TGFileInfo own(WriteSetup(kThree));
    EXPECT_EQ(own.LanguageText("s0", ""), "Instalación");
    const TGFileInfo downloaded(WriteSetup(LanguageBlock({LanguageEntry("Spanish", {"s0=Otra"})}), "downloaded.exe"));
    EXPECT_EQ(downloaded.LanguageText("s0", ""), "Instalación");
    const TGFileInfo missing(dir_.File("no-such-file.exe"));
    EXPECT_EQ(missing.LanguageText("s1", ""), "Extrayendo archivos...");
}

TEST_F(LanguageTextTest, FirstLookupOnAFileWithoutTableChoosesNothingForGood) {
    const TGFileInfo missing(dir_.File("no-such-file.exe"));
    EXPECT_EQ(missing.LanguageText("s0", "Default"), "Default");
    const TGFileInfo own(WriteSetup(kThree));
    EXPECT_EQ(own.LanguageText("s0", "Default"), "Default");
}

TEST_F(LanguageTextTest, KeyLookupIgnoresCase) {
    const TGFileInfo info(WriteSetup(kThree));
    EXPECT_EQ(info.LanguageText("S1", ""), "Extracting Files...");
    EXPECT_EQ(info.LanguageText("CHARSET", "x"), "0");
}

TEST_F(LanguageTextTest, FontValuesAreNumbersWithDefaults) {
    struct Case { const char* what; std::vector<std::string> items; int charset, fontSize; const char* fontName; };
    const Case cases[] = {
        {"all missing", {}, 0, 8, "Tahoma"},
        {"given", {"Charset=178", "FontSize=10", "FontName=Arial"}, 178, 10, "Arial"},
        {"not numbers", {"Charset=abc", "FontSize=big"}, 0, 8, "Tahoma"},
        {"blanks around numbers", {"Charset= 177 ", "FontSize= 9"}, 177, 9, "Tahoma"},
        {"present but empty", {"Charset=", "FontSize=", "FontName="}, 0, 8, ""},
    };
    for (const auto& c : cases) {
        RestartLanguageSelection(System);
        const TGFileInfo info(WriteSetup(LanguageBlock({LanguageEntry("English", c.items)})));
        EXPECT_EQ(info.Charset(), c.charset) << c.what;
        EXPECT_EQ(info.FontSize(), c.fontSize) << c.what;
        EXPECT_EQ(info.FontName(), c.fontName) << c.what;
    }
}

TEST_F(LanguageTextTest, FindLanguageLooksAtItsOwnBlock) {
    const TGFileInfo own(WriteSetup(kThree));
    EXPECT_EQ(own.LanguageText("s0", ""), "Tarvel Setup");
    const TGFileInfo other(WriteSetup(LanguageBlock({kSpanish, kBrazil}), "other.exe"));
    EXPECT_EQ(other.FindLanguage("english"), "*");
    EXPECT_EQ(other.FindLanguage("spanish"), kSpanish);
}

}  // namespace
