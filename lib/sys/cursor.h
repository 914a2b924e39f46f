// Shows the wait cursor for the span of an operation.
#pragma once
#include "core/memory.h"

#pragma pack(push, 1)

class KA_API cCursor : public cBase {
public:
    cCursor();
    // Puts the previous cursor back if it is still saved.
    ~cCursor();
    cCursor& operator=(const cCursor& other);

    // A second wait saves the wait cursor itself, so restore then keeps it.
    void wait();
    void restore();

private:
    void* saved;  // HCURSOR shown before wait, null when none is saved
};

#pragma pack(pop)
