// Seeded mutation run over the readers of outside text: the XML reader, the
// scanner and the tokenizer. Each input sits between guard bytes; the readers
// must leave it and the guards untouched, keep the heap sound, always end, and
// whatever the XML reader accepts must be written and read back unchanged.
#include <gtest/gtest.h>
#include <malloc.h>
#include <cstring>
#include <random>
#include <string>
#include <vector>
#include "data/token.h"
#include "data/xml.h"

namespace {

const int kInputs = 100000;
const std::string kGuard(16, '\xA5');

const char* const kSeeds[] = {
    "<?xml version='1.0' encoding='euc-kr'?>\r\n<!DOCTYPE kestrine SYSTEM \"k.dtd\">\r\n<!-- project -->\r\n"
    "<kestrine version=\"2\">\r\n  <header dllpath='http://127.0.0.1/d/' basedlls='orlviewer.dll;a.dll' />\r\n"
    "  <redirection url=\"http://h/p.orp?x=1\"/>\r\n</kestrine>\r\n",
    "<a x='say \"hi\"' y=\"it's\">t<b/><!-- c --><c>x &amp; y &#38; &lt;</c></a>",
    "<r><![CDATA[1 < 2 & <b> ]]]]><k:v-1.2 q=''/></r>",
    "<목록 이름='가나'><항목>값</항목><항목/></목록>",
    "a;b;;c\r\nd\ne  f\t;",
};

const char* const kPieces[] = {"<", ">", "</", "/>", "<!--", "-->", "--", "<![CDATA[", "]]>", "<?xml ", "?>",
                               "<!DOCTYPE ", "&amp;", "&", "'", "\"", "=", "\xB0", "\xB0\xA1", " ", "\r\n", "<a>",
                               "</a>", "x", "1.5", ";"};

class Mutator {
public:
    explicit Mutator(unsigned seed) : rng(seed) {}

    std::string next()
    {
        std::string s = pick(kSeeds);
        int steps = 1 + below(4);
        for (int i = 0; i < steps; ++i) mutate(s);
        return s;
    }

private:
    template <size_t N>
    const char* pick(const char* const (&list)[N]) { return list[below(N)]; }

    int below(size_t n) { return static_cast<int>(rng() % n); }
    size_t at(const std::string& s) { return s.empty() ? 0 : rng() % (s.size() + 1); }

    void mutate(std::string& s)
    {
        switch (below(7)) {
        case 0: s.resize(at(s)); break;  // cut
        case 1: {                        // splice with another seed
            std::string other = pick(kSeeds);
            s = s.substr(0, at(s)) + other.substr(at(other));
            break;
        }
        case 2:  // flip bytes; never 0, which would only cut the C string
            for (int i = 0, n = 1 + below(8); i < n && !s.empty(); ++i) s[rng() % s.size()] = static_cast<char>(1 + below(255));
            break;
        case 3: s.insert(at(s), pick(kPieces)); break;
        case 4: {  // repeat a stretch
            size_t from = at(s), len = std::min<size_t>(at(s) % 40, s.size() - from);
            s.insert(from, s.substr(from, len));
            break;
        }
        case 5: if (!s.empty()) s.erase(rng() % s.size(), 1 + below(8)); break;
        default: {  // nest deeply, sometimes past the reader's limit
            int depth = below(20) ? below(64) : 900 + below(400);
            std::string open, close;
            for (int i = 0; i < depth; ++i) open += "<n>", close += "</n>";
            s = open + s + (below(2) ? close : std::string());
            break;
        }
        }
    }

    std::mt19937 rng;
};

// One input between guard bytes, so that anything written over it shows.
std::string guarded(const std::string& input) { return kGuard + input + '\0' + kGuard; }

void readXML(const char* text, std::string& problem)
{
    cXML doc;
    if (!doc.parse(text)) {
        if (!*doc.getErrorString()) problem = "failure without a message";
        return;
    }
    cStringA written = doc.toString();
    cXML again;
    if (!again.parse(written)) {
        problem = std::string("own output rejected: ") + again.getErrorString() + "\n" + written.getPtr();
    } else if (!again.toString().equals(written)) {
        problem = std::string("own output reads back differently:\n") + written.getPtr();
    }
}

void scanTokens(const char* text, std::string& problem)
{
    cParser parser(1);
    parser.set(text);
    cStringA s;
    for (int last = -1, guard = 0; parser.getToken(s) != cParser::tokenEnd; ++guard) {
        if (parser.getOffset() <= last || parser.getOffset() > parser.getMaxLength()) problem = "scanner did not advance";
        if (!problem.empty() || guard > parser.getMaxLength()) return;
        last = parser.getOffset();
    }
    parser.set(text);
    while (parser.getLine(s)) {}
    cStringA error;
    const char* comment = text;
    for (int i = 0; i < 8 && (comment = strstr(comment, "<!")) != nullptr; ++i, ++comment) {
        parser.set(comment);
        parser.removeXMLComment(error);
    }

    size_t length = strlen(text);
    const char delimiters[] = {text[0], text[length / 2], ';', 0};
    cToken token(text, delimiters, length % 2 == 0);
    if (length % 3 == 0) token.setWhiteSpaceDelimiter();
    size_t count = 0;
    for (const char* t; (t = token.next()) != nullptr; ++count) {
        if (strlen(t) > length || count > length) {
            problem = "tokenizer ran past its text";
            return;
        }
    }
}

}  // namespace

TEST(Robustness, MutatedTextsForXMLScannerAndTokenizer)
{
    Mutator mutator(20240611u);
    for (int i = 0; i < kInputs; ++i) {
        std::string input = mutator.next();
        const std::string block = guarded(input);
        const char* text = block.c_str() + kGuard.size();
        std::string problem;
        readXML(text, problem);
        if (i % 4 == 0) scanTokens(text, problem);
        if (block != guarded(input)) problem = "input or its guard bytes changed";
        if (i % 2000 == 0 && _heapchk() != _HEAPOK) problem = "heap damaged";
        ASSERT_TRUE(problem.empty()) << "input #" << i << ": " << problem << "\ninput:\n" << input;
    }
}
