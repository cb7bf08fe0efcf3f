// The system language as the thread's locale reports it, set for this test's thread only.
#include <gtest/gtest.h>

#include <windows.h>

#include "package/SLangId.h"

namespace {

class ThreadLocale {
public:
    explicit ThreadLocale(LCID locale) : previous_(GetThreadLocale()) { SetThreadLocale(locale); }
    ~ThreadLocale() { SetThreadLocale(previous_); }

private:
    LCID previous_;
};

TEST(SystemLanguageName, FollowsTheThreadLocalesPrimaryLanguage) {
    struct Case { LCID locale; const char* name; };
    const Case cases[] = {
        {0x0C0A, "SPANISH"}, {0x040A, "SPANISH"},  {0x0416, "PORTUGUESE"}, {0x0816, "PORTUGUESE"},
        {0x0409, "ENGLISH"}, {0x040D, "HEBREW"},   {0x0401, "ARABIC"},     {0x0804, "CHINESE"},
    };
    for (const auto& c : cases) {
        ThreadLocale locale(c.locale);
        ASSERT_EQ(GetThreadLocale(), c.locale);
        EXPECT_EQ(SystemLanguageName(), c.name) << std::hex << c.locale;
    }
}

}  // namespace
