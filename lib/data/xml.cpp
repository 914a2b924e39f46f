#include "xml.h"
#include <cstring>
#include <new>

// One attribute: its name, and its value in escaped form in the same block right
// behind it.
struct cXMLAttr {
    cStringA name;
    const char* value() const { return reinterpret_cast<const char*>(this + 1); }
};

class cXMLPool;

// Every element and attribute in a list shares one block with the item that links
// it and names the pool the block came from (none for a block of its own). The
// element or attribute follows at kObjectOffset.
struct cXMLChunk {
    listItem item;
    cXMLPool* pool;
};

// Blocks taken in bulk for the elements and attributes of one read. A document
// holds tens of thousands of small objects, and taking each from the heap and
// giving each back cost more than reading them. The pool counts the objects it
// gave out (and the read that uses it) and goes with the last of them, which for
// a document is when its tree is cleared or deleted.
class cXMLPool {
public:
    static cXMLPool* create();
    // Null when memory is short. An uncounted block must belong to a counted one
    // and go with it.
    void* take(size_t size, bool counted = true);
    void release();

private:
    struct Block {
        Block* next;
    };
    bool grow(size_t size);

    Block* blocks;
    char* spare;
    char* spareEnd;
    size_t nextSize;
    int live;
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
// Bytes of the remaining text quoted after a message from inside the document element.
const int kContextBytes = 100;
// Recent names kept by one read (see cXMLReading).
const int kNameSlots = 256;
// Contents up to this length are shared like names: mostly the line breaks and
// indentation in front of child elements.
const int kTextSlots = 64;
const int kSharedText = 16;
// The count of a content record in a pool: high enough that no release ever
// frees it.
const int kPinned = 0x40000000;
// Where a chunk's element or attribute starts: behind its header, pointer-aligned.
const size_t kObjectOffset = (sizeof(cXMLChunk) + 7) & ~static_cast<size_t>(7);
// A pool's blocks grow from the first size to the last: small documents stay
// small, and large ones take blocks the heap keeps for the next read.
const size_t kFirstBlock = 4096;
const size_t kLastBlock = 64 * 1024;

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

const char* skipWhite(const char* p)
{
    while (kaIsWhiteChar(*p)) ++p;
    return p;
}

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// A block of its own, or one from the pool, for an object of size bytes behind
// its header.
cXMLChunk* newChunk(cXMLPool* pool, size_t size)
{
    size += kObjectOffset;
    void* block = pool ? pool->take(size) : size < 0x7FFFFFFF ? ka_malloc(static_cast<unsigned int>(size)) : nullptr;
    if (!block) return nullptr;
    cXMLChunk* chunk = static_cast<cXMLChunk*>(block);
    ::new (&chunk->item) listItem();
    chunk->item.data = static_cast<char*>(block) + kObjectOffset;
    chunk->pool = pool;
    return chunk;
}

void freeChunk(listItem* item)
{
    cXMLChunk* chunk = reinterpret_cast<cXMLChunk*>(item);
    if (chunk->pool)
        chunk->pool->release();
    else
        ka_free(chunk);
}

}  // namespace

// ---- cXMLPool --------------------------------------------------------------

cXMLPool* cXMLPool::create()
{
    cXMLPool* pool = static_cast<cXMLPool*>(ka_malloc(sizeof(cXMLPool)));
    if (!pool) return nullptr;
    pool->blocks = nullptr;
    pool->spare = pool->spareEnd = nullptr;
    pool->nextSize = kFirstBlock;
    pool->live = 1;
    return pool;
}

void* cXMLPool::take(size_t size, bool counted)
{
#ifdef KA_GUARDED_HEAP
    // One block per object, so that the guarded heap still catches an overrun of any one.
    if (!grow(size)) return nullptr;
#else
    // Not rounded up: the objects are packed, and every byte of a large tree
    // costs a page to be mapped on its first read.
    if (static_cast<size_t>(spareEnd - spare) < size && !grow(size)) return nullptr;
#endif
    void* p = spare;
    spare += size;
    if (counted) ++live;
    return p;
}

bool cXMLPool::grow(size_t size)
{
    const size_t header = (sizeof(Block) + 7) & ~static_cast<size_t>(7);
#ifdef KA_GUARDED_HEAP
    size_t bytes = header + size;
#else
    size_t bytes = header + size > nextSize ? header + size : nextSize;
#endif
    Block* block = bytes < 0x7FFFFFFF ? static_cast<Block*>(ka_malloc(static_cast<unsigned int>(bytes))) : nullptr;
    if (!block) return false;
    block->next = blocks;
    blocks = block;
    spare = reinterpret_cast<char*>(block) + header;
    spareEnd = reinterpret_cast<char*>(block) + bytes;
    if (nextSize < kLastBlock) nextSize *= 2;
    return true;
}

void cXMLPool::release()
{
    if (--live > 0) return;
    for (Block* block = blocks; block;) {
        Block* next = block->next;
        ka_free(block);
        block = next;
    }
    ka_free(this);
}

// ---- Reading state ---------------------------------------------------------

// What one read carries down the tree: the depth it has reached, the pool its
// elements and attributes come from, and the names it has met. Documents repeat
// a handful of tag and attribute names, and a few short texts (line breaks and
// indentation), thousands of times; sharing one string record for each saves an
// allocation for every element and attribute read. A small table of recent ones
// is enough for that, and a miss costs only the copy that every name cost before.
// The elements of a document then share records: like a string and its copies,
// a document belongs to one thread.
struct cXMLReading {
    cXMLReading() : pool(cXMLPool::create()) {}
    ~cXMLReading()
    {
        // The shared texts are the pool's: they go before it can.
        for (cStringA& text : texts) text.setBlank();
        if (pool) pool->release();
    }
    cXMLReading(const cXMLReading&) = delete;
    cXMLReading& operator=(const cXMLReading&) = delete;

    const cStringA& share(cParser& parser, cStringA* table, int slots, const char* from, const char* to);
    bool pooledText(cStringA& out, const char* from, const char* to);
    const cStringA& shareText(const char* from, const char* to);
    void setContent(cParser& parser, cXMLElement& e, const char* from, const char* to);
    static cXMLElement* addChild(cXMLElement& parent, cXMLPool* pool, const cStringA& name);
    static bool addAttr(cXMLElement& e, cXMLPool* pool, const cStringA& name, const char* value, size_t length);
    static const char* pastToken(cParser& parser, const char* p);

    int depth = 1;
    // Null when memory was short: every object then takes a block of its own.
    cXMLPool* pool;
    cStringA names[kNameSlots];
    cStringA texts[kTextSlots];
};

namespace {

cStringA& slotFor(cStringA* table, int slots, const char* from, const char* to)
{
    unsigned int hash = 0;
    for (const char* p = from; p < to; ++p) hash = hash * 31 + static_cast<unsigned char>(*p);
    return table[hash & static_cast<unsigned int>(slots - 1)];
}

bool holds(const cStringA& slot, const char* from, const char* to)
{
    size_t n = static_cast<size_t>(to - from);
    return static_cast<size_t>(slot.length()) == n && memcmp(slot.getPtr(), from, n) == 0;
}

}  // namespace

const cStringA& cXMLReading::share(cParser& parser, cStringA* table, int slots, const char* from, const char* to)
{
    cStringA& slot = slotFor(table, slots, from, to);
    if (!holds(slot, from, to)) slot = parser.slice(from, to);
    return slot;
}

const cStringA& cXMLReading::shareText(const char* from, const char* to)
{
    cStringA& slot = slotFor(texts, kTextSlots, from, to);
    if (!holds(slot, from, to) && !pooledText(slot, from, to)) slot.setBlank();
    return slot;
}

// A record in the pool, for the content of an element that is in the pool itself
// and so keeps it alive; its count is pinned, and only the element holds it.
bool cXMLReading::pooledText(cStringA& out, const char* from, const char* to)
{
    size_t n = static_cast<size_t>(to - from);
    char* block = static_cast<char*>(pool->take(sizeof(cStringData) + n + 1, false));
    if (!block) return false;
    cStringData* record = ::new (block) cStringData();
    record->text = block + sizeof(cStringData);
    memcpy(record->text, from, n);
    record->text[n] = 0;
    record->length = static_cast<int>(n);
    record->refs = kPinned;
    out.adopt(record);
    return true;
}

// Contents of elements below the reading's first level are this read's own
// elements; the first level's element (the document's, or the caller's) may
// outlive the pool and takes a record of its own.
void cXMLReading::setContent(cParser& parser, cXMLElement& e, const char* from, const char* to)
{
    if (from == to)
        e.content.setBlank();
    else if (depth == 1 || !pool)
        e.content = parser.slice(from, to);
    else if (to - from <= kSharedText)
        e.content = shareText(from, to);
    else if (!pooledText(e.content, from, to))
        e.content.setBlank();
}

cXMLElement* cXMLReading::addChild(cXMLElement& parent, cXMLPool* pool, const cStringA& name)
{
    // A blank name here is a copy that ran out of memory.
    cXMLChunk* chunk = name.length() ? newChunk(pool, sizeof(cXMLElement)) : nullptr;
    if (!chunk) return nullptr;
    cXMLElement* child = ::new (chunk->item.data) cXMLElement();
    child->name = name;
    cLLChain::link(parent.children, &chunk->item);
    return child;
}

bool cXMLReading::addAttr(cXMLElement& e, cXMLPool* pool, const cStringA& name, const char* value, size_t length)
{
    cXMLChunk* chunk = newChunk(pool, sizeof(cXMLAttr) + length + 1);
    if (!chunk) return false;
    cXMLAttr* attr = ::new (chunk->item.data) cXMLAttr();
    attr->name = name;
    char* stored = reinterpret_cast<char*>(attr + 1);
    memcpy(stored, value, length);
    stored[length] = 0;
    cLLChain::link(e.attributes, &chunk->item);
    return true;
}

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

// The lists' items live in the attributes' and children's own blocks: the lists
// are emptied here, before their own removal could see those items.
void cXMLElement::clear()
{
    listItem* last;
    for (listItem* item = cLLChain::detach(attributes, &last); item;) {
        listItem* next = item->next;
        static_cast<cXMLAttr*>(item->data)->~cXMLAttr();
        freeChunk(item);
        item = next;
    }
    deleteChildren(0);
    name.setBlank();
    content.setBlank();
}

// The whole subtree is deleted as one queue: each element's children join its
// tail in one step before the element goes, so that no depth costs stack and
// nothing needs memory.
void cXMLElement::deleteChildren(int)
{
    listItem* tail;
    for (listItem* item = cLLChain::detach(children, &tail); item;) {
        cXMLElement* child = static_cast<cXMLElement*>(item->data);
        listItem* last;
        if (listItem* first = cLLChain::detach(child->children, &last)) {
            tail->next = first;
            tail = last;
        }
        listItem* next = item->next;
        child->~cXMLElement();
        freeChunk(item);
        item = next;
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
    value = unescape(attr->value());
    return true;
}

bool cXMLElement::findAttr(const char* attrName, cStringA& value) const
{
    for (cLLWalker walk(attributes); attrName && *attrName && walk.more();) {
        const cXMLAttr* attr = static_cast<const cXMLAttr*>(walk.next());
        if (attr->name.equals(attrName)) {
            value = unescape(attr->value());
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
    return cXMLReading::addAttr(*this, nullptr, attrName, stored.length() ? stored.getPtr() : "",
                                static_cast<size_t>(stored.length()));
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
    return cXMLReading::addChild(*this, nullptr, childName);
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
        out.addStored(attr->value(), true);
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

// The reader moves the scanner's cursor itself: the scanner's own calls copy
// every name and value into its token buffer first, which cost more than the
// scanning. Each step leaves the cursor where the scanner's calls would have,
// since a failure inside the document element quotes the text from there.

// needIdentifier, with the name taken from the names already met.
bool cXMLElement::readName(cParser& parser, cXMLReading& reading, cStringA& out)
{
    const char* start = skipWhite(parser.position);
    const char* end = parser.takeName(start);
    parser.position = end;
    if (end == start) {
        out.setBlank();
        return false;
    }
    out = reading.share(parser, reading.names, kNameSlots, start, end);
    return true;
}

bool cXMLElement::parseAttr(cParser& parser, cStringA& error)
{
    cXMLReading reading;
    bool ok = parseAttrs(parser, error, reading);
    parser.lastStart = parser.position;
    return ok;
}

// Where the scanner's getToken would stop after a token that is not a string.
const char* cXMLReading::pastToken(cParser& parser, const char* p)
{
    if (!*p) return p;
    if (isDecimalDigit(*p) || (*p == '.' && isDecimalDigit(p[1]))) {
        for (bool point = false; isDecimalDigit(*p) || (*p == '.' && !point); ++p) {
            if (*p == '.') point = true;
        }
        return p;
    }
    const char* end = parser.takeName(p);
    return end != p ? end : p + 1;
}

bool cXMLElement::parseAttrs(cParser& parser, cStringA& error, cXMLReading& reading)
{
    for (;;) {
        const char* p = skipWhite(parser.position);
        const char* end = parser.takeName(p);
        parser.position = end;
        if (end == p) return true;
        const cStringA& attrName = reading.share(parser, reading.names, kNameSlots, p, end);
        p = skipWhite(end);
        parser.position = p;
        if (*p != '=') {
            error = "An attribute should be followed by an equal sign(=).\r\nAttribute Name: " + attrName;
            return false;
        }
        p = skipWhite(p + 1);
        const char quote = *p;
        const char* close = quote == '"' || quote == '\'' ? strchr(p + 1, quote) : nullptr;
        if (!close) {
            parser.position = quote == '"' || quote == '\'' ? p + strlen(p) : cXMLReading::pastToken(parser, p);
            error = "The attribute '" + attrName + "' does not have a string literal value.";
            return false;
        }
        parser.position = close + 1;
        if (!cXMLReading::addAttr(*this, reading.pool, attrName, p + 1, static_cast<size_t>(close - p - 1))) {
            error = kOutOfMemory;
            return false;
        }
    }
}

bool cXMLElement::parseContent(cParser& parser, cStringA& error)
{
    cXMLReading reading;
    bool ok = parseContentAt(parser, error, reading);
    parser.lastStart = parser.position;
    return ok;
}

// Attributes, then "/>" or ">", content and the end tag. inContent tells whether
// a failure came from inside the content.
bool cXMLElement::parseBody(cParser& parser, cStringA& error, cXMLReading& reading, bool* inContent)
{
    if (!parseAttrs(parser, error, reading)) return false;
    const char* p = skipWhite(parser.position);
    parser.position = p;
    if (p[0] == '/' && p[1] == '>') {
        parser.position = p + 2;
        return true;
    }
    if (*p != '>') {
        error = startTagNotClosed(name);
        return false;
    }
    parser.position = p + 1;
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
    const char* at = skipWhite(parser.position);
    parser.position = at;
    size_t n = static_cast<size_t>(name.length());
    if (strncmp(at, "</", 2) != 0 || (n && strncmp(at + 2, name.getPtr(), n) != 0)) {
        error = "Can not find the end-tag of '" + name + "'.";
        return false;
    }
    const char* p = skipWhite(at + 2 + n);
    parser.position = p;
    if (*p != '>') {
        error = "The end-tag of '" + name + "' was not closed by angle bracket.";
        return false;
    }
    parser.position = p + 1;
    return true;
}

// Only the text in front of the first markup, or a CDATA section right there, is
// content; it is kept when the end tag follows the children directly.
bool cXMLElement::parseContentAt(cParser& parser, cStringA& error, cXMLReading& reading)
{
    const char* from = parser.position;
    const char* to = strchr(from, '<');
    if (!to) to = from + strlen(from);
    parser.position = to;
    if (strncmp(to, "<![CDATA[", 9) == 0) {
        const char* end = strstr(to + 9, "]]>");
        if (!end) {
            error = "unexpected end of content.";
            return false;
        }
        from = to + 9;
        to = end;
        parser.position = skipWhite(end + 3);
    }
    for (;;) {
        const char* at = parser.position;
        if (*at != '<') return true;
        if (at[1] == '/') {
            reading.setContent(parser, *this, from, to);
            return true;
        }
        if (strncmp(at, "<!--", 4) == 0) {
            const char* dashes = strstr(at + 4, "--");
            if (!dashes || dashes[2] != '>') {
                error = "The comment does not end-tag.";
                return false;
            }
            parser.position = dashes + 3;
        } else if (!parseChild(parser, error, reading)) {
            return false;
        }
        parser.position = skipWhite(parser.position);
    }
}

bool cXMLElement::parseChild(cParser& parser, cStringA& error, cXMLReading& reading)
{
    if (reading.depth >= kMaxDepth) {
        error = "The elements are nested deeper than ";
        error << kMaxDepth << " levels.";
        return false;
    }
    const char* start = ++parser.position;
    const char* end = kaIsWhiteChar(*start) ? start : parser.takeName(start);
    if (end == start) {
        error = "Can not find the name of the tag.";
        return false;
    }
    parser.position = end;
    // The scanner has just read it as a name: checking it again is not needed.
    cXMLElement* child =
        cXMLReading::addChild(*this, reading.pool, reading.share(parser, reading.names, kNameSlots, start, end));
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
    borrowText(parser, text);
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
