// Operations on cArrayBlock shared by the array and list classes. Internal to the
// library's sources: nothing here is part of the exported interface.
#pragma once
#include <cstddef>
#include "arrayblock.h"

namespace kaStore {

// Single appends and inserts grow the block by this many elements at a time.
const int kStep = 10000;

enum Fill { Uninitialised, Zeroed };

// Records "No memory" for p == null (with the matching system text: a failed heap
// allocation leaves an unrelated last error behind) and returns p.
void* checked(void* p);

// A duplicate of text in *out (null for an empty text); false, with *out left
// alone and "No memory" recorded, when a text could not be copied.
bool copyText(const char* text, char** out);

bool inRange(const cArrayBlock& b, long long i);

// A new block of capacity elements (and extra bytes after them) holding the first
// count elements of old; null, with "No memory" recorded, when it cannot be had
// (also when its size does not fit the allocator's 32-bit size).
void* takeBlock(const void* old, int count, long long capacity, size_t size, Fill fill,
                unsigned long long extra = 0);

// b's block replaced by one of capacity elements and extra bytes after them that
// holds b's elements and the first keep bytes after its old elements. False, with
// b unchanged, when memory ran short.
bool resizeBlock(cArrayBlock& b, long long capacity, size_t size, Fill fill, unsigned long long extra = 0,
                 size_t keep = 0);

// The growth step: adds n elements of room (n < 1: nothing to do). On failure the
// old block stays.
bool expandSize(cArrayBlock& b, long long n, size_t size, Fill fill = Uninitialised);
// Room for one more element: grows by kStep when the block is full.
bool roomForOne(cArrayBlock& b, size_t size, Fill fill);
// Room for a run of n: grows by exactly n once count + n reaches the capacity.
bool roomForRun(cArrayBlock& b, long long n, size_t size);

// Moves n elements of a raw block from index from to index to (ranges may overlap).
void moveElements(void* data, int from, int to, int n, size_t size);
// Opens room for n elements at i (count grows) / closes n elements at i (count shrinks).
void openGap(cArrayBlock& b, int i, int n, size_t size);
void closeGap(cArrayBlock& b, int i, int n, size_t size);
// Takes n elements out at i: n past the end cuts the array to i; bad i or n < 1 do nothing.
void removeRun(cArrayBlock& b, int i, int n, size_t size);

// dst (already released) becomes a copy of src's elements in a block of capacity.
bool copyBlock(cArrayBlock& dst, const cArrayBlock& src, long long capacity, size_t size, Fill fill);
void release(cArrayBlock& b);
// The copy of the fixed-size arrays: a block of max(1, count) elements, all or nothing.
void assignValues(cArrayBlock& dst, const cArrayBlock& src, size_t size);

// ---- pooled small blocks ------------------------------------------------------
//
// The texts and records of an array carved out of 64 KiB chunks: a heap call per
// chunk instead of one per entry, which under the system heap costs more than the
// rest of an append. Every block is given back by itself; a chunk goes back to the
// heap with its last block, except the one being filled, which poolRelease frees.
// An owner keeps its Pool in the extra bytes of its cArrayBlock (the exported
// layouts have no room for it), zero-filled when the block is first made.

struct PoolChunk;

struct Pool {
    PoolChunk* current;  // the chunk being filled; null before the first block
};

// Size bytes; null, with "No memory" recorded, when they cannot be had.
void* poolTake(Pool& pool, size_t size);
// Null gives nothing back.
void poolGive(Pool& pool, void* block);
// Frees the chunk being filled: the owner has given back every block.
void poolRelease(Pool& pool);
// copyText with the copy taken from the pool; n bytes of text (n < 0: all of it).
bool poolText(Pool& pool, const char* text, char** out, int n = -1);

// ---- typed access -------------------------------------------------------------

template <class T>
T* at(const cArrayBlock& b)
{
    return static_cast<T*>(b.data);
}

template <class T>
T get(const cArrayBlock& b, long long i)
{
    return inRange(b, i) ? at<T>(b)[i] : T();
}

template <class T>
void put(cArrayBlock& b, long long i, const T& v)
{
    if (inRange(b, i)) at<T>(b)[i] = v;
}

// The index of the new element, or -1 when the block could not grow.
template <class T>
int append(cArrayBlock& b, const T& v, Fill fill = Uninitialised)
{
    if (!roomForOne(b, sizeof(T), fill)) return -1;
    at<T>(b)[b.count] = v;
    return b.count++;
}

// Negative indexes are refused; an index at or past the end appends.
template <class T>
int insert(cArrayBlock& b, int i, const T& v, Fill fill = Uninitialised)
{
    if (i < 0) return -1;
    if (i >= b.count) return append(b, v, fill);
    if (!roomForOne(b, sizeof(T), fill)) return -1;
    openGap(b, i, 1, sizeof(T));
    at<T>(b)[i] = v;
    return i;
}

template <class T>
void removeOne(cArrayBlock& b, int i)
{
    if (inRange(b, i)) closeGap(b, i, 1, sizeof(T));
}

// The index of the first appended value; -1 for an empty run or failed growth.
template <class T>
int appendRun(cArrayBlock& b, const T* values, long n)
{
    if (n < 1 || !values || !roomForRun(b, n, sizeof(T))) return -1;
    int first = b.count;
    for (long k = 0; k < n; ++k) at<T>(b)[first + k] = values[k];
    b.count += n;
    return first;
}

// The index after the inserted run (i itself when the run is appended at the end),
// or -1 when refused.
template <class T>
int insertRun(cArrayBlock& b, long i, const T* values, long n)
{
    if (n < 1 || !values || i < 0 || i > b.count) return -1;
    if (i == b.count) return appendRun(b, values, n);
    if (!roomForRun(b, n, sizeof(T))) return -1;
    openGap(b, i, n, sizeof(T));
    for (long k = 0; k < n; ++k) at<T>(b)[i + k] = values[k];
    return i + n;
}

// Overwrites from i on, stopping at the end: a run never grows the array.
template <class T>
void replaceRun(cArrayBlock& b, long i, const T* values, long n)
{
    if (i < 0 || !values) return;
    for (long k = 0; k < n && i + k < b.count; ++k) at<T>(b)[i + k] = values[k];
}

template <class T>
int find(const cArrayBlock& b, const T& v)
{
    for (int k = 0; k < b.count; ++k)
        if (at<T>(b)[k] == v) return k;
    return -1;
}

template <class T>
void fill(cArrayBlock& b, const T& v)
{
    for (int k = 0; k < b.count; ++k) at<T>(b)[k] = v;
}

template <class T>
void invert(cArrayBlock& b)
{
    T* e = at<T>(b);
    for (int lo = 0, hi = b.count - 1; lo < hi; ++lo, --hi) {
        T t = e[lo];
        e[lo] = e[hi];
        e[hi] = t;
    }
}

// Writes start, start + 1, ... into the first n elements (count = n) when the block holds them.
template <class T>
void writeSequence(cArrayBlock& b, T start, int n)
{
    if (n > b.capacity) return;
    for (int k = 0; k < n; ++k) at<T>(b)[k] = static_cast<T>(start + static_cast<long long>(k));
    b.count = n < 0 ? 0 : n;
}

// Grows one default element at a time (stopping should growth fail) or cuts the end.
template <class T>
void setCount(cArrayBlock& b, int n)
{
    if (n < 0) n = 0;
    while (b.count < n)
        if (append(b, T()) < 0) return;
    b.count = n;
}

template <class T>
void swapAt(T* e, int i, int j)
{
    T t = e[i];
    e[i] = e[j];
    e[j] = t;
}

// The exchange sort: for each i, every later j that belongs before i is swapped in.
// The order it leaves equal keys in is part of the behaviour callers see, so it
// must not be replaced by a faster sort.
template <class Before, class Swap>
void exchangeSort(int count, Before before, Swap swap)
{
    for (int i = 0; i + 1 < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (before(j, i)) swap(i, j);
}

// Ordinary less/greater: a comparison with NaN never swaps.
template <class T>
void sortValues(cArrayBlock& b, SortDirection dir)
{
    T* e = at<T>(b);
    bool down = dir == kaSortDescending;
    exchangeSort(
        b.count, [e, down](int j, int i) { return down ? e[j] > e[i] : e[j] < e[i]; },
        [e](int i, int j) { swapAt(e, i, j); });
}

}  // namespace kaStore
