#include "platform/base/random.h"

#include <gtest/gtest.h>

#include <set>

TEST(Random, KnownSequencesBitForBit) {
    SeedRnd(4660);
    EXPECT_DOUBLE_EQ(RndDouble(), 0.4189887270692887);
    EXPECT_DOUBLE_EQ(RndDouble(), 0.21256311710331344);
    EXPECT_DOUBLE_EQ(RndDouble(), 0.694284713397524);
    EXPECT_EQ(RndSeed(), 2049422479);

    SeedRnd(12345);
    EXPECT_DOUBLE_EQ(RndDouble(), 0.10996048079683407);
    EXPECT_DOUBLE_EQ(RndDouble(), 0.7916505766277162);

    // Negative seeds keep their low 31 bits.
    SeedRnd(-7);
    EXPECT_DOUBLE_EQ(RndDouble(), 0.9994605329574735);

    SeedRnd(1);
    int dice[5];
    for (int& d : dice) d = Rand(1, 6);
    EXPECT_EQ(dice[0], 1);
    EXPECT_EQ(dice[1], 3);
    EXPECT_EQ(dice[2], 6);
}

TEST(Random, SeedsTheGeneratorCannotUseBecome4660) {
    for (int32_t seed : {0, -1, 2147483647}) {
        SeedRnd(seed);
        EXPECT_EQ(RndSeed(), 4660) << seed;
    }
    SeedRnd(static_cast<int32_t>(0x80000000u));  // low 31 bits all 0
    EXPECT_EQ(RndSeed(), 4660);
}

TEST(Random, RangesWithReversedEnds) {
    SeedRnd(99);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        int v = Rand(5, 1);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 5);
        seen.insert(v);
        EXPECT_EQ(Rand(3, 3), 3);
        double r = Rnd(2.5, -1.5);
        ASSERT_GE(r, -1.5);
        ASSERT_LT(r, 2.5);
        double u = RndDouble();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
    EXPECT_EQ(seen.size(), 5u);  // both ends are reachable
    int lo = 0, hi = 0;
    for (int i = 0; i < 5000; ++i) {
        int v = Rand(-2, 2);
        lo += v == -2;
        hi += v == 2;
    }
    EXPECT_GT(lo, 800);
    EXPECT_GT(hi, 800);
}
