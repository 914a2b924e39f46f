#include "cursor.h"
#include <windows.h>

cCursor::cCursor() : saved(nullptr) {}

cCursor::~cCursor()
{
    if (saved) SetCursor(static_cast<HCURSOR>(saved));
}

cCursor& cCursor::operator=(const cCursor& other)
{
    saved = other.saved;
    return *this;
}

void cCursor::wait() { saved = SetCursor(LoadCursor(nullptr, IDC_WAIT)); }

void cCursor::restore()
{
    if (!saved) return;
    SetCursor(static_cast<HCURSOR>(saved));
    saved = nullptr;
}
