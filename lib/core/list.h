// The doubly linked list of untyped pointers, addressed by position, and the
// named entry (name, text, number) that the tag dictionary is made of.
#pragma once
#include "memory.h"

#pragma pack(push, 1)

class KA_API listItem : public cBase {
public:
    listItem* prev;  // null at the head
    listItem* next;  // null at the tail
    void* data;      // the caller's, never freed by the list
};

// Holds pointers only: the caller disposes of what they point to. A copy links
// new items to the same pointers, so two lists never share their items.
class KA_API cLL : public cBase {
public:
    cLL();
    cLL(const cLL& other);
    cLL& operator=(const cLL& other);
    ~cLL();

    int count() const;
    // Both give the new item's position, or -1 when no item can be allocated.
    int append(void* data);
    int insert(int i, void* data);
    int change(int i, void* data);
    int remove(int i);
    void* data(int i) const;
    void removeAll();

private:
    friend class cLLWalker;
    friend class cLLChain;

    listItem* get_item(int i) const;
    bool appendAll(const cLL& other);

    listItem* first;
    listItem* last;
    int length;
};

// Owns copies of its name and text; an empty text is kept as null.
class KA_API cTagItem : public cBase {
public:
    cTagItem();
    cTagItem(const cTagItem& other);
    cTagItem& operator=(const cTagItem& other);
    ~cTagItem();

    // False (item unchanged, "No memory" recorded) when a copy cannot be made.
    bool set(const char* name, const char* text, __int64 value);
    bool set(const cTagItem* other);

    const char* name() const;
    const char* string() const;
    __int64 value() const;

private:
    // The tag dictionary's items live in its pool (see arraytag.cpp).
    friend struct cTagItemAccess;

    char* tagName;
    char* tagText;
    __int64 tagValue;
};

#pragma pack(pop)

// Visits a list's pointers from head to tail at O(1) a step, where data(i) in a
// loop would walk from the head every time. The list must not change during
// the walk. Inline over the list's fixed layout, so nothing to export.
class cLLWalker {
public:
    explicit cLLWalker(const cLL& list) : item(list.first) {}
    bool more() const { return item != nullptr; }
    void* next()
    {
        void* data = item->data;
        item = item->next;
        return data;
    }

private:
    const listItem* item;
};

// Links items that live inside their owner's own blocks, and takes a list's
// items back without freeing them. The owner then frees them with its blocks and
// must empty the list before the list's own removal sees them.
class cLLChain {
public:
    static void link(cLL& list, listItem* item)
    {
        item->prev = list.last;
        item->next = nullptr;
        if (list.last)
            list.last->next = item;
        else
            list.first = item;
        list.last = item;
        ++list.length;
    }
    // The former first item; the former last one goes to *last.
    static listItem* detach(cLL& list, listItem** last)
    {
        listItem* first = list.first;
        *last = list.last;
        list.first = list.last = nullptr;
        list.length = 0;
        return first;
    }
};
