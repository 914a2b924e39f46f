#include "memory.h"
#include <cstdlib>
#include <cstring>

#ifdef KA_GUARDED_HEAP
#include "guardedheap.h"

void* ka_malloc(unsigned int size) { return kaGuardedAlloc(size, false); }

void* ka_calloc(unsigned int count, unsigned int size)
{
    unsigned long long bytes = static_cast<unsigned long long>(count) * size;
    return bytes <= 0xFFFFFFFFull ? kaGuardedAlloc(static_cast<size_t>(bytes), true) : nullptr;
}

void* ka_realloc(void* p, unsigned int size) { return kaGuardedRealloc(p, size); }

void ka_free(void* p) { kaGuardedFree(p); }
#else
void* ka_malloc(unsigned int size) { return malloc(size); }

void* ka_calloc(unsigned int count, unsigned int size) { return calloc(count, size); }

void* ka_realloc(void* p, unsigned int size) { return realloc(p, size); }

void ka_free(void* p) { free(p); }
#endif

void* memClear(void* p, unsigned int size)
{
    if (p && size) memset(p, 0, size);
    return p;
}

cBase::cBase() {}

cBase::~cBase() {}

cBase& cBase::operator=(const cBase&) { return *this; }

void* cBase::operator new(size_t size) noexcept
{
    // The size is a single object's: never near the 32-bit limit.
    return ka_calloc(1, static_cast<unsigned int>(size));
}

void cBase::operator delete(void* p) { ka_free(p); }

cVar::cVar() : type(1), extra(0) {}

cVar::cVar(const cVar& other) : cBase(), type(other.type), extra(other.extra) {}

cVar& cVar::operator=(const cVar& other)
{
    type = other.type;
    extra = other.extra;
    return *this;
}

int cVar::getType() const { return type; }
