// Bad input to `tvpack build`: a message that names the problem, a non-zero exit code, and no
// output file; and the setup description and language tables the builder reads.
#include <filesystem>

#include "LanguageTables.h"
#include "PackageBuilder.h"
#include "SetupDescription.h"
#include "TvpackFixture.h"
#include "package/Language.h"
#include "package/PackX.h"
#include "utils/Text.h"
#include "utils/VSUB.h"

namespace {

class BadInputTest : public TvpackTest {
protected:
    std::vector<std::string> Args(const std::string& description, const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = {"build", "--stub", stub_, "--desc", WriteDescription(description),
                                         "--files", files_, "--out", dir_.File("Setup.exe")};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }
    // Replaces the value of an option in a build command line.
    static void SetOption(std::vector<std::string>& args, const std::string& option, const std::string& value) {
        for (size_t i = 0; i + 1 < args.size(); ++i)
            if (args[i] == option) args[i + 1] = value;
    }
};

const char kMinimal[] = "[Setup]\nEngine=Engine.exe\n";

struct BadInputCase {
    const char* what;
    std::string description;
    std::vector<std::string> extra;         // more options
    std::vector<std::string> files;         // files besides the engine, content "x"
    std::string stub;                       // replaces the fake stub when not empty
    std::pair<std::string, std::string> option;  // an option whose value is replaced
    int exitCode;
    const char* message;
};

std::string SetupImageWithPackage() {
    fixture::SetupImage image;
    image.stub = fixture::FakeStub();
    image.headerBlocks = {"\x02" "English" "\x01" "s1=x" "\x02", "|||||"};
    return fixture::Build(image);
}

TEST_F(BadInputTest, FailsWithAMessageAndLeavesNoOutput) {
    const std::string minimal = kMinimal;
    const BadInputCase cases[] = {
        {"missing stub", minimal, {}, {}, "", {"--stub", "missing.exe"}, 1, "cannot read the stub"},
        {"stub that is no executable", minimal, {}, {}, "hello", {}, 1, "not a stub executable"},
        {"stub without the identity text", minimal, {}, {}, fixture::FakePEImage(), {}, 1, "no build-identity text"},
        {"stub that already carries a package", minimal, {}, {}, SetupImageWithPackage(), {}, 1,
         "already carries a package"},
        {"missing description", minimal, {}, {}, "", {"--desc", "missing.ini"}, 1, "cannot read the setup description"},
        {"unknown key", "[Setup]\nEngin=Engine.exe\n", {}, {}, "", {}, 1, "unknown key Engin"},
        {"no engine named", "[Setup]\nRunHidden=1\n", {}, {}, "", {}, 1, "needs its setup engine"},
        {"engine file missing", "[Setup]\nEngine=Other.exe\n", {}, {}, "", {}, 1, "the setup engine is missing"},
        {"files folder missing", minimal, {}, {}, "", {"--files", "nofiles"}, 1, "no such folder"},
        {"subfolder among the files", minimal, {}, {"sub/a.txt"}, "", {}, 1, "without subfolders"},
#ifndef _WIN32  // Windows cannot create these names in the first place
        {"name with a vertical bar", minimal, {}, {"a|b.txt"}, "", {}, 1, "\"|\" in the name"},
        {"names that differ only in case", minimal, {}, {"a.txt", "A.TXT"}, "", {}, 1, "only in case"},
#endif
        {"missing language file", minimal + "LanguageFile=none.lang\n", {}, {}, "", {}, 1,
         "cannot read the language file"},
        {"unknown language", minimal + "Languages=English,Klingon\n", {}, {}, "", {}, 1,
         "no language table named Klingon"},
        {"disk size too small for the stub", minimal, {"--disk-size", "3000"}, {}, "", {}, 1, "disk size is too small"},
        {"launcher without disks", minimal, {"--launcher"}, {}, "", {}, 1, "needs a disk size"},
        {"level out of range", minimal, {"--level", "12"}, {}, "", {}, 1, "level runs from 0 to 9"},
        {"unknown option", minimal, {"--fast"}, {}, "", {}, 2, "unknown option --fast"},
        {"no output named", minimal, {}, {}, "", {"--out", ""}, 2, "build needs --out"},
    };
    for (const auto& c : cases) {
        SetUp();  // a fresh stub and files folder for every case
        std::filesystem::remove_all(files_);
        std::filesystem::create_directories(files_);
        AddFile("Engine.exe", "engine");
        for (const std::string& name : c.files) {
            std::filesystem::create_directories(std::filesystem::path(files_) / std::filesystem::path(name).parent_path());
            AddFile(name, "x");
        }
        if (!c.stub.empty()) {
            ASSERT_TRUE(fixture::WriteBinaryFile(stub_, c.stub));
        }
        std::vector<std::string> args = Args(c.description, c.extra);
        if (!c.option.first.empty())
            SetOption(args, c.option.first, c.option.second.empty() ? "" : dir_.File(c.option.second));
        EXPECT_EQ(Run(args), c.exitCode) << c.what;
        EXPECT_NE(err_.find(c.message), std::string::npos) << c.what << ": " << err_;
        EXPECT_EQ(LeftOvers(), std::vector<std::string>()) << c.what;
    }
}

TEST_F(BadInputTest, FailedBuildKeepsTheEarlierSetup) {
    const std::string setup = dir_.File("Setup.exe");
    ASSERT_TRUE(fixture::WriteBinaryFile(setup, "the earlier setup"));
    EXPECT_EQ(Run(Args(kMinimal)), 1);  // the engine is missing
    EXPECT_EQ(fixture::ReadBinaryFile(setup), "the earlier setup");
    EXPECT_EQ(LeftOvers(), std::vector<std::string>{"Setup.exe"});
}

TEST(SetupDescription, ReadsEveryKeyWithTheFixedPartsAsDefaults) {
    SetupDescription d;
    std::string error;
    ASSERT_TRUE(ParseSetupDescription("[Setup]\nEngine=E.exe\n", "here", d, error)) << error;
    EXPECT_EQ(d.Kind, SetupKind::Setup);
    EXPECT_EQ(d.InfoFileName, ".info");
    EXPECT_EQ(d.AgentExeName, ".exe");
    EXPECT_FALSE(d.HasDownload);

    const std::string text =
        "# comment\r\n[setup]\r\nkind = downloadstub\r\nLanguageFile=extra.lang\r\nLanguages = Spanish , English\r\n"
        "[Download]\r\nBaseUrl=http://x\r\nFileName=F.exe\r\nToken=t\r\nSize=123\r\nAlwaysDownload=TRUE\r\n";
    SetupDescription s;
    ASSERT_TRUE(ParseSetupDescription(text, "here", s, error)) << error;
    EXPECT_EQ(s.Kind, SetupKind::DownloadStub);
    EXPECT_TRUE(s.HasDownload);
    EXPECT_TRUE(s.AlwaysDownload);
    EXPECT_EQ(s.DownloadSize, "123");
    EXPECT_EQ(s.Languages, (std::vector<std::string>{"Spanish", "English"}));
    EXPECT_NE(s.LanguageFile.find("here"), std::string::npos);
    EXPECT_NE(s.LanguageFile.find("extra.lang"), std::string::npos);
}

TEST(SetupDescription, RefusesWhatItCannotUse) {
    struct Case { std::string text; const char* message; };
    const Case cases[] = {
        {"Engine=E.exe\n", "before the first [section]"},
        {"[Setup]\nEngine\n", "expected key=value"},
        {"[Setup\nEngine=E.exe\n", "must end with"},
        {"[Other]\n", "unknown section"},
        {"[Setup]\nEngine=E.exe\nEngine=F.exe\n", "given twice"},
        {"[Setup]\nEngine=E.exe\nRunHidden=maybe\n", "expected 1 or 0"},
        {"[Setup]\nKind=Installer\n", "Kind"},
        {"[Setup]\nEngine=E*.exe\n", "may not contain"},
        {"[Setup]\nKind=Agent\nEngine=E.exe\n", "only a setup carries files"},
        {"[Setup]\nKind=DownloadStub\n", "needs a [Download] section"},
        {"[Setup]\nKind=DownloadStub\n[Download]\nBaseUrl=x\nFileName=f\n", "needs BaseUrl, FileName and Token"},
        {"[Setup]\nEngine=E.exe\n[Download]\nBaseUrl=x\nFileName=f\nToken=t\nSize=12MB\n", "not a number"},
        {"[Setup]\nEngine=E.exe\n[Download]\nBaseUrl=x\nFileName=f\nToken=t\nSize=1\nFullSetup=f\n", "keep one"},
        {"[Setup]\nEngine=E.exe\nInstallsAgent=1\n", "AgentExeName must name"},
        {std::string("[Setup]\nEngine=E\0.exe\n", 22), "NUL"},
    };
    for (const auto& c : cases) {
        SetupDescription d;
        std::string error;
        EXPECT_FALSE(ParseSetupDescription(c.text, ".", d, error)) << c.text;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.text << ": " << error;
    }
}

// The English texts, exactly as the stub's defaults, with "<P>" after the question in s11.
const std::vector<std::pair<std::string, std::string>> kEnglishTexts = {
    {"Charset", "0"},
    {"FontSize", "8"},
    {"FontName", "Tahoma"},
    {"s0", "Tarvel Installation Suite"},
    {"s1", "Extracting Files..."},
    {"s2", "Tarvel will extract files to your Temp Drive (<DRIVE>)<P>"},
    {"s3", "Limited Free Space on your Temp Drive! (<DRIVE>)<P>"},
    {"s4", "<P>Estimated space required on your Temp drive is: <T>  <SPACE_REQ> MB<P>"},
    {"s5", "Free space available on your Temp drive is: <T>  <SPACE_AVAIL> MB<P>"},
    {"s6", "<P>Continue with Setup?<P>"},
    {"s7", "Bad CRC!<P>This indicates that your setup file might be corrupted..."},
    {"s8", "Please insert <B>DISK #<DISK_NUM></B> and press OK to continue"},
    {"s10", "Downloading File..."},
    {"s11",
     "<b>INTERNET DOWNLOAD</b><p><p>Tarvel will download the Setup File from the Internet...<p>Please make sure your "
     "Internet connection is properly set.<p><p>Continue with Setup?<P><P>Size: <SIZE> MB<P>"},
    {"s12", "No valid Internet Connection.<p>Can not Download File!"},
    {"BtnText", "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|"},
    {"Attention", "Attention"},
    {"Confirm", "Confirm"},
    {"Error", "Error"},
};

std::string Entry(const std::string& block, int index) { return SUB::GetItem(block, index, ""); }

TEST_F(TvpackTest, LanguageBlockCarriesTheThreeBuiltInTables) {
    AddFile("Engine.exe", "e");
    ASSERT_EQ(Build(kSetupDescription, dir_.File("Setup.exe")), 0) << err_;
    const std::string block = TGFileInfo(dir_.File("Setup.exe")).LanguageBlock();
    ASSERT_EQ(block.front(), '\x02');
    ASSERT_EQ(SUB::ItemCount(block), 3);

    const std::string english = Entry(block, 0);
    ASSERT_EQ(english.front(), '\x01');
    EXPECT_EQ(SUB::GetItem(english, 0, ""), "English");
    EXPECT_EQ(SUB::ItemCount(english), int(kEnglishTexts.size()) + 1);
    for (const auto& [key, text] : kEnglishTexts) EXPECT_EQ(SUB::GetValueOf(english, key, "", "?"), text) << key;
    EXPECT_EQ(SUB::GetValueOf(english, "s9", "", "missing"), "missing");

    const char* const names[] = {"Portuguese(Brazil)", "Spanish"};
    for (int i = 1; i <= 2; ++i) {
        const std::string entry = Entry(block, i);
        EXPECT_EQ(SUB::GetItem(entry, 0, ""), names[i - 1]);
        EXPECT_EQ(SUB::ItemCount(entry), SUB::ItemCount(english)) << names[i - 1];
        for (const auto& [key, text] : kEnglishTexts) {
            const std::string translated = SUB::GetValueOf(entry, key, "", "?");
            EXPECT_NE(translated, "?") << names[i - 1] << " " << key;
            if (key == "s1" || key == "s7" || key == "s11") {
                EXPECT_NE(translated, text) << names[i - 1] << " " << key;
            }
            for (const char* placeholder : {"<DRIVE>", "<SPACE_REQ>", "<SPACE_AVAIL>", "<DISK_NUM>", "<SIZE>"})
                EXPECT_EQ(text.find(placeholder) == std::string::npos, translated.find(placeholder) == std::string::npos)
                    << names[i - 1] << " " << key << " " << placeholder;
        }
    }
    // Windows-1252 bytes, not UTF-8.
    EXPECT_EQ(SUB::GetValueOf(Entry(block, 1), "Attention", "", ""), "Aten\xE7\xE3o");
    EXPECT_EQ(SUB::GetValueOf(Entry(block, 2), "s6", "", ""), "<P>\xBF" "Desea continuar con la instalaci\xF3n?<P>");
}

std::string g_systemLanguage;
std::string InjectedSystemLanguage() { return g_systemLanguage; }

TEST_F(TvpackTest, TheStubsLookupReadsTheBuiltTablesBack) {
    AddFile("Engine.exe", "e");
    ASSERT_EQ(Build(kSetupDescription, dir_.File("Setup.exe")), 0) << err_;
    struct Case { const char* system; const char* key; const char* text; };
    const Case cases[] = {
        {"ENGLISH", "s1", "Extracting Files..."},
        {"ENGLISH", "s7", "Bad CRC!<P>This indicates that your setup file might be corrupted..."},
        {"SPANISH", "s6", "<P>\xBF" "Desea continuar con la instalaci\xF3n?<P>"},
        {"GERMAN", "s1", "Extracting Files..."},  // no German table: English
    };
    for (const auto& c : cases) {
        g_systemLanguage = c.system;
        RestartLanguageSelection(InjectedSystemLanguage);
        const TGFileInfo info(dir_.File("Setup.exe"));
        EXPECT_EQ(info.LanguageText(c.key, "?"), c.text) << c.system << " " << c.key;
        EXPECT_EQ(info.LanguageText("no such key", "default"), "default") << c.system;
        EXPECT_EQ(info.FontName(), "Tahoma");
        EXPECT_EQ(info.Charset(), 0);
    }
    RestartLanguageSelection(nullptr);
}

TEST_F(TvpackTest, LanguageFileAddsAndReplacesTablesAndLanguagesChooses) {
    AddFile("Engine.exe", "e");
    ASSERT_TRUE(fixture::WriteBinaryFile(dir_.File("extra.lang"),
                                         "[Deutsch]\nCharset=0\ns1=Dateien werden entpackt...\n"
                                         "[ english ]\ns1=Unpacking...\n"));
    ASSERT_EQ(Build(std::string(kSetupDescription) + "LanguageFile=extra.lang\n", dir_.File("A.exe")), 0) << err_;
    const std::string block = TGFileInfo(dir_.File("A.exe")).LanguageBlock();
    ASSERT_EQ(SUB::ItemCount(block), 4);
    EXPECT_EQ(Entry(block, 0), "\x01" "english\x01" "s1=Unpacking...\x01");
    EXPECT_EQ(Entry(block, 3), "\x01" "Deutsch\x01" "Charset=0\x01s1=Dateien werden entpackt...\x01");

    ASSERT_EQ(Build(std::string(kSetupDescription) + "LanguageFile=extra.lang\nLanguages=Deutsch\n", dir_.File("B.exe")),
              0)
        << err_;
    EXPECT_EQ(TGFileInfo(dir_.File("B.exe")).LanguageBlock(),
              "\x02\x01" "Deutsch\x01" "Charset=0\x01s1=Dateien werden entpackt...\x01\x02");
}

TEST(LanguageTables, FileWithAByteOrderMarkIsConvertedToWindows1252) {
    std::vector<LanguageTable> tables;
    std::string error;
    fixture::TempDir dir;
    ASSERT_TRUE(fixture::WriteBinaryFile(dir.File("fr.lang"), "\xEF\xBB\xBF[Fran\xC3\xA7" "ais]\ns1=D\xC3\xA9" "ballage\n"));
    ASSERT_TRUE(ReadLanguageFile(dir.File("fr.lang"), tables, error)) << error;
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].Name, "Fran\xE7" "ais");
    EXPECT_EQ(tables[0].Texts[0].second, "D\xE9" "ballage");

    ASSERT_TRUE(fixture::WriteBinaryFile(dir.File("ru.lang"), "\xEF\xBB\xBF[Russian]\ns1=\xD0\x94\n"));  // U+0414
    EXPECT_FALSE(ReadLanguageFile(dir.File("ru.lang"), tables, error));
    EXPECT_NE(error.find("Windows-1252"), std::string::npos) << error;
}

TEST(LanguageTables, BlockRefusesSeparatorBytesInTexts) {
    std::string block, error;
    EXPECT_FALSE(LanguageBlockOf({}, block, error));
    EXPECT_FALSE(LanguageBlockOf({{"English", {{"s1", "a\x01" "b"}}}}, block, error));
    EXPECT_FALSE(LanguageBlockOf({{"English", {{"s=1", "a"}}}}, block, error));
    EXPECT_FALSE(LanguageBlockOf({{"Eng\x02lish", {{"s1", "a"}}}}, block, error));
    ASSERT_TRUE(LanguageBlockOf({{"English", {{"s1", "a|b"}}}}, block, error)) << error;
    EXPECT_EQ(block, "\x02\x01" "English\x01s1=a|b\x01\x02");
}

TEST(AnsiFromUtf8, KeepsWindows1252LettersAndRefusesTheRest) {
    std::string ansi;
    EXPECT_TRUE(AnsiFromUtf8("a\xC2\xA0\xC3\xBF", ansi));
    EXPECT_EQ(ansi, "a\xA0\xFF");
    EXPECT_FALSE(AnsiFromUtf8("\xC2\x80", ansi));          // U+0080: not the same in Windows-1252
    EXPECT_FALSE(AnsiFromUtf8("\xE2\x82\xAC", ansi));      // the euro sign
    EXPECT_FALSE(AnsiFromUtf8("\xC3", ansi));              // cut short
    EXPECT_FALSE(AnsiFromUtf8("\xE7" "a", ansi));          // not UTF-8
}

TEST(ParseByteSize, TakesBytesAndBinaryMultiples) {
    uint64_t bytes = 0;
    EXPECT_TRUE(ParseByteSize("65536", bytes));
    EXPECT_EQ(bytes, 65536u);
    EXPECT_TRUE(ParseByteSize("64k", bytes));
    EXPECT_EQ(bytes, 65536u);
    EXPECT_TRUE(ParseByteSize("650M", bytes));
    EXPECT_EQ(bytes, 650ull << 20);
    EXPECT_TRUE(ParseByteSize("2G", bytes));
    EXPECT_EQ(bytes, 2ull << 30);
    for (const char* bad : {"", "M", "-1", "1.5M", "12MB", "1T"}) EXPECT_FALSE(ParseByteSize(bad, bytes)) << bad;
}

}  // namespace
