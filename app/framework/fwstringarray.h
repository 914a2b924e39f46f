// An ordered list of strings, as the main dialog keeps its recent projects: the framework's
// face over the library's string array. Reading or removing outside the list gives the empty
// string and changes nothing.
#pragma once
#include "ka.h"
#include "fwobject.h"

class CStringArray : public CObject {
public:
    const char* className() const override { return "CStringArray"; }

    int GetSize() const { return m_items.count(); }
    cStringA GetAt(int index) const { return cStringA(m_items.text(index)); }
    cStringA operator[](int index) const { return GetAt(index); }
    // The new entry's index, or -1 when memory ran short.
    int Add(const char* text) { return m_items.append(text); }
    // An index past the end appends; a negative one inserts at the front.
    void InsertAt(int index, const char* text)
    {
        m_items.insert(index < 0 ? 0 : index > GetSize() ? GetSize() : index, text);
    }
    void RemoveAt(int index) { m_items.remove(index); }
    void RemoveAll() { m_items.removeAll(); }

private:
    cArrayStr m_items;
};
