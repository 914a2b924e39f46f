#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>
#include "ka.h"

namespace {

std::string str(const char* s) { return s ? s : "<null>"; }

std::vector<std::string> texts(const cArrayStr& a)
{
    std::vector<std::string> out;
    for (int i = 0; i < a.count(); ++i) out.push_back(str(a[i]));
    return out;
}

std::vector<std::pair<std::string, long>> entries(const cArrayStr& a)
{
    std::vector<std::pair<std::string, long>> out;
    for (int i = 0; i < a.count(); ++i) out.emplace_back(str(a.text(i)), a.getValue(i));
    return out;
}

using Entries = std::vector<std::pair<std::string, long>>;
using Texts = std::vector<std::string>;

cArrayStr split(const char* text, int size, int flags)
{
    cArrayStr a;
    a.appendBySize(text, size, flags);
    return a;
}

}  // namespace

TEST(ArrayStr, BoundaryIndexesAndEmptyTexts)
{
    cArrayStr a;
    EXPECT_EQ(15, a.getType());
    EXPECT_EQ(nullptr, a[0]);
    EXPECT_EQ(0, a.append("one", 11));
    EXPECT_EQ(1, a.append(""));
    EXPECT_EQ(2, a.append(nullptr, 33));
    EXPECT_EQ(3, a.append("One"));
    EXPECT_EQ(nullptr, a[1]);  // empty texts are null entries
    EXPECT_EQ(0, a.textLength(1));
    EXPECT_EQ(3, a.textLength(0));

    for (int bad : {-1, 4}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(nullptr, a[bad]);
        EXPECT_EQ(nullptr, a.text(bad));
        EXPECT_EQ(0, a.getValue(bad));
        EXPECT_EQ(0, a.textLength(bad));
        a.replace(bad, "x");
        a.remove(bad);
    }
    EXPECT_EQ(-1, a.insert(-1, "x"));
    EXPECT_EQ(-1, a.insert(5, "x"));
    EXPECT_EQ((Entries{{"one", 11}, {"<null>", 0}, {"<null>", 33}, {"One", 0}}), entries(a));

    EXPECT_EQ(3, a.find("One"));  // case-sensitive
    EXPECT_EQ(1, a.find(""));     // an empty text finds the first null entry
    EXPECT_EQ(1, a.find(nullptr));
    EXPECT_EQ(-1, a.find("ONE"));
    EXPECT_EQ(2, a.findValue(33));
    EXPECT_EQ(-1, a.findValue(7));

    a.replace(2, "two");  // the number stays
    EXPECT_EQ(4, a.insert(4, "end"));
    EXPECT_EQ(0, a.insert(0, "start"));  // inserted entries get number 0
    EXPECT_EQ((Entries{{"start", 0}, {"one", 11}, {"<null>", 0}, {"two", 33}, {"One", 0}, {"end", 0}}),
              entries(a));
    a.remove(0);
    a.remove(4);
    a.remove(1);
    EXPECT_EQ((Entries{{"one", 11}, {"two", 33}, {"One", 0}}), entries(a));

    a.setCount(5);
    EXPECT_EQ((Texts{"one", "two", "One", "<null>", "<null>"}), texts(a));
    a.setCount(1);
    a.setCount(-3);
    EXPECT_EQ(0, a.count());
    a.append("again");
    a.removeAll();
    EXPECT_EQ(0, a.count());
    EXPECT_EQ(nullptr, a[0]);
}

TEST(ArrayStr, GrowsPastTenThousandByAppendAndInsert)
{
    cArrayStr a;
    for (int k = 0; k < 10000; ++k) ASSERT_EQ(k, a.append(std::to_string(k).c_str(), k));
    EXPECT_EQ(0, a.insert(0, "front"));  // a full block grows through insert too
    EXPECT_EQ(10001, a.append("last", -1));
    EXPECT_EQ(10002, a.count());
    EXPECT_EQ("front", str(a[0]));
    EXPECT_EQ("0", str(a[1]));
    EXPECT_EQ(0, a.getValue(1));
    EXPECT_EQ("9999", str(a[10000]));
    EXPECT_EQ(9999, a.getValue(10000));
    EXPECT_EQ(-1, a.getValue(10001));
    a.remove(0);
    EXPECT_EQ(5000, a.find("5000"));
    EXPECT_EQ(7000, a.findValue(7000));

    // A copy takes the other's capacity and copies of its texts.
    cArrayStr b(a);
    a.replace(0, "changed");
    EXPECT_EQ("0", str(b[0]));
    EXPECT_NE(a[1], b[1]);
    EXPECT_EQ(10001, b.count());
    EXPECT_EQ(10001, b.append("more"));
    b = a;
    EXPECT_EQ("changed", str(b[0]));
    b = b;
    EXPECT_EQ(10001, b.count());
    b = cArrayStr();
    EXPECT_EQ(0, b.count());
    EXPECT_EQ(0, b.append("x"));
}

TEST(ArrayStr, SortIsCaseInsensitiveExchangeSortCarryingNumbers)
{
    cArrayStr a;
    a.append("b", 1);
    a.append("A", 2);
    a.append("c", 3);
    a.sort(kaSortAscending);
    EXPECT_EQ((Entries{{"A", 2}, {"b", 1}, {"c", 3}}), entries(a));

    // Equal keys (b and B) leave in the order the exchange sort puts them in,
    // which here reverses the order they came in.
    cArrayStr up;
    up.append("c", 1);
    up.append("b", 2);
    up.append("B", 3);
    up.append("a", 4);
    up.sort(kaSortAscending);
    EXPECT_EQ((Entries{{"a", 4}, {"B", 3}, {"b", 2}, {"c", 1}}), entries(up));

    cArrayStr down;
    down.append("a", 1);
    down.append("B", 2);
    down.append("b", 3);
    down.append("c", 4);
    down.sort(kaSortDescending);
    EXPECT_EQ((Entries{{"c", 4}, {"b", 3}, {"B", 2}, {"a", 1}}), entries(down));

    // Null entries come first; any direction other than descending is ascending;
    // double-byte texts sort after the single-byte ones.
    cArrayStr mixed;
    mixed.append("가나");
    mixed.append("z");
    mixed.append(nullptr);
    mixed.append("Zed");
    mixed.append("");
    mixed.sort(static_cast<SortDirection>(2));
    EXPECT_EQ((Texts{"<null>", "<null>", "z", "Zed", "가나"}), texts(mixed));

    mixed.invert();
    EXPECT_EQ((Texts{"가나", "Zed", "z", "<null>", "<null>"}), texts(mixed));
    a.invert();
    EXPECT_EQ((Entries{{"c", 3}, {"b", 1}, {"A", 2}}), entries(a));
}

TEST(ArrayStr, AppendBySizeKeepsLineEndsAndDoubleByteCharactersWhole)
{
    EXPECT_EQ((Texts{"ab", "cd"}), texts(split("ab\r\ncd", 10, 1)));
    // The second piece is CR LF c before trimming: a CR LF pair is never split.
    EXPECT_EQ((Texts{"ab", "c", "d"}), texts(split("ab\r\ncd", 3, 0)));
    // A piece full at a CR leaves the line end to a piece of its own (a null entry).
    EXPECT_EQ((Texts{"abc", "<null>", "d"}), texts(split("abc\r\nd", 3, 1)));
    EXPECT_EQ((Texts{"ab", "cd"}), texts(split("ab\rcd", 10, 1)));
    EXPECT_EQ((Texts{"a", "b c", "d e", "<null>"}), texts(split("  ab cd e ", 3, 0)));  // trimmed pieces

    // A lead byte whose partner would be cut off moves on to the next piece.
    EXPECT_EQ((Texts{"ab", "가"}), texts(split("ab가", 3, 0)));
    EXPECT_EQ((Texts{"가나", "다"}), texts(split("가나다", 5, 0)));
    EXPECT_EQ((Texts{"a", "가", "b"}), texts(split("a가b", 1, 0)));
    EXPECT_EQ((Texts{"a", " ", "\xB0"}), texts(split("a \xB0", 1, 0)));

    // Pieces that could give back every byte keep one, so that cutting moves on.
    EXPECT_EQ((Texts{"\xB0", "<null>"}), texts(split("\xB0\r\n", 2, 0)));
    EXPECT_EQ((Texts{"\xB0", "<null>", "x"}), texts(split("\xB0\rx", 2, 1)));

    cArrayStr a;
    a.append("kept", 4);
    EXPECT_EQ(1, a.appendBySize(nullptr, 3, 0));
    EXPECT_EQ(1, a.appendBySize("", 3, 0));
    EXPECT_EQ(1, a.appendBySize("abc", 0, 0));
    EXPECT_EQ(3, a.appendBySize("abcd", 2, 0));
    EXPECT_EQ((Entries{{"kept", 4}, {"ab", 0}, {"cd", 0}}), entries(a));
    std::string longText(100000, 'x');
    EXPECT_EQ(4, a.appendBySize(longText.c_str(), 0x7FFFFFFF, 0));
    EXPECT_EQ(100000, a.textLength(3));
}
