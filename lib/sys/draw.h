// Drawing primitives for the library's own windows and for owner-drawn controls:
// lines, boxes, 3-D frames, window borders, a flat button, a check box and a radio
// button. Every function makes the pens and brushes it needs and deletes them
// before it returns, leaving the context's own objects selected. Lines are drawn
// from point to point with the end point itself left out; rectangles have their
// right and bottom edges exclusive.
#pragma once
#include <windows.h>
#include "core/kadefs.h"
#include "data/colors.h"

#pragma pack(push, 1)

// One check box. The first field is a single byte, the next follows right after it.
struct DRAWCHECKBOX {
    char state;        // 1 ticked, 0 not ticked, -1 undetermined (a grey box)
    int grayed;        // grey box interior instead of white
    int enabled;       // 0: grey box and an embossed label
    int focus;         // a focus rectangle around the label
    int transparent;   // the label area is not painted with the background
    const char* text;  // label, may be null
    HFONT font;        // label font, or null for the one already selected
    COLORREF background;
    COLORREF textColor;
    COLORREF color;    // not read by the drawing
    // 0: outer bottom-right ring and the shadow of embossed text; 1: inner
    // bottom-right ring; 2: outer top-left ring and the face of embossed text;
    // 3: inner top-left ring.
    COLORREF edge[4];
};

#pragma pack(pop)

// The same fields with a 32-bit selected flag first, every field naturally aligned.
struct DRAWRADIOBUTTON {
    int selected;  // non-zero draws the dot
    int grayed;
    int enabled;
    int focus;
    int transparent;
    const char* text;
    HFONT font;
    COLORREF background;
    COLORREF textColor;
    COLORREF color;
    COLORREF edge[4];
};

KA_API void kaLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour);
// width parallel lines of the pen style, moved down (mostly horizontal) or right.
KA_API void kaLineEx(HDC dc, int x1, int y1, int x2, int y2, int penStyle, int width, COLORREF colour);
// Not-xor pen; the raster operation stays set on the context, so drawing the same
// line again restores the pixels.
KA_API void kaLineXor(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour);
KA_API void kaFillRect(HDC dc, RECT rect, COLORREF colour);
KA_API void kaBox(HDC dc, RECT rect, COLORREF colour);
// width rings inside rect (at least one).
KA_API void kaBoxWidth(HDC dc, RECT rect, COLORREF colour, int width);
KA_API void kaBoxXor(HDC dc, RECT rect, COLORREF colour);
// An etched group frame: with a light colour1 and a darker colour2, an engraved line.
KA_API void kaBoxGroup(HDC dc, RECT rect, COLORREF colour1, COLORREF colour2);
KA_API void kaBoxRaised(HDC dc, RECT rect);
KA_API void kaBoxSunken(HDC dc, RECT rect);
// A window border: 1 plain, 2 sunken, 3 raised, 5 etched, 6 embossed; others draw
// nothing. width does not change the drawing.
KA_API void kaDrawOutline(HDC dc, RECT rect, int type, int width, cColorSet colours);
// A flat push button. The 3-D colours of colours are derived anew from its fill;
// a null set draws with the fill 0xDEEBEF.
KA_API void kaButton(HDC dc, RECT rect, const char* text, cColorSet* colours);
KA_API void kaDrawCheck(HDC dc, RECT rect, DRAWCHECKBOX* box);
KA_API void kaRadioButton(HDC dc, RECT rect, DRAWRADIOBUTTON* button);

// Both corners between screen and the window's client coordinates, in place.
KA_API void ScrRectToCliRect(HWND hwnd, RECT* rect);
KA_API void CliRectToScrRect(HWND hwnd, RECT* rect);
