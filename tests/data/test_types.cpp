#include <gtest/gtest.h>
#include <windows.h>
#include "core/error.h"
#include "data/colors.h"
#include "data/cursor.h"
#include "data/types.h"
#include "data/values.h"

TEST(Type, LookupByIdAndName)
{
    cType date(5);
    EXPECT_EQ(5, static_cast<long>(date));
    EXPECT_STREQ("date", date.name().getPtr());
    EXPECT_EQ(1, date.isValid());
    EXPECT_EQ(10, date.dispSize());
    cType stamp("timestamp");
    EXPECT_EQ(9, static_cast<long>(stamp));
    EXPECT_EQ(19, stamp.dispSize());
    EXPECT_STREQ("cProect", cType(99).name().getPtr());
    EXPECT_EQ(128, static_cast<long>(cType("cComponent")));
    EXPECT_EQ(0, cType("cVar").dispSize());

    // Unknown ids keep the id; unknown names (case counts) keep nothing.
    kaErrorClear();
    cType unknown(10);
    EXPECT_EQ(10, static_cast<long>(unknown));
    EXPECT_TRUE(unknown.name().isBlank());
    EXPECT_FALSE(kaErrorExist());
    EXPECT_EQ(0, unknown.isValid());
    EXPECT_STREQ("Invalid type.", kaErrorGetMsg().getPtr());
    kaErrorClear();
    EXPECT_EQ(0, unknown.dispSize());
    EXPECT_STREQ("Invalid type.", kaErrorGetMsg().getPtr());
    cType wrongCase("Date");
    EXPECT_EQ(0, static_cast<long>(wrongCase));
    EXPECT_EQ(0, wrongCase.isValid());
    EXPECT_EQ(0, static_cast<long>(cType(static_cast<const char*>(nullptr))));
    kaErrorClear();

    // Re-setting forgets the previous entry; copies take all fields.
    cType t("long");
    t = 77;
    EXPECT_EQ(77, static_cast<long>(t));
    EXPECT_TRUE(t.name().isBlank());
    t.set("int");
    cType copy(t);
    EXPECT_EQ(8, static_cast<long>(copy));
    EXPECT_STREQ("int", copy.name().getPtr());
    cType assigned;
    assigned = copy;
    EXPECT_EQ(19, assigned.dispSize());
}

TEST(Type, FormatWords)
{
    cType date(5), number(3), text("str");
    EXPECT_STREQ("ymd", date.strFromFormat(0).getPtr());
    EXPECT_STREQ("dmy", date.strFromFormat(0x800).getPtr());
    EXPECT_STREQ("mdy", date.strFromFormat(0xC00).getPtr());
    EXPECT_EQ(0x400, date.formatFromStr("MDY"));
    EXPECT_EQ(0x400, date.formatFromStr("xmdyx"));
    EXPECT_EQ(0x800, date.formatFromStr("dmy"));
    EXPECT_EQ(0, date.formatFromStr("Mdy"));
    EXPECT_EQ(0, date.formatFromStr(nullptr));

    EXPECT_STREQ(",", number.strFromFormat(1).getPtr());
    EXPECT_TRUE(number.strFromFormat(0x400).isBlank());
    EXPECT_EQ(1, number.formatFromStr("#,##0"));
    EXPECT_EQ(0, number.formatFromStr("#0"));
    EXPECT_EQ(1, cType("double").formatFromStr(","));
    EXPECT_STREQ(",", cType(8).strFromFormat(1).getPtr());

    EXPECT_TRUE(text.strFromFormat(0xFFF).isBlank());
    EXPECT_EQ(0, text.formatFromStr(",mdy"));
}

TEST(Values, InitialValuesAndAssignment)
{
    cBool flag;
    EXPECT_EQ(7, flag.getType());
    EXPECT_EQ(0xFF, flag.value);
    EXPECT_EQ(3, cLong().getType());
    EXPECT_EQ(8, cBigint().getType());
    EXPECT_EQ(4, cDouble().getType());
    EXPECT_EQ(49, cPointD().getType());
    EXPECT_EQ(48, cSize().getType());

    // Assignment takes the value, never the type: a value keeps what it is.
    cLong a, b;
    a.value = 42;
    b = a;
    EXPECT_EQ(42, b.value);
    cBigint big;
    big.value = -5000000000LL;
    cBigint big2;
    big2 = big;
    EXPECT_EQ(-5000000000LL, big2.value);
    cPointD p, q;
    p.x = 1.5, p.y = -2.5;
    q = p;
    EXPECT_EQ(1.5, q.x);
    EXPECT_EQ(-2.5, q.y);
    cSize s, t;
    s.width = 3, s.height = 4;
    t = s;
    EXPECT_EQ(4, t.height);

    cComponent plain, typed(200);
    EXPECT_EQ(128, plain.getType());
    EXPECT_EQ(nullptr, plain.getName());
    typed.setName("button");
    plain = typed;
    EXPECT_EQ(128, plain.getType());
    EXPECT_STREQ("button", plain.getName());
    cComponent copy(typed);
    EXPECT_EQ(200, copy.getType());
    EXPECT_STREQ("button", copy.getName());

    cPointL l;
    EXPECT_EQ(0, l.x);
    l.set(-3, 9);
    EXPECT_EQ(-3, l.x);
    EXPECT_EQ(9, l.y);
}

TEST(Colors, HexTextAndDerivation)
{
    EXPECT_EQ(0x563412u, reverse_color(0x123456));
    EXPECT_EQ(0x563412u, reverse_color(0xFF123456));
    EXPECT_EQ(0x80FF00u, getColorFromHexString("#00FF80"));
    EXPECT_EQ(0x0000FFu, getColorFromHexString("#FF0000"));
    EXPECT_EQ(0x0000FFu, getColorFromHexString("#ff0000"));
    EXPECT_EQ(0x0000FFu, getColorFromHexString("#FF0000zz"));
    EXPECT_EQ(0x0000FFu, getColorFromHexString("16711680"));
    EXPECT_EQ(0u, getColorFromHexString(nullptr));
    EXPECT_EQ(0u, getColorFromHexString(""));
    EXPECT_EQ(0u, getColorFromHexString("#"));
    cStringA hex("old");
    getHexStringFromColor(0x80FF00, hex);
    EXPECT_STREQ("#00FF80", hex.getPtr());
    getHexStringFromColor(0x0000FF, hex);
    EXPECT_STREQ("#FF0000", hex.getPtr());
    getHexStringFromColor(0xAB0a0b0c, hex);
    EXPECT_STREQ("#0C0B0A", hex.getPtr());

    cColorSet set;
    EXPECT_EQ(0xFFFFFFu, set.fill);
    EXPECT_EQ(0u, set.text);
    EXPECT_EQ(0u, set.border);
    EXPECT_EQ(0xF0F0F0u, set.light);
    EXPECT_EQ(0xFFFFFFu, set.face);
    EXPECT_EQ(0xCCCCCCu, set.shadow);
    EXPECT_EQ(0x999999u, set.darkShadow);

    cColorSet other;
    EXPECT_TRUE(set.equals(other));
    other.border = 0xDEEBEF;
    EXPECT_FALSE(set.equals(other));
    other.make3DColor();
    EXPECT_EQ(0xDEEBEFu, other.face);
    EXPECT_EQ(0xB1BCBFu, other.shadow);
    EXPECT_EQ(0x858D8Fu, other.darkShadow);
    EXPECT_EQ(0xFFFFFFu, other.fill);
    other.make3DColorFromFill();
    EXPECT_EQ(0xFFFFFFu, other.face);
    set = other;
    EXPECT_TRUE(set.equals(other));
    EXPECT_EQ(0xDEEBEFu, set.border);
}

TEST(Cursor, WaitAndRestore)
{
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    HCURSOR hourglass = LoadCursor(nullptr, IDC_WAIT);
    SetCursor(arrow);
    {
        cCursor never;
        never.restore();
        EXPECT_EQ(arrow, GetCursor());
    }
    EXPECT_EQ(arrow, GetCursor());
    {
        cCursor c;
        c.wait();
        EXPECT_EQ(hourglass, GetCursor());
        c.restore();
        EXPECT_EQ(arrow, GetCursor());
        c.restore();
        EXPECT_EQ(arrow, GetCursor());
        c.wait();
    }
    EXPECT_EQ(arrow, GetCursor());

    // Waiting twice saves the wait cursor itself.
    cCursor twice;
    twice.wait();
    twice.wait();
    twice.restore();
    EXPECT_EQ(hourglass, GetCursor());
    SetCursor(arrow);
}
