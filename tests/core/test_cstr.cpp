#include <gtest/gtest.h>
#include <climits>
#include <cstring>
#include <string>
#include "core/cstr.h"
#include "core/memory.h"

TEST(CStr, CopiesStayInsideTheirCount)
{
    EXPECT_EQ(nullptr, strDuplicate(""));
    char buf[8];
    memset(buf, 'X', sizeof buf);
    EXPECT_EQ(buf, strCopyN(buf, "abcdef", 3));
    EXPECT_EQ(0, memcmp(buf, "abc\0X", 5));
    memset(buf, 'X', sizeof buf);
    strCopyN(buf, "ab", 4);
    EXPECT_EQ(0, memcmp(buf, "ab\0\0\0X", 6));
    EXPECT_EQ(nullptr, strCopyN(nullptr, "a", 1));

    char field[7] = {'a', '\t', 'b', ' ', ' ', ' ', 'Z'};
    EXPECT_EQ(3, strNullPad(field, 6));
    EXPECT_STREQ("a b", field);
    // A full field without NUL is terminated at n, not beyond.
    char full[6] = {'a', 'b', 'c', 'd', 'Q', 'Z'};
    EXPECT_EQ(4, strNullPad(full, 4));
    EXPECT_STREQ("abcd", full);
    EXPECT_EQ('Z', full[5]);
}

TEST(CStr, RemoveInterimCutsOnlyAHalfCharacter)
{
    char cut[] = "A\xB0";
    EXPECT_EQ(1, strRemoveInterim(cut, -1));
    EXPECT_STREQ("A", cut);
    char whole[] = "A\xB0\xA1";
    EXPECT_EQ(3, strRemoveInterim(whole, -1));
    EXPECT_EQ(1, strRemoveInterim(whole, 2));
    EXPECT_STREQ("A", whole);
    // A longer text is measured, not cut, at n.
    char longer[] = "abcdef";
    EXPECT_EQ(3, strRemoveInterim(longer, 3));
    EXPECT_STREQ("abcdef", longer);
}

TEST(CStr, NumbersSaturateOrWrapAndNeverOverrun)
{
    bool percent = false;
    EXPECT_EQ(42, strInt("42%", &percent));
    EXPECT_TRUE(percent);
    EXPECT_EQ(0, strInt("-5", &percent));
    EXPECT_FALSE(percent);
    EXPECT_EQ(INT_MAX, strInt("2147483648", nullptr));
    // A digit run far beyond any fixed working buffer stays safe and still sees its '%'.
    std::string digits(500, '9');
    EXPECT_EQ(INT_MAX, strInt((digits + "%").c_str(), &percent));
    EXPECT_TRUE(percent);

    EXPECT_EQ(LLONG_MIN, strBigInt("  -9223372036854775808"));
    EXPECT_EQ(LLONG_MIN, strBigInt("9223372036854775808"));  // wraps
    EXPECT_EQ(12, strBigInt("12ab"));
    EXPECT_EQ(0, strBigInt("-"));
}
