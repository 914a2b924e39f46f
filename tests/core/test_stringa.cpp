#include <gtest/gtest.h>
#include <climits>
#include <functional>
#include <string>
#include <vector>
#include "core/stringa.h"

TEST(StringA, CopiesShareUntilChanged)
{
    const std::vector<std::function<void(cStringA&)>> changes = {
        [](cStringA& s) { s.toUpper(); },
        [](cStringA& s) { s.removeInterim(); },
        [](cStringA& s) { s.replace("b", "X", -1); },
        [](cStringA& s) { s.append("z"); },
        [](cStringA& s) { s.set(5); },
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

TEST(StringA, OwnTextMayBePassedBackIn)
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
    s = s;
    s << '\0';
    EXPECT_STREQ("worldldworldld", s.getPtr());
    s = "abcabc";
    s.replace(s.getPtr() + 4, "X", -1);  // the text to find lies in the string itself
    EXPECT_STREQ("aXaX", s.getPtr());
}

TEST(StringA, ReplaceNormalisesAndNeverMatchesATrailByte)
{
    cStringA s("a\tb  ");
    s.replace("x", "y", -1);
    EXPECT_STREQ("a b", s.getPtr());  // normalised even without a match
    s = "ab";
    s.replace("b", "c", 5);
    EXPECT_STREQ("ab", s.getPtr());  // abandoned: left as it was
    s = "aaaa";
    s.replace("aa", "a", -1);
    EXPECT_STREQ("aa", s.getPtr());  // not scanned again

    // The trail byte 'a' of 0xB0 0x61 is part of one character and never matched.
    s = "\xB0" "aa";
    s.replace("a", "X", -1);
    EXPECT_STREQ("\xB0" "aX", s.getPtr());
    s = "\xB0" "aa";
    s.replace("a", "X", 1);
    EXPECT_STREQ("\xB0" "aa", s.getPtr());
}
