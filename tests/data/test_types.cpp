#include <gtest/gtest.h>
#include <windows.h>
#include "core/error.h"
#include "data/colors.h"
#include "sys/cursor.h"
#include "data/types.h"
#include "data/values.h"

TEST(Type, UnknownIdsAndNamesAndTheirMessage)
{
    EXPECT_EQ(19, cType("timestamp").dispSize());
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
    kaErrorClear();
    EXPECT_EQ(0, static_cast<long>(cType("Date")));
    EXPECT_EQ(0, static_cast<long>(cType(static_cast<const char*>(nullptr))));

    // Re-setting forgets the previous entry.
    cType t("long");
    t = 77;
    EXPECT_TRUE(t.name().isBlank());
    kaErrorClear();
}

TEST(Type, FormatWords)
{
    cType date(5), number(3), text("str");
    EXPECT_STREQ("mdy", date.strFromFormat(0xC00).getPtr());
    EXPECT_EQ(0x400, date.formatFromStr("MDY"));
    EXPECT_EQ(0x400, date.formatFromStr("xmdyx"));
    EXPECT_EQ(0, date.formatFromStr("Mdy"));
    EXPECT_EQ(0, date.formatFromStr(nullptr));
    EXPECT_STREQ(",", number.strFromFormat(1).getPtr());
    EXPECT_TRUE(number.strFromFormat(0x400).isBlank());
    EXPECT_EQ(1, number.formatFromStr("#,##0"));
    EXPECT_EQ(0, number.formatFromStr("#0"));
    EXPECT_TRUE(text.strFromFormat(0xFFF).isBlank());
    EXPECT_EQ(0, text.formatFromStr(",mdy"));
}

TEST(Values, AssignmentTakesTheValueNeverTheType)
{
    cComponent plain, typed(200);
    typed.setName("button");
    plain = typed;
    EXPECT_EQ(128, plain.getType());
    EXPECT_STREQ("button", plain.getName());
    cComponent copy(typed);
    EXPECT_EQ(200, copy.getType());
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

    cColorSet set, other;
    other.border = 0xDEEBEF;
    EXPECT_FALSE(set.equals(other));
    other.make3DColor();
    EXPECT_EQ(0xDEEBEFu, other.face);
    EXPECT_EQ(0xB1BCBFu, other.shadow);
    EXPECT_EQ(0x858D8Fu, other.darkShadow);
    other.make3DColorFromFill();
    EXPECT_EQ(0xFFFFFFu, other.face);
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
        cCursor c;
        c.wait();
        EXPECT_EQ(hourglass, GetCursor());
        c.restore();
        c.restore();
        EXPECT_EQ(arrow, GetCursor());
        c.wait();
    }
    EXPECT_EQ(arrow, GetCursor());  // a waiting cursor restores when it goes

    // Waiting twice saves the wait cursor itself.
    cCursor twice;
    twice.wait();
    twice.wait();
    twice.restore();
    EXPECT_EQ(hourglass, GetCursor());
    SetCursor(arrow);
}
