#include "draw.h"
#include <cstdlib>
#include <initializer_list>
#include "core/cstr.h"
#include "sys/textout.h"
#include "gdiutil.h"

namespace {

const COLORREF kWhite = 0xFFFFFF;
const COLORREF kBlack = 0x000000;
const COLORREF kLightGrey = 0xC0C0C0;
const COLORREF kDarkGrey = 0x808080;
const COLORREF kButtonFill = 0xDEEBEF;
// Centred both ways; a text too wide for the button wraps.
const unsigned kButtonFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
// The box or button is 12 x 12 at the top-left corner; the label starts here.
const int kLabelOffset = 18;

class Pen : public GdiSelection {
public:
    Pen(HDC dc, COLORREF colour, int style = PS_SOLID) : GdiSelection(dc, CreatePen(style, 1, colour)) {}
};

struct Run {
    int x1, y1, x2, y2;
};

void polyline(HDC dc, std::initializer_list<POINT> points)
{
    const POINT* p = points.begin();
    MoveToEx(dc, p->x, p->y, nullptr);
    for (++p; p != points.end(); ++p) LineTo(dc, p->x, p->y);
}

void path(HDC dc, COLORREF colour, std::initializer_list<POINT> points)
{
    Pen pen(dc, colour);
    polyline(dc, points);
}

void runs(HDC dc, COLORREF colour, std::initializer_list<Run> list)
{
    Pen pen(dc, colour);
    for (const Run& r : list) {
        MoveToEx(dc, r.x1, r.y1, nullptr);
        LineTo(dc, r.x2, r.y2);
    }
}

bool isEmpty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

RECT shrunk(RECT r)
{
    InflateRect(&r, -1, -1);
    return r;
}

// Exactly the outermost pixels of r, with the selected pen.
void ring(HDC dc, const RECT& r)
{
    polyline(dc, {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom}});
    polyline(dc, {{r.left, r.top}, {r.left, r.bottom - 1}, {r.right, r.bottom - 1}});
}

// Outer top-left, inner top-left, outer bottom-right, inner bottom-right.
void sunkenPaths(HDC dc, const RECT& r, COLORREF a, COLORREF b, COLORREF c, COLORREF d)
{
    LONG L = r.left, T = r.top, R = r.right, B = r.bottom;
    path(dc, a, {{L, B - 1}, {L, T}, {R, T}});
    path(dc, b, {{L + 1, B - 2}, {L + 1, T + 1}, {R, T + 1}});
    path(dc, c, {{R - 1, T + 1}, {R - 1, B - 1}, {L, B - 1}});
    path(dc, d, {{R - 2, T + 2}, {R - 2, B - 2}, {L + 1, B - 2}});
}

void etched(HDC dc, const RECT& r, COLORREF p, COLORREF q)
{
    LONG L = r.left, T = r.top, R = r.right, B = r.bottom;
    path(dc, p, {{L, B - 1}, {L, T}, {R, T}});
    {
        Pen pen(dc, q);
        polyline(dc, {{L + 1, B - 2}, {L + 1, T + 1}, {R, T + 1}});
        polyline(dc, {{R - 1, T}, {R - 1, B - 1}, {L - 1, B - 1}});
    }
    path(dc, p, {{R - 2, T}, {R - 2, B - 2}, {L - 1, B - 2}});
}

// The label of a check box or radio button, inside its area less one pixel:
// plain when enabled, embossed (shadow shifted, then face) when not.
template <class Control>
void drawLabel(HDC dc, RECT area, const Control& c)
{
    HGDIOBJ oldFont = c.font ? SelectObject(dc, c.font) : nullptr;
    RECT label = shrunk(area);
    SetBkMode(dc, TRANSPARENT);
    if (c.enabled) {
        SetTextColor(dc, c.textColor);
        DrawTextA(dc, c.text, -1, &label, DT_SINGLELINE | DT_LEFT | DT_TOP);
    } else {
        RECT shadow = label;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, c.edge[0]);
        kaDrawText(dc, c.text, shadow, DT_SINGLELINE);
        SetTextColor(dc, c.edge[2]);
        kaDrawText(dc, c.text, label, DT_SINGLELINE);
    }
    if (oldFont) SelectObject(dc, oldFont);
}

RECT labelArea(const RECT& r) { return {r.left + kLabelOffset, r.top, r.right, r.bottom}; }

void convertCorners(HWND hwnd, RECT* rect, BOOL(WINAPI* convert)(HWND, LPPOINT))
{
    if (!rect) return;
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    convert(hwnd, &corners[0]);
    convert(hwnd, &corners[1]);
    *rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

}  // namespace

void kaLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) { path(dc, colour, {{x1, y1}, {x2, y2}}); }

void kaLineEx(HDC dc, int x1, int y1, int x2, int y2, int penStyle, int width, COLORREF colour)
{
    if (width < 1) return;
    bool flat = abs(x2 - x1) >= abs(y2 - y1);
    Pen pen(dc, colour, penStyle);
    for (int i = 0; i < width; ++i) {
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
        (flat ? y1 : x1) += 1;
        (flat ? y2 : x2) += 1;
    }
}

void kaLineXor(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour)
{
    SetROP2(dc, R2_NOTXORPEN);
    kaLine(dc, x1, y1, x2, y2, colour);
}

void kaFillRect(HDC dc, RECT rect, COLORREF colour)
{
    if (isEmpty(rect)) return;
    GdiBrush brush(colour);
    FillRect(dc, &rect, brush.get());
}

void kaBox(HDC dc, RECT rect, COLORREF colour) { kaBoxWidth(dc, rect, colour, 1); }

void kaBoxWidth(HDC dc, RECT rect, COLORREF colour, int width)
{
    Pen pen(dc, colour);
    // Rings stop where the rectangle is used up.
    for (int i = 0; i < (width < 1 ? 1 : width) && !isEmpty(rect); ++i) {
        ring(dc, rect);
        rect = shrunk(rect);
    }
}

void kaBoxXor(HDC dc, RECT rect, COLORREF colour)
{
    SetROP2(dc, R2_NOTXORPEN);
    if (isEmpty(rect)) return;
    Pen pen(dc, colour);
    ring(dc, rect);
}

void kaBoxGroup(HDC dc, RECT rect, COLORREF colour1, COLORREF colour2)
{
    LONG L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    path(dc, colour2, {{L, B - 1}, {L, T}, {R - 1, T}});
    path(dc, colour1, {{R - 1, T}, {R - 1, B - 1}, {L - 1, B - 1}});
    ++L, ++T, --R, --B;
    path(dc, colour1, {{L, B - 1}, {L, T}, {R - 1, T}});
    path(dc, colour2, {{R - 1, B - 1}, {L - 1, B - 1}});
}

void kaBoxRaised(HDC dc, RECT rect)
{
    LONG L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    path(dc, kLightGrey, {{L, B - 1}, {L, T}, {R - 1, T}});
    path(dc, kBlack, {{R - 1, T}, {R - 1, B - 1}, {L, B - 1}});
    ++L, ++T, --R, --B;
    path(dc, kWhite, {{L, B - 1}, {L, T}, {R - 1, T}});
    path(dc, kDarkGrey, {{R - 1, B - 1}, {L, B - 1}});
}

void kaBoxSunken(HDC dc, RECT rect) { sunkenPaths(dc, rect, kDarkGrey, kBlack, kWhite, kLightGrey); }

void kaDrawOutline(HDC dc, RECT rect, int type, int, cColorSet colours) { drawOutline(dc, rect, type, colours); }

void drawOutline(HDC dc, const RECT& rect, int type, const cColorSet& c)
{
    LONG L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    switch (type) {
    case 1:
        path(dc, c.border, {{L, B - 1}, {L, T}, {R - 1, T}, {R - 1, B - 1}, {L, B - 1}});
        break;
    case 2:
        sunkenPaths(dc, rect, c.shadow, c.darkShadow, c.face, c.fill);
        break;
    case 3:
        sunkenPaths(dc, rect, c.face, c.fill, c.darkShadow, c.shadow);
        break;
    case 5:
        etched(dc, rect, c.shadow, c.light);
        break;
    case 6:
        etched(dc, rect, c.light, c.shadow);
        break;
    default:
        break;
    }
}

void kaButton(HDC dc, RECT rect, const char* text, cColorSet* colours)
{
    cColorSet local;
    local.fill = kButtonFill;
    cColorSet& c = colours ? *colours : local;
    c.make3DColorFromFill();
    LONG L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
    path(dc, c.light, {{L, B - 1}, {L, T}, {R - 1, T}});
    path(dc, c.darkShadow, {{R - 1, B - 1}, {L, B - 1}});
    RECT inner = shrunk(rect);
    kaFillRect(dc, inner, c.fill);
    if (!text) return;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, c.text);
    kaDrawText(dc, text, inner, kButtonFormat);
}

void kaDrawCheck(HDC dc, RECT rect, DRAWCHECKBOX* box)
{
    if (!box) return;
    const DRAWCHECKBOX& d = *box;
    LONG L = rect.left, T = rect.top;
    RECT label = labelArea(rect);
    if (!d.transparent) kaFillRect(dc, label, d.background);
    bool white = d.enabled && !d.grayed && d.state != -1;
    kaFillRect(dc, {L, T, L + 12, T + 12}, white ? kWhite : kLightGrey);
    runs(dc, d.edge[2], {{L, T, L + 13, T}, {L, T, L, T + 13}});
    runs(dc, d.edge[3], {{L + 1, T + 1, L + 12, T + 1}, {L + 1, T + 1, L + 1, T + 12}});
    runs(dc, d.edge[0], {{L, T + 12, L + 13, T + 12}, {L + 12, T + 12, L + 12, T}});
    runs(dc, d.edge[1], {{L + 1, T + 11, L + 12, T + 11}, {L + 11, T + 11, L + 11, T + 1}});
    if (d.state == 1) {
        Pen pen(dc, kBlack);
        for (int i = 0; i < 3; ++i) polyline(dc, {{L + 3, T + 5 + i}, {L + 5, T + 7 + i}, {L + 10, T + 2 + i}});
    }
    if (label.right - label.left > 2) {
        // Without focus the ring erases an earlier focus rectangle.
        if (d.focus)
            DrawFocusRect(dc, &label);
        else if (!d.transparent)
            kaBox(dc, label, d.background);
    }
    if (strLen(d.text) > 0) drawLabel(dc, label, d);
}

void kaRadioButton(HDC dc, RECT rect, DRAWRADIOBUTTON* button)
{
    if (!button) return;
    const DRAWRADIOBUTTON& d = *button;
    int X = rect.left, Y = rect.top;
    RECT label = labelArea(rect);
    bool white = d.enabled && !d.grayed;
    COLORREF interior = white ? kWhite : kLightGrey;
    if (!d.transparent) kaFillRect(dc, label, d.background);
    if (white) kaFillRect(dc, {X + 2, Y + 2, X + 10, Y + 10}, kWhite);
    runs(dc, d.edge[2], {{X + 4, Y, X + 8, Y}, {X + 2, Y + 1, X + 10, Y + 1}, {X + 1, Y + 2, X + 1, Y + 10},
                         {X, Y + 4, X, Y + 8}});
    runs(dc, d.edge[0], {{X + 2, Y + 10, X + 10, Y + 10}, {X + 4, Y + 11, X + 8, Y + 11},
                         {X + 10, Y + 2, X + 10, Y + 10}, {X + 11, Y + 4, X + 11, Y + 8}});
    runs(dc, d.edge[3], {{X + 4, Y + 1, X + 8, Y + 1}, {X + 2, Y + 2, X + 10, Y + 2}, {X + 1, Y + 4, X + 1, Y + 8},
                         {X + 2, Y + 2, X + 2, Y + 10}});
    runs(dc, d.edge[1], {{X + 2, Y + 9, X + 10, Y + 9}, {X + 4, Y + 10, X + 8, Y + 10},
                         {X + 9, Y + 3, X + 9, Y + 9}, {X + 10, Y + 4, X + 10, Y + 8}});
    runs(dc, interior, {{X + 4, Y + 2, X + 8, Y + 2}, {X + 2, Y + 4, X + 2, Y + 8}, {X + 4, Y + 9, X + 8, Y + 9},
                        {X + 9, Y + 4, X + 9, Y + 8}});
    kaFillRect(dc, {X + 3, Y + 3, X + 9, Y + 9}, interior);
    if (d.selected) {
        runs(dc, kBlack, {{X + 5, Y + 4, X + 7, Y + 4}, {X + 4, Y + 5, X + 8, Y + 5}, {X + 4, Y + 6, X + 8, Y + 6},
                          {X + 5, Y + 7, X + 7, Y + 7}});
    }
    if (strLen(d.text) == 0) return;
    if (label.right - label.left > 2 && d.focus) DrawFocusRect(dc, &label);
    drawLabel(dc, label, d);
}

void ScrRectToCliRect(HWND hwnd, RECT* rect) { convertCorners(hwnd, rect, ScreenToClient); }

void CliRectToScrRect(HWND hwnd, RECT* rect) { convertCorners(hwnd, rect, ClientToScreen); }
