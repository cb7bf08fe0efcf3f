#include <gtest/gtest.h>

#include "utils/Dates.h"

namespace {

DateTimeParts Moment(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
    DateTimeParts t;
    t.Year = year;
    t.Month = month;
    t.Day = day;
    t.Hour = hour;
    t.Minute = minute;
    t.Second = second;
    t.Millisecond = ms;
    return t;
}

TEST(DateFormats, FixedEnglishMonthNamesAndPaddedFields) {
    const DateTimeParts t = Moment(2013, 3, 5, 14, 7, 9);
    EXPECT_EQ(FormatDateDMY(t), "05-MAR-2013");
    EXPECT_EQ(FormatDateTimeDMY(t, ":"), "05-MAR-2013 14:07:09");
    EXPECT_EQ(FormatDateTimeDMY(t, "."), "05-MAR-2013 14.07.09");
    EXPECT_EQ(FormatLogTimestamp(t, "/", ":"), "05/03/13 14:07:09");
    EXPECT_EQ(FormatLogTimestamp(t, "-", "."), "05-03-13 14.07.09");
    EXPECT_EQ(FormatDateDMY(Moment(999, 1, 1)), "01-JAN-0999");
    EXPECT_EQ(FormatDateDMY(Moment(2024, 12, 9)), "09-DEC-2024");
}

TEST(DateNumbers, DaysCountFrom30December1899) {
    EXPECT_EQ(DaysSince1899(1899, 12, 30), 0);
    EXPECT_EQ(DaysSince1899(1900, 1, 1), 2);
    EXPECT_EQ(DaysSince1899(1900, 3, 1), 61);  // 1900 has no 29 February
    EXPECT_EQ(DaysSince1899(2000, 1, 1), 36526);
    EXPECT_EQ(DaysSince1899(1899, 12, 29), -1);
}

TEST(SecondsSince1899, AgentClockOf1January2000AndHalfSecondsToEven) {
    EXPECT_EQ(SecondsSince1899(Moment(2000, 1, 1)), int64_t(36526) * 86400);
    const int64_t noon = int64_t(36526) * 86400 + 12 * 3600;
    EXPECT_EQ(SecondsSince1899(Moment(2000, 1, 1, 12, 0, 0, 499)), noon);
    EXPECT_EQ(SecondsSince1899(Moment(2000, 1, 1, 12, 0, 0, 500)), noon);  // even: stays
    EXPECT_EQ(SecondsSince1899(Moment(2000, 1, 1, 12, 0, 1, 500)), noon + 2);  // odd: up to even
    EXPECT_EQ(SecondsSince1899(Moment(2000, 1, 1, 12, 0, 0, 501)), noon + 1);
}

TEST(DateTimeFromSeconds, TurnsTheAgentClockBackIntoTheCompanionText) {
    const DateTimeParts t = DateTimeFromSeconds(int64_t(36526) * 86400);
    EXPECT_EQ(FormatDateTimeDMY(t, ":"), "01-JAN-2000 00:00:00");
    const int64_t moments[] = {0, 1, 86399, 86400, 5097600, int64_t(36526) * 86400 + 45296, 4102444799LL, -1, -86401};
    for (const int64_t seconds : moments) EXPECT_EQ(SecondsSince1899(DateTimeFromSeconds(seconds)), seconds) << seconds;
    EXPECT_EQ(FormatDateTimeDMY(DateTimeFromSeconds(-1), ":"), "29-DEC-1899 23:59:59");
    EXPECT_EQ(FormatDateTimeDMY(DateTimeFromSeconds(int64_t(41338) * 86400 + 50829), ":"), "05-MAR-2013 14:07:09");
}

}  // namespace
