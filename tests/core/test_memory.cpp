#include <gtest/gtest.h>
#include <new>
#include "ka.h"

namespace {

struct Probe : cBase {
    int a;
    char b[13];
    double c;
    Probe() {}  // leaves the fields as operator new made them
};

TEST(Memory, ObjectsStartZeroFilledAndClearingNothingChangesNothing)
{
    // Fill a block first so a recycled one would show stale bytes.
    void* junk = ka_malloc(sizeof(Probe));
    memset(junk, 0xAB, sizeof(Probe));
    ka_free(junk);
    Probe* p = new Probe;
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->a, 0);
    for (char ch : p->b) EXPECT_EQ(ch, 0);
    EXPECT_EQ(p->c, 0.0);
    delete p;

    ka_free(nullptr);
    char buf[4] = {1, 2, 3, 4};
    EXPECT_EQ(memClear(buf, 0), buf);
    EXPECT_EQ(buf[0], 1);
    // Modules built against the exports rely on gap-free layout.
    EXPECT_EQ(sizeof(cVar), 2 * sizeof(int));
}

}  // namespace
