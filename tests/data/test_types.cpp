#include <gtest/gtest.h>
#include <windows.h>
#include "core/error.h"
#include "data/colors.h"
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
