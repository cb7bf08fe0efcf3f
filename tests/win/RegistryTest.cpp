#include <gtest/gtest.h>

#include <windows.h>

#include "utils/Registry.h"
#include "utils/SystemInfo.h"

namespace {

// A key of its own under HKCU\Software (and, when asked, HKLM\Software) in the registry view
// that the program reads, removed with its values at the end.
class TestKey {
public:
    TestKey(HKEY root, REGSAM view) : root_(root), view_(view) {
        name_ = "TarvelTest-" + std::to_string(GetCurrentProcessId());
        RegCreateKeyExA(root_, ("Software\\" + name_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &key_,
                        nullptr);
    }
    ~TestKey() {
        if (!key_) return;
        RegDeleteTreeA(key_, nullptr);
        RegCloseKey(key_);
        HKEY software = nullptr;
        if (RegOpenKeyExA(root_, "Software", 0, KEY_ALL_ACCESS | view_, &software) == ERROR_SUCCESS) {
            RegDeleteKeyExA(software, name_.c_str(), view_, 0);
            RegCloseKey(software);
        }
    }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    bool Set(const std::string& valueName, DWORD type, const std::string& data) {
        return RegSetValueExA(key_, valueName.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                              DWORD(data.size())) == ERROR_SUCCESS;
    }
    std::string SubKey() const { return "Software\\" + name_; }

private:
    HKEY root_;
    REGSAM view_;
    std::string name_;
    HKEY key_ = nullptr;
};

TEST(ReadRegistryString, ConvertsEveryTypeOfValue) {
    TestKey key(HKEY_CURRENT_USER, KEY_WOW64_32KEY);
    const std::string path = "HKEY_CURRENT_USER\\" + key.SubKey();
    struct Case { const char* name; DWORD type; std::string data; std::string expected; };
    const Case cases[] = {
        {"Text", REG_SZ, std::string("hello\0", 6), "hello"},
        {"", REG_SZ, std::string("the default value\0", 18), "the default value"},
        {"Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9), "%TEMP%\\x"},  // not expanded
        {"AllBits", REG_DWORD, std::string("\xFF\xFF\xFF\xFF", 4), "4294967295"},
        {"Small", REG_DWORD, std::string("\x2A\x00\x00\x00", 4), "42"},
        {"Multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5), "a<0>b"},
        {"OneEmpty", REG_MULTI_SZ, std::string("\0\0", 2), ""},
        {"Binary", REG_BINARY, std::string("ab\0cd", 5), "ab"},
        {"Exact", REG_SZ, std::string(10240, 'x') + '\0', std::string(10240, 'x')},  // 10,241 bytes fit
        {"TooLarge", REG_SZ, std::string(20000, 'x') + '\0', "dflt"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(key.Set(c.name, c.type, c.data)) << c.name;
        EXPECT_EQ(ReadRegistryString(path, c.name, "dflt"), c.expected) << c.name;
    }
    EXPECT_EQ(ReadRegistryString(path, "Missing", "dflt"), "dflt");
    EXPECT_EQ(ReadRegistryString(path + "\\NoSuchKey", "Text", "dflt"), "dflt");
}

TEST(ReadRegistryString, RootNamesAndPathsWithoutARoot) {
    TestKey user(HKEY_CURRENT_USER, KEY_WOW64_32KEY);
    ASSERT_TRUE(user.Set("Where", REG_SZ, std::string("user\0", 5)));
    for (const std::string& path : {"HKCU\\" + user.SubKey(), "hkey_current_user\\" + user.SubKey(), user.SubKey(),
                                    "  " + user.SubKey() + "  ", "HKXX\\" + user.SubKey()})
        EXPECT_EQ(ReadRegistryString(path, "Where", "dflt"), "user") << path;

    TestKey machine(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY);
    ASSERT_TRUE(machine.Set("Where", REG_SZ, std::string("machine\0", 8)));
    for (const std::string& path : {"HKEY_LOCAL_MACHINE\\" + machine.SubKey(), "hklm\\" + machine.SubKey()})
        EXPECT_EQ(ReadRegistryString(path, "Where", "dflt"), "machine") << path;
}

TEST(ReadRegistryString, SeesThe32BitViewOfTheMachineKeys) {
    TestKey native(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY);
    ASSERT_TRUE(native.Set("Where", REG_SZ, std::string("64-bit view\0", 12)));
    EXPECT_EQ(ReadRegistryString("HKLM\\" + native.SubKey(), "Where", "dflt"), "dflt");
}

TEST(SystemInfo, NamesOfTheMachineAndItsUser) {
    EXPECT_TRUE(IsWinNT());
    EXPECT_EQ(CurrentVersionKey(), "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    char expected[256];
    ASSERT_GT(GetEnvironmentVariableA("USERNAME", expected, sizeof expected), 0u);
    EXPECT_EQ(GetLogonUserName(), expected);
    EXPECT_FALSE(GetComputerNameText().empty());
    EXPECT_FALSE(GetRegisteredOwner().empty());  // the registry's value or the user name
    EXPECT_FALSE(GetUserDomain().empty());
    EXPECT_EQ(GetAccountDomain("no-such-account-" + std::to_string(GetCurrentProcessId())), "");
}

TEST(LastErrorText, TheSystemsMessageWithoutLineEnd) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    const std::string notFound = LastErrorText();
    SetLastError(ERROR_ACCESS_DENIED);
    const std::string denied = LastErrorText();
    EXPECT_FALSE(notFound.empty());
    EXPECT_NE(notFound, denied);
    EXPECT_EQ(notFound.find_first_of("\r\n"), std::string::npos) << notFound;
    SetLastError(0x2FFFFFFF);  // no message for this code
    EXPECT_EQ(LastErrorText(), "");
}

}  // namespace
