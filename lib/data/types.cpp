#include "types.h"
#include <cstring>
#include "core/error.h"

namespace {

struct TypeEntry {
    const char* name;
    int id;
    int dispSize;
};

// Order matters: lookups take the first match. The misspelt project names are
// the names other modules already store, so they stay as they are.
const TypeEntry kTypeTable[] = {
    {"cVar", 1, 0},
    {"long", 3, 10},
    {"int", 8, 19},
    {"double", 4, 19},
    {"date", 5, 10},
    {"time", 6, 8},
    {"timestamp", 9, 19},
    {"cPoint", 49, 1},
    {"cSize", 48, 1},
    {"cLinearGradient", 50, 1},
    {"cRadialGradient", 51, 1},
    {"cLine", 64, 1},
    {"cRectangle", 65, 1},
    {"cRoundRectangle", 66, 1},
    {"cEllipse", 67, 1},
    {"cArc", 68, 1},
    {"bool", 7, 1},
    {"fixedstr", 2, 1},
    {"strs", 15, 1},
    {"ints", 16, 1},
    {"doubles", 17, 1},
    {"str", 11, 1},
    {"cString", 12, 1},
    {"cBinary", 14, 1},
    {"cImage", 18, 1},
    {"cImages", 19, 1},
    {"cVars", 87, 1},
    {"cFont", 85, 1},
    {"cTree", 86, 1},
    {"cFileName", 80, 1},
    {"cFile", 81, 1},
    {"cPrinter", 82, 1},
    {"cHttpRequest", 88, 1},
    {"cHttpResponse", 89, 1},
    {"cHttpFile", 90, 1},
    {"cFtp", 91, 1},
    {"cGraphics", 84, 1},
    {"cEvent", 83, 1},
    {"cStatement", 92, 1},
    {"cSQL", 93, 1},
    {"cRegistry", 97, 1},
    {"cWindow", 98, 1},
    {"cProect", 99, 1},
    {"cOpenProect", 100, 1},
    {"cAnimate", 101, 1},
    {"cSystemInfo", 102, 1},
    {"cDLL", 103, 1},
    {"cMenu", 96, 1},
    {"cFolderDlg", 112, 1},
    {"cColorDlg", 113, 1},
    {"cPreviewDlg", 114, 1},
    {"cResultSet", 94, 1},
    {"cFixedResultSet", 95, 1},
    {"cComponent", 128, 1},
    {nullptr, 0, 0},
};

bool isNumberType(int id) { return id == kaTypeLong || id == kaTypeDouble || id == kaTypeBigint; }

bool contains(const char* text, const char* part) { return strstr(text, part) != nullptr; }

}  // namespace

cType::cType() : typeId(0), typeIndex(-1) {}

cType::cType(long id) : typeId(0), typeIndex(-1) { set(id); }

cType::cType(const char* name) : typeId(0), typeIndex(-1) { set(name); }

cType::cType(const cType& other)
    : cBase(), typeId(other.typeId), typeName(other.typeName), typeIndex(other.typeIndex)
{
}

cType& cType::operator=(const cType& other)
{
    typeId = other.typeId;
    typeName = other.typeName;
    typeIndex = other.typeIndex;
    return *this;
}

void cType::take(int index)
{
    typeId = kTypeTable[index].id;
    typeName = kTypeTable[index].name;
    typeIndex = index;
}

void cType::set(long id)
{
    typeId = static_cast<int>(id);
    typeName.setBlank();
    typeIndex = -1;
    for (int i = 0; kTypeTable[i].name; ++i) {
        if (kTypeTable[i].id == id) {
            take(i);
            return;
        }
    }
}

cType& cType::operator=(long id)
{
    set(id);
    return *this;
}

void cType::set(const char* name)
{
    typeId = 0;
    typeName.setBlank();
    typeIndex = -1;
    if (!name) return;
    for (int i = 0; kTypeTable[i].name; ++i) {
        if (strcmp(kTypeTable[i].name, name) == 0) {
            take(i);
            return;
        }
    }
}

cType::operator long() const { return typeId; }

int cType::isValid() const
{
    if (typeIndex >= 0) return 1;
    kaErrorSetMsg("Invalid type.");
    return 0;
}

cStringA cType::name() const { return typeName; }

long cType::dispSize() const { return isValid() ? kTypeTable[typeIndex].dispSize : 0; }

cStringA cType::strFromFormat(int flags) const
{
    if (isNumberType(typeId)) return cStringA(flags & kaFormatThousands ? "," : nullptr);
    if (typeId != kaTypeDate) return cStringA();
    if (flags & kaFormatMonthFirst) return cStringA("mdy");
    return cStringA(flags & kaFormatDayFirst ? "dmy" : "ymd");
}

int cType::formatFromStr(const char* text) const
{
    if (!text || !*text) return 0;
    if (isNumberType(typeId)) return contains(text, ",") ? kaFormatThousands : 0;
    if (typeId != kaTypeDate) return 0;
    if (contains(text, "mdy") || contains(text, "MDY")) return kaFormatMonthFirst;
    if (contains(text, "dmy") || contains(text, "DMY")) return kaFormatDayFirst;
    return 0;
}
