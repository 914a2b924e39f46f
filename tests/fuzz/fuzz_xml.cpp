// The readers of outside text (the XML reader, the scanner, the tokenizer), and
// the XML writer: a random tree built through the writer interface is written,
// read back and must come back the same.
#include <cstring>
#include "data/token.h"
#include "data/xml.h"
#include "fuzz.h"

namespace {

MutationSpace markupSpace()
{
    MutationSpace s;
    s.seeds = {
        "<?xml version='1.0' encoding='euc-kr'?>\r\n<!DOCTYPE kestrine SYSTEM \"k.dtd\">\r\n<!-- project -->\r\n"
        "<kestrine version=\"2\">\r\n  <header dllpath='http://127.0.0.1/d/' basedlls='orlviewer.dll;a.dll' />\r\n"
        "  <redirection url=\"http://h/p.orp?x=1\"/>\r\n</kestrine>\r\n",
        "<a x='say \"hi\"' y=\"it's\">t<b/><!-- c --><c>x &amp; y &#38; &lt;</c></a>",
        "<r><![CDATA[1 < 2 & <b> ]]]]><k:v-1.2 q=''/></r>",
        "<목록 이름='가나'><항목>값</항목><항목/></목록>",
        "a;b;;c\r\nd\ne  f\t;",
    };
    s.pieces = {"<",   ">",     "</",  "/>", "<!--", "-->",      "--",     "<![CDATA[", "]]>",
                "<?xml ", "?>", "<!DOCTYPE ", "&amp;", "&", "'", "\"", "=", "\xB0", "\xB0\xA1", " ",
                "\r\n", "<a>", "</a>", "x", "1.5", ";", "<n>", "</n>"};
    s.maxLength = 16384;
    return s;
}

// Deep nesting, sometimes past a thousand levels, and sometimes never closed.
void nest(FuzzInput& in, std::string& s)
{
    Mutator& m = in.random;
    size_t depth = m.oneIn(20) ? 900 + m.below(400) : m.below(64);
    std::string open, close;
    for (size_t i = 0; i < depth; ++i) open += "<n>", close += "</n>";
    s = open + s + (m.oneIn(2) ? close : std::string());
}

void readXML(FuzzInput& in, const char* text)
{
    cXML doc;
    if (!doc.parse(text)) {
        in.check(*doc.getErrorString() != 0, "failure without a message");
        return;
    }
    cStringA written = doc.toString();
    cXML again;
    if (!again.parse(written))
        in.fail(std::string("own output rejected: ") + again.getErrorString() + "\n" + written.getPtr());
    else
        in.check(again.toString().equals(written), std::string("own output reads back differently:\n") + written.getPtr());
}

void scanTokens(FuzzInput& in, const char* text)
{
    Mutator& m = in.random;
    cParser parser(static_cast<int>(m.below(2)));
    parser.set(text);
    cStringA s;
    for (int last = -1, steps = 0; parser.getToken(s) != cParser::tokenEnd; ++steps) {
        if (parser.getOffset() <= last || parser.getOffset() > parser.getMaxLength()) return in.fail("scanner did not advance");
        if (steps > parser.getMaxLength()) return;
        last = parser.getOffset();
    }
    parser.set(text);
    while (parser.getLine(s)) {}
    parser.set(text);
    for (int i = 0; i < 16 && parser.getOffset() < parser.getMaxLength(); ++i) {
        switch (m.below(4)) {
        case 0: parser.needIdentifier(s); break;
        case 1: parser.need(m.piece()[0]); break;
        case 2: parser.needString(m.piece().c_str()); break;
        default: parser.getToken(s); break;
        }
        if (parser.getOffset() > parser.getMaxLength()) return in.fail("scanner moved past its text");
    }
    cStringA error;
    if (const char* comment = strstr(text, "<!")) {
        parser.set(comment);
        parser.removeXMLComment(error);
    }

    size_t length = strlen(text);
    std::string delimiters = {text[0], text[length / 2], ';'};
    if (m.oneIn(4)) delimiters += m.piece();
    cToken token(text, fence(1).text(delimiters.c_str()), length % 2 == 0);
    if (length % 3 == 0) token.setWhiteSpaceDelimiter();
    size_t count = 0;
    for (const char* t; (t = token.next()) != nullptr; ++count)
        if (strlen(t) > length || count > length) return in.fail("tokenizer ran past its text");
    token.set(text, fence(1).text(delimiters.c_str()), m.oneIn(2));
    for (count = 0; (m.oneIn(2) ? token.nextTrimmed(s) : token.nextTrimmedDiscardBlank(s)) && count <= length; ++count)
        if (s.length() > static_cast<int>(length)) return in.fail("tokenizer gave a piece longer than its text");
}

void markup(FuzzInput& in)
{
    std::string input = in.random.next();
    if (in.random.oneIn(10)) nest(in, input);
    in.note(input);
    const char* text = fence(0).text(input);
    readXML(in, text);
    if (in.random.oneIn(4)) scanTokens(in, text);
    in.check(fence(0).unchanged(), "the input text was written to");
}

TEST(Robustness, XMLReaderScannerAndTokenizer)
{
    Mutator m(markupSpace());
    fuzzTarget("xml reader, tokenizer", 200000, m, markup);
}

// ---- Trees built through the writer interface ----

MutationSpace treeTextSpace()
{
    MutationSpace s;
    // Names the reader can take, and some it cannot (those the writer must refuse).
    s.seeds = {"a", "kestrine", "ns:item-1.2", "_x", "목록", "항목", "b.c", "x1", "\xB0\xA1", "a b", "1a", "-",
               "x &amp; y", "say \"hi\"", "it's <b>", "]]>", "<![CDATA[x]]>", "\r\n", "  ", "값", "&#38;"};
    s.pieces = {"-", ".", ":", "_", "1", "\xB0", "\xFF", "\x80", ">", "<", " ", "/", "=", "\"", "'", "&",
                "&lt;", "?>", "--", "\t", "\xC7\xD1"};
    s.maxLength = 40;
    s.maxEdits = 2;
    return s;
}

// Builds below e a random tree; names the reader could not read back must be refused.
void build(Mutator& m, cXMLElement* e, int depth, int& budget)
{
    for (size_t i = 0, n = m.below(4); i < n; ++i) e->addAttr(m.next().c_str(), m.oneIn(4) ? nullptr : m.next().c_str());
    size_t children = depth > 12 || budget <= 0 ? 0 : m.below(depth < 2 ? 6 : 4);
    for (size_t i = 0; i < children && budget > 0; ++i)
        if (cXMLElement* child = e->addElement(m.next().c_str())) {
            --budget;
            build(m, child, depth + 1, budget);
        }
    if (m.oneIn(2)) e->setContent(m.next().c_str());
}

// What the writer writes must read back, and written again give the same text.
void trees(FuzzInput& in)
{
    Mutator& m = in.random;
    cXML doc("root");
    cXMLElement* root = doc.getDocumentElement();
    int budget = 1 + static_cast<int>(m.below(60));
    build(m, root, 0, budget);
    if (m.oneIn(50)) {
        // A chain far deeper than the trees above, one element per level.
        cXMLElement* e = root;
        for (size_t i = 0, depth = 200 + m.below(600); i < depth; ++i) e = e->addElement("n");
    }
    cStringA text = doc.toString();
    in.note(text.getPtr() ? text.getPtr() : "");
    cXML back;
    if (!back.parse(fence(0).text(text.getPtr() ? text.getPtr() : "")))
        return in.fail(std::string("the writer's text does not read back: ") + back.getErrorString());
    in.check(back.getDocumentElement()->getChildElementCount() == root->getChildElementCount() &&
                 back.getDocumentElement()->getAttrCount() == root->getAttrCount(),
             "the tree read back has other children or attributes");
    in.check(back.toString().equals(text), "written again, the tree reads differently");
}

TEST(Robustness, XMLTreesWrittenAndReadBack)
{
    Mutator m(treeTextSpace());
    fuzzTarget("xml writer trees", 25000, m, trees);
}

}  // namespace
