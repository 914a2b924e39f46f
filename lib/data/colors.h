// Colour words (0x00BBGGRR) and the colour sets that three-dimensional frames
// are drawn from.
#pragma once
#include "core/memory.h"
#include "core/stringa.h"

#pragma pack(push, 1)

class KA_API cColorSet : public cBase {
public:
    // White fill, black text and border; the rest derived from the fill.
    cColorSet();
    cColorSet(const cColorSet& other);
    cColorSet& operator=(const cColorSet& other);
    bool equals(const cColorSet& other) const;

    // Derive light, face and the two shadows from the border or the fill.
    void make3DColor();
    void make3DColorFromFill();

    unsigned long fill;
    unsigned long text;
    unsigned long border;
    unsigned long light;
    unsigned long face;
    unsigned long shadow;
    unsigned long darkShadow;

private:
    void derive(unsigned long base);
};

#pragma pack(pop)

// Swaps red and blue: converts between a colour word and 0x00RRGGBB.
KA_API unsigned long reverse_color(unsigned long color);
// "#RRGGBB" in upper-case hexadecimal.
KA_API void getHexStringFromColor(unsigned long color, cStringA& out);
// "#RRGGBB" (hexadecimal) or a decimal 0xRRGGBB number, as a colour word.
KA_API unsigned long getColorFromHexString(const char* text);
