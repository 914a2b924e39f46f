// Small dictionaries searched linearly by name (case-sensitive, first match wins):
// cArrayTag maps a name to a text and a 64-bit number, cArrayPtrTag to a pointer
// that stays the caller's. Both own their items; a copy has items of its own.
#pragma once
#include "arrayblock.h"
#include "list.h"
#include "stringa.h"

#pragma pack(push, 1)

// The results that give the count give -1 when memory ran short; nothing is then changed.
class KA_API cArrayTag : public cBase {
public:
    cArrayTag();
    cArrayTag(const cArrayTag& other);
    cArrayTag& operator=(const cArrayTag& other);
    ~cArrayTag();

    int set(const char* name, const char* text);
    int set(const char* name, __int64 value);
    int set(const char* name, const char* text, __int64 value);
    int remove(const char* name);
    void removeAll();
    int find(const char* name) const;

    bool getText(const char* name, cStringA& out) const;
    const char* getText(int i) const;
    const char* getName(int i) const;
    __int64 getValue(const char* name) const;
    __int64 getValue(int i) const;
    int textLength(const char* name) const;
    int textLength(int i) const;
    int count() const;

private:
    bool expand();
    const cTagItem* item(int i) const;
    int put(int i, const char* name, const char* text, __int64 value);

    cArrayBlock items;  // cTagItem* elements
};

class KA_API cArrayPtrTagItem : public cBase {
public:
    cArrayPtrTagItem();
    cArrayPtrTagItem(const cArrayPtrTagItem& other);
    cArrayPtrTagItem& operator=(const cArrayPtrTagItem& other);
    ~cArrayPtrTagItem();

    // The previous pointer; when the name cannot be copied nothing changes and the
    // result is ptr itself (the item does not hold it).
    void* set(const char* name, void* ptr);
    const char* name() const;
    void* ptr() const;

private:
    char* itemName;
    void* itemPtr;
};

class KA_API cArrayPtrTag : public cBase {
public:
    cArrayPtrTag();
    cArrayPtrTag(const cArrayPtrTag& other);
    cArrayPtrTag& operator=(const cArrayPtrTag& other);
    ~cArrayPtrTag();

    // The pointer the array no longer holds, for the caller to dispose of: the one
    // replaced, null for a new name, or ptr itself when memory ran short.
    void* set(const char* name, void* ptr);
    void* remove(const char* name);
    void* remove(int i);
    void removeAll();
    void* getPtr(const char* name) const;
    void* getPtr(int i) const;
    const char* name(int i) const;
    int count() const;

private:
    int find(const char* name) const;
    bool expand();

    cArrayBlock items;  // cArrayPtrTagItem* elements
};

#pragma pack(pop)
