// The library's internal GDI helpers; nothing here is exported.
//
// Every pen, brush and font that the library makes is counted here on creation and
// on deletion, so that tests can see that drawing and font changes leave no GDI
// object behind (the system's own per-process count is not available everywhere).
#pragma once
#include <windows.h>
#include "data/colors.h"

// Counts object when it is not null and returns it.
HGDIOBJ gdiCreated(HGDIOBJ object);
// Deletes a counted object; null is ignored.
void gdiDelete(HGDIOBJ object);
int gdiLiveCount();

// A pen or brush made for one drawing call: selected into the context while the
// scope lasts, then the previous object is selected back and the own one deleted.
class GdiSelection {
public:
    GdiSelection(HDC dc, HGDIOBJ created);
    ~GdiSelection();
    GdiSelection(const GdiSelection&) = delete;
    GdiSelection& operator=(const GdiSelection&) = delete;

private:
    HDC dc;
    HGDIOBJ own;
    HGDIOBJ previous;
};

// A solid brush that lives for one scope, for calls that take a brush directly.
class GdiBrush {
public:
    explicit GdiBrush(COLORREF colour);
    ~GdiBrush();
    GdiBrush(const GdiBrush&) = delete;
    GdiBrush& operator=(const GdiBrush&) = delete;
    HBRUSH get() const { return brush; }

private:
    HBRUSH brush;
};

// kaDrawOutline without copying the colour set, for the library's own windows.
void drawOutline(HDC dc, const RECT& rect, int type, const cColorSet& colours);
