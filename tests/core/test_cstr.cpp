#include <gtest/gtest.h>
#include <climits>
#include <cstring>
#include <string>
#include "core/cstr.h"
#include "core/memory.h"

TEST(CStr, ComparisonPresenceRule)
{
    EXPECT_EQ(0, strCompare(nullptr, ""));
    EXPECT_EQ(1, strCompare("a", nullptr));
    EXPECT_EQ(-1, strCompare(nullptr, "a"));
    EXPECT_EQ(-1, strCompare("", "a"));
    EXPECT_EQ('c' - 'd', strCompare("abc", "abd"));
    EXPECT_LT(strCompare("ab", "abc"), 0);
    // Bytes compare unsigned: a Korean lead byte sorts after ASCII.
    EXPECT_GT(strCompare("한", "z"), 0);
    EXPECT_TRUE(strIsEqual(nullptr, ""));
    EXPECT_FALSE(strIsEqual("a", "A"));

    EXPECT_EQ(0, strCompareNoCase("ABC", "abc"));
    EXPECT_EQ(0, strCompareNoCase(nullptr, ""));
    EXPECT_EQ(1, strCompareNoCase("A", ""));
    EXPECT_TRUE(strIsEqualNoCase("한Ab", "한aB"));
    // 0xB0 0x41 and 0xB0 0x61 are two different Hangul syllables: lowering must
    // leave trail bytes alone.
    EXPECT_FALSE(strIsEqualNoCase("\xB0\x41", "\xB0\x61"));
}

TEST(CStr, BoundedComparison)
{
    EXPECT_EQ(1, strnCompare("abc", "", 0));
    EXPECT_EQ(-1, strnCompare(nullptr, "abc", 0));
    EXPECT_EQ(0, strnCompare("abc", "abd", -5));
    EXPECT_EQ(0, strnCompare("abc", "abd", 2));
    EXPECT_EQ('c' - 'd', strnCompare("abc", "abd", 3));
    EXPECT_LT(strnCompare("ab", "abc", 10), 0);
    EXPECT_EQ(0, strnCompareNoCase("ABx", "aby", 2));
    EXPECT_NE(0, strnCompareNoCase("ABx", "aby", 3));
}

TEST(CStr, DuplicateCopyCat)
{
    EXPECT_EQ(nullptr, strDuplicate(""));
    EXPECT_EQ(nullptr, strDuplicate(nullptr));
    const char* src = "abc";
    char* copy = strDuplicate(src);
    ASSERT_NE(nullptr, copy);
    EXPECT_NE(src, copy);
    EXPECT_STREQ("abc", copy);
    ka_free(copy);

    char buf[8];
    memset(buf, 'X', sizeof buf);
    EXPECT_EQ(buf, strCopyN(buf, "abcdef", 3));
    EXPECT_EQ(0, memcmp(buf, "abc\0X", 5));
    memset(buf, 'X', sizeof buf);
    strCopyN(buf, "ab", 4);
    EXPECT_EQ(0, memcmp(buf, "ab\0\0\0X", 6));
    EXPECT_STREQ("", strCopyN(buf, nullptr, 4));
    EXPECT_EQ(nullptr, strCopyN(nullptr, "a", 1));

    strCopy(buf, "ab");
    EXPECT_EQ(buf, strCat(buf, nullptr));
    EXPECT_STREQ("abcd", strCat(buf, "cd"));
    EXPECT_EQ(nullptr, strCat(nullptr, "x"));
    EXPECT_EQ(0, strLen(nullptr));
    EXPECT_EQ(4, strLen(buf));
}

TEST(CStr, WhiteSpaceAndTrimming)
{
    EXPECT_FALSE(kaIsWhiteChar('\0'));
    EXPECT_TRUE(kaIsWhiteChar(' '));
    EXPECT_FALSE(kaIsWhiteChar('\xA0'));
    char empty[] = "", white[] = " \t\r\n", mixed[] = " a ";
    EXPECT_TRUE(kaIsWhiteString(nullptr));
    EXPECT_TRUE(kaIsWhiteString(empty));
    EXPECT_TRUE(kaIsWhiteString(white));
    EXPECT_FALSE(kaIsWhiteString(mixed));

    EXPECT_EQ(nullptr, strSkipWhite(nullptr));
    EXPECT_STREQ("", strSkipWhite(" \x1F "));
    EXPECT_STREQ("x y", strSkipWhite("\t x y"));

    char left[] = "\t a b ";
    strTrimLeft(left);
    EXPECT_STREQ("a b ", left);
    char right[] = " a b\x01 \t";
    strTrimRight(right);
    EXPECT_STREQ(" a b", right);
    char korean[] = "한\xA0 ";
    strTrimRight(korean);
    EXPECT_STREQ("한\xA0", korean);
    char blanks[] = "   ";
    strTrimLeft(blanks);
    EXPECT_STREQ("", blanks);
}

TEST(CStr, NullPad)
{
    char field[7] = {'a', '\t', 'b', ' ', ' ', ' ', 'Z'};
    EXPECT_EQ(3, strNullPad(field, 6));
    EXPECT_STREQ("a b", field);

    char blanks[7] = "      ";
    EXPECT_EQ(0, strNullPad(blanks, 6));
    EXPECT_STREQ("", blanks);

    // A full field without NUL is terminated at n, not beyond.
    char full[6] = {'a', 'b', 'c', 'd', 'Q', 'Z'};
    EXPECT_EQ(4, strNullPad(full, 4));
    EXPECT_STREQ("abcd", full);
    EXPECT_EQ('Z', full[5]);

    char lines[] = "a\r\nb\x01" "c\t";
    EXPECT_EQ(6, strNullPad(lines, 7));
    EXPECT_STREQ("a\r\nb c", lines);

    char inner[] = "ab\0cd";
    EXPECT_EQ(2, strNullPad(inner, 5));
    EXPECT_EQ(0, strNullPad(nullptr, 3));
}

TEST(CStr, RemoveInterim)
{
    char cut[] = "A\xB0";
    EXPECT_EQ(1, strRemoveInterim(cut, -1));
    EXPECT_STREQ("A", cut);

    char whole[] = "A\xB0\xA1";
    EXPECT_EQ(3, strRemoveInterim(whole, -1));
    EXPECT_STREQ("A\xB0\xA1", whole);
    EXPECT_EQ(1, strRemoveInterim(whole, 2));
    EXPECT_STREQ("A", whole);

    // A longer text is measured, not cut, at n.
    char longer[] = "abcdef";
    EXPECT_EQ(3, strRemoveInterim(longer, 3));
    EXPECT_STREQ("abcdef", longer);
    EXPECT_EQ(0, strRemoveInterim(nullptr, -1));
}

TEST(CStr, Search)
{
    EXPECT_EQ(1, strSearch("abcabc", "bc", -1));
    EXPECT_EQ(4, strSearch("abcabc", "bc", 4));
    EXPECT_EQ(-1, strSearch("abcabc", "bc", 2));
    EXPECT_EQ(-1, strSearch("abcabc", "bc", 5));
    EXPECT_EQ(3, strSearch("abc", "", -1));
    EXPECT_EQ(-1, strSearchIgnoreCase("abc", "", -1));
    EXPECT_EQ(-1, strSearch(nullptr, "a", -1));
    EXPECT_EQ(-1, strSearch("a", nullptr, -1));
    EXPECT_EQ(-1, strSearch("abc", "abcd", -1));

    // 0xB0 0x61 is one character: its trail byte 'a' is no match.
    const char* dbcs = "\xB0" "aa";
    EXPECT_EQ(2, strSearch(dbcs, "a", -1));
    EXPECT_EQ(-1, strSearch(dbcs, "a", 1));
    EXPECT_EQ(2, strSearch(dbcs, "a", 2));
    EXPECT_EQ(-1, strSearch("a\xB0", "b", -1));
    EXPECT_EQ(-1, strSearch("a\xB0", "b", 2));

    EXPECT_EQ(1, strSearchIgnoreCase("ABCabc", "bC", -1));
    EXPECT_EQ(4, strSearchIgnoreCase("ABCABC", "bc", 4));
    EXPECT_EQ(3, strSearchIgnoreCase("한xY", "y", -1));
}

TEST(CStr, NumberParsing)
{
    bool percent = false;
    EXPECT_EQ(42, strInt("42%", &percent));
    EXPECT_TRUE(percent);
    EXPECT_EQ(0, strInt(" 42", &percent));
    EXPECT_FALSE(percent);
    EXPECT_EQ(0, strInt("-5", nullptr));
    EXPECT_EQ(0, strInt(nullptr, &percent));
    EXPECT_FALSE(percent);
    EXPECT_EQ(7, strInt("007x", nullptr));
    EXPECT_EQ(INT_MAX, strInt("2147483647", nullptr));
    EXPECT_EQ(INT_MAX, strInt("2147483648", nullptr));
    // A digit run far beyond any fixed working buffer stays safe and still sees its '%'.
    std::string digits(500, '9');
    EXPECT_EQ(INT_MAX, strInt((digits + "%").c_str(), &percent));
    EXPECT_TRUE(percent);

    EXPECT_EQ(LLONG_MIN, strBigInt("  -9223372036854775808"));
    EXPECT_EQ(LLONG_MAX, strBigInt("9223372036854775807"));
    EXPECT_EQ(LLONG_MIN, strBigInt("9223372036854775808"));  // wraps
    EXPECT_EQ(0, strBigInt("18446744073709551616"));
    EXPECT_EQ(12, strBigInt("12ab"));
    EXPECT_EQ(5, strBigInt("\t+5"));
    EXPECT_EQ(0, strBigInt("-"));
    EXPECT_EQ(0, strBigInt(nullptr));

    EXPECT_DOUBLE_EQ(150.0, strDouble(" 1.5e2x"));
    EXPECT_DOUBLE_EQ(0.0, strDouble("abc"));
    EXPECT_DOUBLE_EQ(0.0, strDouble(nullptr));
    EXPECT_FLOAT_EQ(0.1f, strFloat("0.1"));
    EXPECT_FLOAT_EQ(0.0f, strFloat(nullptr));
}

TEST(CStr, CharacterClassesArePlainAscii)
{
    EXPECT_EQ(1, isDigit('9'));
    EXPECT_EQ(0, isAlpha('@'));
    EXPECT_EQ(0, isAlpha('['));
    EXPECT_EQ(0, isAlpha('\xC7'));
    EXPECT_EQ(0, isAlnum('\xE9'));
    EXPECT_EQ(1, isAlnum('q'));
}
