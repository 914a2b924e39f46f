#include "stringa.h"
#include <windows.h>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

const int kStringTypeId = 11;

// Every empty string shares this record, so that an empty string never needs
// memory and a failed allocation can always fall back to a valid value. It is
// never written and never counted, which keeps it safe across threads too.
cStringData* emptyRecord()
{
    static cStringData empty;
    return &empty;
}

// Builds a record holding a followed by b (either may be null). Memory
// exhaustion or a length beyond int gives the empty record, never a null one.
cStringData* buildRecord(const char* a, const char* b)
{
    size_t la = a ? strlen(a) : 0;
    size_t lb = b ? strlen(b) : 0;
    if (la + lb == 0 || la + lb >= INT_MAX) return emptyRecord();
    cStringData* r = new cStringData;
    if (!r) return emptyRecord();
    r->text = static_cast<char*>(ka_malloc(static_cast<unsigned int>(la + lb + 1)));
    if (!r->text) {
        delete r;
        return emptyRecord();
    }
    if (la) memcpy(r->text, a, la);
    if (lb) memcpy(r->text + la, b, lb);
    r->text[la + lb] = 0;
    r->length = static_cast<int>(la + lb);
    r->refs = 1;
    return r;
}

// Decimal text of a number, in a buffer big enough for any 32-bit value.
class Decimal {
public:
    explicit Decimal(int n) { _itoa(n, buf, 10); }
    explicit Decimal(long n) { _ltoa(n, buf, 10); }
    explicit Decimal(unsigned long n) { _ultoa(n, buf, 10); }
    const char* text() const { return buf; }

private:
    char buf[34];
};

// Converts one character at a time, writing '?' for each one the current locale
// cannot represent, so an unconvertible character costs only itself.
size_t wideToMultiByteLossy(char* out, size_t size, const wchar_t* w)
{
    size_t used = 0;
    char one[MB_LEN_MAX];
    wctomb(nullptr, 0);
    for (; *w; ++w) {
        int n = wctomb(one, *w);
        if (n < 0) {
            one[0] = '?';
            n = 1;
        }
        if (used + static_cast<size_t>(n) >= size) break;
        memcpy(out + used, one, static_cast<size_t>(n));
        used += static_cast<size_t>(n);
    }
    return used;
}

// Skips prefix when the text begins with it.
const char* skipPrefix(const char* text, const char* prefix)
{
    size_t n = prefix ? strlen(prefix) : 0;
    return n && strncmp(text, prefix, n) == 0 ? text + n : text;
}

void reverseBytes(char* s)
{
    for (char *a = s, *b = s + strlen(s) - 1; a < b; ++a, --b) {
        char t = *a;
        *a = *b;
        *b = t;
    }
}

// Copies one character of src to out: a lead byte brings its partner along.
size_t copyChar(char* out, const char* src)
{
    out[0] = src[0];
    if (static_cast<unsigned char>(src[0]) < 0x80 || src[1] == 0) return 1;
    out[1] = src[1];
    return 2;
}

size_t replaceAll(char* out, const char* text, const char* find, const char* with)
{
    size_t m = strlen(find), w = strlen(with), used = 0;
    for (const char* p = text; *p;) {
        if (strncmp(p, find, m) == 0) {
            memcpy(out + used, with, w);
            used += w;
            p += m;
        } else {
            size_t n = copyChar(out + used, p);
            used += n;
            p += n;
        }
    }
    return used;
}

// False when the text ends before index: the caller then keeps its old value.
bool replaceAt(char* out, const char* text, const char* find, const char* with, int index)
{
    size_t pos = 0, used = 0, target = static_cast<size_t>(index);
    while (pos < target) {
        if (text[pos] == 0) return false;
        size_t n = copyChar(out + used, text + pos);
        used += n;
        pos += n;
    }
    size_t m = strlen(find);
    if (pos == target && strncmp(text + pos, find, m) == 0) {
        size_t w = strlen(with);
        memcpy(out + used, with, w);
        used += w;
        pos += m;
    }
    strcpy(out + used, text + pos);
    return true;
}

}  // namespace

cStringA::cStringA() : record(emptyRecord()) { type = kStringTypeId; }

cStringA::cStringA(const char* p) : record(buildRecord(p, nullptr)) { type = kStringTypeId; }

cStringA::cStringA(const cStringA& other) : cVar(), record(other.record)
{
    type = kStringTypeId;
    if (record != emptyRecord()) ++record->refs;
}

cStringA::cStringA(const char* a, const char* b) : record(buildRecord(a, b))
{
    type = kStringTypeId;
}

cStringA::~cStringA() { release(); }

void cStringA::release()
{
    if (record == emptyRecord() || --record->refs > 0) return;
    ka_free(record->text);
    delete record;
}

// The new record is always built before the old one goes, so a source that
// points into this string's own text is still alive while it is copied.
void cStringA::adopt(cStringData* fresh)
{
    release();
    record = fresh;
}

cStringA& cStringA::set(const char* p)
{
    if (p != record->text) adopt(buildRecord(p, nullptr));
    return *this;
}

cStringA& cStringA::operator=(const char* p) { return set(p); }

void cStringA::setBlank() { set(nullptr); }

cStringA& cStringA::operator=(const cStringA& other)
{
    if (record == other.record || (isBlank() && other.isBlank())) return *this;
    if (other.record != emptyRecord()) ++other.record->refs;
    adopt(other.record);
    return *this;
}

cStringA& cStringA::operator=(const unsigned short* w)
{
    if (!w || !*w) {
        setBlank();
        return *this;
    }
    // On Windows wchar_t is the 16-bit UTF-16 unit.
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(w);
    size_t size = 2 * wcslen(wide) + 1;
    char* block = size < UINT_MAX ? static_cast<char*>(ka_malloc(static_cast<unsigned int>(size)))
                                  : nullptr;
    if (!block) {
        setBlank();
        return *this;
    }
    size_t n = wcstombs(block, wide, size);
    if (n == static_cast<size_t>(-1) || n >= size) n = wideToMultiByteLossy(block, size, wide);
    block[n] = 0;
    set(block);
    ka_free(block);
    return *this;
}

cStringA& cStringA::set(int n) { return set(Decimal(n).text()); }

cStringA& cStringA::set(long n) { return set(Decimal(n).text()); }

cStringA& cStringA::set(unsigned int n) { return set(Decimal(static_cast<unsigned long>(n)).text()); }

cStringA& cStringA::set(unsigned long n) { return set(Decimal(n).text()); }

cStringA& cStringA::append(const char* p)
{
    if (p && *p) adopt(buildRecord(record->text, p));
    return *this;
}

cStringA& cStringA::operator<<(const char* p) { return append(p); }

cStringA& cStringA::operator+=(const char* p) { return append(p); }

cStringA& cStringA::operator<<(const cStringA& s) { return append(s.record->text); }

cStringA& cStringA::operator+=(const cStringA& s) { return append(s.record->text); }

cStringA& cStringA::operator<<(char c)
{
    const char one[2] = {c, 0};
    return append(one);
}

cStringA& cStringA::operator<<(int n) { return append(Decimal(n).text()); }

cStringA& cStringA::operator<<(long n) { return append(Decimal(n).text()); }

cStringA& cStringA::operator<<(unsigned long n) { return append(Decimal(n).text()); }

cStringA operator+(const cStringA& a, const cStringA& b) { return cStringA(a.getPtr(), b.getPtr()); }

cStringA operator+(const cStringA& a, const char* b) { return cStringA(a.getPtr(), b); }

cStringA operator+(const char* a, const cStringA& b) { return cStringA(a, b.getPtr()); }

cStringA operator+(const cStringA& a, int b) { return cStringA(a.getPtr(), Decimal(b).text()); }

cStringA operator+(const cStringA& a, long b) { return cStringA(a.getPtr(), Decimal(b).text()); }

cStringA operator+(const cStringA& a, unsigned long b)
{
    return cStringA(a.getPtr(), Decimal(b).text());
}

cStringA operator+(int a, const cStringA& b) { return cStringA(Decimal(a).text(), b.getPtr()); }

cStringA operator+(long a, const cStringA& b) { return cStringA(Decimal(a).text(), b.getPtr()); }

cStringA operator+(unsigned long a, const cStringA& b)
{
    return cStringA(Decimal(a).text(), b.getPtr());
}

cStringA::operator const char*() const { return record->text; }

const char* cStringA::getPtr() const { return record->text; }

int cStringA::length() const { return record->length; }

char cStringA::operator[](int i) const
{
    return record->text && i >= 0 && i < record->length ? record->text[i] : 0;
}

bool cStringA::hasContent() const { return record->text && record->text[0] != 0; }

bool cStringA::isBlank() const { return !hasContent(); }

bool cStringA::equals(const cStringA& s) const
{
    return length() == s.length() && strCompare(getPtr(), s.getPtr()) == 0;
}

bool cStringA::equals(const char* p) const { return strCompare(getPtr(), p) == 0; }

bool cStringA::equalsIgnoreCase(const cStringA& s) const
{
    return strCompareNoCase(getPtr(), s.getPtr()) == 0;
}

bool cStringA::equalsIgnoreCase(const char* p) const { return strCompareNoCase(getPtr(), p) == 0; }

// Edits a scratch copy and sets the string from it, so that the new record is
// exactly as long as the result. Without memory for the copy nothing changes.
void cStringA::editCopy(void (*edit)(char* text))
{
    char* copy = strDuplicate(getPtr());
    if (!copy) return;
    edit(copy);
    set(copy);
    ka_free(copy);
}

void cStringA::toUpper() { editCopy([](char* s) { CharUpperA(s); }); }

void cStringA::toLower() { editCopy([](char* s) { CharLowerA(s); }); }

void cStringA::trimLeft() { editCopy(strTrimLeft); }

void cStringA::trimRight() { editCopy(strTrimRight); }

void cStringA::reverse() { editCopy(reverseBytes); }

void cStringA::removeInterim() { editCopy([](char* s) { strRemoveInterim(s, -1); }); }

void cStringA::replace(const char* find, const char* with, int index)
{
    if (isBlank() || !find || !*find) return;
    if (!with) with = "";
    // find and with may point into this string's text: its record lives until set().
    char* text = strDuplicate(getPtr());
    if (!text) return;
    int len = strNullPad(text, length());
    unsigned long long size =
        (strlen(with) / strlen(find) + 1) * static_cast<unsigned long long>(len) + 1;
    char* out = size < INT_MAX ? static_cast<char*>(ka_malloc(static_cast<unsigned int>(size)))
                               : nullptr;
    if (out) {
        bool done = true;
        if (index < 0) {
            out[replaceAll(out, text, find, with)] = 0;
        } else {
            done = replaceAt(out, text, find, with, index);
        }
        if (done) set(out);
    }
    ka_free(out);
    ka_free(text);
}

int cStringA::toInt() const { return hasContent() ? atoi(getPtr()) : 0; }

int cStringA::toInt(int base, const char* prefix) const
{
    if (isBlank()) return 0;
    return static_cast<int>(strtol(skipPrefix(getPtr(), prefix), nullptr, base));
}

__int64 cStringA::toBigInt() const { return strBigInt(getPtr()); }

__int64 cStringA::toBigInt(int base, const char* prefix) const
{
    if (isBlank()) return 0;
    return _strtoi64(skipPrefix(getPtr(), prefix), nullptr, base);
}
