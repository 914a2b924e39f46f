#include <gtest/gtest.h>
#include <windows.h>
#include <climits>
#include <cstdlib>
#include "data/datetime.h"

TEST(Date, NormalisationAcrossBoundaries)
{
    struct Case {
        int y, m, d, packed;
    } const cases[] = {
        {2024, 2, 30, 20240301}, {2023, 2, 29, 20230301}, {2024, 2, 29, 20240229}, {2023, 13, 1, 20240101},
        {2024, 1, 0, 20231231},  {2024, 3, 0, 20240229},  {2023, 3, 0, 20230228},  {2024, 1, 32, 20240201},
        {2024, 0, 1, 20231201},  {2024, -11, 1, 20230101}, {2024, -12, 1, 20221201}, {2024, 25, 1, 20260101},
        {1900, 2, 29, 19000301}, {2000, 2, 29, 20000229}, {2024, 1, 366, 20241231}, {2024, 1, -365, 20221231},
        {1, 1, 1, 10101},        {0, 13, 1, 10101},        {1, 1, 0, -1},             {0, 1, 1, -1},
        {0, 0, 0, -1},           {INT_MIN, 1, 1, -1},      {2024, INT_MIN, 1, -1},    {2024, 1, INT_MIN, -1},
        {214748, 12, 31, 2147481231}, {214749, 1, 1, -1}, {INT_MAX, INT_MAX, INT_MAX, -1},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        EXPECT_EQ(c.packed, cDate(c.y, c.m, c.d).getYMD());
        cDate d(2000L * 10000 + 101);
        d.set(c.y, c.m, c.d);
        EXPECT_EQ(c.packed, d.getYMD());
    }
    EXPECT_EQ(5, cDate(2024, 1, 5).getType());
}

TEST(Date, ValidationAndFields)
{
    EXPECT_TRUE(cDate(20240230L).isNull());
    EXPECT_TRUE(cDate(20230229L).isNull());
    EXPECT_EQ(20240229, cDate(20240229L).getYMD());
    EXPECT_TRUE(cDate(10100L).isNull());
    EXPECT_TRUE(cDate(0L).isNull());
    EXPECT_TRUE(cDate(-5L).isNull());
    EXPECT_TRUE(cDate(20241301L).isNull());
    EXPECT_TRUE(cDate(20240100L).isNull());
    cDate marker(-2L);
    EXPECT_EQ(-2, marker.getYMD());
    EXPECT_TRUE(marker.isValid());
    EXPECT_FALSE(marker.isNull());
    EXPECT_EQ(-1, marker.year());
    cDate d;
    d.set(20240105);
    EXPECT_EQ(2024, d.year());
    EXPECT_EQ(1, d.month());
    EXPECT_EQ(5, d.day());
    d.set(19991331);
    EXPECT_TRUE(d.isNull());
    EXPECT_EQ(-1, d.year());
    EXPECT_EQ(-1, d.month());
    EXPECT_EQ(-1, d.day());
    EXPECT_EQ(-1, d.xday());
    EXPECT_EQ(0, d.isLeapYear());
    EXPECT_EQ(0, d.dayOfWeek());

    EXPECT_EQ(1, cDate(20000101L).isLeapYear());
    EXPECT_EQ(1, cDate(20240101L).isLeapYear());
    EXPECT_EQ(0, cDate(19000101L).isLeapYear());
    EXPECT_EQ(0, cDate(20230101L).isLeapYear());
    EXPECT_EQ(29, cDate(20240210L).daysInMonth());
    EXPECT_EQ(28, cDate(19000210L).daysInMonth());
    EXPECT_EQ(30, cDate(20240410L).daysInMonth());

    cDate copy(cDate(20240105L)), assigned(10101L);
    assigned = copy;
    EXPECT_EQ(20240105, assigned.getYMD());
}

TEST(Date, DayNumbersAndWeekdays)
{
    EXPECT_EQ(0, cDate(10101L).xday());
    EXPECT_EQ(364, cDate(11231L).xday());
    EXPECT_EQ(365, cDate(20101L).xday());
    EXPECT_EQ(1461, cDate(50101L).xday());  // years 1 to 4, year 4 leap
    EXPECT_EQ(0, cDate(19951224L).dayOfWeek());
    EXPECT_EQ(5, cDate(20240105L).dayOfWeek());
    EXPECT_EQ(6, cDate(19951223L).dayOfWeek());
    EXPECT_EQ(1, cDate(10101L).dayOfWeek());

    // Every day number maps back to itself over four centuries and the edges.
    for (int n : {0, 58, 59, 364, 365, 1460, 36523, 36524, 146096, 146097, 738890}) {
        SCOPED_TRACE(n);
        cDate start(10101L);
        start.addDays(n);
        EXPECT_EQ(n, start.xday());
    }
    cDate d(20240228L);
    d.addDays(1);
    EXPECT_EQ(20240229, d.getYMD());
    d.addDays(1);
    EXPECT_EQ(20240301, d.getYMD());
    d.addDays(-366);
    EXPECT_EQ(20230301, d.getYMD());
    d.set(10101);
    d.addDays(-1);
    EXPECT_TRUE(d.isNull());
    d.addDays(5);
    EXPECT_TRUE(d.isNull());
    d.set(20240101);
    d.addDays(INT_MAX);
    EXPECT_TRUE(d.isNull());
}

TEST(Time, NormalisationAndValidation)
{
    EXPECT_EQ(0, static_cast<long>(cTime(23, 59, 60)));
    EXPECT_EQ(235959999, static_cast<long>(cTime(0, 0, 0, -1)));
    EXPECT_EQ(130509250, static_cast<long>(cTime(13, 5, 9, 250)));
    EXPECT_EQ(10000000, static_cast<long>(cTime(0, 59, 59, 1000)));
    EXPECT_EQ(230000000, static_cast<long>(cTime(-1, 0, 0)));
    EXPECT_EQ(10000000, static_cast<long>(cTime(49, 0, 0)));
    EXPECT_EQ(225900000, static_cast<long>(cTime(0, -61, 0)));
    cTime big(INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    EXPECT_TRUE(big.isValid());
    EXPECT_GE(big.hour(), 0);
    EXPECT_LE(big.hour(), 23);
    cTime t(1, 2, 3);
    t.set(0, 0, 0, 86400000);
    EXPECT_EQ(0, static_cast<long>(t));

    cTime midnight(0L);
    EXPECT_TRUE(midnight.isValid());
    EXPECT_EQ(0, midnight.xtime());
    EXPECT_EQ(0, midnight.hour());
    EXPECT_EQ(6, midnight.getType());
    EXPECT_EQ(13 * 3600000 + 5 * 60000 + 9250, cTime(130509250L).xtime());
    EXPECT_EQ(86399999, cTime(235959999L).xtime());

    for (long bad : {-1L, -5L, 240000000L, 236000000L, 235960000L, static_cast<long>(INT_MAX)}) {
        SCOPED_TRACE(bad);
        cTime v(bad);
        EXPECT_TRUE(v.isNull());
        EXPECT_EQ(-1, v.xtime());
        EXPECT_EQ(INT_MIN, v.hour());
        EXPECT_EQ(INT_MIN, v.minute());
        EXPECT_EQ(INT_MIN, v.second());
        EXPECT_EQ(INT_MIN, v.milliseconds());
    }
    cTime marker(-2L);
    EXPECT_TRUE(marker.isValid());
    EXPECT_EQ(-2, static_cast<long>(marker));
    t = 125959999;
    EXPECT_EQ(12, t.hour());
    EXPECT_EQ(59, t.minute());
    EXPECT_EQ(59, t.second());
    EXPECT_EQ(999, t.milliseconds());
    t = 126000000L;
    EXPECT_TRUE(t.isNull());
    cTime copy(cTime(10L));
    copy = cTime(20L);
    EXPECT_EQ(20, static_cast<long>(copy));
}

TEST(Timestamp, NormalisationAndCarries)
{
    cTimestamp t(2024, 1, 31, 25, 0, 0, 0);
    EXPECT_EQ(20240201010000000LL, static_cast<long long>(t));
    EXPECT_EQ(20231231235959999LL, static_cast<long long>(cTimestamp(2024, 1, 1, 0, 0, 0, -1)));
    EXPECT_EQ(20240301000000000LL, static_cast<long long>(cTimestamp(2024, 2, 28, 48, 0, 0, 0)));
    EXPECT_EQ(20250101000000000LL, static_cast<long long>(cTimestamp(2024, 12, 31, 23, 59, 59, 1000)));
    EXPECT_EQ(20231231230000000LL, static_cast<long long>(cTimestamp(2024, 1, 1, -1, 0, 0, 0)));
    EXPECT_TRUE(cTimestamp(0, 13, 1, 0, 0, 0, 0).isNull());
    EXPECT_TRUE(cTimestamp(1, 1, 1, -1, 0, 0, 0).isNull());
    EXPECT_TRUE(cTimestamp(2024, 1, INT_MIN, 0, 0, 0, 0).isNull());
    EXPECT_EQ(9, t.getType());

    t.set(2024, 1, 31, 0, 0, 0, 0);
    t.addMonths(1);
    EXPECT_EQ(20240302000000000LL, static_cast<long long>(t));
    t.set(2024, 2, 29, 0, 0, 0, 0);
    t.addYears(1);
    EXPECT_EQ(20250301000000000LL, static_cast<long long>(t));
    t.set(2024, 1, 1, 12, 0, 59, 500);
    t.addMilliseconds(600);
    EXPECT_EQ(20240101120100100LL, static_cast<long long>(t));
    t.addMilliseconds(-200);
    EXPECT_EQ(20240101120059900LL, static_cast<long long>(t));
    t.addHours(-13);
    EXPECT_EQ(20231231230059900LL, static_cast<long long>(t));
    t.addMinutes(60);
    EXPECT_EQ(20240101000059900LL, static_cast<long long>(t));
    t.addSeconds(-60);
    EXPECT_EQ(20231231235959900LL, static_cast<long long>(t));
    t.addDays(366);
    EXPECT_EQ(20241231235959900LL, static_cast<long long>(t));
    t.addYears(-2024);
    EXPECT_TRUE(t.isNull());
    t.addDays(1);
    EXPECT_TRUE(t.isNull());
    t.set(2024, 1, 1, 0, 0, 0, 0);
    t.addYears(INT_MAX);
    EXPECT_TRUE(t.isNull());
}

TEST(Timestamp, ValidationFieldsAndParts)
{
    cTimestamp t(20240105130509250LL);
    EXPECT_EQ(2024, t.year());
    EXPECT_EQ(1, t.month());
    EXPECT_EQ(5, t.day());
    EXPECT_EQ(13, t.hour());
    EXPECT_EQ(5, t.minute());
    EXPECT_EQ(9, t.second());
    EXPECT_EQ(250, t.milliseconds());
    EXPECT_EQ(20240105, t.getDate().getYMD());
    EXPECT_EQ(130509250, static_cast<long>(t.getTime()));

    for (long long bad : {0LL, -7LL, 20240230000000000LL, 20240105240000000LL, 101000000000LL, LLONG_MAX}) {
        SCOPED_TRACE(bad);
        t.set(bad);
        EXPECT_TRUE(t.isNull());
        EXPECT_EQ(INT_MIN, t.year());
        EXPECT_EQ(INT_MIN, t.milliseconds());
        EXPECT_TRUE(t.getDate().isNull());
        EXPECT_TRUE(t.getTime().isNull());
        EXPECT_EQ(-1, t.xtime());
    }
    t.set(-2LL);
    EXPECT_TRUE(t.isValid());
    EXPECT_EQ(-2, t.getDate().getYMD());
    EXPECT_EQ(INT_MIN, t.hour());

    SYSTEMTIME st = {};
    st.wYear = 2024, st.wMonth = 2, st.wDay = 29, st.wDayOfWeek = 6, st.wHour = 23, st.wMinute = 59;
    st.wSecond = 59, st.wMilliseconds = 999;
    t.set(st);
    EXPECT_EQ(20240229235959999LL, static_cast<long long>(t));
}

TEST(Timestamp, XtimeAndZoneShifts)
{
    cTimestamp t(10101000000000LL);
    EXPECT_EQ(0, t.xtime());
    t.set(10102000000001LL);
    EXPECT_EQ(86400001, t.xtime());
    t.set(20240105130509250LL);
    long long x = t.xtime();
    cTimestamp back(10101000000000LL);
    back.setXtime(x);
    EXPECT_EQ(20240105130509250LL, static_cast<long long>(back));
    back.setXtime(-1);
    EXPECT_TRUE(back.isNull());

    SYSTEMTIME utc, local;
    GetSystemTime(&utc);
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
    cTimestamp u, l;
    u.set(utc);
    l.set(local);
    const long long offset = l.xtime() - u.xtime();

    // The shift is the offset of now, applied again on every call.
    t.set(20240105130509250LL);
    cTimestamp gmt(t);
    gmt.toGMT();
    EXPECT_EQ(x - offset, gmt.xtime());
    gmt.toGMT();
    EXPECT_EQ(x - 2 * offset, gmt.xtime());
    gmt.toLocal();
    gmt.toLocal();
    EXPECT_EQ(20240105130509250LL, static_cast<long long>(gmt));
    cTimestamp none(0LL);
    none.toGMT();
    EXPECT_TRUE(none.isNull());
}

TEST(Clock, CurrentValuesAgreeWithTheSystem)
{
    SYSTEMTIME before;
    GetLocalTime(&before);
    cDate today;
    cTime now;
    cTimestamp stamp;
    EXPECT_TRUE(today.isValid());
    EXPECT_TRUE(now.isValid());
    EXPECT_TRUE(stamp.isValid());
    // Around midnight the date may just have moved on.
    EXPECT_LE(before.wYear * 10000 + before.wMonth * 100 + before.wDay, today.getYMD());
    EXPECT_EQ(today.getYMD(), stamp.getDate().getYMD());
    EXPECT_LE(std::abs(stamp.getTime().xtime() - now.xtime()), 1000);
}
