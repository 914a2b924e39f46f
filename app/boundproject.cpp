#include "boundproject.h"
#include "buildconfig.h"

// scripts/stamp-project finds the slot by the marker in front of it and writes a
// URL into a copy of a built program.
struct BoundProjectSlot {
    char marker[16];
    char text[130];
};

// Not const and not static: the text must be read from the image at run time,
// never folded into the code by the compiler, or a stamped copy would still
// open nothing.
extern BoundProjectSlot orrelBoundProjectSlot;
BoundProjectSlot orrelBoundProjectSlot = {"ORREL:BOUND-URL", ORREL_BOUND_PROJECT};

const char* boundProject()
{
    return orrelBoundProjectSlot.text;
}
