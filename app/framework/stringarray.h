// An ordered list of strings, as the main dialog keeps its recent projects.
// Reading or removing outside the list gives the empty string and changes nothing.
#pragma once
#include <vector>
#include "ka.h"
#include "object.h"

class CStringArray : public CObject {
public:
    const char* className() const override { return "CStringArray"; }

    int GetSize() const { return static_cast<int>(m_items.size()); }
    cStringA GetAt(int index) const;
    cStringA operator[](int index) const { return GetAt(index); }
    // Returns the new entry's index.
    int Add(const char* text);
    // An index past the end appends; a negative one inserts at the front.
    void InsertAt(int index, const char* text);
    void RemoveAt(int index);
    void RemoveAll() { m_items.clear(); }

private:
    bool isIndex(int index) const { return index >= 0 && index < GetSize(); }

    std::vector<cStringA> m_items;
};
