#include "gdiutil.h"

namespace {

int live = 0;

}  // namespace

HGDIOBJ gdiCreated(HGDIOBJ object)
{
    if (object) ++live;
    return object;
}

void gdiDelete(HGDIOBJ object)
{
    if (object && DeleteObject(object)) --live;
}

int gdiLiveCount() { return live; }

GdiSelection::GdiSelection(HDC context, HGDIOBJ created)
    : dc(context), own(gdiCreated(created)), previous(own ? SelectObject(dc, own) : nullptr)
{
}

GdiSelection::~GdiSelection()
{
    // An object still selected into a context cannot be deleted.
    if (previous) SelectObject(dc, previous);
    gdiDelete(own);
}

GdiBrush::GdiBrush(COLORREF colour) : brush(static_cast<HBRUSH>(gdiCreated(CreateSolidBrush(colour)))) {}

GdiBrush::~GdiBrush() { gdiDelete(brush); }
