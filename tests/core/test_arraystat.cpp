#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <vector>
#include "ka.h"
#include "../support/arrays.h"

namespace {

const __int64 kNull = LLONG_MIN;
const double kNullD = -HUGE_VAL;

using Bigs = std::vector<__int64>;

Bigs bigs(const cArrayBigInt& a) { return contentOf<__int64>(a); }

cArrayBigInt make(const Bigs& v) { return arrayOf<cArrayBigInt>(v); }

}  // namespace

TEST(ArrayBigInt, SizedConstructionAndRunsTooLargeToHold)
{
    EXPECT_EQ(Bigs({0, 1, 2}), bigs(cArrayBigInt(3)));
    EXPECT_EQ(0, cArrayBigInt(-2).count());

    // Runs too large for the allocator fail whole.
    cArrayBigInt seq(3);
    const __int64 run[] = {10, 11};
    kaErrorClear();
    EXPECT_EQ(-1, seq.append(run, 0x20000000));
    EXPECT_EQ(1, kaErrorExist());
    kaErrorClear();
    EXPECT_EQ(Bigs({0, 1, 2}), bigs(seq));
}

TEST(ArrayBigInt, StatisticsSkipTheNullValue)
{
    cArrayBigInt a = make({5, kNull});
    EXPECT_EQ(5, a.smallest());
    EXPECT_EQ(5, a.sum());
    EXPECT_EQ(5.0, a.average());
    EXPECT_EQ(0.0, a.var());

    cArrayBigInt nulls = make({kNull, kNull});
    EXPECT_EQ(0, nulls.sum());
    EXPECT_EQ(kNullD, nulls.average());

    // The deviations of the values present are divided by the count of all elements.
    cArrayBigInt gap = make({0, kNull, 10});
    EXPECT_DOUBLE_EQ(50.0 / 3, gap.var());
    EXPECT_DOUBLE_EQ(25.0, gap.samVar());
    EXPECT_DOUBLE_EQ(5.0, gap.samStd());

    EXPECT_EQ(kNullD, cArrayBigInt(1).samVar());
}
