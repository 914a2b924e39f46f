#include "list.h"
#include "arraystore.h"
#include "cstr.h"

// ---- cLL ------------------------------------------------------------------------

cLL::cLL() : first(nullptr), last(nullptr), length(0) {}

cLL::cLL(const cLL& other) : cBase(), first(nullptr), last(nullptr), length(0) { appendAll(other); }

cLL& cLL::operator=(const cLL& other)
{
    if (this != &other) {
        removeAll();
        appendAll(other);
    }
    return *this;
}

cLL::~cLL() { removeAll(); }

// All or nothing: a copy cut short by a failed allocation would pass for a whole one.
bool cLL::appendAll(const cLL& other)
{
    for (listItem* item = other.first; item; item = item->next) {
        if (append(item->data) < 0) {
            removeAll();
            return false;
        }
    }
    return true;
}

int cLL::count() const { return length; }

int cLL::append(void* data)
{
    listItem* item = static_cast<listItem*>(kaStore::checked(new listItem));
    if (!item) return -1;
    item->data = data;
    item->prev = last;
    if (last)
        last->next = item;
    else
        first = item;
    last = item;
    return length++;
}

int cLL::insert(int i, void* data)
{
    listItem* at = get_item(i);
    if (!at) return append(data);
    listItem* item = static_cast<listItem*>(kaStore::checked(new listItem));
    if (!item) return -1;
    item->data = data;
    item->prev = at->prev;
    item->next = at;
    if (at->prev)
        at->prev->next = item;
    else
        first = item;
    at->prev = item;
    ++length;
    return i;
}

int cLL::change(int i, void* data)
{
    listItem* item = get_item(i);
    if (!item) return -1;
    item->data = data;
    return i;
}

int cLL::remove(int i)
{
    listItem* item = get_item(i);
    if (!item) return -1;
    if (item->prev)
        item->prev->next = item->next;
    else
        first = item->next;
    if (item->next)
        item->next->prev = item->prev;
    else
        last = item->prev;
    delete item;
    return --length;
}

void* cLL::data(int i) const
{
    listItem* item = get_item(i);
    return item ? item->data : nullptr;
}

void cLL::removeAll()
{
    while (first) {
        listItem* next = first->next;
        delete first;
        first = next;
    }
    last = nullptr;
    length = 0;
}

listItem* cLL::get_item(int i) const
{
    if (i < 0 || i >= length) return nullptr;
    listItem* item = first;
    while (i-- > 0) item = item->next;
    return item;
}

// ---- cTagItem -------------------------------------------------------------------

cTagItem::cTagItem() : tagName(nullptr), tagText(nullptr), tagValue(0) {}

cTagItem::cTagItem(const cTagItem& other) : cBase(), tagName(nullptr), tagText(nullptr), tagValue(0)
{
    set(&other);
}

cTagItem& cTagItem::operator=(const cTagItem& other)
{
    set(&other);
    return *this;
}

cTagItem::~cTagItem()
{
    ka_free(tagName);
    ka_free(tagText);
}

bool cTagItem::set(const char* name, const char* text, __int64 value)
{
    // Both copies are made before anything is freed: the item's own texts may be passed in.
    char* newName = nullptr;
    char* newText = nullptr;
    if (!kaStore::copyText(name, &newName) || !kaStore::copyText(text, &newText)) {
        ka_free(newName);
        return false;
    }
    ka_free(tagName);
    ka_free(tagText);
    tagName = newName;
    tagText = newText;
    tagValue = value;
    return true;
}

bool cTagItem::set(const cTagItem* other)
{
    if (!other) return set(nullptr, nullptr, 0);
    return set(other->tagName, other->tagText, other->tagValue);
}

const char* cTagItem::name() const { return tagName; }

const char* cTagItem::string() const { return tagText; }

__int64 cTagItem::value() const { return tagValue; }
