// The heap of the robustness build (KA_GUARDED_HEAP): every block ends exactly
// at a page that cannot be touched, so a read or write one byte past its end
// faults at once instead of landing in a neighbour. Nothing here is exported,
// and a normal build compiles none of it.
#pragma once
#ifdef KA_GUARDED_HEAP
#include <cstddef>

void* kaGuardedAlloc(size_t size, bool zeroed);
void* kaGuardedRealloc(void* p, size_t size);
void kaGuardedFree(void* p);
// Blocks handed out and not yet freed: the same before and after a piece of
// work that keeps nothing.
long kaGuardedOutstanding();
#endif
