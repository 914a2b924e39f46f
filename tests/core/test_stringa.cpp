#include <gtest/gtest.h>
#include <climits>
#include <clocale>
#include <functional>
#include <string>
#include <vector>
#include "core/stringa.h"

TEST(StringA, EmptyStringsAndAccess)
{
    cStringA empty, fromEmpty(""), fromNull(nullptr);
    EXPECT_EQ(11, empty.getType());
    EXPECT_EQ(nullptr, static_cast<const char*>(empty));
    EXPECT_EQ(nullptr, fromEmpty.getPtr());
    EXPECT_EQ(nullptr, fromNull.getPtr());
    EXPECT_EQ(0, empty.length());
    EXPECT_EQ(0, empty[0]);
    EXPECT_TRUE(empty.equals(nullptr));
    EXPECT_TRUE(empty.equals(""));
    EXPECT_TRUE(empty.equals(fromNull));
    EXPECT_TRUE((fromEmpty + "").isBlank());

    cStringA s("ab");
    EXPECT_EQ('a', s[0]);
    EXPECT_EQ('b', s[1]);
    EXPECT_EQ(0, s[-1]);
    EXPECT_EQ(0, s[s.length()]);

    cStringA blanks("  ");
    EXPECT_TRUE(blanks.hasContent());
    EXPECT_FALSE(blanks.isBlank());
    blanks.setBlank();
    EXPECT_EQ(nullptr, blanks.getPtr());
    EXPECT_EQ(11, cStringA(s).getType());
}

TEST(StringA, CopiesShareUntilChanged)
{
    const std::vector<std::function<void(cStringA&)>> changes = {
        [](cStringA& s) { s.toUpper(); },
        [](cStringA& s) { s.trimLeft(); },
        [](cStringA& s) { s.reverse(); },
        [](cStringA& s) { s.removeInterim(); },
        [](cStringA& s) { s.replace("b", "X", -1); },
        [](cStringA& s) { s.replace("b", "X", 2); },
        [](cStringA& s) { s.append("z"); },
        [](cStringA& s) { s << 'z'; },
        [](cStringA& s) { s.set("other"); },
        [](cStringA& s) { s.set(5); },
        [](cStringA& s) { s.setBlank(); },
        [](cStringA& s) { s = cStringA("other"); },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        SCOPED_TRACE(i);
        cStringA a(" aBc\xB0");
        cStringA b(a);
        EXPECT_EQ(a.getPtr(), b.getPtr());
        changes[i](b);
        EXPECT_STREQ(" aBc\xB0", a.getPtr());
        EXPECT_NE(a.getPtr(), b.getPtr());
    }
}

TEST(StringA, AssignmentAndOwnText)
{
    cStringA s("hello world");
    const char* before = s.getPtr();
    s.set(s.getPtr());
    EXPECT_EQ(before, s.getPtr());

    s.set(s.getPtr() + 6);
    EXPECT_STREQ("world", s.getPtr());
    s.append(s.getPtr() + 3);
    EXPECT_STREQ("worldld", s.getPtr());
    s << s;
    EXPECT_STREQ("worldldworldld", s.getPtr());

    cStringA t;
    t = s;
    EXPECT_EQ(s.getPtr(), t.getPtr());
    t = t;
    EXPECT_STREQ("worldldworldld", t.getPtr());
    t = "x";
    t += "y";
    t += cStringA("z");
    t << '\0';
    EXPECT_STREQ("xyz", t.getPtr());
    EXPECT_STREQ("worldldworldld", s.getPtr());
}

TEST(StringA, NumbersAtTheirLimits)
{
    cStringA s;
    EXPECT_STREQ("-2147483648", s.set(INT_MIN).getPtr());
    EXPECT_STREQ("4294967295", s.set(ULONG_MAX).getPtr());
    EXPECT_STREQ("4294967295", s.set(UINT_MAX).getPtr());

    s = "n=";
    s << INT_MIN << ',' << 7L << ',' << ULONG_MAX;
    EXPECT_STREQ("n=-2147483648,7,4294967295", s.getPtr());

    cStringA a("a");
    EXPECT_STREQ("a-1", (a + -1).getPtr());
    EXPECT_STREQ("a-5", (a + -5L).getPtr());
    EXPECT_STREQ("a4294967295", (a + ULONG_MAX).getPtr());
    EXPECT_STREQ("-1a", (-1 + a).getPtr());
    EXPECT_STREQ("2147483647a", (static_cast<long>(INT_MAX) + a).getPtr());
    EXPECT_STREQ("xa", ("x" + a).getPtr());
    EXPECT_STREQ("ax", (a + "x").getPtr());
    EXPECT_STREQ("a", (a + nullptr).getPtr());

    EXPECT_EQ(26, cStringA("0x1A").toInt(16, "0x"));
    EXPECT_EQ(26, cStringA("1A").toInt(16, "0x"));
    EXPECT_EQ(12, cStringA("12").toInt(10, "#"));
    EXPECT_EQ(12, cStringA("#12").toInt(10, "#"));
    EXPECT_EQ(-42, cStringA(" -42abc").toInt());
    EXPECT_EQ(INT_MIN, cStringA("-2147483648").toInt());
    EXPECT_EQ(0, cStringA().toInt());
    EXPECT_EQ(LLONG_MIN, cStringA("-9223372036854775808").toBigInt());
    EXPECT_EQ(LLONG_MAX, cStringA("0x7FFFFFFFFFFFFFFF").toBigInt(16, "0x"));
    EXPECT_EQ(LLONG_MIN, cStringA("-9223372036854775808").toBigInt(10, nullptr));
    EXPECT_EQ(0, cStringA().toBigInt(16, "0x"));
}

TEST(StringA, Comparisons)
{
    cStringA abc("abc");
    EXPECT_TRUE(abc.equals("abc"));
    EXPECT_FALSE(abc.equals("abd"));
    EXPECT_FALSE(abc.equals(cStringA("ab")));
    EXPECT_FALSE(abc.equals(nullptr));
    EXPECT_TRUE(abc.equalsIgnoreCase("ABC"));
    EXPECT_TRUE(abc.equalsIgnoreCase(cStringA("AbC")));
    EXPECT_TRUE(cStringA().equalsIgnoreCase(nullptr));
}

TEST(StringA, Replace)
{
    cStringA s("a\tb  ");
    s.replace("x", "y", -1);
    EXPECT_STREQ("a b", s.getPtr());  // normalised even without a match

    s = "a\tb";
    s.replace("b", "c", 5);
    EXPECT_STREQ("a\tb", s.getPtr());  // abandoned: left as it was

    s = "aaaa";
    s.replace("aa", "a", -1);
    EXPECT_STREQ("aa", s.getPtr());

    s = "abc";
    s.replace("b", "X", 1);
    EXPECT_STREQ("aXc", s.getPtr());
    s = "abc";
    s.replace("b", "X", 0);
    EXPECT_STREQ("abc", s.getPtr());
    s.replace("b", nullptr, -1);
    EXPECT_STREQ("ac", s.getPtr());
    s.replace("", "X", -1);
    s.replace(nullptr, "X", -1);
    EXPECT_STREQ("ac", s.getPtr());

    s = "abab";
    s.replace("a", "xyz", -1);
    EXPECT_STREQ("xyzbxyzb", s.getPtr());

    s = "ab";
    s.replace("b", "c", 2);  // index at the end: nothing to match, still set
    EXPECT_STREQ("ab", s.getPtr());

    // The trail byte 'a' of 0xB0 0x61 is part of one character and never matched.
    s = "\xB0" "aa";
    s.replace("a", "X", -1);
    EXPECT_STREQ("\xB0" "aX", s.getPtr());
    s = "\xB0" "aa";
    s.replace("a", "X", 1);
    EXPECT_STREQ("\xB0" "aa", s.getPtr());

    // find pointing into the string's own text.
    s = "abcabc";
    s.replace(s.getPtr() + 4, "X", -1);
    EXPECT_STREQ("aXaX", s.getPtr());

    s = "   ";
    s.replace("x", "y", -1);
    EXPECT_TRUE(s.isBlank());
}

TEST(StringA, Transformations)
{
    cStringA s("한abc");
    s.toUpper();
    EXPECT_STREQ("한ABC", s.getPtr());
    EXPECT_STREQ("\xC7\xD1" "ABC", s.getPtr());
    s.toLower();
    EXPECT_STREQ("한abc", s.getPtr());
    // The trail byte of a double-byte character is not a letter to be cased.
    s = "\xB0\x61";
    s.toUpper();
    EXPECT_STREQ("\xB0\x61", s.getPtr());

    s = "abc";
    s.reverse();
    EXPECT_STREQ("cba", s.getPtr());
    s = " \t x \r\n";
    s.trimLeft();
    EXPECT_STREQ("x \r\n", s.getPtr());
    s.trimRight();
    EXPECT_STREQ("x", s.getPtr());
    EXPECT_EQ(1, s.length());
    s = "  ";
    s.trimRight();
    EXPECT_EQ(nullptr, s.getPtr());

    s = "A\xB0";
    s.removeInterim();
    EXPECT_STREQ("A", s.getPtr());
    EXPECT_EQ(1, s.length());

    cStringA empty;
    empty.toUpper();
    empty.reverse();
    EXPECT_EQ(nullptr, empty.getPtr());
}

TEST(StringA, FromWideText)
{
    cStringA s("x");
    s = static_cast<const unsigned short*>(nullptr);
    EXPECT_EQ(nullptr, s.getPtr());
    const unsigned short empty[] = {0};
    s = "x";
    s = empty;
    EXPECT_EQ(nullptr, s.getPtr());
    const unsigned short abc[] = {'a', 'b', 'c', 0};
    s = abc;
    EXPECT_STREQ("abc", s.getPtr());

    // The C runtime converts by its own locale: in "C" a CJK character has no
    // byte form, and only that character is lost.
    const unsigned short mixed[] = {'a', 0xD55C, 'b', 0};
    std::string saved = setlocale(LC_CTYPE, nullptr);
    setlocale(LC_CTYPE, "C");
    s = mixed;
    EXPECT_STREQ("a?b", s.getPtr());
    if (setlocale(LC_CTYPE, ".949")) {
        s = mixed;
        EXPECT_STREQ("a한b", s.getPtr());
    }
    setlocale(LC_CTYPE, saved.c_str());
}
