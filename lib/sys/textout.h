// Text output on a device context. kaDrawText lays text out itself instead of
// relying on the system's DrawText: Korean runs have no blanks, so a line may
// also break between any two double-byte characters.
#pragma once
#include <windows.h>
#include "core/kadefs.h"

// Height plus external leading of the font (the screen's current font when null).
KA_API int kaGetTextCy(HFONT font);

// Honours DT_CENTER, DT_RIGHT, DT_VCENTER, DT_BOTTOM, DT_SINGLELINE and DT_NOCLIP;
// multi-line text always wraps, with a line pitch of 120 % of the character height.
// Returns the first line's top-left corner, x in the low and y in the high 16 bits.
KA_API long kaDrawText(HDC dc, const char* text, RECT rect, unsigned int format);
