// Private members are opened up here only to be measured: the headers' inline
// code reaches some of them, so their places are part of what a module relies on.
// The system headers come first so that the trick touches the library's only.
#include <cstddef>
#include <cstdio>
#include <windows.h>
#define private public
#define protected public
#include "ka.h"
#undef private
#undef protected
#include "layout.h"

// offsetof on a class with bases is conditionally supported; GCC supports it.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

void kaLayoutTable(void (*line)(const char* text, void* context), void* context)
{
    char text[160];
#define KA_LAYOUT_SIZE(c)                                                   \
    snprintf(text, sizeof text, "size %s %u", #c, unsigned(sizeof(c))); \
    line(text, context);
#define KA_LAYOUT_OFFSET(c, m)                                                       \
    snprintf(text, sizeof text, "offset %s::%s %u", #c, #m, unsigned(offsetof(c, m))); \
    line(text, context);
    KA_LAYOUT_CLASSES(KA_LAYOUT_SIZE)
    KA_LAYOUT_MEMBERS(KA_LAYOUT_OFFSET)
#undef KA_LAYOUT_SIZE
#undef KA_LAYOUT_OFFSET
}
