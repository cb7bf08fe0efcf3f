#include <gtest/gtest.h>

#include "utils/RegistryPath.h"

namespace {

TEST(RegistryRootFromName, LongAndShortNamesInAnyCase) {
    struct Case { const char* name; RegistryRoot root; };
    const Case cases[] = {
        {"HKEY_CLASSES_ROOT", RegistryRoot::ClassesRoot}, {"hkcr", RegistryRoot::ClassesRoot},
        {"HKEY_CURRENT_USER", RegistryRoot::CurrentUser}, {"HKCU", RegistryRoot::CurrentUser},
        {"hkey_local_machine", RegistryRoot::LocalMachine}, {"HkLm", RegistryRoot::LocalMachine},
        {"HKEY_USERS", RegistryRoot::Users},              {"HKU", RegistryRoot::Users},
        {"HKEY_CURRENT_CONFIG", RegistryRoot::CurrentConfig}, {"HKCC", RegistryRoot::CurrentConfig},
        {"HKEY_DYN_DATA", RegistryRoot::DynData},         {"HKDD", RegistryRoot::DynData},
        {"HKXX", RegistryRoot::CurrentUser},              {"", RegistryRoot::CurrentUser},
    };
    for (const auto& c : cases) EXPECT_EQ(RegistryRootFromName(c.name), c.root) << c.name;
}

TEST(SplitRegistryPath, RootBeforeTheFirstBackslashElseCurrentUser) {
    struct Case { const char* path; RegistryRoot root; const char* subKey; };
    const Case cases[] = {
        {"HKEY_LOCAL_MACHINE\\software\\x", RegistryRoot::LocalMachine, "software\\x"},
        {"hklm\\software\\x", RegistryRoot::LocalMachine, "software\\x"},
        {"  HKCU\\Software\\Fennet\\Tarvel\\SpanDisk  ", RegistryRoot::CurrentUser,
         "Software\\Fennet\\Tarvel\\SpanDisk"},
        {"Software\\x", RegistryRoot::CurrentUser, "Software\\x"},
        {"HKLM", RegistryRoot::LocalMachine, ""},
        {"HKXX\\Software", RegistryRoot::CurrentUser, "Software"},
        {"HKLM\\Software\\x\\\\", RegistryRoot::LocalMachine, "Software\\x\\\\"},  // trailing backslashes stay
        {"", RegistryRoot::CurrentUser, ""},
    };
    for (const auto& c : cases) {
        const RegistryLocation location = SplitRegistryPath(c.path);
        EXPECT_EQ(location.root, c.root) << c.path;
        EXPECT_EQ(location.subKey, c.subKey) << c.path;
    }
}

TEST(RegistryValueText, ConvertsByTypeAndSize) {
    const uint32_t kString = 1, kBinary = 3;
    struct Case { uint32_t type; std::string data; std::string expected; };
    const Case cases[] = {
        {kRegistryTypeDword, std::string("\xFF\xFF\xFF\xFF", 4), "4294967295"},
        {kRegistryTypeDword, std::string("\x01\x02\x00\x00", 4), "513"},
        {kRegistryTypeDword, std::string("\x41\x00", 2), "A"},  // a DWORD of another size: bytes to the NUL
        {kRegistryTypeMultiString, std::string("a\0b\0\0", 5), "a<0>b"},
        {kRegistryTypeMultiString, std::string("a\0\0b\0\0", 6), "a<0><0>b"},
        {kRegistryTypeMultiString, std::string("\0\0", 2), ""},
        {kRegistryTypeMultiString, std::string("\0\0\0", 3), ""},
        {kString, std::string("text\0junk", 9), "text"},
        {kString, "no terminator", "no terminator"},
        {kBinary, std::string("ab\0cd", 5), "ab"},
    };
    for (const auto& c : cases) EXPECT_EQ(RegistryValueText(c.type, c.data), c.expected) << c.type << " " << c.expected;
}

}  // namespace
