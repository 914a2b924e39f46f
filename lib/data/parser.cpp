#include "parser.h"
#include "core/leadbyte.h"
#include <cstring>

namespace {

// Stands in for the text before set() is called, so that the cursor is never null.
char emptyText[1] = {0};

// Names are scanned a byte at a time: the checks stay inline.
bool isLetter(char c) { return static_cast<unsigned char>((c | 0x20) - 'a') < 26; }

bool isDecimal(char c) { return static_cast<unsigned char>(c - '0') < 10; }

bool startsName(char c) { return isLetter(c) || c == '_' || kaIsLeadByte(c); }

bool startsWith(const char* s, const char* prefix) { return strncmp(s, prefix, strlen(prefix)) == 0; }

// Text and delimiter copies are made before the old text is freed, so a pointer
// into the scanner's own text is a valid argument.
char* copyText(const char* s, int length)
{
    char* copy = static_cast<char*>(ka_malloc(static_cast<unsigned int>(length) + 1));
    if (copy) memcpy(copy, s, static_cast<size_t>(length) + 1);
    return copy;
}

}  // namespace

cParser::cParser() : cParser(modePlain) {}

cParser::cParser(int scanMode)
    : mode(scanMode), text(emptyText), position(emptyText), token(nullptr), lastStart(emptyText), length(0)
{
}

cParser::~cParser() { freeText(); }

void cParser::freeText()
{
    if (text != emptyText && !(mode & kBorrowed)) ka_free(text);
    mode &= ~kBorrowed;
    ka_free(token);
    text = emptyText;
    token = nullptr;
    position = lastStart = text;
    length = 0;
}

void cParser::set(const char* s)
{
    if (!s || !*s) s = " ";
    size_t n = strlen(s);
    // Offsets are ints everywhere: a text of 2 GB is refused as memory short.
    char* copy = n < 0x7FFFFFFE ? copyText(s, static_cast<int>(n)) : nullptr;
    char* buffer = copy ? static_cast<char*>(ka_malloc(static_cast<unsigned int>(n) + 1)) : nullptr;
    freeText();
    if (!buffer) {
        ka_free(copy);
        return;
    }
    text = copy;
    token = buffer;
    token[0] = 0;
    length = static_cast<int>(n);
    position = lastStart = text;
}

// set() without the copy, for a reader that is done with the text before its
// caller can change or free it: a document of megabytes is then not copied.
void borrowText(cParser& parser, const char* s)
{
    if (!s || !*s) s = " ";
    size_t n = strlen(s);
    char* buffer = n < 0x7FFFFFFE ? static_cast<char*>(ka_malloc(static_cast<unsigned int>(n) + 1)) : nullptr;
    parser.freeText();
    if (!buffer) return;
    // Never written through: only the token buffer is.
    parser.text = const_cast<char*>(s);
    parser.mode |= cParser::kBorrowed;
    parser.token = buffer;
    parser.token[0] = 0;
    parser.length = static_cast<int>(n);
    parser.position = parser.lastStart = parser.text;
}

int cParser::getMaxLength() const { return length; }

int cParser::getOffset() const { return static_cast<int>(position - text); }

const char* cParser::getPointer() const { return position; }

bool cParser::isWhite() const { return kaIsWhiteChar(*position); }

void cParser::skipWhite() { position = strSkipWhite(position); }

void cParser::putback() { position = lastStart; }

void cParser::moveTo(const char* p)
{
    lastStart = position;
    position = p;
}

const char* cParser::slice(const char* from, const char* to)
{
    if (!token) return "";
    size_t n = static_cast<size_t>(to - from);
    memcpy(token, from, n);
    token[n] = 0;
    return token;
}

// The end of the name that starts at p (p itself when none does).
const char* cParser::takeName(const char* p)
{
    if (!startsName(*p)) return p;
    const bool xml = (mode & ~kBorrowed) == modeXMLName;
    while (*p) {
        if (isLetter(*p) || isDecimal(*p) || *p == '_' || (xml && (*p == '-' || *p == '.' || *p == ':'))) {
            ++p;
        } else if (kaIsLeadByte(*p)) {
            // A lead byte takes its trail byte with it, whatever that byte is.
            ++p;
            if (*p) ++p;
        } else {
            break;
        }
    }
    return p;
}

bool cParser::getIdentifier()
{
    skipWhite();
    lastStart = position;
    const char* end = takeName(position);
    slice(position, end);
    position = end;
    return end != lastStart;
}

bool cParser::needIdentifier(cStringA& out)
{
    out.setBlank();
    if (!getIdentifier()) return false;
    out = token;
    return true;
}

int cParser::getToken(cStringA& out)
{
    out.setBlank();
    skipWhite();
    lastStart = position;
    const char c = *position;
    if (!c) return tokenEnd;
    if (c == '"' || c == '\'') {
        const char* close = strchr(position + 1, c);
        if (!close) {
            position = text + length;
            return tokenOpenString;
        }
        out = slice(position + 1, close);
        position = close + 1;
        return tokenString;
    }
    if (isDigit(c) || (c == '.' && isDigit(position[1]))) {
        const char* p = position;
        bool point = false;
        for (; isDigit(*p) || (*p == '.' && !point); ++p) {
            if (*p == '.') point = true;
        }
        out = slice(position, p);
        position = p;
        return tokenNumber;
    }
    if (getIdentifier()) {
        out = token;
        return tokenIdentifier;
    }
    out << c;
    ++position;
    return tokenChar;
}

bool cParser::need(char expected)
{
    skipWhite();
    if (!expected || *position != expected) return false;
    moveTo(position + 1);
    return true;
}

bool cParser::needString(const char* expected)
{
    skipWhite();
    if (!expected) expected = "";
    if (!startsWith(position, expected)) return false;
    moveTo(position + strlen(expected));
    return true;
}

bool cParser::removeXMLComment(cStringA& error)
{
    skipWhite();
    const char* opener = startsWith(position, "<!--") ? "<!--" : startsWith(position, "<!DOCTYPE") ? "<!DOCTYPE" : nullptr;
    if (!opener) return true;
    const char* dashes = strstr(position + strlen(opener), "--");
    if (!dashes || dashes[2] != '>') {
        error = "The comment does not end-tag.";
        return false;
    }
    position = lastStart = dashes + 3;
    return true;
}

bool cParser::getLine(cStringA& out)
{
    out.setBlank();
    if (!*position) return false;
    const char* p = position;
    while (*p && *p != '\r') ++p;
    out = slice(position, p);
    if (*p == '\r' && *++p == '\n') ++p;
    position = lastStart = p;
    return true;
}
