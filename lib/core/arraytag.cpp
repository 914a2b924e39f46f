#include "arraytag.h"
#include "arraystore.h"
#include "cstr.h"

namespace {

// ---- shared by both dictionaries ----------------------------------------------------

template <class Item>
Item* itemAt(const cArrayBlock& b, int i)
{
    return kaStore::get<Item*>(b, i);
}

template <class Item>
int findName(const cArrayBlock& b, const char* name)
{
    for (int k = 0; k < b.count; ++k)
        if (strIsEqual(kaStore::at<Item*>(b)[k]->name(), name)) return k;
    return -1;
}

template <class Item>
void deleteAt(cArrayBlock& b, int i)
{
    delete kaStore::at<Item*>(b)[i];
    kaStore::removeOne<Item*>(b, i);
}

template <class Item>
void deleteAll(cArrayBlock& b)
{
    while (b.count > 0) delete kaStore::at<Item*>(b)[--b.count];
}

cTagItem* newItem(const char* name, const char* text, __int64 value)
{
    cTagItem* item = static_cast<cTagItem*>(kaStore::checked(new cTagItem));
    if (item && !item->set(name, text, value)) {
        delete item;
        return nullptr;
    }
    return item;
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

cTagItem* cloneItem(const cTagItem* from) { return newItem(from->name(), from->string(), from->value()); }

cArrayPtrTagItem* cloneItem(const cArrayPtrTagItem* from) { return newItem(from->name(), from->ptr()); }

// dst (empty, without block) gets a block of src's capacity and a copy of each item;
// all or nothing.
template <class Item>
bool copyItems(cArrayBlock& dst, const cArrayBlock& src)
{
    cArrayBlock shape = src;
    shape.count = 0;
    if (!kaStore::copyBlock(dst, shape, src.capacity, sizeof(Item*), kaStore::Zeroed)) return false;
    for (int k = 0; k < src.count; ++k) {
        Item* copy = cloneItem(kaStore::at<Item*>(src)[k]);
        if (!copy) {
            deleteAll<Item>(dst);
            return false;
        }
        kaStore::at<Item*>(dst)[dst.count++] = copy;
    }
    return true;
}

template <class Item>
void assignItems(cArrayBlock& dst, const cArrayBlock& src)
{
    deleteAll<Item>(dst);
    kaStore::release(dst);
    copyItems<Item>(dst, src);
}

}  // namespace

// ---- cArrayTag ----------------------------------------------------------------------

cArrayTag::cArrayTag() : items{nullptr, 0, 0} {}

cArrayTag::cArrayTag(const cArrayTag& other) : cBase(), items{nullptr, 0, 0} { copyItems<cTagItem>(items, other.items); }

cArrayTag& cArrayTag::operator=(const cArrayTag& other)
{
    if (this != &other) assignItems<cTagItem>(items, other.items);
    return *this;
}

cArrayTag::~cArrayTag()
{
    deleteAll<cTagItem>(items);
    kaStore::release(items);
}

bool cArrayTag::expand() { return kaStore::roomForOne(items, sizeof(cTagItem*), kaStore::Zeroed); }

const cTagItem* cArrayTag::item(int i) const { return itemAt<cTagItem>(items, i); }

// Item i (or a new item when i < 0) gets name, text and value; the count or -1.
int cArrayTag::put(int i, const char* name, const char* text, __int64 value)
{
    if (i >= 0) {
        cTagItem* found = kaStore::at<cTagItem*>(items)[i];
        return found->set(found->name(), text, value) ? items.count : -1;
    }
    if (!expand()) return -1;
    cTagItem* fresh = newItem(name, text, value);
    if (!fresh) return -1;
    kaStore::append<cTagItem*>(items, fresh, kaStore::Zeroed);
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
    if (this != &other) assignItems<cArrayPtrTagItem>(items, other.items);
    return *this;
}

cArrayPtrTag::~cArrayPtrTag()
{
    deleteAll<cArrayPtrTagItem>(items);
    kaStore::release(items);
}

bool cArrayPtrTag::expand() { return kaStore::roomForOne(items, sizeof(cArrayPtrTagItem*), kaStore::Zeroed); }

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
    kaStore::append<cArrayPtrTagItem*>(items, fresh, kaStore::Zeroed);
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
