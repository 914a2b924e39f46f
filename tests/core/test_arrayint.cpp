#include <gtest/gtest.h>
#include <climits>
#include <vector>
#include "ka.h"
#include "../support/arrays.h"

namespace {

using Longs = std::vector<long>;

Longs values(const cArrayInt& a) { return contentOf<long>(a); }

cArrayInt make(const Longs& v) { return arrayOf<cArrayInt>(v); }

}  // namespace

TEST(ArrayInt, BadIndexesChangeNothingAndRunsStopAtTheEnd)
{
    cArrayInt a = make({1, 2, 3});
    for (int bad : {-1, 3, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(0, a[bad]);
        a.replace(bad, 9);
        a.remove(bad);
        a.remove(bad, 1);
    }
    EXPECT_EQ(-1, a.insert(-1, 9L));  // negative indexes are refused, not appended
    EXPECT_EQ(3, a.insert(7, 4L));    // past the end: appended
    EXPECT_EQ(Longs({1, 2, 3, 4}), values(a));

    const long run[] = {10, 11, 12};
    cArrayInt b = make({0, 1, 2, 3, 4});
    EXPECT_EQ(5, b.insert(2, run, 3));  // the index after the run
    EXPECT_EQ(Longs({0, 1, 10, 11, 12, 2, 3, 4}), values(b));
    for (long i : {9L, -1L, LONG_MIN}) EXPECT_EQ(-1, b.insert(i, run, 3)) << i;

    b.replace(7, run, 3);  // stops at the end, never grows
    b.remove(1, INT_MAX);  // past the end: cut at 1, without overflowing
    EXPECT_EQ(Longs({0}), values(b));
}

TEST(ArrayInt, RunsTooLargeToHoldFailWholeAndCopiesOwnTheirBlock)
{
    cArrayInt a;
    for (long k = 0; k <= 10000; ++k) a.append(k);  // past the first block of 10000
    // A block whose size does not fit the allocator fails the growth step: nothing
    // is added, nothing written, and the channel says why.
    const long run[] = {1, 2};
    kaErrorClear();
    EXPECT_EQ(-1, a.append(run, 0x40000000));
    EXPECT_EQ(1, kaErrorExist());
    EXPECT_EQ(-1, a.insert(5, run, 0x40000000));
    kaErrorClear();
    EXPECT_EQ(10001, a.count());
    EXPECT_EQ(10000, a[10000]);

    cArrayInt copy(a);
    copy.replace(0, -1);
    EXPECT_EQ(0, a[0]);
    copy = make({1});
    copy = copy;
    EXPECT_EQ(Longs({1}), values(copy));
}

TEST(ArrayPtr, ACopyHoldsTheSamePointersInABlockOfItsOwn)
{
    int items[3];
    cArrayPtr p;
    p.append(&items[0]);
    p.append(&items[1]);
    EXPECT_EQ(-1, p.insert(-2, &items[2]));
    cArrayPtr q(p);
    p.replace(0, &items[2]);
    p.remove_ptr_left(1);
    EXPECT_EQ(&items[0], q.getPtr(0));
    EXPECT_EQ(1, q.find(&items[1]));
    q = p;
    p.removeAll();
    EXPECT_EQ(1, q.count());
    EXPECT_EQ(&items[2], q.getPtr(0));
}

TEST(ArrayPoint, ScalesTowardZeroAndContainsByNonZeroWinding)
{
    cArrayPoint s;
    s.append(-5, 5);
    s.append(4, 11);
    s.scaleAll(0, 1, 0.5f, 0.5f);  // truncated toward zero on both sides of the origin
    EXPECT_EQ(-2, s.getPoint(0).x);
    EXPECT_EQ(3, s.getPoint(0).y);
    EXPECT_EQ(6, s.getPoint(1).y);

    EXPECT_FALSE(cArrayPoint().contains(tagPOINT{0, 0}));  // an empty polygon holds nothing

    // Coordinates whose cross products overflow 32 and even 64 signed bits.
    cArrayPoint extreme;
    for (tagPOINT p : {tagPOINT{INT_MIN, INT_MIN}, tagPOINT{INT_MAX, INT_MIN}, tagPOINT{INT_MAX, INT_MAX},
                       tagPOINT{INT_MIN, INT_MAX}})
        extreme.append(p);
    EXPECT_TRUE(extreme.contains(tagPOINT{INT_MAX - 1, INT_MAX - 1}));
    EXPECT_TRUE(extreme.contains(tagPOINT{INT_MIN, 0}));  // on the left edge, which counts
    EXPECT_FALSE(extreme.contains(tagPOINT{INT_MAX, 0}));
}

TEST(ArrayBigInt, SizedConstructionAndRunsTooLargeToHold)
{
    EXPECT_EQ(std::vector<__int64>({0, 1, 2}), (contentOf<__int64>(cArrayBigInt(3))));
    EXPECT_EQ(0, cArrayBigInt(-2).count());

    // Runs too large for the allocator fail whole.
    cArrayBigInt seq(3);
    const __int64 run[] = {10, 11};
    kaErrorClear();
    EXPECT_EQ(-1, seq.append(run, 0x20000000));
    EXPECT_EQ(1, kaErrorExist());
    kaErrorClear();
    EXPECT_EQ(std::vector<__int64>({0, 1, 2}), (contentOf<__int64>(seq)));
}
