#include "arraytag.h"
#include "arraystore.h"
#include <cstring>
#include <new>
#include "cstr.h"

// A tag dictionary's items, with their names and texts, are blocks of its pool: a
// heap call for each would cost more than the rest of a set. An item's own set()
// and destructor free with ka_free, so they never run on these items.
struct cTagItemAccess {
    static cTagItem* make(kaStore::Pool& pool, const char* name, const char* text, __int64 value)
    {
        void* at = kaStore::poolTake(pool, sizeof(cTagItem));
        char* newName = nullptr;
        if (!at || !kaStore::poolText(pool, name, &newName)) {
            kaStore::poolGive(pool, at);
            return nullptr;
        }
        cTagItem* item = ::new (at) cTagItem;
        item->tagName = newName;
        if (!setText(pool, item, text, value)) {
            dispose(pool, item);
            return nullptr;
        }
        return item;
    }

    // All or nothing; text may be the item's own.
    static bool setText(kaStore::Pool& pool, cTagItem* item, const char* text, __int64 value)
    {
        char* newText = nullptr;
        if (!kaStore::poolText(pool, text, &newText)) return false;
        kaStore::poolGive(pool, item->tagText);
        item->tagText = newText;
        item->tagValue = value;
        return true;
    }

    static void dispose(kaStore::Pool& pool, cTagItem* item)
    {
        kaStore::poolGive(pool, item->tagName);
        kaStore::poolGive(pool, item->tagText);
        item->tagName = item->tagText = nullptr;
        item->~cTagItem();
        kaStore::poolGive(pool, item);
    }
};

namespace {

// ---- storage shared by both dictionaries ------------------------------------------
//
// The items block holds capacity item pointers, the pool the tag dictionary's
// items are taken from, and a table of slots, a power of two at least twice the capacity, each 0 or an item's index + 1, placed
// by the hash of its name (open addressing). A dictionary never holds a name twice,
// so the table finds the very item a scan from the front would, without making a
// dictionary of n names cost n * n / 2 comparisons to fill.

unsigned long long slotCount(long long capacity)
{
    unsigned long long n = 16;
    while (n < 2ULL * static_cast<unsigned long long>(capacity)) n <<= 1;
    return n;
}

// Null and empty names are the same name, and hash alike.
unsigned nameHash(const char* name)
{
    unsigned h = 2166136261u;
    for (; name && *name; ++name) h = (h ^ static_cast<unsigned char>(*name)) * 16777619u;
    return h;
}

template <class Item>
Item** itemsOf(const cArrayBlock& b)
{
    return kaStore::at<Item*>(b);
}

kaStore::Pool& poolOf(const cArrayBlock& b)
{
    return *reinterpret_cast<kaStore::Pool*>(static_cast<char*>(b.data) + static_cast<size_t>(b.capacity) * sizeof(void*));
}

int* slotsOf(const cArrayBlock& b) { return reinterpret_cast<int*>(&poolOf(b) + 1); }

unsigned slotMask(const cArrayBlock& b) { return static_cast<unsigned>(slotCount(b.capacity) - 1); }

template <class Item>
int findName(const cArrayBlock& b, const char* name)
{
    if (!b.data) return -1;
    const int* slots = slotsOf(b);
    unsigned mask = slotMask(b);
    for (unsigned h = nameHash(name) & mask; slots[h]; h = (h + 1) & mask) {
        int k = slots[h] - 1;
        if (strIsEqual(itemsOf<Item>(b)[k]->name(), name)) return k;
    }
    return -1;
}

template <class Item>
void indexItem(cArrayBlock& b, int k)
{
    int* slots = slotsOf(b);
    unsigned mask = slotMask(b);
    unsigned h = nameHash(itemsOf<Item>(b)[k]->name()) & mask;
    while (slots[h]) h = (h + 1) & mask;
    slots[h] = k + 1;
}

template <class Item>
void reindex(cArrayBlock& b)
{
    if (!b.data) return;
    memset(slotsOf(b), 0, static_cast<size_t>(slotCount(b.capacity)) * sizeof(int));
    for (int k = 0; k < b.count; ++k) indexItem<Item>(b, k);
}

// The growth step: a zero-filled block of capacity items, the pool and the slot
// table, the items and the pool carried over. False, with b unchanged, when memory ran short.
template <class Item>
bool regrow(cArrayBlock& b, long long capacity)
{
    size_t keep = b.data ? sizeof(kaStore::Pool) : 0;
    if (!kaStore::resizeBlock(b, capacity, sizeof(Item*), kaStore::Zeroed,
                              sizeof(kaStore::Pool) + slotCount(capacity) * sizeof(int), keep))
        return false;
    reindex<Item>(b);
    return true;
}

template <class Item>
bool roomForItem(cArrayBlock& b)
{
    return b.count < b.capacity || regrow<Item>(b, static_cast<long long>(b.capacity) + kaStore::kStep);
}

// Item goes to the end; the caller has made room.
template <class Item>
void appendItem(cArrayBlock& b, Item* item)
{
    itemsOf<Item>(b)[b.count] = item;
    indexItem<Item>(b, b.count++);
}

template <class Item>
Item* itemAt(const cArrayBlock& b, int i)
{
    return kaStore::get<Item*>(b, i);
}

void dispose(cArrayBlock&, cArrayPtrTagItem* item) { delete item; }

void dispose(cArrayBlock& b, cTagItem* item) { cTagItemAccess::dispose(poolOf(b), item); }

template <class Item>
void deleteAt(cArrayBlock& b, int i)
{
    dispose(b, itemsOf<Item>(b)[i]);
    kaStore::closeGap(b, i, 1, sizeof(Item*));
    reindex<Item>(b);  // the items after i have moved down
}

template <class Item>
void deleteItems(cArrayBlock& b)
{
    while (b.count > 0) dispose(b, itemsOf<Item>(b)[--b.count]);
}

template <class Item>
void deleteAll(cArrayBlock& b)
{
    deleteItems<Item>(b);
    reindex<Item>(b);
}

template <class Item>
void releaseItems(cArrayBlock& b)
{
    deleteItems<Item>(b);
    if (b.data) kaStore::poolRelease(poolOf(b));
    kaStore::release(b);
}

cArrayPtrTagItem* newItem(const char* name, void* ptr)
{
    cArrayPtrTagItem* item = static_cast<cArrayPtrTagItem*>(kaStore::checked(new cArrayPtrTagItem));
    if (item) item->set(name, ptr);
    // A fresh item has no name: one that still differs means the copy failed.
    if (item && !strIsEqual(item->name(), name)) {
        delete item;
        return nullptr;
    }
    return item;
}

cTagItem* cloneItem(cArrayBlock& b, const cTagItem* from)
{
    return cTagItemAccess::make(poolOf(b), from->name(), from->string(), from->value());
}

cArrayPtrTagItem* cloneItem(cArrayBlock&, const cArrayPtrTagItem* from) { return newItem(from->name(), from->ptr()); }

// dst (empty, without block) gets a block of src's capacity and a copy of each item;
// all or nothing.
template <class Item>
void copyItems(cArrayBlock& dst, const cArrayBlock& src)
{
    if (src.capacity < 1 || !regrow<Item>(dst, src.capacity)) return;
    for (int k = 0; k < src.count; ++k) {
        Item* copy = cloneItem(dst, itemsOf<Item>(src)[k]);
        if (!copy) {
            deleteAll<Item>(dst);
            return;
        }
        appendItem(dst, copy);
    }
}

template <class Item>
void assignItems(cArrayBlock& dst, const cArrayBlock& src)
{
    if (&dst == &src) return;
    releaseItems<Item>(dst);
    copyItems<Item>(dst, src);
}

}  // namespace

// ---- cArrayTag ----------------------------------------------------------------------

cArrayTag::cArrayTag() : items{nullptr, 0, 0} {}

cArrayTag::cArrayTag(const cArrayTag& other) : cBase(), items{nullptr, 0, 0} { copyItems<cTagItem>(items, other.items); }

cArrayTag& cArrayTag::operator=(const cArrayTag& other)
{
    assignItems<cTagItem>(items, other.items);
    return *this;
}

cArrayTag::~cArrayTag() { releaseItems<cTagItem>(items); }

bool cArrayTag::expand() { return roomForItem<cTagItem>(items); }

const cTagItem* cArrayTag::item(int i) const { return itemAt<cTagItem>(items, i); }

// Item i (or a new item when i < 0) gets name, text and value; the count or -1.
int cArrayTag::put(int i, const char* name, const char* text, __int64 value)
{
    if (i >= 0) return cTagItemAccess::setText(poolOf(items), kaStore::at<cTagItem*>(items)[i], text, value) ? items.count : -1;
    if (!expand()) return -1;
    cTagItem* fresh = cTagItemAccess::make(poolOf(items), name, text, value);
    if (!fresh) return -1;
    appendItem(items, fresh);
    return items.count;
}

int cArrayTag::set(const char* name, const char* text)
{
    int i = find(name);
    return put(i, name, text, i < 0 ? 0 : item(i)->value());
}

int cArrayTag::set(const char* name, __int64 value)
{
    int i = find(name);
    return put(i, name, i < 0 ? nullptr : item(i)->string(), value);
}

int cArrayTag::set(const char* name, const char* text, __int64 value) { return put(find(name), name, text, value); }

int cArrayTag::remove(const char* name)
{
    int i = find(name);
    if (i >= 0) deleteAt<cTagItem>(items, i);
    return items.count;
}

void cArrayTag::removeAll() { deleteAll<cTagItem>(items); }

int cArrayTag::find(const char* name) const { return findName<cTagItem>(items, name); }

bool cArrayTag::getText(const char* name, cStringA& out) const
{
    const cTagItem* found = item(find(name));
    out = found ? found->string() : nullptr;
    return found != nullptr;
}

const char* cArrayTag::getText(int i) const
{
    const cTagItem* found = item(i);
    return found ? found->string() : nullptr;
}

const char* cArrayTag::getName(int i) const
{
    const cTagItem* found = item(i);
    return found ? found->name() : nullptr;
}

__int64 cArrayTag::getValue(const char* name) const { return getValue(find(name)); }

__int64 cArrayTag::getValue(int i) const
{
    const cTagItem* found = item(i);
    return found ? found->value() : 0;
}

int cArrayTag::textLength(const char* name) const { return textLength(find(name)); }

int cArrayTag::textLength(int i) const { return strLen(getText(i)); }

int cArrayTag::count() const { return items.count; }

// ---- cArrayPtrTagItem ---------------------------------------------------------------

cArrayPtrTagItem::cArrayPtrTagItem() : itemName(nullptr), itemPtr(nullptr) {}

cArrayPtrTagItem::cArrayPtrTagItem(const cArrayPtrTagItem& other) : cBase(), itemName(nullptr), itemPtr(nullptr)
{
    set(other.itemName, other.itemPtr);
}

cArrayPtrTagItem& cArrayPtrTagItem::operator=(const cArrayPtrTagItem& other)
{
    set(other.itemName, other.itemPtr);
    return *this;
}

cArrayPtrTagItem::~cArrayPtrTagItem() { ka_free(itemName); }

void* cArrayPtrTagItem::set(const char* name, void* ptr)
{
    // The item's own name needs no new copy (and must outlive the freeing below).
    if (name != itemName) {
        char* copy = nullptr;
        if (!kaStore::copyText(name, &copy)) return ptr;
        ka_free(itemName);
        itemName = copy;
    }
    void* previous = itemPtr;
    itemPtr = ptr;
    return previous;
}

const char* cArrayPtrTagItem::name() const { return itemName; }

void* cArrayPtrTagItem::ptr() const { return itemPtr; }

// ---- cArrayPtrTag -------------------------------------------------------------------

cArrayPtrTag::cArrayPtrTag() : items{nullptr, 0, 0} {}

cArrayPtrTag::cArrayPtrTag(const cArrayPtrTag& other) : cBase(), items{nullptr, 0, 0}
{
    copyItems<cArrayPtrTagItem>(items, other.items);
}

cArrayPtrTag& cArrayPtrTag::operator=(const cArrayPtrTag& other)
{
    assignItems<cArrayPtrTagItem>(items, other.items);
    return *this;
}

cArrayPtrTag::~cArrayPtrTag() { releaseItems<cArrayPtrTagItem>(items); }

bool cArrayPtrTag::expand() { return roomForItem<cArrayPtrTagItem>(items); }

int cArrayPtrTag::find(const char* name) const { return findName<cArrayPtrTagItem>(items, name); }

void* cArrayPtrTag::set(const char* name, void* ptr)
{
    int i = find(name);
    if (i >= 0) {
        cArrayPtrTagItem* found = kaStore::at<cArrayPtrTagItem*>(items)[i];
        return found->set(found->name(), ptr);
    }
    if (!expand()) return ptr;
    cArrayPtrTagItem* fresh = newItem(name, ptr);
    if (!fresh) return ptr;
    appendItem(items, fresh);
    return nullptr;
}

void* cArrayPtrTag::remove(const char* name) { return remove(find(name)); }

void* cArrayPtrTag::remove(int i)
{
    void* ptr = getPtr(i);
    if (kaStore::inRange(items, i)) deleteAt<cArrayPtrTagItem>(items, i);
    return ptr;
}

void cArrayPtrTag::removeAll() { deleteAll<cArrayPtrTagItem>(items); }

void* cArrayPtrTag::getPtr(const char* name) const { return getPtr(find(name)); }

void* cArrayPtrTag::getPtr(int i) const
{
    const cArrayPtrTagItem* found = itemAt<cArrayPtrTagItem>(items, i);
    return found ? found->ptr() : nullptr;
}

const char* cArrayPtrTag::name(int i) const
{
    const cArrayPtrTagItem* found = itemAt<cArrayPtrTagItem>(items, i);
    return found ? found->name() : nullptr;
}

int cArrayPtrTag::count() const { return items.count; }
