#include <gtest/gtest.h>
#include <climits>
#include <vector>
#include "ka.h"

namespace {

std::vector<long> values(const cArrayInt& a)
{
    std::vector<long> out;
    for (int i = 0; i < a.count(); ++i) out.push_back(a[i]);
    return out;
}

cArrayInt make(std::vector<long> v)
{
    cArrayInt a;
    for (long x : v) a.append(x);
    return a;
}

void* P(int n) { return reinterpret_cast<void*>(static_cast<intptr_t>(n)); }

using Longs = std::vector<long>;

}  // namespace

TEST(ArrayInt, BoundaryIndexesReadZeroAndChangeNothing)
{
    cArrayInt a = make({1, 2, 3});
    for (int bad : {-1, 3, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(0, a.value(bad));
        EXPECT_EQ(0, a[bad]);
        a.replace(bad, 9);
        a.remove(bad);
        a.remove(bad, 1);
    }
    EXPECT_EQ(-1, a.insert(-1, 9L));  // negative indexes are refused, not appended
    EXPECT_EQ(Longs({1, 2, 3}), values(a));
    EXPECT_EQ(3, a.insert(7, 4L));  // past the end: appended
    EXPECT_EQ(0, a.insert(0, 0L));
    EXPECT_EQ(2, a.insert(2, 9L));
    EXPECT_EQ(Longs({0, 1, 9, 2, 3, 4}), values(a));
    EXPECT_EQ(a.valuePtr(0) + 2, a.valuePtr(2));
    EXPECT_EQ(9, *a.valuePtr(2));
    EXPECT_EQ(nullptr, cArrayInt().valuePtr(0));

    EXPECT_EQ(2, a.find(9));
    EXPECT_EQ(-1, a.find(99));
    a.fill(7);
    EXPECT_EQ(Longs(6, 7), values(a));
    a.setCount(8);  // grows with zeros
    EXPECT_EQ(Longs({7, 7, 7, 7, 7, 7, 0, 0}), values(a));
    a.setCount(2);
    EXPECT_EQ(Longs({7, 7}), values(a));
    a.setCount(-1);
    EXPECT_EQ(0, a.count());

    a.fillOrder(-2, 4);
    EXPECT_EQ(Longs({-2, -1, 0, 1}), values(a));
    a.fillOrder(5, 0);
    EXPECT_EQ(0, a.count());

    EXPECT_EQ(1, make({1, 2}).equals(make({1, 2})));
    EXPECT_EQ(0, make({1, 2}).equals(make({1, 3})));
    EXPECT_EQ(0, make({1, 2}).equals(make({1, 2, 3})));
    EXPECT_EQ(1, cArrayInt().equals(cArrayInt()));
}

TEST(ArrayInt, RunInsertsReplacesAndRemoves)
{
    const long run[] = {10, 11, 12};
    cArrayInt a = make({0, 1, 2, 3, 4});
    EXPECT_EQ(5, a.insert(2, run, 3));  // the index after the run
    EXPECT_EQ(Longs({0, 1, 10, 11, 12, 2, 3, 4}), values(a));

    cArrayInt b = make({0, 1, 2, 3, 4});
    EXPECT_EQ(5, b.insert(5, run, 3));  // at the end: the run is appended
    EXPECT_EQ(Longs({0, 1, 2, 3, 4, 10, 11, 12}), values(b));
    for (long i : {9L, -1L, LONG_MIN}) EXPECT_EQ(-1, b.insert(i, run, 3)) << i;
    EXPECT_EQ(-1, b.insert(1, run, 0));
    EXPECT_EQ(-1, b.insert(1, nullptr, 3));
    EXPECT_EQ(8, b.append(run, 2));
    EXPECT_EQ(-1, b.append(run, 0));
    EXPECT_EQ(-1, b.append(nullptr, 2));
    EXPECT_EQ(10, b.count());

    cArrayInt c = make({0, 1, 2, 3, 4});
    c.replace(3, run, 3);  // stops at the end, never grows
    EXPECT_EQ(Longs({0, 1, 2, 10, 11}), values(c));
    c.replace(-1, run, 3);
    c.replace(5, run, 3);
    EXPECT_EQ(Longs({0, 1, 2, 10, 11}), values(c));

    cArrayInt d = make({0, 1, 2, 3, 4});
    d.remove(1, 2);
    EXPECT_EQ(Longs({0, 3, 4}), values(d));
    d.remove(1, 0);
    d.remove(1, -3);
    d.remove(7, 1);
    EXPECT_EQ(Longs({0, 3, 4}), values(d));
    d.remove(1, INT_MAX);  // past the end: cut at 1, without overflowing
    EXPECT_EQ(Longs({0}), values(d));
    cArrayInt e = make({0, 1, 2, 3, 4});
    e.remove(1, 10);
    EXPECT_EQ(Longs({0}), values(e));
    e.remove(0);
    EXPECT_EQ(0, e.count());
}

TEST(ArrayInt, GrowsInStepsOfTenThousandAndRefusesRunsTooLargeToHold)
{
    cArrayInt a;
    a.append(0L);
    long* block = a.valuePtr(0);
    for (long k = 1; k < 10000; ++k) a.append(k);
    EXPECT_EQ(block, a.valuePtr(0));  // the first append took room for 10000
    EXPECT_EQ(10000, a.append(10000L));
    EXPECT_NE(block, a.valuePtr(0));
    EXPECT_EQ(10001, a.count());
    EXPECT_EQ(9999, a[9999]);
    EXPECT_EQ(10000, a[10000]);

    // A block whose size does not fit the allocator fails the growth step: nothing
    // is added, nothing written, and the channel says why.
    kaErrorClear();
    const long run[] = {1, 2};
    EXPECT_EQ(-1, a.append(run, 0x40000000));
    EXPECT_EQ(1, kaErrorExist());
    kaErrorClear();
    EXPECT_EQ(-1, a.insert(5, run, 0x40000000));
    EXPECT_EQ(1, kaErrorExist());
    kaErrorClear();
    EXPECT_EQ(10001, a.count());
    EXPECT_EQ(10000, a[10000]);
    EXPECT_EQ(5, a[5]);

    cArrayInt copy(a);  // a block of exactly the count
    EXPECT_EQ(1, copy.equals(a));
    copy.replace(0, -1);
    EXPECT_EQ(0, a[0]);
    copy = make({1});
    copy = copy;
    EXPECT_EQ(Longs({1}), values(copy));
    cArrayInt empty;
    cArrayInt fromEmpty(empty);
    EXPECT_EQ(0, fromEmpty.count());
    EXPECT_EQ(0, fromEmpty.append(3L));
}

TEST(ArrayInt, ExchangeSortsBothWays)
{
    cArrayInt a = make({3, -1, 2, -1, LONG_MIN, LONG_MAX});
    a.sort(kaSortAscending);
    EXPECT_EQ(Longs({LONG_MIN, -1, -1, 2, 3, LONG_MAX}), values(a));
    a.sort(kaSortDescending);
    EXPECT_EQ(Longs({LONG_MAX, 3, 2, -1, -1, LONG_MIN}), values(a));
    cArrayInt one = make({5});
    one.sort(kaSortDescending);
    EXPECT_EQ(Longs({5}), values(one));
}

TEST(ArrayFloatAndPtr, BoundariesAndCopies)
{
    cArrayFloat f;
    EXPECT_EQ(0, f.append(1.5f));
    EXPECT_EQ(1, f.insert(9, 2.5f));
    EXPECT_EQ(-1, f.insert(-1, 9.0f));
    f.replace(2, 9.0f);
    EXPECT_EQ(0.0f, f.getValue(-1));
    EXPECT_EQ(0.0f, f.getValue(2));
    cArrayFloat g(f);
    f.remove(0);
    EXPECT_EQ(2.5f, f.getValue(0));
    EXPECT_EQ(1.5f, g.getValue(0));

    // A copy holds the same pointers in a block of its own.
    int items[3];
    cArrayPtr p;
    EXPECT_EQ(0, p.append(&items[0]));
    EXPECT_EQ(1, p.append(&items[2]));
    EXPECT_EQ(1, p.insert(1, &items[1]));
    EXPECT_EQ(-1, p.insert(-2, nullptr));
    EXPECT_EQ(nullptr, p.getPtr(3));
    cArrayPtr q(p);
    p.replace(0, P(1));
    p.remove_ptr_left(1);
    EXPECT_EQ(2, p.count());
    EXPECT_EQ(&items[2], p.getPtr(1));
    EXPECT_EQ(1, q.find(&items[1]));
    EXPECT_EQ(&items[0], q.getPtr(0));
    q = p;
    p.removeAll();
    EXPECT_EQ(P(1), q.getPtr(0));
    EXPECT_EQ(-1, q.find(&items[1]));
}

TEST(ArrayPoint, EditsOffsetsAndScales)
{
    cArrayPoint a;
    EXPECT_EQ(0, a.append(1, 2));
    EXPECT_EQ(1, a.append(tagPOINT{3, 4}));
    EXPECT_EQ(0, a.insert(0, -5, 5));
    EXPECT_EQ(3, a.insert(8, tagPOINT{7, 7}));
    EXPECT_EQ(-1, a.insert(-1, 0, 0));
    a.replace(3, 6, 6);
    a.replace(4, 9, 9);
    tagPOINT out = a.getPoint(4);
    EXPECT_EQ(0, out.x);
    EXPECT_EQ(0, out.y);
    a.remove(1);
    ASSERT_EQ(3, a.count());
    a.offset(0, 1, -1);
    a.offset(3, 100, 100);
    a.offsetAll(10, 20);
    EXPECT_EQ(6, a.getPoint(0).x);
    EXPECT_EQ(24, a.getPoint(0).y);
    EXPECT_EQ(13, a.getPoint(1).x);
    EXPECT_EQ(26, a.getPoint(2).y);

    cArrayPoint s;
    s.append(-5, 5);
    s.append(4, 11);
    s.scaleAll(0, 1, 0.5f, 0.5f);  // truncated toward zero on both sides of the origin
    EXPECT_EQ(-2, s.getPoint(0).x);
    EXPECT_EQ(3, s.getPoint(0).y);
    EXPECT_EQ(2, s.getPoint(1).x);
    EXPECT_EQ(6, s.getPoint(1).y);
    cArrayPoint t(s);
    s.removeAll();
    EXPECT_EQ(2, t.count());
    EXPECT_EQ(6, t.getPoint(1).y);
}

TEST(ArrayPoint, ContainsByNonZeroWinding)
{
    cArrayPoint square;
    EXPECT_FALSE(square.contains(tagPOINT{0, 0}));  // an empty polygon holds nothing
    square.append(0, 0);
    square.append(10, 0);
    square.append(10, 10);
    square.append(0, 10);
    EXPECT_TRUE(square.contains(tagPOINT{5, 5}));
    EXPECT_FALSE(square.contains(tagPOINT{15, 5}));
    EXPECT_FALSE(square.contains(tagPOINT{5, -1}));

    cArrayPoint clockwise;  // the direction of travel does not matter
    clockwise.append(0, 0);
    clockwise.append(0, 10);
    clockwise.append(10, 10);
    clockwise.append(10, 0);
    EXPECT_TRUE(clockwise.contains(tagPOINT{5, 5}));

    // A star drawn through every second corner overlaps itself in the middle,
    // which the non-zero rule counts as inside.
    cArrayPoint star;
    for (tagPOINT p : {tagPOINT{0, -10}, tagPOINT{6, 8}, tagPOINT{-9, -3}, tagPOINT{9, -3}, tagPOINT{-6, 8}})
        star.append(p);
    EXPECT_TRUE(star.contains(tagPOINT{0, 0}));
    EXPECT_TRUE(star.contains(tagPOINT{0, -7}));
    EXPECT_FALSE(star.contains(tagPOINT{9, 8}));

    // Coordinates whose cross products overflow 32 and even 64 signed bits.
    const int reach = 2000000000;
    cArrayPoint huge;
    huge.append(-reach, -reach);
    huge.append(reach, -reach);
    huge.append(reach, reach);
    huge.append(-reach, reach);
    EXPECT_TRUE(huge.contains(tagPOINT{0, 0}));
    EXPECT_TRUE(huge.contains(tagPOINT{reach - 1, 1 - reach}));
    EXPECT_FALSE(huge.contains(tagPOINT{0, INT_MAX}));
    EXPECT_FALSE(huge.contains(tagPOINT{INT_MIN, 0}));
    cArrayPoint extreme;
    extreme.append(INT_MIN, INT_MIN);
    extreme.append(INT_MAX, INT_MIN);
    extreme.append(INT_MAX, INT_MAX);
    extreme.append(INT_MIN, INT_MAX);
    EXPECT_TRUE(extreme.contains(tagPOINT{INT_MAX - 1, INT_MAX - 1}));
    EXPECT_TRUE(extreme.contains(tagPOINT{INT_MIN, 0}));  // on the left edge, which counts
    EXPECT_FALSE(extreme.contains(tagPOINT{INT_MAX, 0}));
}
