#include "guardedheap.h"
#ifdef KA_GUARDED_HEAP
#include <windows.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// A block of n bytes lives in a region of k committed pages followed by one page
// that is only reserved, never committed: the block's last byte is the last byte
// before that page. Its record sits just in front of it, so a write before the
// block spoils the record and is reported when the block is freed.
//
// Committing and releasing pages costs about 25 us under Wine, far more than a
// parse of a small text, so freed regions of up to kPooledPages pages wait in a
// list per size for the next block of that size instead of going back.

namespace {

const size_t kPage = 4096;
const size_t kArenaBytes = size_t(256) << 20;
const size_t kPooledPages = 16;
const size_t kPoolLimit = size_t(128) << 20;  // bytes of freed regions kept for reuse
const uint64_t kLive = 0x4B41424C4F434B31ull;   // "KABLOCK1"
const uint64_t kFreed = 0x4B41465245454421ull;  // "KAFREED!"

struct Record {
    uint64_t magic;
    char* base;
    size_t size;
    size_t pages;
};

// Freed regions of one size, oldest first: a freed block is reused as late as
// possible, so a stale pointer meets its own fill pattern for a while.
struct Pool {
    char* head = nullptr;
    char* tail = nullptr;
};

SRWLOCK lock = SRWLOCK_INIT;
char* arenaNext = nullptr;
char* arenaEnd = nullptr;
Pool pools[kPooledPages + 1];
size_t pooledBytes = 0;
long outstanding = 0;

[[noreturn]] void fail(const char* what, const void* p)
{
    fprintf(stderr, "guarded heap: %s (block %p)\n", what, p);
    fflush(stderr);
    abort();
}

char*& nextOf(char* region) { return *reinterpret_cast<char**>(region); }

// Fresh address space is only reserved; each region commits its own pages.
char* takeAddresses(size_t pages)
{
    size_t bytes = (pages + 1) * kPage;
    if (!arenaNext || size_t(arenaEnd - arenaNext) < bytes) {
        size_t reserve = bytes > kArenaBytes ? bytes : kArenaBytes;
        char* arena = static_cast<char*>(VirtualAlloc(nullptr, reserve, MEM_RESERVE, PAGE_NOACCESS));
        if (!arena) return nullptr;
        arenaNext = arena;
        arenaEnd = arena + reserve;
    }
    char* region = arenaNext;
    arenaNext += bytes;
    return region;
}

char* takeRegion(size_t pages)
{
    if (pages <= kPooledPages && pools[pages].head) {
        Pool& pool = pools[pages];
        char* region = pool.head;
        pool.head = nextOf(region);
        if (!pool.head) pool.tail = nullptr;
        pooledBytes -= pages * kPage;
        return region;
    }
    char* region = takeAddresses(pages);
    if (region && !VirtualAlloc(region, pages * kPage, MEM_COMMIT, PAGE_READWRITE)) return nullptr;
    return region;
}

void giveRegion(char* region, size_t pages)
{
    if (pages > kPooledPages || pooledBytes + pages * kPage > kPoolLimit) {
        // Decommitted, the pages fault for any stale pointer; their addresses are not reused.
        VirtualFree(region, pages * kPage, MEM_DECOMMIT);
        return;
    }
    Pool& pool = pools[pages];
    nextOf(region) = nullptr;
    if (pool.tail)
        nextOf(pool.tail) = region;
    else
        pool.head = region;
    pool.tail = region;
    pooledBytes += pages * kPage;
}

Record recordOf(const void* p)
{
    Record r;
    memcpy(&r, static_cast<const char*>(p) - sizeof r, sizeof r);
    if (r.magic == kFreed) fail("block freed twice", p);
    if (r.magic != kLive) fail("not a block of ka_malloc, or the bytes before it were overwritten", p);
    return r;
}

}  // namespace

void* kaGuardedAlloc(size_t size, bool zeroed)
{
    if (size > (size_t(1) << 31)) return nullptr;
    size_t pages = (size + sizeof(Record) + kPage - 1) / kPage;
    AcquireSRWLockExclusive(&lock);
    char* region = takeRegion(pages);
    if (region) ++outstanding;
    ReleaseSRWLockExclusive(&lock);
    if (!region) return nullptr;
    char* block = region + pages * kPage - size;
    Record r = {kLive, region, size, pages};
    memcpy(block - sizeof r, &r, sizeof r);
    // Not zero unless asked: code that reads a block it never filled should see garbage.
    memset(block, zeroed ? 0 : 0xCD, size);
    return block;
}

void* kaGuardedRealloc(void* p, size_t size)
{
    if (!p) return kaGuardedAlloc(size, false);
    if (size == 0) {
        // As the C runtime's realloc does: the block is freed and null returned.
        kaGuardedFree(p);
        return nullptr;
    }
    Record old = recordOf(p);
    void* fresh = kaGuardedAlloc(size, false);
    if (!fresh) return nullptr;
    memcpy(fresh, p, old.size < size ? old.size : size);
    kaGuardedFree(p);
    return fresh;
}

void kaGuardedFree(void* p)
{
    if (!p) return;
    Record r = recordOf(p);
    char* block = static_cast<char*>(p);
    uint64_t freed = kFreed;
    memcpy(block - sizeof r, &freed, sizeof freed);
    memset(block, 0xDD, r.size);
    AcquireSRWLockExclusive(&lock);
    giveRegion(r.base, r.pages);
    --outstanding;
    ReleaseSRWLockExclusive(&lock);
}

long kaGuardedOutstanding()
{
    AcquireSRWLockShared(&lock);
    long n = outstanding;
    ReleaseSRWLockShared(&lock);
    return n;
}

#endif
