// The storage every array class is built on: one contiguous block of elements,
// the number of elements it can hold and the number in use (0 <= count <= capacity).
// Bad indexes never fault: they read as 0 or null, or change nothing.
#pragma once
#include "kadefs.h"

#pragma pack(push, 1)

struct KA_API cArrayBlock {
    void* data;  // null until the first growth
    int capacity;
    int count;
};

#pragma pack(pop)

// Any value other than kaSortDescending sorts ascending.
enum SortDirection { kaSortAscending = 0, kaSortDescending = 1 };
