// Records of a loaded module and of one of its procedures. Code outside the
// library fills them; the library defines only their fields and how they copy.
#pragma once
#include <windows.h>
#include "core/arrayint.h"
#include "core/stringa.h"

#pragma pack(push, 1)

class KA_API cDLL : public cVar {
public:
    cDLL();
    cDLL(const cDLL& other);
    cDLL& operator=(const cDLL& other);

    HMODULE module;
    cArrayInt values;
};

class KA_API cProcItem : public cBase {
public:
    cProcItem();
    cProcItem(const cProcItem& other);
    cProcItem& operator=(const cProcItem& other);

    DWORD_PTR first;
    DWORD_PTR second;
    cStringA name;
};

#pragma pack(pop)
