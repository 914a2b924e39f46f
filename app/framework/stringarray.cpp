#include "stringarray.h"

cStringA CStringArray::GetAt(int index) const
{
    return isIndex(index) ? m_items[index] : cStringA();
}

int CStringArray::Add(const char* text)
{
    m_items.push_back(cStringA(text));
    return GetSize() - 1;
}

void CStringArray::InsertAt(int index, const char* text)
{
    if (index < 0) index = 0;
    if (index > GetSize()) index = GetSize();
    m_items.insert(m_items.begin() + index, cStringA(text));
}

void CStringArray::RemoveAt(int index)
{
    if (isIndex(index)) m_items.erase(m_items.begin() + index);
}
