// Links only if the program's import library names what it uses.
#include <windows.h>
#include "ka.h"

extern "C" __declspec(dllexport) int kaModuleProbe()
{
    void* p = ka_malloc(16);
    cVar v;
    ka_free(p);
    return v.getType();
}
