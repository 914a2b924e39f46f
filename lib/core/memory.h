// Raw blocks and the object root. Every block crosses the export boundary through
// these functions only, so that one module may free what another allocated.
#pragma once
#include <cstddef>
#include "kadefs.h"

KA_API void* ka_malloc(unsigned int size);
KA_API void* ka_calloc(unsigned int count, unsigned int size);
KA_API void* ka_realloc(void* p, unsigned int size);
KA_API void ka_free(void* p);
KA_API void* memClear(void* p, unsigned int size);

#pragma pack(push, 1)

// Root of every library object: heap objects start zero-filled.
class KA_API cBase {
public:
    cBase();
    ~cBase();
    cBase& operator=(const cBase&);
    // Null on exhaustion (noexcept), so a failed new skips the constructor.
    static void* operator new(size_t size) noexcept;
    static void operator delete(void* p);
};

// Root of every value that knows its own type.
class KA_API cVar : public cBase {
public:
    cVar();
    cVar(const cVar& other);
    cVar& operator=(const cVar& other);
    int getType() const;

protected:
    int type;
    // Free for the derived value's own use; copied together with the type.
    int extra;
};

#pragma pack(pop)
