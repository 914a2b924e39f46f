#include <gtest/gtest.h>
#include <string>
#include "data/parser.h"

namespace {

// The kind and text of the next token.
std::pair<int, std::string> nextToken(cParser& p)
{
    cStringA s;
    int kind = p.getToken(s);
    return {kind, s.getPtr() ? s.getPtr() : ""};
}

using Token = std::pair<int, std::string>;

}  // namespace

TEST(Parser, NamesByMode)
{
    cParser plain, xml(1);
    plain.set("ns:a-b.c");
    xml.set("ns:a-b.c");
    EXPECT_EQ(Token(1, "ns"), nextToken(plain));
    EXPECT_EQ(Token(2, ":"), nextToken(plain));
    EXPECT_EQ(Token(1, "ns:a-b.c"), nextToken(xml));

    // A lead byte takes the byte after it, whatever it is; a lone lead byte at the end stays one byte.
    xml.set("가나=1 \xB0<b \xB0");
    cStringA s;
    EXPECT_TRUE(xml.needIdentifier(s));
    EXPECT_STREQ("가나", s);
    EXPECT_TRUE(xml.need('='));
    EXPECT_EQ(Token(4, "1"), nextToken(xml));
    EXPECT_EQ(Token(1, "\xB0<b"), nextToken(xml));
    EXPECT_EQ(Token(1, "\xB0"), nextToken(xml));

    xml.set("  9a");
    EXPECT_FALSE(xml.needIdentifier(s));
    EXPECT_TRUE(s.isBlank());
    EXPECT_EQ(2, xml.getOffset());  // only the white is consumed
}

TEST(Parser, CommentsAndLines)
{
    cParser p(1);
    for (const char* open : {"<!-- a -- b --><x/>", "<!-- x -"}) {
        cStringA e;
        p.set(open);
        EXPECT_FALSE(p.removeXMLComment(e)) << open;
        EXPECT_STREQ("The comment does not end-tag.", e);
        EXPECT_EQ(0, p.getOffset());
    }
}
