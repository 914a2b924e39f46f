// Small typed values: each carries its type id and a plain value that callers
// read and write directly. Assignment copies the value only, never the type.
#pragma once
#include "core/memory.h"
#include "core/stringa.h"

#pragma pack(push, 1)

class KA_API cBool : public cVar {
public:
    cBool();
    cBool& operator=(const cBool& other);
    unsigned char value;  // 0 is false, anything else true
};

class KA_API cLong : public cVar {
public:
    cLong();
    cLong& operator=(const cLong& other);
    int value;
};

class KA_API cBigint : public cVar {
public:
    cBigint();
    cBigint& operator=(const cBigint& other);
    __int64 value;
};

class KA_API cDouble : public cVar {
public:
    cDouble();
    cDouble& operator=(const cDouble& other);
    double value;
};

class KA_API cPointD : public cVar {
public:
    cPointD();
    cPointD& operator=(const cPointD& other);
    double x;
    double y;
};

class KA_API cSize : public cVar {
public:
    cSize();
    cSize& operator=(const cSize& other);
    int width;
    int height;
};

// A named value whose type id the maker chooses.
class KA_API cComponent : public cVar {
public:
    cComponent();
    explicit cComponent(int typeId);
    cComponent(const cComponent& other);
    // Takes the name only: a component keeps its own type.
    cComponent& operator=(const cComponent& other);
    const char* getName() const;
    void setName(const char* name);

private:
    cStringA name;
};

// A plain pair of integers, without a type id.
class KA_API cPointL : public cBase {
public:
    cPointL();
    void set(int px, int py);
    int x;
    int y;
};

#pragma pack(pop)
