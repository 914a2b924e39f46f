#include "arraystore.h"
#include <windows.h>
#include <climits>
#include <cstring>
#include "cstr.h"
#include "error.h"
#include "memory.h"

namespace kaStore {

void* checked(void* p)
{
    if (!p) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return checkMemory(p);
}

bool copyText(const char* text, char** out)
{
    char* copy = strDuplicate(text);
    if (!copy && strLen(text) > 0) {
        checked(nullptr);
        return false;
    }
    *out = copy;
    return true;
}

// ---- pool ------------------------------------------------------------------------

// Each block is preceded by the offset of its chunk's start, so that giving it back
// finds the chunk; blocks stay 8-byte aligned for records of 64-bit values.
struct PoolChunk {
    unsigned size;  // bytes, this header included
    unsigned used;
    unsigned live;  // blocks not yet given back
    unsigned spare;
};

namespace {

const unsigned kChunkBytes = 64 * 1024;
const unsigned kBlockHeader = 8;
#ifdef KA_GUARDED_HEAP
// Every block in a chunk of its own, ending where the heap's guard begins: a read
// past a text's end must still fault.
const unsigned kOwnChunk = 0;
#else
// Larger blocks get chunks of their own rather than leave most of a chunk unused.
const unsigned kOwnChunk = kChunkBytes / 8;
#endif

PoolChunk* newChunk(size_t bytes)
{
    PoolChunk* c = static_cast<PoolChunk*>(checked(bytes <= UINT_MAX ? ka_malloc(static_cast<unsigned>(bytes)) : nullptr));
    if (c) {
        c->size = static_cast<unsigned>(bytes);
        c->used = sizeof(PoolChunk);
        c->live = 0;
    }
    return c;
}

void* place(PoolChunk* c, size_t need)
{
    char* header = reinterpret_cast<char*>(c) + c->used;
    memcpy(header, &c->used, sizeof c->used);
    c->used += static_cast<unsigned>(need);
    ++c->live;
    return header + kBlockHeader;
}

PoolChunk* chunkOf(void* block)
{
    char* header = static_cast<char*>(block) - kBlockHeader;
    unsigned offset;
    memcpy(&offset, header, sizeof offset);
    return reinterpret_cast<PoolChunk*>(header - offset);
}

}  // namespace

void* poolTake(Pool& pool, size_t size)
{
    if (size > UINT_MAX - kChunkBytes) return checked(nullptr);
    size_t need = kBlockHeader + size;
    if (need > kOwnChunk) {
        PoolChunk* own = newChunk(sizeof(PoolChunk) + need);
        return own ? place(own, need) : nullptr;
    }
    need = (need + 7) & ~static_cast<size_t>(7);
    PoolChunk* c = pool.current;
    if (!c || c->size - c->used < need) {
        PoolChunk* fresh = newChunk(kChunkBytes);
        if (!fresh) return nullptr;
        if (c && c->live == 0) ka_free(c);
        pool.current = c = fresh;
    }
    return place(c, need);
}

void poolGive(Pool& pool, void* block)
{
    if (!block) return;
    PoolChunk* c = chunkOf(block);
    if (--c->live > 0) return;
    if (c == pool.current)
        c->used = sizeof(PoolChunk);  // empty again: filled anew from the start
    else
        ka_free(c);
}

void poolRelease(Pool& pool)
{
    ka_free(pool.current);
    pool.current = nullptr;
}

bool poolText(Pool& pool, const char* text, char** out, int n)
{
    size_t length = n < 0 ? strlen(text ? text : "") : static_cast<size_t>(n);
    if (length == 0) {
        *out = nullptr;
        return true;
    }
    char* copy = static_cast<char*>(poolTake(pool, length + 1));
    if (!copy) return false;
    memcpy(copy, text, length);
    copy[length] = 0;
    *out = copy;
    return true;
}

bool inRange(const cArrayBlock& b, long long i) { return i >= 0 && i < b.count; }

void* takeBlock(const void* old, int count, long long capacity, size_t size, Fill fill,
                unsigned long long extra)
{
    // Element counts stay ints and block sizes the allocator's 32-bit size: a
    // request beyond either is refused rather than allowed to wrap into a small block.
    void* block = nullptr;
    if (capacity > 0 && capacity <= INT_MAX && extra <= UINT_MAX) {
        unsigned long long bytes = static_cast<unsigned long long>(capacity) * size + extra;
        unsigned int n = static_cast<unsigned int>(bytes);
        if (bytes <= UINT_MAX) block = fill == Zeroed ? ka_calloc(1, n) : ka_malloc(n);
    }
    if (!checked(block)) return nullptr;
    if (count > 0) memcpy(block, old, static_cast<size_t>(count) * size);
    return block;
}

bool resizeBlock(cArrayBlock& b, long long capacity, size_t size, Fill fill, unsigned long long extra, size_t keep)
{
    char* block = static_cast<char*>(takeBlock(b.data, b.count, capacity, size, fill, extra));
    if (!block) return false;
    if (keep > 0 && b.data)
        memcpy(block + static_cast<size_t>(capacity) * size,
               static_cast<char*>(b.data) + static_cast<size_t>(b.capacity) * size, keep);
    ka_free(b.data);
    b.data = block;
    b.capacity = static_cast<int>(capacity);
    return true;
}

bool expandSize(cArrayBlock& b, long long n, size_t size, Fill fill)
{
    return n < 1 || resizeBlock(b, b.capacity + n, size, fill);
}

bool roomForOne(cArrayBlock& b, size_t size, Fill fill)
{
    return b.count < b.capacity || expandSize(b, kStep, size, fill);
}

bool roomForRun(cArrayBlock& b, long long n, size_t size)
{
    return b.count + n < b.capacity || expandSize(b, n, size, Uninitialised);
}

void moveElements(void* data, int from, int to, int n, size_t size)
{
    if (n < 1 || from == to) return;
    char* base = static_cast<char*>(data);
    memmove(base + static_cast<size_t>(to) * size, base + static_cast<size_t>(from) * size,
            static_cast<size_t>(n) * size);
}

void openGap(cArrayBlock& b, int i, int n, size_t size)
{
    moveElements(b.data, i, i + n, b.count - i, size);
    b.count += n;
}

void closeGap(cArrayBlock& b, int i, int n, size_t size)
{
    moveElements(b.data, i + n, i, b.count - i - n, size);
    b.count -= n;
}

void removeRun(cArrayBlock& b, int i, int n, size_t size)
{
    if (!inRange(b, i)) return;
    if (static_cast<long long>(i) + n >= b.count)
        b.count = i;
    else if (n >= 1)
        closeGap(b, i, n, size);
}

bool copyBlock(cArrayBlock& dst, const cArrayBlock& src, long long capacity, size_t size, Fill fill)
{
    dst.data = nullptr;
    dst.capacity = dst.count = 0;
    if (capacity < 1) return true;  // nothing to hold: no block, as a new array
    dst.data = takeBlock(src.data, src.count, capacity, size, fill);
    if (!dst.data) return false;
    dst.capacity = static_cast<int>(capacity);
    dst.count = src.count;
    return true;
}

void assignValues(cArrayBlock& dst, const cArrayBlock& src, size_t size)
{
    if (&dst == &src) return;
    release(dst);
    copyBlock(dst, src, src.count > 1 ? src.count : 1, size, Uninitialised);
}

void release(cArrayBlock& b)
{
    ka_free(b.data);
    b.data = nullptr;
    b.capacity = 0;
    b.count = 0;
}

}  // namespace kaStore
