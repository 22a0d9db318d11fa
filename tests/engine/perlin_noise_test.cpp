#include "engine/perlin_noise.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

namespace {

TEST(PerlinNoise, ZeroUntilGenerated) {
    auto p = TPerlinNoise::Create(64, 64);
    EXPECT_EQ(p->turbulence(10, 10, 16), 0.0);
    EXPECT_EQ(p->toArray(3, 2, 4), (std::vector<std::vector<int>>{{0, 0}, {0, 0}, {0, 0}}));
}

TEST(PerlinNoise, GridIsDrawnColumnByColumnFromTheSharedGenerator) {
    SeedRnd(99);
    auto p = TPerlinNoise::Create(3, 2);
    p->generateNoise();
    SeedRnd(99);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) EXPECT_EQ(p->noise[i][j], RndDouble()) << i << "," << j;
    auto q = TPerlinNoise::Create(3, 2);
    q->generateNoise();
    EXPECT_NE(q->noise, p->noise) << "two generators in a row differ";
}

TEST(PerlinNoise, SmoothNoiseExactValuesAndWrapAround) {
    SeedRnd(7);
    auto p = TPerlinNoise::Create(64, 64);
    p->generateNoise();
    const auto& n = p->noise;
    EXPECT_EQ(p->smoothNoise(3, 5), n[2][4]);
    EXPECT_DOUBLE_EQ(p->smoothNoise(3.5, 5), 0.5 * n[3][4] + 0.5 * n[2][4]);
    EXPECT_DOUBLE_EQ(p->smoothNoise(0.25, 0), 0.25 * n[0][63] + 0.75 * n[63][63]);
    EXPECT_EQ(p->smoothNoise(0, 0), n[63][63]);
    EXPECT_EQ(p->smoothNoise(64, 0), p->smoothNoise(0, 0));
    // Negative coordinates keep a negative fraction and wrap.
    EXPECT_DOUBLE_EQ(p->smoothNoise(-0.5, 2), -0.5 * n[0][1] + 1.5 * n[63][1]);
    // Far to the left the grid still wraps instead of being left.
    EXPECT_EQ(p->smoothNoise(-127, 3), p->smoothNoise(1, 3));
}

TEST(PerlinNoise, TurbulenceBelowSize1IsZeroAndStaysBelow256) {
    SeedRnd(3);
    auto p = TPerlinNoise::Create(16, 16);
    p->generateNoise();
    for (double s : {0.5, 0.0, -4.0}) EXPECT_EQ(p->turbulence(5, 9, s), 0.0) << s;
    // size 1: one octave at the whole point, 128 * noise of the cell up-left.
    EXPECT_DOUBLE_EQ(p->turbulence(4, 6, 1), 128 * p->noise[3][5]);
    for (int x = 0; x < 64; x += 3)
        for (int y = 0; y < 64; y += 5) {
            const double t = p->turbulence(x, y, 32);
            ASSERT_GE(t, 0);
            ASSERT_LT(t, 256);
        }
    auto a = p->toArray(40, 30, 8);
    ASSERT_EQ(a.size(), 40u);
    ASSERT_EQ(a[0].size(), 30u);
    EXPECT_EQ(a[17][23], static_cast<int>(p->turbulence(17, 23, 8)));
}

TEST(PerlinNoise, ToImageOnA2By2Grid) {
    SeedRnd(11);
    auto p = TPerlinNoise::Create(2, 2);
    p->generateNoise();
    TImagePtr img = p->toImage(2, 2, 1);
    ASSERT_TRUE(img);
    ASSERT_EQ(img->width, 2);
    ASSERT_EQ(img->height, 2);
    TPixmapPtr px = LockImage(img, 0, true, false);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            const uint32_t v = static_cast<uint32_t>(128 * p->noise[(i + 1) % 2][(j + 1) % 2]);
            EXPECT_EQ(px->ReadPixel(i, j), 0xFF000000u | v << 16 | v << 8 | v) << i << "," << j;
        }
}

}  // namespace
