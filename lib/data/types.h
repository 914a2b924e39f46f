// The library's type table and the small values that know their own type.
#pragma once
#include "core/memory.h"
#include "core/stringa.h"

// Type ids that the library's own classes carry in cVar.
enum {
    kaTypeVar = 1,
    kaTypeLong = 3,
    kaTypeDouble = 4,
    kaTypeDate = 5,
    kaTypeTime = 6,
    kaTypeBool = 7,
    kaTypeBigint = 8,
    kaTypeTimestamp = 9,
    kaTypeString = 11,
    kaTypeStringW = 12,
    kaTypeArrayStr = 15,
    kaTypeArrayBigInt = 16,
    kaTypeArrayDouble = 17,
    kaTypeSize = 48,
    kaTypePoint = 49,
    kaTypeFileName = 80,
    kaTypeFile = 81,
    kaTypeFont = 85,
    kaTypeRegistry = 97,
    kaTypeWindow = 98,
    kaTypeSystemInfo = 102,
    kaTypeComponent = 128
};

// Flags of the value formatter: separators for the number types, the order of
// the parts for dates (shared with the date texts).
enum {
    kaFormatThousands = 0x001,
    kaFormatMonthFirst = 0x400,
    kaFormatDayFirst = 0x800
};

#pragma pack(push, 1)

// One entry of the type table, looked up by id or by name.
class KA_API cType : public cBase {
public:
    cType();
    cType(long id);
    cType(const char* name);
    cType(const cType& other);
    cType& operator=(const cType& other);

    // An unknown id is kept, with an empty name and index -1.
    void set(long id);
    cType& operator=(long id);
    // Exact, case-sensitive name; an unknown name gives id 0.
    void set(const char* name);

    operator long() const;
    int isValid() const;
    cStringA name() const;
    long dispSize() const;

    // The format word of a type for formatter flags, and back.
    cStringA strFromFormat(int flags) const;
    int formatFromStr(const char* text) const;

private:
    void take(int index);

    int typeId;
    cStringA typeName;
    int typeIndex;
};

#pragma pack(pop)
