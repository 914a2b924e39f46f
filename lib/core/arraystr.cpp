#include "arraystr.h"
#include <windows.h>
#include <cstring>
#include "arraystore.h"
#include "cstr.h"

namespace {

const int kTypeStrs = 15;

inline bool isLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

char** textsOf(const cArrayBlock& b) { return kaStore::at<char*>(b); }

// Lowered copies of the texts for the sort. The case-insensitive comparison would
// otherwise lower both texts afresh on every one of the sort's n * n / 2 steps.
// Without memory for the copies the sort compares the texts the usual, slower way.
class SortKeys {
public:
    SortKeys(char** entries, int total) : texts(entries), n(total), keys(nullptr)
    {
        keys = static_cast<char**>(ka_calloc(static_cast<unsigned int>(n), sizeof(char*)));
        for (int k = 0; keys && k < n; ++k) {
            keys[k] = strDuplicate(texts[k]);
            if (keys[k]) CharLowerA(keys[k]);
            else if (texts[k]) release();
        }
    }
    ~SortKeys() { release(); }
    SortKeys(const SortKeys&) = delete;
    SortKeys& operator=(const SortKeys&) = delete;

    int compare(int a, int b) const
    {
        return keys ? strCompare(keys[a], keys[b]) : strCompareNoCase(texts[a], texts[b]);
    }
    void swap(int a, int b)
    {
        if (keys) kaStore::swapAt(keys, a, b);
    }

private:
    void release()
    {
        for (int k = 0; keys && k < n; ++k) ka_free(keys[k]);
        ka_free(keys);
        keys = nullptr;
    }

    char** texts;
    int n;
    char** keys;
};

// Length of the next piece of a non-empty text for pieces of size >= 2 bytes. A piece
// keeps at least one byte, so that the cutting always moves on.
int pieceLength(const char* p, int size, bool lineMode)
{
    int n = 0;
    if (lineMode) {
        while (n < size && p[n] && p[n] != '\r') ++n;
        if (n < size - 1 && p[n] == '\r') {
            ++n;
            if (p[n] == '\n') ++n;
        }
    } else {
        while (n < size && p[n]) ++n;
        if (n > 1 && p[n - 1] == '\r' && p[n] == '\n') --n;  // CR LF stays together
    }
    if (p[n]) {
        // An odd run of high bytes at the end leaves a lead byte without its partner.
        int high = 0;
        while (high < n && isLeadByte(p[n - 1 - high])) ++high;
        if (high % 2 == 1 && n > 1) --n;
    }
    return n;
}

// One character: a lead byte takes the byte after it along.
int characterLength(const char* p) { return isLeadByte(p[0]) && p[1] ? 2 : 1; }

// A copy of n bytes at p (null for none); false when memory ran short.
bool copyRange(const char* p, int n, char** out)
{
    *out = nullptr;
    if (n < 1) return true;
    char* copy = static_cast<char*>(kaStore::checked(ka_malloc(static_cast<unsigned int>(n) + 1)));
    if (!copy) return false;
    memcpy(copy, p, static_cast<size_t>(n));
    copy[n] = 0;
    *out = copy;
    return true;
}

bool copyTrimmed(const char* p, int n, char** out)
{
    int start = 0;
    while (start < n && kaIsWhiteChar(p[start])) ++start;
    while (n > start && kaIsWhiteChar(p[n - 1])) --n;
    return copyRange(p + start, n - start, out);
}

}  // namespace

cArrayStr::cArrayStr() : texts{nullptr, 0, 0}, numbers(nullptr) { type = kTypeStrs; }

cArrayStr::cArrayStr(const cArrayStr& other) : cVar(other), texts{nullptr, 0, 0}, numbers(nullptr)
{
    type = kTypeStrs;
    copyFrom(other);
}

cArrayStr& cArrayStr::operator=(const cArrayStr& other)
{
    if (this != &other) {
        cVar::operator=(other);
        cutTo(0);
        kaStore::release(texts);
        ka_free(numbers);
        numbers = nullptr;
        copyFrom(other);
    }
    return *this;
}

cArrayStr::~cArrayStr()
{
    cutTo(0);
    kaStore::release(texts);
    ka_free(numbers);
}

// Expects an empty array without blocks; leaves it empty when memory runs short.
bool cArrayStr::copyFrom(const cArrayStr& other)
{
    if (other.texts.capacity < 1) return true;
    numbers = static_cast<long*>(kaStore::takeBlock(other.numbers, other.texts.count, other.texts.capacity,
                                                    sizeof(long), kaStore::Zeroed));
    if (!numbers) return false;
    cArrayBlock source = other.texts;
    source.count = 0;  // the texts are duplicated one by one below
    if (!kaStore::copyBlock(texts, source, other.texts.capacity, sizeof(char*), kaStore::Zeroed)) {
        ka_free(numbers);
        numbers = nullptr;
        return false;
    }
    char** from = textsOf(other.texts);
    for (int k = 0; k < other.texts.count; ++k) {
        if (!kaStore::copyText(from[k], &textsOf(texts)[k])) {
            cutTo(0);
            return false;
        }
        ++texts.count;
    }
    return true;
}

bool cArrayStr::expand()
{
    if (texts.count < texts.capacity) return true;
    long long capacity = static_cast<long long>(texts.capacity) + kaStore::kStep;
    void* newTexts = kaStore::takeBlock(texts.data, texts.count, capacity, sizeof(char*), kaStore::Zeroed);
    void* newNumbers = newTexts ? kaStore::takeBlock(numbers, texts.count, capacity, sizeof(long), kaStore::Zeroed)
                                : nullptr;
    if (!newNumbers) {
        ka_free(newTexts);
        return false;
    }
    ka_free(texts.data);
    ka_free(numbers);
    texts.data = newTexts;
    numbers = static_cast<long*>(newNumbers);
    texts.capacity = static_cast<int>(capacity);
    return true;
}

// Takes text over; frees it when the entry cannot be added.
int cArrayStr::appendOwned(char* text, long number)
{
    if (!expand()) {
        ka_free(text);
        return -1;
    }
    textsOf(texts)[texts.count] = text;
    numbers[texts.count] = number;
    return texts.count++;
}

void cArrayStr::swapEntries(int i, int j)
{
    kaStore::swapAt(textsOf(texts), i, j);
    kaStore::swapAt(numbers, i, j);
}

void cArrayStr::cutTo(int n)
{
    while (texts.count > n) ka_free(textsOf(texts)[--texts.count]);
}

int cArrayStr::count() const { return texts.count; }

int cArrayStr::append(const char* text) { return append(text, 0); }

int cArrayStr::append(const char* text, long number)
{
    char* copy = nullptr;
    if (!kaStore::copyText(text, &copy)) return -1;
    return appendOwned(copy, number);
}

int cArrayStr::insert(int i, const char* text)
{
    if (i < 0 || i > texts.count) return -1;
    if (i == texts.count) return append(text);
    char* copy = nullptr;
    if (!kaStore::copyText(text, &copy)) return -1;
    if (!expand()) {
        ka_free(copy);
        return -1;
    }
    kaStore::moveElements(numbers, i, i + 1, texts.count - i, sizeof(long));
    kaStore::openGap(texts, i, 1, sizeof(char*));
    textsOf(texts)[i] = copy;
    numbers[i] = 0;
    return i;
}

void cArrayStr::replace(int i, const char* text)
{
    char* copy = nullptr;
    if (!kaStore::inRange(texts, i) || !kaStore::copyText(text, &copy)) return;
    ka_free(textsOf(texts)[i]);
    textsOf(texts)[i] = copy;
}

void cArrayStr::remove(int i)
{
    if (!kaStore::inRange(texts, i)) return;
    ka_free(textsOf(texts)[i]);
    kaStore::moveElements(numbers, i + 1, i, texts.count - i - 1, sizeof(long));
    kaStore::closeGap(texts, i, 1, sizeof(char*));
}

void cArrayStr::removeAll() { cutTo(0); }

void cArrayStr::setCount(int n)
{
    if (n < 0) n = 0;
    while (texts.count < n)
        if (appendOwned(nullptr, 0) < 0) return;
    cutTo(n);
}

const char* cArrayStr::operator[](int i) const { return text(i); }

const char* cArrayStr::text(int i) const { return kaStore::get<char*>(texts, i); }

long cArrayStr::getValue(int i) const { return kaStore::inRange(texts, i) ? numbers[i] : 0; }

int cArrayStr::textLength(int i) const { return strLen(text(i)); }

int cArrayStr::find(const char* text) const
{
    for (int k = 0; k < texts.count; ++k)
        if (strIsEqual(textsOf(texts)[k], text)) return k;
    return -1;
}

int cArrayStr::findValue(int number) const
{
    for (int k = 0; k < texts.count; ++k)
        if (numbers[k] == number) return k;
    return -1;
}

void cArrayStr::sort(SortDirection dir)
{
    if (texts.count < 2) return;
    SortKeys keys(textsOf(texts), texts.count);
    bool down = dir == kaSortDescending;
    kaStore::exchangeSort(
        texts.count,
        [&keys, down](int j, int i) {
            int c = keys.compare(j, i);
            return down ? c > 0 : c < 0;
        },
        [this, &keys](int i, int j) {
            swapEntries(i, j);
            keys.swap(i, j);
        });
}

void cArrayStr::invert()
{
    for (int lo = 0, hi = texts.count - 1; lo < hi; ++lo, --hi) swapEntries(lo, hi);
}

int cArrayStr::appendBySize(const char* text, int size, int flags)
{
    if (!text || !*text || size < 1) return texts.count;
    int before = texts.count;
    bool lineMode = (flags & 1) != 0;
    for (const char* p = text; *p;) {
        int n = size == 1 ? characterLength(p) : pieceLength(p, size, lineMode);
        char* piece = nullptr;
        bool copied = size == 1 ? copyRange(p, n, &piece) : copyTrimmed(p, n, &piece);
        if (!copied || appendOwned(piece, 0) < 0) {
            cutTo(before);
            return -1;
        }
        p += n;
    }
    return texts.count;
}
