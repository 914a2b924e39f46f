#include "colors.h"
#include <cstdio>
#include <cstdlib>

namespace {

const unsigned long kWhite = 0xFFFFFF;
const unsigned long kLight = 0xF0F0F0;

// Each of the three colour bytes scaled to percent of itself, truncating.
unsigned long scaleColor(unsigned long color, unsigned long percent)
{
    unsigned long out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        unsigned long part = (color >> shift) & 0xFF;
        out |= (part * percent / 100) << shift;
    }
    return out;
}

}  // namespace

cColorSet::cColorSet() : fill(kWhite), text(0), border(0), light(0), face(0), shadow(0), darkShadow(0)
{
    make3DColorFromFill();
}

// Colour sets travel by value (drawing takes them so). The root's copy is its
// constructor: it has no state, and its assignment alone is declared.
cColorSet::cColorSet(const cColorSet& other) : cBase() { *this = other; }
cColorSet& cColorSet::operator=(const cColorSet& other) = default;

bool cColorSet::equals(const cColorSet& other) const
{
    return fill == other.fill && text == other.text && border == other.border &&
           light == other.light && face == other.face && shadow == other.shadow &&
           darkShadow == other.darkShadow;
}

void cColorSet::make3DColor() { derive(border); }

void cColorSet::make3DColorFromFill() { derive(fill); }

void cColorSet::derive(unsigned long base)
{
    light = kLight;
    face = base;
    shadow = scaleColor(base, 80);
    darkShadow = scaleColor(base, 60);
}

unsigned long reverse_color(unsigned long color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

void getHexStringFromColor(unsigned long color, cStringA& out)
{
    char text[8];
    snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(color & 0xFF),
             static_cast<unsigned>((color >> 8) & 0xFF), static_cast<unsigned>((color >> 16) & 0xFF));
    out = text;
}

unsigned long getColorFromHexString(const char* text)
{
    if (!text || !*text) return 0;
    long rgb = text[0] == '#' ? strtol(text + 1, nullptr, 16) : atoi(text);
    return reverse_color(static_cast<unsigned long>(rgb));
}
