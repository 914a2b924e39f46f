#include "cstr.h"
#include "memory.h"
#include <windows.h>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include "leadbyte.h"

namespace {

inline unsigned char byteAt(const char* s, int i) { return static_cast<unsigned char>(s[i]); }


inline bool isPresent(const char* s) { return s && *s; }

// A lowered duplicate for the case-insensitive forms. CharLowerA works on the
// whole text so that it can leave the trail bytes of double-byte characters alone.
// Should the copy fail for want of memory, the original text stands in for it.
class LoweredCopy {
public:
    explicit LoweredCopy(const char* s) : orig(s), copy(strDuplicate(s))
    {
        if (copy) CharLowerA(copy);
    }
    ~LoweredCopy() { ka_free(copy); }
    LoweredCopy(const LoweredCopy&) = delete;
    LoweredCopy& operator=(const LoweredCopy&) = delete;
    const char* text() const { return copy ? copy : orig; }

private:
    const char* orig;
    char* copy;
};

// The presence rule: an absent side decides before any byte is compared.
inline int comparePresence(const char* a, const char* b)
{
    return static_cast<int>(isPresent(a)) - static_cast<int>(isPresent(b));
}

// Both texts present; limit < 0 means no limit.
int compareBytes(const char* a, const char* b, int limit)
{
    for (int i = 0; limit < 0 || i < limit; ++i) {
        if (a[i] == 0 || a[i] != b[i]) return byteAt(a, i) - byteAt(b, i);
    }
    return 0;
}

int compare(const char* a, const char* b, int limit)
{
    if (!isPresent(a) || !isPresent(b)) return comparePresence(a, b);
    return compareBytes(a, b, limit);
}

int compareNoCase(const char* a, const char* b, int limit)
{
    if (!isPresent(a) || !isPresent(b)) return comparePresence(a, b);
    LoweredCopy la(a), lb(b);
    return compareBytes(la.text(), lb.text(), limit);
}

// Tests whether find stands at index, passing double-byte characters whole.
int searchAt(const char* s, const char* find, int index)
{
    int pos = 0;
    while (pos < index) {
        if (s[pos] == 0) return -1;
        if (kaIsLeadByte(s[pos])) {
            if (s[pos + 1] == 0) return -1;
            pos += 2;
        } else {
            ++pos;
        }
    }
    if (pos != index) return -1;  // a double-byte character straddles index
    int rest = strLen(s) - index;
    int m = strLen(find);
    if (rest < 1 || rest < m) return -1;
    return strnCompare(s + index, find, m) == 0 ? index : -1;
}

int searchFromStart(const char* s, const char* find)
{
    int len = strLen(s);
    int m = strLen(find);
    for (int p = 0;;) {
        if (m > len - p) return -1;
        if (strnCompare(s + p, find, m) == 0) return p;
        p += kaIsLeadByte(s[p]) ? 2 : 1;
    }
}

}  // namespace

int strCompare(const char* a, const char* b) { return compare(a, b, -1); }

int strCompareNoCase(const char* a, const char* b) { return compareNoCase(a, b, -1); }

bool strIsEqual(const char* a, const char* b) { return strCompare(a, b) == 0; }

bool strIsEqualNoCase(const char* a, const char* b) { return strCompareNoCase(a, b) == 0; }

int strnCompare(const char* a, const char* b, int n) { return compare(a, b, n < 0 ? 0 : n); }

int strnCompareNoCase(const char* a, const char* b, int n)
{
    return compareNoCase(a, b, n < 0 ? 0 : n);
}

char* strDuplicate(const char* s)
{
    if (!isPresent(s)) return nullptr;
    size_t size = strlen(s) + 1;
    if (size > UINT_MAX) return nullptr;
    char* copy = static_cast<char*>(ka_malloc(static_cast<unsigned int>(size)));
    if (copy) memcpy(copy, s, size);
    return copy;
}

char* strCopy(char* dst, const char* src) { return strCopyN(dst, src, -1); }

char* strCopyN(char* dst, const char* src, int n)
{
    if (!dst) return nullptr;
    if (!isPresent(src)) {
        *dst = 0;
    } else if (n < 0) {
        strcpy(dst, src);
    } else {
        strncpy(dst, src, static_cast<size_t>(n));
        dst[n] = 0;
    }
    return dst;
}

char* strCat(char* dst, const char* src)
{
    if (dst && src) strcat(dst, src);
    return dst;
}

int strLen(const char* s) { return s ? static_cast<int>(strlen(s)) : 0; }

bool kaIsWhiteChar(char c) { return c != 0 && static_cast<unsigned char>(c) <= 32; }

bool kaIsWhiteString(char* s)
{
    if (!s) return true;
    for (; *s; ++s) {
        if (!kaIsWhiteChar(*s)) return false;
    }
    return true;
}

const char* strSkipWhite(const char* s)
{
    if (!s) return s;
    while (kaIsWhiteChar(*s)) ++s;
    return s;
}

void strTrimLeft(char* s)
{
    if (!isPresent(s)) return;
    const char* rest = strSkipWhite(s);
    if (rest != s) memmove(s, rest, strlen(rest) + 1);
}

void strTrimRight(char* s)
{
    if (!isPresent(s)) return;
    for (size_t i = strlen(s); i > 0 && kaIsWhiteChar(s[i - 1]); --i) s[i - 1] = 0;
}

int strNullPad(char* s, int n)
{
    if (!s) return 0;
    if (n < 0) n = 0;
    int end = 0;
    while (end < n && s[end] != 0) ++end;
    s[end] = 0;
    int last = end - 1;
    while (last >= 0 && byteAt(s, last) <= 32) s[last--] = 0;
    if (last < 0) return 0;
    for (int i = last - 1; i >= 0; --i) {
        unsigned char c = byteAt(s, i);
        if (c < 32 && c != '\r' && c != '\n') s[i] = ' ';
    }
    return last + 1;
}

int strRemoveInterim(char* s, int n)
{
    if (!s) return 0;
    if (n < 0) n = strLen(s);
    int pos = 0;
    while (pos < n && s[pos] != 0) {
        if (!kaIsLeadByte(s[pos])) {
            ++pos;
        } else if (pos + 1 >= n || s[pos + 1] == 0) {
            s[pos] = 0;
            return pos;
        } else {
            pos += 2;
        }
    }
    return pos;
}

int strSearch(const char* s, const char* find, int index)
{
    if (!s || !find) return -1;
    return index < 0 ? searchFromStart(s, find) : searchAt(s, find, index);
}

int strSearchIgnoreCase(const char* s, const char* find, int index)
{
    if (!isPresent(s) || !isPresent(find)) return -1;
    LoweredCopy ls(s), lf(find);
    return strSearch(ls.text(), lf.text(), index);
}

// The digits are read in place rather than through a fixed working buffer, so a
// run of any length is safe; a value beyond the int range gives INT_MAX.
int strInt(const char* s, bool* percent)
{
    const char* end = s;
    long value = 0;
    if (s && isDigit(*s)) {
        errno = 0;
        char* stop = nullptr;
        value = strtol(s, &stop, 10);
        end = stop;
        if (errno == ERANGE || value > INT_MAX) value = INT_MAX;
    }
    if (percent) *percent = end && *end == '%';
    return static_cast<int>(value);
}

__int64 strBigInt(const char* s)
{
    s = strSkipWhite(s);
    if (!s) return 0;
    bool negative = *s == '-';
    if (*s == '-' || *s == '+') ++s;
    // Unsigned arithmetic: overflow wraps as specified instead of being undefined.
    unsigned long long value = 0;
    for (; isDigit(*s); ++s) value = value * 10 + static_cast<unsigned>(*s - '0');
    if (negative) value = 0 - value;
    return static_cast<__int64>(value);
}

double strDouble(const char* s) { return s ? strtod(s, nullptr) : 0.0; }

float strFloat(const char* s) { return static_cast<float>(strDouble(s)); }

int isDigit(char c) { return c >= '0' && c <= '9' ? 1 : 0; }

int isAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ? 1 : 0; }

int isAlnum(char c) { return isAlpha(c) || isDigit(c) ? 1 : 0; }
