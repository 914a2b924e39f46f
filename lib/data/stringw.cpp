#include "stringw.h"
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include "core/stringa.h"
#include "types.h"
#include "core/leadbyte.h"

// On Windows wchar_t is the 16-bit UTF-16 unit, so the C runtime's wide
// functions work on our units directly.
static_assert(sizeof(wchar_t) == sizeof(unsigned short), "wchar_t must be a UTF-16 unit");

namespace {

const wchar_t* asWide(const unsigned short* p) { return reinterpret_cast<const wchar_t*>(p); }

cStringWData* emptyRecord()
{
    static cStringWData empty;
    return &empty;
}

// Memory exhaustion gives the empty record, never a null one.
cStringWData* buildRecord(const unsigned short* text)
{
    size_t n = text ? wcslen(asWide(text)) : 0;
    if (n == 0 || n >= INT_MAX / sizeof(unsigned short)) return emptyRecord();
    cStringWData* r = new cStringWData;
    if (!r) return emptyRecord();
    r->text = static_cast<unsigned short*>(ka_malloc(static_cast<unsigned int>((n + 1) * sizeof(unsigned short))));
    if (!r->text) {
        delete r;
        return emptyRecord();
    }
    memcpy(r->text, text, (n + 1) * sizeof(unsigned short));
    r->length = static_cast<int>(n);
    r->refs = 1;
    return r;
}

// The bytes worth converting. A lead byte whose partner would be the terminator
// is dropped: the C runtime's conversion would take the terminator as its
// partner and read on past the end of the text.
size_t usableLength(const char* text, size_t n)
{
    size_t i = 0;
    while (i < n) {
        if (!kaIsLeadByte(text[i])) {
            ++i;
        } else if (i + 1 < n) {
            i += 2;
        } else {
            return i;
        }
    }
    return n;
}

// One character at a time with the bytes left as its bound: mbstowcs takes no
// length of its text. A byte the locale cannot read costs only itself ('?').
void multiByteToWide(wchar_t* out, const char* text, size_t n)
{
    mbtowc(nullptr, nullptr, 0);
    size_t used = 0;
    for (size_t i = 0; i < n;) {
        int len = mbtowc(out + used, text + i, n - i);
        if (len <= 0) {
            out[used] = L'?';
            len = 1;
        }
        ++used;
        i += static_cast<size_t>(len);
    }
    out[used] = 0;
}

}  // namespace

unsigned short* allocWstring(const char* text)
{
    size_t n = text ? strlen(text) : 0;
    if (n >= INT_MAX / sizeof(unsigned short) - 1) return nullptr;
    void* block = ka_malloc(static_cast<unsigned int>((n + 1) * sizeof(unsigned short)));
    if (!block) return nullptr;
    multiByteToWide(static_cast<wchar_t*>(block), text, n ? usableLength(text, n) : 0);
    return static_cast<unsigned short*>(block);
}

void freeWstring(unsigned short* text) { ka_free(text); }

cStringW::cStringW() : record(emptyRecord()) { type = kaTypeStringW; }

cStringW::cStringW(const unsigned short* text) : record(buildRecord(text)) { type = kaTypeStringW; }

cStringW::cStringW(const cStringW& other) : cVar(), record(other.record)
{
    type = kaTypeStringW;
    if (record != emptyRecord()) ++record->refs;
}

cStringW::~cStringW() { release(); }

void cStringW::release()
{
    if (record == emptyRecord() || --record->refs > 0) return;
    ka_free(record->text);
    delete record;
}

// The new record is built before the old one goes, so a text that points into
// this string's own record is still alive while it is copied.
void cStringW::adopt(cStringWData* fresh)
{
    release();
    record = fresh;
}

cStringW& cStringW::operator=(const cStringW& other)
{
    if (record == other.record || (!record->text && !other.record->text)) return *this;
    if (other.record != emptyRecord()) ++other.record->refs;
    adopt(other.record);
    return *this;
}

cStringW& cStringW::operator=(const unsigned short* text)
{
    set(text);
    return *this;
}

cStringW& cStringW::operator=(unsigned short* const text)
{
    set(text);
    return *this;
}

void cStringW::set(const unsigned short* text)
{
    if (text != record->text) adopt(buildRecord(text));
}

void cStringW::set(const char* text)
{
    if (!text || !*text) {
        setBlank();
        return;
    }
    unsigned short* wide = allocWstring(text);
    adopt(buildRecord(wide));
    freeWstring(wide);
}

void cStringW::setBlank() { set(static_cast<const unsigned short*>(nullptr)); }

unsigned int cStringW::getLength() const { return static_cast<unsigned int>(record->length); }

const unsigned short* cStringW::getPtr() const { return record->text; }

bool cStringW::isBlank() const { return !record->text || record->text[0] == 0; }

cStringA& cStringA::operator=(const cStringW& w)
{
    if (w.isBlank()) {
        setBlank();
        return *this;
    }
    return *this = w.getPtr();
}
