#include "values.h"
#include "types.h"

cBool::cBool() : value(0xFF) { type = kaTypeBool; }

cBool& cBool::operator=(const cBool& other)
{
    value = other.value;
    return *this;
}

cLong::cLong() : value(0) { type = kaTypeLong; }

cLong& cLong::operator=(const cLong& other)
{
    value = other.value;
    return *this;
}

cBigint::cBigint() : value(0) { type = kaTypeBigint; }

cBigint& cBigint::operator=(const cBigint& other)
{
    value = other.value;
    return *this;
}

cDouble::cDouble() : value(0.0) { type = kaTypeDouble; }

cDouble& cDouble::operator=(const cDouble& other)
{
    value = other.value;
    return *this;
}

cPointD::cPointD() : x(0.0), y(0.0) { type = kaTypePoint; }

cPointD& cPointD::operator=(const cPointD& other)
{
    x = other.x;
    y = other.y;
    return *this;
}

cSize::cSize() : width(0), height(0) { type = kaTypeSize; }

cSize& cSize::operator=(const cSize& other)
{
    width = other.width;
    height = other.height;
    return *this;
}

cComponent::cComponent() { type = kaTypeComponent; }

cComponent::cComponent(int typeId) { type = typeId; }

cComponent::cComponent(const cComponent& other) : cVar(other), name(other.name) {}

cComponent& cComponent::operator=(const cComponent& other)
{
    name = other.name;
    return *this;
}

const char* cComponent::getName() const { return name.getPtr(); }

void cComponent::setName(const char* text) { name = text; }

cPointL::cPointL() : x(0), y(0) {}

void cPointL::set(int px, int py)
{
    x = px;
    y = py;
}
