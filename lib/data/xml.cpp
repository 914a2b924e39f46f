#include "xml.h"
#include <cstring>

// One attribute: its name and its value in escaped form.
struct cXMLAttr : public cBase {
    cStringA name;
    cStringA value;
};

// Collects the writer's output in one growing block, so that a large tree costs
// one copy into the caller's string instead of one per piece.
class cXMLWriter {
public:
    ~cXMLWriter() { ka_free(text); }
    void add(const char* s, size_t n);
    void add(const char* s) { add(s, strlen(s)); }
    void add(const cStringA& s) { add(s.getPtr() ? s.getPtr() : "", static_cast<size_t>(s.length())); }
    void addStored(const char* stored, bool quoted);
    const char* result() const { return failed || !text ? "" : text; }

private:
    char* text = nullptr;
    size_t used = 0;
    size_t capacity = 0;
    bool failed = false;
};

namespace {

// Deeper documents are refused: each level costs stack in the reader.
const int kMaxDepth = 1024;
// Levels that deleting a tree may recurse before it moves elements instead.
const int kRecursiveDepth = 32;
// Bytes of the remaining text quoted after a message from inside the document element.
const int kContextBytes = 100;
// Recent names kept by one read (see cXMLReading).
const int kNameSlots = 64;

const char kDeclaration[] = "<?xml version='1.0' encoding='euc-kr' ?>\r\n";
const char kOutOfMemory[] = "Not enough memory to read the document.";

struct Entity {
    const char* text;
    size_t length;
    char c;
};

const Entity kEntities[] = {
    {"&amp;", 5, '&'}, {"&lt;", 4, '<'}, {"&gt;", 4, '>'}, {"&apos;", 6, '\''}, {"&quot;", 6, '"'},
};

// The predefined entity that starts at p, or null.
const Entity* entityAt(const char* p)
{
    for (const Entity& e : kEntities) {
        if (strncmp(p, e.text, e.length) == 0) return &e;
    }
    return nullptr;
}

const Entity* entityFor(char c)
{
    for (const Entity& e : kEntities) {
        if (e.c == c) return &e;
    }
    return nullptr;
}

cStringA fromBuffer(char* buffer)
{
    cStringA s(buffer);
    ka_free(buffer);
    return s;
}

cStringA escape(const char* s)
{
    size_t n = strlen(s);
    char* out = static_cast<char*>(ka_malloc(static_cast<unsigned int>(n * 6 + 1)));
    if (!out) return cStringA();
    char* o = out;
    for (; *s; ++s) {
        const Entity* e = entityFor(*s);
        if (e) {
            memcpy(o, e->text, e->length);
            o += e->length;
        } else {
            *o++ = *s;
        }
    }
    *o = 0;
    return fromBuffer(out);
}

cStringA unescape(const char* s)
{
    if (!s) return cStringA();
    char* out = static_cast<char*>(ka_malloc(static_cast<unsigned int>(strlen(s) + 1)));
    if (!out) return cStringA();
    char* o = out;
    while (*s) {
        const Entity* e = *s == '&' ? entityAt(s) : nullptr;
        *o++ = e ? e->c : *s;
        s += e ? e->length : 1;
    }
    *o = 0;
    return fromBuffer(out);
}

// Whether the reader reads s back as one whole name, whatever byte follows it
// (a lone lead byte at the end would take that byte with it).
bool isXMLName(const char* s)
{
    if (!s || kaIsWhiteChar(*s)) return false;
    cParser scan(cParser::modeXMLName);
    scan.set(cStringA(s) + " ");
    cStringA name;
    return scan.needIdentifier(name) && name.equals(s);
}

cStringA startTagNotClosed(const cStringA& name) { return "The start-tag of '" + name + "' was not closed by angle bracket."; }

}  // namespace

void cXMLWriter::add(const char* s, size_t n)
{
    if (failed || !n) return;
    if (used + n + 1 > capacity) {
        size_t grown = capacity ? capacity : 256;
        while (grown < used + n + 1) grown *= 2;
        void* more = grown < 0x7FFFFFFF ? ka_realloc(text, static_cast<unsigned int>(grown)) : nullptr;
        if (!more) {
            failed = true;
            return;
        }
        text = static_cast<char*>(more);
        capacity = grown;
    }
    memcpy(text + used, s, n);
    used += n;
    text[used] = 0;
}

// Stored text may hold what a parsed document held verbatim: a double quote read
// from a single-quoted value, or "<" and a bare "&" read from a CDATA section.
// Those bytes are written as entities, which unescape to the same text, so that
// the output is well-formed and reads back to the same values and content.
void cXMLWriter::addStored(const char* stored, bool quoted)
{
    if (!stored) return;
    const char* run = stored;
    for (const char* p = stored; *p; ++p) {
        bool bareAmpersand = *p == '&' && !entityAt(p);
        if (*p == '<' || bareAmpersand || (quoted && *p == '"')) {
            add(run, static_cast<size_t>(p - run));
            add(entityFor(*p)->text);
            run = p + 1;
        }
    }
    add(run);
}

// ---- cXMLElement -----------------------------------------------------------

cXMLElement::cXMLElement() {}

cXMLElement::cXMLElement(const char* tagName) { name = tagName; }

cXMLElement::~cXMLElement() { clear(); }

void cXMLElement::clear()
{
    for (cLLWalker walk(attributes); walk.more();) delete static_cast<cXMLAttr*>(walk.next());
    attributes.removeAll();
    deleteChildren(0);
    name.setBlank();
    content.setBlank();
}

// Deleting by recursion visits each element once, but must stay shallow: below
// a fixed depth a child's own children are moved to this list's tail instead, so
// that a deeper tree is deleted as a queue, at one allocation per moved element.
// Only a failed move leaves the rest to the child's own clear.
void cXMLElement::deleteChildren(int depth)
{
    while (children.count()) {
        cXMLElement* child = static_cast<cXMLElement*>(children.data(0));
        children.remove(0);
        if (depth < kRecursiveDepth) {
            child->deleteChildren(depth + 1);
        } else {
            while (child->children.count() && children.append(child->children.data(0)) >= 0) child->children.remove(0);
        }
        delete child;
    }
}

const char* cXMLElement::getName() const { return name.length() ? name.getPtr() : ""; }

int cXMLElement::getAttrCount() const { return attributes.count(); }

bool cXMLElement::getAttr(int index, cStringA& attrName, cStringA& value) const
{
    const cXMLAttr* attr = static_cast<const cXMLAttr*>(attributes.data(index));
    if (!attr) {
        attrName.setBlank();
        value.setBlank();
        return false;
    }
    attrName = attr->name;
    value = unescape(attr->value);
    return true;
}

bool cXMLElement::findAttr(const char* attrName, cStringA& value) const
{
    for (cLLWalker walk(attributes); attrName && *attrName && walk.more();) {
        const cXMLAttr* attr = static_cast<const cXMLAttr*>(walk.next());
        if (attr->name.equals(attrName)) {
            value = unescape(attr->value);
            return true;
        }
    }
    value.setBlank();
    return false;
}

int cXMLElement::getChildElementCount() const { return children.count(); }

cXMLElement* cXMLElement::getChildElement(int index) const { return static_cast<cXMLElement*>(children.data(index)); }

cXMLElement* cXMLElement::findChildElement(const char* childName) const
{
    if (!childName || !*childName) return nullptr;
    for (cLLWalker walk(children); walk.more();) {
        cXMLElement* child = static_cast<cXMLElement*>(walk.next());
        if (child->name.equals(childName)) return child;
    }
    return nullptr;
}

cStringA cXMLElement::getContent() { return unescape(content); }

bool cXMLElement::appendAttr(const cStringA& attrName, const cStringA& stored)
{
    cXMLAttr* attr = new cXMLAttr();
    if (!attr) return false;
    attr->name = attrName;
    attr->value = stored;
    if (attributes.append(attr) >= 0) return true;
    delete attr;
    return false;
}

void cXMLElement::addAttr(const char* attrName, const char* value)
{
    if (isXMLName(attrName)) appendAttr(attrName, value ? escape(value) : cStringA());
}

cXMLElement* cXMLElement::addElement(const char* childName)
{
    return isXMLName(childName) ? appendChild(childName) : nullptr;
}

cXMLElement* cXMLElement::appendChild(const cStringA& childName)
{
    // A blank name here is a copy that ran out of memory.
    cXMLElement* child = childName.length() ? new cXMLElement() : nullptr;
    if (!child) return nullptr;
    child->name = childName;
    if (children.append(child) >= 0) return child;
    delete child;
    return nullptr;
}

void cXMLElement::setContent(const char* text) { content = text && *text ? escape(text) : cStringA(); }

void cXMLElement::toString(cStringA& out)
{
    cXMLWriter writer;
    write(writer);
    out << writer.result();
}

void cXMLElement::write(cXMLWriter& out) const
{
    out.add("<");
    out.add(name);
    for (cLLWalker walk(attributes); walk.more();) {
        const cXMLAttr* attr = static_cast<const cXMLAttr*>(walk.next());
        out.add(" ");
        out.add(attr->name);
        out.add("=\"");
        out.addStored(attr->value, true);
        out.add("\"");
    }
    if (!children.count() && !content.length()) {
        out.add(" />\r\n");
        return;
    }
    out.add(">");
    if (children.count()) {
        out.add("\r\n");
        for (cLLWalker walk(children); walk.more();) static_cast<const cXMLElement*>(walk.next())->write(out);
    } else {
        out.addStored(content, false);
    }
    out.add("</");
    out.add(name);
    out.add(">\r\n");
}

// ---- Reader ----------------------------------------------------------------

// What one read carries down the tree: the depth it has reached and the names it
// has met. Documents repeat a handful of tag and attribute names thousands of
// times; sharing one string record per name saves two allocations for every
// element and attribute read. A small table of recent names is enough for that,
// and a miss costs only the copy that every name cost before. The elements of a
// document then share records: like a string and its copies, a document belongs
// to one thread.
struct cXMLReading {
    int depth = 1;
    cStringA names[kNameSlots];

    const cStringA& share(const char* name, int length);
};

const cStringA& cXMLReading::share(const char* name, int length)
{
    unsigned int hash = 0;
    for (int i = 0; i < length; ++i) hash = hash * 31 + static_cast<unsigned char>(name[i]);
    cStringA& slot = names[hash % kNameSlots];
    if (slot.length() != length || memcmp(slot.getPtr(), name, static_cast<size_t>(length)) != 0) slot = name;
    return slot;
}

// needIdentifier, with the name taken from the names already met.
bool cXMLElement::readName(cParser& parser, cXMLReading& reading, cStringA& out)
{
    if (!parser.getIdentifier()) {
        out.setBlank();
        return false;
    }
    out = reading.share(parser.token, static_cast<int>(parser.position - parser.lastStart));
    return true;
}

bool cXMLElement::parseAttr(cParser& parser, cStringA& error)
{
    cXMLReading reading;
    return parseAttrs(parser, error, reading);
}

bool cXMLElement::parseAttrs(cParser& parser, cStringA& error, cXMLReading& reading)
{
    for (;;) {
        cStringA attrName, value;
        if (!readName(parser, reading, attrName)) return true;
        if (!parser.need('=')) {
            error = "An attribute should be followed by an equal sign(=).\r\nAttribute Name: " + attrName;
            return false;
        }
        if (parser.getToken(value) != cParser::tokenString) {
            error = "The attribute '" + attrName + "' does not have a string literal value.";
            return false;
        }
        if (!appendAttr(attrName, value)) {
            error = kOutOfMemory;
            return false;
        }
    }
}

bool cXMLElement::parseContent(cParser& parser, cStringA& error)
{
    cXMLReading reading;
    return parseContentAt(parser, error, reading);
}

// Attributes, then "/>" or ">", content and the end tag. inContent tells whether
// a failure came from inside the content.
bool cXMLElement::parseBody(cParser& parser, cStringA& error, cXMLReading& reading, bool* inContent)
{
    if (!parseAttrs(parser, error, reading)) return false;
    if (parser.needString("/>")) return true;
    if (!parser.need('>')) {
        error = startTagNotClosed(name);
        return false;
    }
    if (!parseContentAt(parser, error, reading)) {
        *inContent = true;
        return false;
    }
    return parseEndTag(parser, error);
}

// "</" and the name are compared in place: building that text for every element
// cost two allocations each.
bool cXMLElement::parseEndTag(cParser& parser, cStringA& error)
{
    parser.skipWhite();
    const char* at = parser.getPointer();
    size_t n = static_cast<size_t>(name.length());
    if (strncmp(at, "</", 2) != 0 || (n && strncmp(at + 2, name.getPtr(), n) != 0)) {
        error = "Can not find the end-tag of '" + name + "'.";
        return false;
    }
    parser.moveTo(at + 2 + n);
    if (!parser.need('>')) {
        error = "The end-tag of '" + name + "' was not closed by angle bracket.";
        return false;
    }
    return true;
}

bool cXMLElement::parseContentAt(cParser& parser, cStringA& error, cXMLReading& reading)
{
    const char* start = parser.getPointer();
    const char* markup = strchr(start, '<');
    if (!markup) markup = start + strlen(start);
    cStringA text = parser.slice(start, markup);
    parser.moveTo(markup);
    if (strncmp(markup, "<![CDATA[", 9) == 0) {
        const char* end = strstr(markup + 9, "]]>");
        if (!end) {
            error = "unexpected end of content.";
            return false;
        }
        text = parser.slice(markup + 9, end);
        parser.moveTo(end + 3);
        parser.skipWhite();
    }
    for (;;) {
        const char* at = parser.getPointer();
        if (*at != '<') return true;
        if (at[1] == '/') {
            content = text;
            return true;
        }
        if (strncmp(at, "<!--", 4) == 0) {
            if (!parser.removeXMLComment(error)) return false;
        } else if (!parseChild(parser, error, reading)) {
            return false;
        }
        parser.skipWhite();
    }
}

bool cXMLElement::parseChild(cParser& parser, cStringA& error, cXMLReading& reading)
{
    if (reading.depth >= kMaxDepth) {
        error = "The elements are nested deeper than ";
        error << kMaxDepth << " levels.";
        return false;
    }
    parser.need('<');
    cStringA childName;
    if (parser.isWhite() || !readName(parser, reading, childName)) {
        error = "Can not find the name of the tag.";
        return false;
    }
    // The scanner has just read it as a name: checking it again is not needed.
    cXMLElement* child = appendChild(childName);
    if (!child) {
        error = kOutOfMemory;
        return false;
    }
    bool inContent = false;
    ++reading.depth;
    bool ok = child->parseBody(parser, error, reading, &inContent);
    --reading.depth;
    return ok;
}

// ---- cXML ------------------------------------------------------------------

cXML::cXML() : prolog(new cXMLElement()), document(new cXMLElement()) {}

cXML::cXML(const char* rootName) : prolog(new cXMLElement()), document(new cXMLElement(rootName)) {}

cXML::~cXML()
{
    delete prolog;
    delete document;
}

cXMLElement* cXML::getDocumentElement() const { return document; }

const char* cXML::getErrorString() const { return error.length() ? error.getPtr() : ""; }

void cXML::setError(const char* message) { error = message; }

cStringA cXML::toString()
{
    cStringA out(kDeclaration);
    if (document) document->toString(out);
    return out;
}

bool cXML::parse(const char* text)
{
    cParser parser(cParser::modeXMLName);
    parser.set(text);
    parser.skipWhite();
    delete prolog;
    prolog = new cXMLElement();
    cStringA message(kOutOfMemory);
    bool ok = prolog && parseProlog(parser, message) && parseDOCTYPEDeclaration(parser, message) &&
              parser.removeXMLComment(message) && parseDocumentElement(parser, message);
    if (!ok) setError(message);
    return ok;
}

bool cXML::parseProlog(cParser& parser, cStringA& message)
{
    if (!parser.needString("<?xml")) return true;
    if (parser.isWhite() && prolog->parseAttr(parser, message) && parser.needString("?>")) return true;
    message = "Invalid XML prolog";
    return false;
}

bool cXML::parseDOCTYPEDeclaration(cParser& parser, cStringA& message)
{
    if (!parser.needString("<!DOCTYPE")) return true;
    if (parser.isWhite()) {
        cStringA piece;
        for (;;) {
            int kind = parser.getToken(piece);
            if (kind == cParser::tokenChar && piece.equals(">")) return true;
            if (kind != cParser::tokenIdentifier && kind != cParser::tokenString) break;
        }
    }
    message = "Invalid document type declaration";
    return false;
}

bool cXML::parseDocumentElement(cParser& parser, cStringA& message)
{
    cStringA rootName;
    if (!parser.need('<') || parser.isWhite() || !parser.needIdentifier(rootName)) {
        message = "Can not find root tag.";
        return false;
    }
    cXMLElement* root = new cXMLElement();
    if (!root) {
        message = kOutOfMemory;
        return false;
    }
    root->name = rootName;
    delete document;
    document = root;
    cXMLReading reading;
    bool inContent = false;
    if (!root->parseBody(parser, message, reading, &inContent)) {
        if (inContent) {
            // The remaining text shows the reader where the failure stands.
            char context[kContextBytes + 1];
            strCopyN(context, parser.getPointer(), kContextBytes);
            message << "\r\n" << context;
        }
        return false;
    }
    cStringA rest;
    if (parser.getToken(rest) != cParser::tokenEnd) {
        message = "Found unnecessary text outside of document element.";
        return false;
    }
    return true;
}
