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

TEST(Parser, EmptyAndUnsetTexts)
{
    cParser unset;
    cStringA s("x");
    EXPECT_EQ(0, unset.getMaxLength());
    EXPECT_EQ(0, unset.getToken(s));
    EXPECT_FALSE(unset.needIdentifier(s));
    EXPECT_FALSE(unset.getLine(s));
    EXPECT_FALSE(unset.need('a'));
    EXPECT_STREQ("", unset.getPointer());

    for (const char* none : {"", static_cast<const char*>(nullptr)}) {
        cParser p;
        p.set(none);
        EXPECT_EQ(1, p.getMaxLength());
        EXPECT_EQ(0, p.getToken(s));
        EXPECT_TRUE(s.isBlank());
    }
}

TEST(Parser, TokenKinds)
{
    cParser p;
    p.set(" 'say \"hi\"' \"x\" 12.5.3 -1 .5 a.b _q9 ! ");
    EXPECT_EQ(Token(3, "say \"hi\""), nextToken(p));
    EXPECT_EQ(Token(3, "x"), nextToken(p));
    EXPECT_EQ(Token(4, "12.5"), nextToken(p));
    EXPECT_EQ(Token(4, ".3"), nextToken(p));
    EXPECT_EQ(Token(2, "-"), nextToken(p));
    EXPECT_EQ(Token(4, "1"), nextToken(p));
    EXPECT_EQ(Token(4, ".5"), nextToken(p));
    EXPECT_EQ(Token(1, "a"), nextToken(p));
    EXPECT_EQ(Token(2, "."), nextToken(p));
    EXPECT_EQ(Token(1, "b"), nextToken(p));
    EXPECT_EQ(Token(1, "_q9"), nextToken(p));
    EXPECT_EQ(Token(2, "!"), nextToken(p));
    EXPECT_EQ(Token(0, ""), nextToken(p));
    EXPECT_EQ(Token(0, ""), nextToken(p));

    p.set("\"abc");
    EXPECT_EQ(Token(5, ""), nextToken(p));
    EXPECT_EQ(p.getMaxLength(), p.getOffset());
    EXPECT_EQ(Token(0, ""), nextToken(p));

    p.set("''x");
    EXPECT_EQ(Token(3, ""), nextToken(p));
    EXPECT_EQ(Token(1, "x"), nextToken(p));
}

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

TEST(Parser, ExpectedLiteralsAndPutback)
{
    cParser p(1);
    p.set("  <?xml version");
    EXPECT_FALSE(p.need('>'));
    EXPECT_EQ(2, p.getOffset());
    EXPECT_FALSE(p.needString("<?XML"));
    EXPECT_FALSE(p.need('\0'));
    EXPECT_TRUE(p.needString("<?xml"));
    EXPECT_TRUE(p.isWhite());
    cStringA s;
    EXPECT_TRUE(p.needIdentifier(s));
    EXPECT_FALSE(p.isWhite());
    p.putback();
    EXPECT_EQ(Token(1, "version"), nextToken(p));
    p.putback();
    EXPECT_TRUE(p.needString("version"));
    p.putback();
    EXPECT_EQ(8, p.getOffset());

    // A pointer into the scanner's own text is a valid argument.
    p.set(p.getPointer());
    EXPECT_STREQ("version", p.getPointer());
    EXPECT_EQ(7, p.getMaxLength());
}

TEST(Parser, CommentsAndLines)
{
    cParser p(1);
    cStringA error;
    p.set("  <!-- a -- b --><x/>");
    EXPECT_FALSE(p.removeXMLComment(error));
    EXPECT_STREQ("The comment does not end-tag.", error);
    EXPECT_STREQ("<!-- a -- b --><x/>", p.getPointer());

    for (const char* open : {"<!--", "<!-- x", "<!-- x -"}) {
        cStringA e;
        p.set(open);
        EXPECT_FALSE(p.removeXMLComment(e)) << open;
        EXPECT_STREQ("The comment does not end-tag.", e);
        EXPECT_EQ(0, p.getOffset());
    }

    error.setBlank();
    p.set(" <!-- a - b --> <!---->x");
    EXPECT_TRUE(p.removeXMLComment(error));
    EXPECT_STREQ(" <!---->x", p.getPointer());
    EXPECT_TRUE(p.removeXMLComment(error));
    EXPECT_STREQ("x", p.getPointer());
    EXPECT_TRUE(p.removeXMLComment(error));  // nothing to remove
    EXPECT_STREQ("x", p.getPointer());
    EXPECT_TRUE(error.isBlank());

    p.set("<!DOCTYPE x -->y");
    EXPECT_TRUE(p.removeXMLComment(error));
    EXPECT_STREQ("y", p.getPointer());

    p.set("a\nb\r\nc\r\rd");
    cStringA line;
    EXPECT_TRUE(p.getLine(line));
    EXPECT_STREQ("a\nb", line);
    EXPECT_TRUE(p.getLine(line));
    EXPECT_STREQ("c", line);
    EXPECT_TRUE(p.getLine(line));
    EXPECT_TRUE(line.isBlank());
    EXPECT_TRUE(p.getLine(line));
    EXPECT_STREQ("d", line);
    EXPECT_FALSE(p.getLine(line));
    EXPECT_TRUE(line.isBlank());
}
