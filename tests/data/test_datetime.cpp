#include <gtest/gtest.h>
#include <windows.h>
#include <climits>
#include "data/datetime.h"

TEST(Date, NormalisationAcrossBoundariesAndOverflow)
{
    struct Case {
        int y, m, d, packed;
    } const cases[] = {
        {2024, 2, 30, 20240301},  {2023, 13, 1, 20240101}, {2024, 3, 0, 20240229},        {2024, -12, 1, 20221201},
        {0, 13, 1, 10101},        {1, 1, 0, -1},
        {2024, INT_MIN, 1, -1},   {2024, 1, INT_MIN, -1},  {214748, 12, 31, 2147481231}, {214749, 1, 1, -1},
        {INT_MAX, INT_MAX, INT_MAX, -1},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        EXPECT_EQ(c.packed, cDate(c.y, c.m, c.d).getYMD());
        cDate d(20000101L);
        d.set(c.y, c.m, c.d);
        EXPECT_EQ(c.packed, d.getYMD());
    }
}

TEST(Timestamp, CarriesAcrossDaysMonthsAndYears)
{
    cTimestamp t(2024, 1, 31, 25, 0, 0, 0);
    EXPECT_EQ(20240201010000000LL, static_cast<long long>(t));
    EXPECT_EQ(20231231235959999LL, static_cast<long long>(cTimestamp(2024, 1, 1, 0, 0, 0, -1)));
    EXPECT_EQ(20250101000000000LL, static_cast<long long>(cTimestamp(2024, 12, 31, 23, 59, 59, 1000)));

    t.set(2024, 1, 31, 0, 0, 0, 0);
    t.addMonths(1);
    EXPECT_EQ(20240302000000000LL, static_cast<long long>(t));
    t.set(2024, 2, 29, 0, 0, 0, 0);
    t.addYears(1);
    EXPECT_EQ(20250301000000000LL, static_cast<long long>(t));
    t.set(2024, 1, 1, 0, 0, 0, 0);
    t.addYears(INT_MAX);
    EXPECT_TRUE(t.isNull());

    for (long long bad : {0LL, -7LL, 20240230000000000LL, 20240105240000000LL, 101000000000LL, LLONG_MAX}) {
        t.set(bad);
        EXPECT_TRUE(t.isNull()) << bad;
        EXPECT_EQ(INT_MIN, t.year()) << bad;
        EXPECT_TRUE(t.getTime().isNull()) << bad;
    }
}

TEST(Timestamp, ZoneShiftsUseTheOffsetOfNow)
{
    SYSTEMTIME utc, local;
    GetSystemTime(&utc);
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
    cTimestamp u, l;
    u.set(utc);
    l.set(local);
    const long long offset = l.xtime() - u.xtime();

    cTimestamp t(20240105130509250LL);
    const long long x = t.xtime();
    t.toGMT();
    EXPECT_EQ(x - offset, t.xtime());
    t.toLocal();
    EXPECT_EQ(20240105130509250LL, static_cast<long long>(t));
    cTimestamp none(0LL);
    none.toGMT();
    EXPECT_TRUE(none.isNull());
}
