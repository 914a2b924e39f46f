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

bool expandSize(cArrayBlock& b, long long n, size_t size, Fill fill)
{
    if (n < 1) return true;
    void* block = takeBlock(b.data, b.count, b.capacity + n, size, fill);
    if (!block) return false;
    ka_free(b.data);
    b.data = block;
    b.capacity += static_cast<int>(n);
    return true;
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
