#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ka.h"

namespace {

std::string str(const char* s) { return s ? s : "<null>"; }

using Texts = std::vector<std::string>;

Texts texts(const cArrayStr& a)
{
    Texts out;
    for (int i = 0; i < a.count(); ++i) out.push_back(str(a[i]));
    return out;
}

Texts split(const char* text, int size, int flags)
{
    cArrayStr a;
    a.appendBySize(text, size, flags);
    return texts(a);
}

}  // namespace

TEST(ArrayStr, InsertGrowsAFullBlockAndCopiesOwnTheirTexts)
{
    cArrayStr a;
    for (int k = 0; k < 10000; ++k) ASSERT_EQ(k, a.append(std::to_string(k).c_str(), k));
    EXPECT_EQ(0, a.insert(0, "front"));
    EXPECT_EQ(9999, a.getValue(10000));

    cArrayStr b(a);
    a.replace(0, "changed");
    EXPECT_EQ("front", str(b[0]));
    EXPECT_NE(a[1], b[1]);
    b = a;
    b = b;
    EXPECT_EQ("changed", str(b[0]));
}

TEST(ArrayStr, AppendBySizeKeepsLineEndsAndDoubleByteCharactersWhole)
{
    EXPECT_EQ((Texts{"ab", "cd"}), split("ab\r\ncd", 10, 1));
    // The second piece is CR LF c before trimming: a CR LF pair is never split.
    EXPECT_EQ((Texts{"ab", "c", "d"}), split("ab\r\ncd", 3, 0));
    // A piece full at a CR leaves the line end to a piece of its own (a null entry).
    EXPECT_EQ((Texts{"abc", "<null>", "d"}), split("abc\r\nd", 3, 1));

    // A lead byte whose partner would be cut off moves on to the next piece.
    EXPECT_EQ((Texts{"ab", "가"}), split("ab가", 3, 0));
    EXPECT_EQ((Texts{"a", "가", "b"}), split("a가b", 1, 0));
    EXPECT_EQ((Texts{"a", " ", "\xB0"}), split("a \xB0", 1, 0));

    // Pieces that could give back every byte keep one, so that cutting moves on.
    EXPECT_EQ((Texts{"\xB0", "<null>"}), split("\xB0\r\n", 2, 0));
    EXPECT_EQ((Texts{"\xB0", "<null>", "x"}), split("\xB0\rx", 2, 1));

    cArrayStr a;
    a.append("kept", 4);
    EXPECT_EQ(1, a.appendBySize("abc", 0, 0));
    std::string longText(100000, 'x');
    EXPECT_EQ(2, a.appendBySize(longText.c_str(), 0x7FFFFFFF, 0));
    EXPECT_EQ(100000, a.textLength(1));
}
