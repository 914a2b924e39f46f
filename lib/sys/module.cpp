#include "module.h"

cDLL::cDLL() : module(nullptr) {}

cDLL::cDLL(const cDLL& other) : cVar(other), module(other.module), values(other.values) {}

cDLL& cDLL::operator=(const cDLL& other)
{
    cVar::operator=(other);
    module = other.module;
    values = other.values;
    return *this;
}

cProcItem::cProcItem() : first(0), second(0) {}

cProcItem::cProcItem(const cProcItem& other) : cBase(), first(other.first), second(other.second), name(other.name) {}

cProcItem& cProcItem::operator=(const cProcItem& other)
{
    first = other.first;
    second = other.second;
    name = other.name;
    return *this;
}
