#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <vector>
#include "ka.h"

namespace {

const __int64 kNull = LLONG_MIN;
const double kNullD = -HUGE_VAL;

template <class A, class T>
std::vector<T> values(const A& a)
{
    std::vector<T> out;
    for (int i = 0; i < a.count(); ++i) out.push_back(a[i]);
    return out;
}

using Bigs = std::vector<__int64>;
using Doubles = std::vector<double>;

Bigs bigs(const cArrayBigInt& a) { return values<cArrayBigInt, __int64>(a); }
Doubles doubles(const cArrayDouble& a) { return values<cArrayDouble, double>(a); }

}  // namespace

TEST(ArrayBigInt, SizedConstructionRunsAndCopies)
{
    cArrayBigInt seq(3);
    EXPECT_EQ(16, seq.getType());
    EXPECT_EQ(Bigs({0, 1, 2}), bigs(seq));
    EXPECT_EQ(0, cArrayBigInt(-2).count());
    EXPECT_EQ(0, cArrayBigInt(0).count());
    EXPECT_EQ(nullptr, cArrayBigInt().valuePtr());
    EXPECT_EQ(17, cArrayDouble().getType());
    EXPECT_EQ(Doubles({0.0, 1.0}), doubles(cArrayDouble(2)));
    EXPECT_EQ(0, seq.value(-1));
    EXPECT_EQ(0, seq.value(3));

    const __int64 run[] = {10, 11};
    EXPECT_EQ(3, seq.append(run, 2));
    EXPECT_EQ(3, seq.insert(1, run, 2));
    EXPECT_EQ(-1, seq.insert(-1, run, 1));
    EXPECT_EQ(Bigs({0, 10, 11, 1, 2, 10, 11}), bigs(seq));
    seq.invert();
    EXPECT_EQ(Bigs({11, 10, 2, 1, 11, 10, 0}), bigs(seq));
    seq.sort(kaSortDescending);
    EXPECT_EQ(Bigs({11, 11, 10, 10, 2, 1, 0}), bigs(seq));
    seq.setCount(9);
    EXPECT_EQ(0, seq[8]);
    seq.setCount(1);
    EXPECT_EQ(11, seq.valuePtr()[0]);

    cArrayBigInt copy(seq);
    seq.removeAll();
    EXPECT_EQ(Bigs({11}), bigs(copy));
    EXPECT_EQ(16, copy.getType());

    // Runs too large for the allocator fail whole.
    kaErrorClear();
    EXPECT_EQ(-1, copy.append(run, 0x20000000));
    EXPECT_EQ(1, kaErrorExist());
    kaErrorClear();
    EXPECT_EQ(Bigs({11}), bigs(copy));
}

TEST(ArrayBigInt, StatisticsSkipTheNullValue)
{
    cArrayBigInt a;
    a.append(5);
    a.append(kNull);
    EXPECT_EQ(5, a.smallest());
    EXPECT_EQ(5, a.largest());
    EXPECT_EQ(5, a.sum());
    EXPECT_EQ(5.0, a.average());
    EXPECT_EQ(0.0, a.var());
    EXPECT_EQ(0.0, a.samVar());  // divided by all elements less one: 2 - 1
    EXPECT_EQ(0.0, a.std());

    cArrayBigInt empty;
    EXPECT_EQ(kNull, empty.sum());
    EXPECT_EQ(kNull, empty.largest());
    EXPECT_EQ(kNull, empty.smallest());
    EXPECT_EQ(kNullD, empty.average());
    EXPECT_EQ(kNullD, empty.var());
    EXPECT_EQ(kNullD, empty.std());

    cArrayBigInt nulls;
    nulls.append(kNull);
    nulls.append(kNull);
    EXPECT_EQ(0, nulls.sum());
    EXPECT_EQ(kNull, nulls.largest());
    EXPECT_EQ(kNullD, nulls.average());
    EXPECT_EQ(kNullD, nulls.samVar());
    EXPECT_EQ(kNullD, nulls.samStd());

    // The deviations of the values present are divided by the count of all elements.
    cArrayBigInt gap;
    gap.append(0);
    gap.append(kNull);
    gap.append(10);
    EXPECT_EQ(10, gap.sum());
    EXPECT_EQ(0, gap.smallest());
    EXPECT_DOUBLE_EQ(50.0 / 3, gap.var());
    EXPECT_DOUBLE_EQ(25.0, gap.samVar());
    EXPECT_DOUBLE_EQ(5.0, gap.samStd());

    cArrayBigInt wrap;
    wrap.append(LLONG_MAX);
    wrap.append(2);
    EXPECT_EQ(LLONG_MIN + 1, wrap.sum());  // 64-bit sums wrap around
    EXPECT_EQ(kNullD, cArrayBigInt(1).samVar());
}

TEST(ArrayDouble, StatisticsAndSortOrderOfEqualKeys)
{
    cArrayDouble one;
    one.append(4.0);
    EXPECT_EQ(kNullD, one.samVar());
    EXPECT_EQ(kNullD, one.samStd());
    EXPECT_EQ(0.0, one.var());

    cArrayDouble a;
    const double run[] = {2.0, kNullD, 4.0, 4.0, 4.0, 5.0, 5.0, 7.0, 9.0};
    EXPECT_EQ(0, a.append(run, 9));
    EXPECT_DOUBLE_EQ(40.0, a.sum());
    EXPECT_DOUBLE_EQ(5.0, a.average());
    EXPECT_DOUBLE_EQ(32.0 / 9, a.var());
    EXPECT_DOUBLE_EQ(4.0, a.samVar());
    EXPECT_DOUBLE_EQ(2.0, a.samStd());
    EXPECT_EQ(2.0, a.smallest());
    EXPECT_EQ(9.0, a.largest());
    EXPECT_EQ(kNullD, cArrayDouble().sum());
    EXPECT_EQ(kNullD, cArrayDouble().average());

    // Zero and minus zero are equal keys: the exchange sort leaves them reversed.
    cArrayDouble z;
    for (double v : {0.0, 1.0, -0.0, -1.0}) z.append(v);
    z.sort(kaSortAscending);
    EXPECT_EQ(Doubles({-1.0, 0.0, 0.0, 1.0}), doubles(z));
    EXPECT_TRUE(std::signbit(z[1]));
    EXPECT_FALSE(std::signbit(z[2]));

    // A comparison with NaN never swaps.
    cArrayDouble n;
    for (double v : {3.0, std::nan(""), 1.0}) n.append(v);
    n.sort(kaSortAscending);
    EXPECT_EQ(1.0, n[0]);
    EXPECT_TRUE(std::isnan(n[1]));
    EXPECT_EQ(3.0, n[2]);
    n.sort(kaSortDescending);
    EXPECT_EQ(3.0, n[0]);
    EXPECT_TRUE(std::isnan(n[1]));
    EXPECT_EQ(-1, n.find(std::nan("")));
    EXPECT_EQ(2, n.find(1.0));
}
