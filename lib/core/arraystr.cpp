#include "arraystr.h"
#include <windows.h>
#include <cstring>
#include "arraystore.h"
#include "cstr.h"
#include "leadbyte.h"

namespace {

const int kTypeStrs = 15;


char** textsOf(const cArrayBlock& b) { return kaStore::at<char*>(b); }

// The texts block holds capacity text pointers and, after them, the pool the texts
// are taken from. There is no pool (and no text) before the block's first growth.
kaStore::Pool& poolOf(const cArrayBlock& b)
{
    return *reinterpret_cast<kaStore::Pool*>(static_cast<char*>(b.data) + static_cast<size_t>(b.capacity) * sizeof(char*));
}

// Both blocks grown to capacity (zero-filled past the entries, the pool moved
// along); false, with both unchanged, when memory ran short.
bool growBlocks(cArrayBlock& texts, long*& numbers, long long capacity)
{
    void* newNumbers = kaStore::takeBlock(numbers, texts.count, capacity, sizeof(long), kaStore::Zeroed);
    if (!newNumbers) return false;
    size_t keep = texts.data ? sizeof(kaStore::Pool) : 0;
    if (!kaStore::resizeBlock(texts, capacity, sizeof(char*), kaStore::Zeroed, sizeof(kaStore::Pool), keep)) {
        ka_free(newNumbers);
        return false;
    }
    ka_free(numbers);
    numbers = static_cast<long*>(newNumbers);
    return true;
}

// Back to a new array's state: the texts given back, no pool, no blocks.
void releaseBlocks(cArrayBlock& texts, long*& numbers)
{
    if (texts.data) {
        while (texts.count > 0) kaStore::poolGive(poolOf(texts), textsOf(texts)[--texts.count]);
        kaStore::poolRelease(poolOf(texts));
    }
    kaStore::release(texts);
    ka_free(numbers);
    numbers = nullptr;
}

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
        while (high < n && kaIsLeadByte(p[n - 1 - high])) ++high;
        if (high % 2 == 1 && n > 1) --n;
    }
    return n;
}

// A copy of n bytes at p (null for none); false when memory ran short.
bool copyRange(kaStore::Pool& pool, const char* p, int n, char** out)
{
    return kaStore::poolText(pool, p, out, n < 1 ? 0 : n);
}

bool copyTrimmed(kaStore::Pool& pool, const char* p, int n, char** out)
{
    int start = 0;
    while (start < n && kaIsWhiteChar(p[start])) ++start;
    while (n > start && kaIsWhiteChar(p[n - 1])) --n;
    return copyRange(pool, p + start, n - start, out);
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
        releaseBlocks(texts, numbers);
        copyFrom(other);
    }
    return *this;
}

cArrayStr::~cArrayStr() { releaseBlocks(texts, numbers); }

// Expects an empty array without blocks; leaves it empty when memory runs short.
bool cArrayStr::copyFrom(const cArrayStr& other)
{
    if (other.texts.capacity < 1) return true;
    if (!growBlocks(texts, numbers, other.texts.capacity)) return false;
    memcpy(numbers, other.numbers, static_cast<size_t>(other.texts.count) * sizeof(long));
    char** from = textsOf(other.texts);
    for (int k = 0; k < other.texts.count; ++k) {
        if (!kaStore::poolText(poolOf(texts), from[k], &textsOf(texts)[k])) {
            cutTo(0);
            return false;
        }
        ++texts.count;
    }
    return true;
}

bool cArrayStr::expand()
{
    return texts.count < texts.capacity ||
           growBlocks(texts, numbers, static_cast<long long>(texts.capacity) + kaStore::kStep);
}

// Takes text (a block of the texts' pool, or null) over; gives it back when the
// entry cannot be added.
int cArrayStr::appendOwned(char* text, long number)
{
    if (!expand()) {
        if (texts.data) kaStore::poolGive(poolOf(texts), text);
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
    while (texts.count > n) kaStore::poolGive(poolOf(texts), textsOf(texts)[--texts.count]);
}

int cArrayStr::count() const { return texts.count; }

int cArrayStr::append(const char* text) { return append(text, 0); }

// The pool lives in the texts block: room is made before a text is copied.
int cArrayStr::append(const char* text, long number)
{
    char* copy = nullptr;
    if (!expand() || !kaStore::poolText(poolOf(texts), text, &copy)) return -1;
    return appendOwned(copy, number);
}

int cArrayStr::insert(int i, const char* text)
{
    if (i < 0 || i > texts.count) return -1;
    if (i == texts.count) return append(text);
    char* copy = nullptr;
    if (!expand() || !kaStore::poolText(poolOf(texts), text, &copy)) return -1;
    kaStore::moveElements(numbers, i, i + 1, texts.count - i, sizeof(long));
    kaStore::openGap(texts, i, 1, sizeof(char*));
    textsOf(texts)[i] = copy;
    numbers[i] = 0;
    return i;
}

void cArrayStr::replace(int i, const char* text)
{
    char* copy = nullptr;
    if (!kaStore::inRange(texts, i) || !kaStore::poolText(poolOf(texts), text, &copy)) return;
    kaStore::poolGive(poolOf(texts), textsOf(texts)[i]);
    textsOf(texts)[i] = copy;
}

void cArrayStr::remove(int i)
{
    if (!kaStore::inRange(texts, i)) return;
    kaStore::poolGive(poolOf(texts), textsOf(texts)[i]);
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
        int n = size == 1 ? kaCharWidth(p) : pieceLength(p, size, lineMode);
        char* piece = nullptr;
        bool copied = expand() && (size == 1 ? copyRange(poolOf(texts), p, n, &piece)
                                             : copyTrimmed(poolOf(texts), p, n, &piece));
        if (!copied || appendOwned(piece, 0) < 0) {
            cutTo(before);
            return -1;
        }
        p += n;
    }
    return texts.count;
}
