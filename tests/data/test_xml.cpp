#include <gtest/gtest.h>
#include <string>
#include <type_traits>
#include "data/xml.h"

namespace {

const std::string kDecl = "<?xml version='1.0' encoding='euc-kr' ?>\r\n";

std::string str(const cStringA& s) { return s.getPtr() ? s.getPtr() : ""; }

std::string write(cXML& doc) { return str(doc.toString()); }

// Writes doc, reads the text back and writes it again: both texts must match.
::testing::AssertionResult readsBack(cXML& doc)
{
    std::string text = write(doc);
    cXML again;
    if (!again.parse(text.c_str())) return ::testing::AssertionFailure() << again.getErrorString() << "\nin:\n" << text;
    if (write(again) != text) return ::testing::AssertionFailure() << "reads back as:\n" << write(again);
    return ::testing::AssertionSuccess();
}

std::string repeat(const std::string& piece, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i) s += piece;
    return s;
}

std::string nested(int levels) { return repeat("<a>", levels) + repeat("</a>", levels); }

}  // namespace

static_assert(!std::is_copy_constructible_v<cXML> && !std::is_copy_assignable_v<cXML>, "one owner per tree");
static_assert(!std::is_copy_constructible_v<cXMLElement> && !std::is_copy_assignable_v<cXMLElement>, "one owner per tree");

TEST(XML, RejectedFormsAndTheirMessages)
{
    const std::string y150(150, 'y');
    const struct {
        std::string text, message;
    } cases[] = {
        {"", "Can not find root tag."},
        {"<!-- x -- y --><a/>", "The comment does not end-tag."},
        {"<!DOCTYPE a [ <!ENTITY x 'y'> ]><a/>", "Invalid document type declaration"},
        {"<a x=1/>", "The attribute 'x' does not have a string literal value."},
        {"<a></b>", "Can not find the end-tag of 'a'."},
        // From inside the document element: CR LF and up to 100 bytes of what remains.
        {"<r><a><b/>" + y150 + "</a></r>", "Can not find the end-tag of 'a'.\r\n" + y150.substr(0, 100)},
        {"<r><![CDATA[x</r>", "unexpected end of content.\r\n<![CDATA[x</r>"},
        {"<r><b x/></r>", "An attribute should be followed by an equal sign(=).\r\nAttribute Name: x\r\n/></r>"},
        // A lead byte cut off by the end of the text is still a name, not a lack of memory.
        {"<r><b\xB0", "The start-tag of 'b\xB0' was not closed by angle bracket.\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        cXML doc;
        EXPECT_FALSE(doc.parse(c.text.c_str()));
        EXPECT_EQ(c.message, doc.getErrorString());
    }
}

TEST(XML, OnlyAmpersandIsUnescapedAndCDataReplacesTheText)
{
    // Only &amp; is unescaped, and only once; a CDATA section replaces what stood before it.
    const struct {
        const char* text;
        const char* content;
    } contents[] = {
        {"<a>x &amp; y &#38; &nbsp; &AMP; &amp</a>", "x & y &#38; &nbsp; &AMP; &amp"},
        {"<a>lost<![CDATA[1 < 2 & <b>]]> <c/></a>", "1 < 2 & <b>"},
        {"<a><![CDATA[&amp;]]></a>", "&"},
    };
    for (const auto& c : contents) {
        SCOPED_TRACE(c.text);
        cXML d;
        ASSERT_TRUE(d.parse(c.text)) << d.getErrorString();
        EXPECT_EQ(c.content, str(d.getDocumentElement()->getContent()));
    }
}

TEST(XML, NestingDepthIsBounded)
{
    cXML doc;
    ASSERT_TRUE(doc.parse(nested(1024).c_str())) << doc.getErrorString();
    EXPECT_EQ(kDecl + repeat("<a>\r\n", 1023) + "<a />\r\n" + repeat("</a>\r\n", 1023), write(doc));

    EXPECT_FALSE(doc.parse(nested(1025).c_str()));
    EXPECT_EQ("The elements are nested deeper than 1024 levels.\r\n<a>" + repeat("</a>", 25).substr(0, 97),
              doc.getErrorString());

    // A hostile depth fails the same way instead of exhausting the stack.
    EXPECT_FALSE(doc.parse(repeat("<a>", 200000).c_str()));
    EXPECT_EQ(0, std::string(doc.getErrorString()).find("The elements are nested deeper than 1024 levels.\r\n<a><a>"));

    // Trees built through the interface may be deeper still; deleting them must not recurse.
    cXMLElement* built = new cXMLElement("top");
    cXMLElement* p = built;
    for (int i = 0; i < 300000 && p; ++i) p = p->addElement("d");
    ASSERT_NE(nullptr, p);
    delete built;
}

TEST(XML, BuildingEscapesAndRefusesUnreadableNames)
{
    cXML doc("root");
    cXMLElement* root = doc.getDocumentElement();
    root->addAttr("q", "<\"&'>");
    root->addAttr("empty", nullptr);
    for (const char* bad : {"", "a b", "\xB0"}) {  // a lone lead byte would swallow the byte written after it
        root->addAttr(bad, "x");
        EXPECT_EQ(nullptr, root->addElement(bad));
    }
    EXPECT_EQ(nullptr, root->addElement("1x"));
    EXPECT_EQ(2, root->getAttrCount());
    root->addElement("항목")->setContent("a < b & \"c\"");
    cXMLElement* gone = root->addElement("gone");
    gone->setContent("x");
    gone->setContent(nullptr);

    EXPECT_EQ(kDecl + "<root q=\"&lt;&quot;&amp;&apos;&gt;\" empty=\"\">\r\n"
                      "<항목>a &lt; b &amp; &quot;c&quot;</항목>\r\n<gone />\r\n</root>\r\n",
              write(doc));
    EXPECT_EQ("a < b & \"c\"", str(root->findChildElement("항목")->getContent()));
    EXPECT_TRUE(readsBack(doc));
}

TEST(XML, WriterOutputReadsBack)
{
    const struct {
        const char* text;
        std::string written;
    } cases[] = {
        {"<a>t<b/></a>", "<a>\r\n<b />\r\n</a>\r\n"},
        // Stored verbatim but written so that the text stays well-formed and reads back the same.
        {"<a x='say \"hi\"'/>", "<a x=\"say &quot;hi&quot;\" />\r\n"},
        {"<a x=\"&lt;<&amp;&\"/>", "<a x=\"&lt;&lt;&amp;&amp;\" />\r\n"},
        {"<a><![CDATA[1 < 2]]></a>", "<a>1 &lt; 2</a>\r\n"},
        {"<a><![CDATA[AT&T &#38; &amp;]]></a>", "<a>AT&amp;T &amp;#38; &amp;</a>\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        cXML doc;
        ASSERT_TRUE(doc.parse(c.text)) << doc.getErrorString();
        EXPECT_EQ(kDecl + c.written, write(doc));
        EXPECT_TRUE(readsBack(doc));
    }
}

// The reader shares one string per name among the elements and attributes that
// repeat it: names that are prefixes of each other, more names than it keeps at
// once, and a cleared element must leave every other name as it was read.
TEST(XML, RepeatedNamesStayApart)
{
    const int kNames = 200;
    auto nameOf = [](int i) { return "n" + std::string(static_cast<size_t>(i % 7), 'x') + std::to_string(i); };
    std::string text = "<r>";
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < kNames; ++i) {
            const std::string n = nameOf(i), other = nameOf(kNames - 1 - i);
            text += "<" + n + " " + other + "='" + std::to_string(i) + "' " + n + "='x'></" + n + ">";
        }
    }
    text += "<a ab='1' a='2'/></r>";
    cXML doc;
    ASSERT_TRUE(doc.parse(text.c_str())) << doc.getErrorString();
    cXMLElement* r = doc.getDocumentElement();
    ASSERT_EQ(3 * kNames + 1, r->getChildElementCount());
    r->getChildElement(0)->clear();
    cStringA n, v;
    for (int k = 1; k < 3 * kNames; ++k) {
        const int i = k % kNames;
        cXMLElement* e = r->getChildElement(k);
        SCOPED_TRACE(k);
        EXPECT_EQ(nameOf(i), e->getName());
        ASSERT_TRUE(e->getAttr(0, n, v));
        EXPECT_EQ(nameOf(kNames - 1 - i), str(n));
        EXPECT_EQ(std::to_string(i), str(v));
        ASSERT_TRUE(e->getAttr(1, n, v));
        EXPECT_EQ(nameOf(i), str(n));
    }
    EXPECT_STREQ("", r->getChildElement(0)->getName());
    cXMLElement* a = r->findChildElement("a");
    ASSERT_NE(nullptr, a);
    EXPECT_TRUE(a->findAttr("a", v));
    EXPECT_STREQ("2", v);
}
