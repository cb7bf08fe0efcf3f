#include <gtest/gtest.h>

#include <windows.h>

#include "utils/LocaleFormats.h"
#include "utils/Numbers.h"

namespace {

TEST(LocaleFormats, DatesTimesAndNumbersTakeTheUsersSeparators) {
    char expected[8];
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, expected, sizeof expected), 1);
    const std::string time = expected;
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, expected, sizeof expected), 1);
    const std::string decimal = expected;
    EXPECT_EQ(LocaleTimeSeparator(), time);
    EXPECT_EQ(LocaleDecimalSeparator(), decimal);

    DateTimeParts t;
    t.Year = 2013, t.Month = 3, t.Day = 5, t.Hour = 14, t.Minute = 7, t.Second = 9;
    EXPECT_EQ(FormatDateTimeDMY(t), "05-MAR-2013 14" + time + "07" + time + "09");
    EXPECT_EQ(FormatFixed(1234.5678, 2), "1234" + decimal + "57");
}

}  // namespace
