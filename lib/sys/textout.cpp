#include "textout.h"
#include "core/cstr.h"
#include "core/handle.h"
#include "core/leadbyte.h"

namespace {

// Lines are spaced at 120 % of the character height, the extra space shared
// above and below the characters.
const int kLineSpacing = 120;
// Lines kept from the measuring pass for the drawing pass; lines past these are
// laid out a second time while drawing, so long texts are drawn whole.
const int kLineTable = 499;

struct Line {
    const char* start;
    int length;
};

// What may not be split across lines: a white run, then a single-byte word that
// ends after at most one double-byte character; or a white run ending in a break.
struct Token {
    int length;       // bytes that belong to the line
    int consumed;     // bytes taken from the text, a line break included
    bool lineBreak;
    bool endsDouble;  // the last two bytes are one double-byte character
};

bool isWhite(unsigned char c) { return c >= 1 && c <= 32; }

int extent(HDC dc, const char* p, int n)
{
    SIZE size = {0, 0};
    if (n > 0) GetTextExtentPoint32A(dc, p, n, &size);
    return size.cx;
}

int charHeight(HDC dc)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, " ", 1, &size);
    return size.cy;
}

long packPoint(int x, int y)
{
    return static_cast<long>((static_cast<unsigned long>(x) & 0xFFFF) |
                             ((static_cast<unsigned long>(y) & 0xFFFF) << 16));
}

// Alignment moves only what is narrower (lower) than the rectangle.
int alignedX(const RECT& r, int width, unsigned format)
{
    int room = r.right - r.left;
    if (width >= room) return r.left;
    if (format & DT_RIGHT) return r.right - width;
    if (format & DT_CENTER) return r.left + (room - width) / 2;
    return r.left;
}

int alignedY(const RECT& r, int height, unsigned format)
{
    int room = r.bottom - r.top;
    if (height >= room) return r.top;
    if (format & DT_BOTTOM) return r.top + room - height;
    if (format & DT_VCENTER) return r.top + (room - height) / 2;
    return r.top;
}

void output(HDC dc, int x, int y, const RECT& rect, const char* p, int n, unsigned format, bool clip)
{
    if (format & DT_NOCLIP)
        TextOutA(dc, x, y, p, n);
    else
        ExtTextOutA(dc, x, y, clip ? ETO_CLIPPED : 0, &rect, p, static_cast<UINT>(n), nullptr);
}

Token scanToken(const char* text)
{
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
    Token t = {0, 0, false, false};
    int i = 0;
    for (; isWhite(s[i]); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            // The blanks before a break do not belong to the line.
            t.consumed = i + ((s[i] == '\r' && s[i + 1] == '\n') ? 2 : 1);
            t.lineBreak = true;
            return t;
        }
    }
    while (s[i] > 32) {
        if (kaIsLeadByte(text[i])) {
            int width = kaCharWidth(text + i);
            t.endsDouble = width == 2;
            i += width;
            break;
        }
        ++i;
    }
    t.length = t.consumed = i;
    return t;
}

// A line's first token wider than the room is cut to the longest part that fits:
// never inside its double-byte character, and never below one byte (or below the
// whole token when that is a lone double-byte character).
int fitFirstToken(HDC dc, const char* p, const Token& t, int room)
{
    int longest = t.endsDouble ? t.length - 2 : t.length - 1;
    if (longest < 1) return t.length;
    int lo = 1, hi = longest;  // prefix widths grow with their length
    while (lo < hi) {
        int mid = lo + (hi - lo + 1) / 2;
        if (extent(dc, p, mid) <= room)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

// Takes one line from p and leaves p at the start of the next one.
Line nextLine(HDC dc, const char*& p, int room)
{
    Line line = {p, 0};
    int used = 0;
    while (*p) {
        Token t = scanToken(p);
        if (t.lineBreak) {
            line.length = static_cast<int>(p - line.start);
            p += t.consumed;
            return line;
        }
        int cx = extent(dc, p, t.length);
        bool first = p == line.start;
        if (first && cx > room) {
            int taken = fitFirstToken(dc, p, t, room);
            p += taken;
            if (taken < t.length) break;  // the rest begins the next line
        } else if (!first && used + cx > room) {
            break;
        } else {
            p += t.length;
        }
        used += cx;
    }
    line.length = static_cast<int>(p - line.start);
    // A wrapped line's successor does not start with blanks.
    while (isWhite(static_cast<unsigned char>(*p)) && *p != '\r' && *p != '\n') ++p;
    return line;
}

long drawSingleLine(HDC dc, const char* text, const RECT& rect, unsigned format)
{
    int n = strLen(text);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, n ? text : " ", n ? n : 1, &size);
    int x = alignedX(rect, size.cx, format);
    int y = alignedY(rect, size.cy, format);
    output(dc, x, y, rect, text, n, format, true);
    return packPoint(x, y);
}

long drawLines(HDC dc, const char* text, const RECT& rect, unsigned format)
{
    int room = rect.right - rect.left;
    int c = charHeight(dc);
    int pitch = c * kLineSpacing / 100;
    int lowering = (pitch - c) / 2;

    Line table[kLineTable];
    const char* p = text;
    const char* rest = text;
    int lines = 0;
    while (*p) {
        Line line = nextLine(dc, p, room);
        if (lines < kLineTable) {
            table[lines] = line;
            rest = p;
        }
        ++lines;
    }

    int y = alignedY(rect, lines * pitch, format);
    long first = 0;
    for (int i = 0; i < lines; ++i, y += pitch) {
        Line line = i < kLineTable ? table[i] : nextLine(dc, rest, room);
        int x = alignedX(rect, extent(dc, line.start, line.length), format);
        if (i == 0) first = packPoint(x, y);
        output(dc, x, y + lowering, rect, line.start, line.length, format, y + pitch > rect.bottom);
    }
    return first;
}

}  // namespace

int kaGetTextCy(HFONT font)
{
    WindowDc screen;
    if (!screen) return 0;
    HGDIOBJ old = font ? SelectObject(screen.get(), font) : nullptr;
    TEXTMETRICA tm = {};
    GetTextMetricsA(screen.get(), &tm);
    if (old) SelectObject(screen.get(), old);
    return tm.tmHeight + tm.tmExternalLeading;
}

long kaDrawText(HDC dc, const char* text, RECT rect, unsigned int format)
{
    if (!dc) return 0;
    // Measuring only is an internal matter; prefixes are never processed.
    format = (format | DT_NOPREFIX) & ~static_cast<unsigned>(DT_CALCRECT);
    if (strLen(text) == 0) format |= DT_SINGLELINE;
    if (format & DT_SINGLELINE) return drawSingleLine(dc, text, rect, format);
    return drawLines(dc, text, rect, format);
}
