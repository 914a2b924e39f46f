#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "data/token.h"

namespace {

// Every token until the end.
std::vector<std::string> drain(cToken& t)
{
    std::vector<std::string> out;
    while (const char* s = t.next()) out.push_back(s);
    return out;
}

using Tokens = std::vector<std::string>;

}  // namespace

TEST(Token, DelimitersAndModes)
{
    cToken semi("a;b;;c", ";");
    EXPECT_EQ((Tokens{"a", "b", "", "c"}), drain(semi));
    EXPECT_EQ(nullptr, semi.next());

    cToken trailing("a;", ";");
    EXPECT_EQ((Tokens{"a"}), drain(trailing));
    cToken leading(";a", ";");
    EXPECT_EQ((Tokens{"", "a"}), drain(leading));

    cToken several("a,b;c d", ",;");
    EXPECT_EQ((Tokens{"a", "b", "c d"}), drain(several));

    cToken whole("a;b\nc", nullptr);
    EXPECT_EQ((Tokens{"a;b\nc"}), drain(whole));

    cToken lines("x\r\ny\nz\r", nullptr, true);
    EXPECT_EQ((Tokens{"x", "y", "z"}), drain(lines));
    cToken emptyLines("a\n\nb\r\rc", "", true);
    EXPECT_EQ((Tokens{"a", "", "b", "", "c"}), drain(emptyLines));
    cToken linesAndDelimiters("a;b\nc", ";", true);
    EXPECT_EQ((Tokens{"a", "b", "c"}), drain(linesAndDelimiters));

    cToken white(" a  b\t\r\nc ", ";");
    white.setWhiteSpaceDelimiter();
    EXPECT_EQ((Tokens{"", "a", "b", "c"}), drain(white));

    // Switching back to delimiters ends white-space mode.
    cToken back("a b;c", nullptr);
    back.setWhiteSpaceDelimiter();
    back.setDelimiter(";");
    EXPECT_EQ((Tokens{"a b", "c"}), drain(back));

    for (const char* none : {"", static_cast<const char*>(nullptr)}) {
        cToken t(none, ";");
        EXPECT_EQ(nullptr, t.next());
        cStringA s("left");
        EXPECT_FALSE(t.nextTrimmed(s));
        EXPECT_TRUE(s.isBlank());
    }
    cToken unset;
    EXPECT_EQ(nullptr, unset.next());
}

TEST(Token, TrimmedForms)
{
    cToken t(" a ; ; b ", ";");
    cStringA s;
    EXPECT_TRUE(t.nextTrimmed(s));
    EXPECT_STREQ("a", s);
    EXPECT_TRUE(t.nextTrimmed(s));
    EXPECT_TRUE(s.isBlank());
    EXPECT_TRUE(t.nextTrimmed(s));
    EXPECT_STREQ("b", s);
    EXPECT_FALSE(t.nextTrimmed(s));

    t.set(" a ; ; b ;  ", ";");
    EXPECT_TRUE(t.nextTrimmedDiscardBlank(s));
    EXPECT_STREQ("a", s);
    EXPECT_TRUE(t.nextTrimmedDiscardBlank(s));
    EXPECT_STREQ("b", s);
    EXPECT_FALSE(t.nextTrimmedDiscardBlank(s));
    EXPECT_TRUE(s.isBlank());
}

TEST(Token, StreamAndReset)
{
    cToken t("lib.dll?x=1", "?");
    char* a = nullptr;
    char* b = nullptr;
    char* c = reinterpret_cast<char*>(&t);
    t >> &a >> &b >> &c;
    EXPECT_STREQ("lib.dll", a);
    EXPECT_STREQ("x=1", b);
    EXPECT_EQ(nullptr, c);

    // A token of the old text is a valid argument: the copy is made before the old text goes.
    t.set("one two;three", ";");
    t.set(t.next(), " ");
    EXPECT_EQ((Tokens{"one", "two"}), drain(t));

    // set() starts again with white-space mode off.
    t.setWhiteSpaceDelimiter();
    t.set("p q", ";");
    EXPECT_EQ((Tokens{"p q"}), drain(t));
}

TEST(Token, CopiesShareTextAndPosition)
{
    cToken* original = new cToken("a;b;c", ";", true);
    original->setWhiteSpaceDelimiter();
    cToken copy(*original);
    EXPECT_STREQ("a", copy.next());  // white-space mode is not taken over
    EXPECT_STREQ("b;c", original->next());
    delete original;
    EXPECT_EQ(nullptr, copy.next());

    cToken x("1;2", ";"), y("p;q", ";");
    EXPECT_STREQ("1", x.next());
    y = x;
    x = x;
    EXPECT_STREQ("2", y.next());
    x.set("r", ";");  // a new text is seen by every sharing object
    EXPECT_STREQ("r", y.next());

    {
        cToken z(y);
        z = cToken("m;n", ";");
        EXPECT_STREQ("m", z.next());
    }
    EXPECT_EQ(nullptr, y.next());
}
