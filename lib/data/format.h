// Display text of the library's scalar values. Null values (the smallest
// integer, an infinite double, the null date or time) give the empty string.
#pragma once
#include "core/stringa.h"
#include "types.h"

// Type ids 3 (32-bit integer), 4 (double), 5 (packed date), 6 (packed time), 7 (byte flag)
// and 8 (64-bit integer). Decimals apply to doubles only: below 0 they count as
// 0, and above 100 as 100 (a double has no more digits worth showing).
// Flags: kaFormatThousands, and the date order flags for type 5.
KA_API cStringA formatValueToStr(const void* value, int type, int decimals, int flags);
KA_API cStringA formatDoubleToStr(double value, int decimals, int flags);
