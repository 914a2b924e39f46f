#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include "core/error.h"
#include "data/colors.h"
#include "data/format.h"
#include "data/values.h"

namespace {

cStringA formatInt(int v, int flags) { return formatValueToStr(&v, 3, 0, flags); }

cStringA formatBig(long long v, int flags) { return formatValueToStr(&v, 8, 0, flags); }

}  // namespace

TEST(FormatValue, IntegersNullNumbersAndThousands)
{
    EXPECT_TRUE(formatInt(INT_MIN, 1).isBlank());
    EXPECT_STREQ("-2,147,483,647", formatInt(-INT_MAX, 1).getPtr());
    EXPECT_STREQ("-999", formatInt(-999, 1).getPtr());
    EXPECT_TRUE(formatBig(LLONG_MIN, 0).isBlank());
    EXPECT_STREQ("-9,223,372,036,854,775,807", formatBig(-LLONG_MAX, 1).getPtr());

    // In the string class the smallest 64-bit value is the null number too: nothing is written.
    cStringA s("old");
    s.set(static_cast<__int64>(-1234567890123LL));
    s << static_cast<__int64>(LLONG_MIN);
    EXPECT_STREQ("-1234567890123", s.getPtr());
    s.set(static_cast<__int64>(LLONG_MIN));
    EXPECT_TRUE(s.isBlank());
}

TEST(FormatValue, DoublesStayInsideTheirBuffer)
{
    EXPECT_STREQ("0.00", formatDoubleToStr(-0.0, 2, 0).getPtr());
    EXPECT_STREQ("-1,234,567.125", formatDoubleToStr(-1234567.125, 3, 1).getPtr());
    EXPECT_STREQ("999,999,999,999,999", formatDoubleToStr(999999999999999.0, 0, 1).getPtr());
    // Beyond fifteen digits the exponent form is used, never grouped.
    char expected[32];
    snprintf(expected, sizeof expected, "%.2g", 1e16);
    EXPECT_STREQ(expected, formatDoubleToStr(1e16, 2, 1).getPtr());
    EXPECT_NE(nullptr, strchr(expected, 'e'));
    EXPECT_TRUE(formatDoubleToStr(-INFINITY, 2, 1).isBlank());
    EXPECT_FALSE(formatDoubleToStr(NAN, 2, 1).isBlank());

    // Any count of decimals: none below zero, at most 100, never past the buffer.
    EXPECT_STREQ("2", formatDoubleToStr(1.75, -3, 0).getPtr());
    EXPECT_STREQ("0", formatDoubleToStr(0.0, INT_MIN, 0).getPtr());
    cStringA many = formatDoubleToStr(-999999999999999.0, 1000, 1);
    EXPECT_EQ(20 + 1 + 100, many.length());
    EXPECT_EQ(0, strncmp("-999,999,999,999,999.000", many.getPtr(), 24));
    EXPECT_LE(formatDoubleToStr(-1.7976931348623157e308, INT_MAX, 1).length(), 110);
}

TEST(FormatValue, DatesTimesFlagsAndErrors)
{
    int date = 20240105;
    EXPECT_STREQ("5-1-2024", formatValueToStr(&date, 5, 0, 0x800).getPtr());
    EXPECT_STREQ("2024-1-5", formatValueToStr(&date, 5, 0, 0x013).getPtr());
    int time = 130509250;
    EXPECT_STREQ("13:5:9.250", formatValueToStr(&time, 6, 0, 1).getPtr());
    for (int bad : {20240230, -1, -2}) EXPECT_TRUE(formatValueToStr(&bad, 5, 0, 0).isBlank()) << bad;
    for (int bad : {-5, -1, 240000000}) EXPECT_TRUE(formatValueToStr(&bad, 6, 0, 0).isBlank()) << bad;
    cBool flag;
    EXPECT_STREQ("*", formatValueToStr(&flag.value, 7, 0, 0).getPtr());

    kaErrorClear();
    EXPECT_TRUE(formatValueToStr(nullptr, 3, 0, 0).isBlank());
    EXPECT_FALSE(kaErrorExist());
    for (int type : {2, 9, -1}) {
        kaErrorClear();
        EXPECT_TRUE(formatValueToStr(&date, type, 0, 0).isBlank());
        EXPECT_STREQ("Invalid type specified in formatValueToStr()", kaErrorGetMsg().getPtr()) << type;
    }
    kaErrorClear();
}

TEST(Colors, HexTextAndDerivation)
{
    EXPECT_EQ(0x563412u, reverse_color(0xFF123456));
    EXPECT_EQ(0x0000FFu, getColorFromHexString("#ff0000zz"));
    EXPECT_EQ(0x0000FFu, getColorFromHexString("16711680"));
    EXPECT_EQ(0u, getColorFromHexString("#"));
    cStringA hex("old");
    getHexStringFromColor(0xAB0a0b0c, hex);
    EXPECT_STREQ("#0C0B0A", hex.getPtr());
}
