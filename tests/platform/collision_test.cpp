// Pixel collision of transformed images (CPU only, no display needed).
#include "platform/platform.h"

#include <gtest/gtest.h>

namespace {

TImagePtr Solid(int w, int h) {
    auto pm = CreatePixmap(w, h, PF_RGBA8888);
    pm->ClearPixels(0xFFFFFFFF);
    return LoadImageFromPixmap(*pm, 0);
}

// Shorthand: both frames 0.
int Collide(const TImagePtr& a, float x1, float y1, float r1, float s1, const TImagePtr& b, float x2,
            float y2, float r2, float s2) {
    return ImagesCollide2(a, x1, y1, 0, r1, s1, s1, b, x2, y2, 0, r2, s2, s2);
}

TEST(CollisionTest, OverlapSharedEdgeAndGap) {
    auto a = Solid(10, 10), b = Solid(10, 10);
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, b, 9, 9, 0, 1), 1);    // one pixel in common
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, b, 10, 0, 0, 1), 0);   // edges touch, no pixel shared
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, b, 11, 0, 0, 1), 0);   // one pixel apart
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, b, 0, 10, 0, 1), 0);
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, b, -9, -9, 0, 1), 1);
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, b, 500, 500, 0, 1), 0);
}

TEST(CollisionTest, HandlesArePivots) {
    auto a = Solid(10, 10), b = Solid(10, 10);
    MidHandleImage(b);
    // b's centre at (15, 5): it spans 10..20.
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, b, 15, 5, 0, 1), 0);
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, b, 14, 5, 0, 1), 1);
    // Turned 90 degrees about a top-left handle, a 30x2 bar hangs down-left of its pivot.
    auto bar = Solid(30, 2);
    EXPECT_EQ(Collide(bar, 5, 0, 90, 1, a, 0, 25, 0, 1), 1);
    EXPECT_EQ(Collide(bar, 5, 0, 0, 1, a, 0, 25, 0, 1), 0);
}

TEST(CollisionTest, RotatedFortyFiveDegrees) {
    auto a = Solid(20, 20), b = Solid(20, 20);
    MidHandleImage(b);
    // A diamond centred at (30, 30) reaches 14.1 units along each axis: its bounding
    // box overlaps a's corner, its pixels do not.
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, b, 30, 30, 45, 1), 0);
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, b, 30, 10, 45, 1), 1);  // tip enters from the right
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, b, 25, 25, 45, 1), 1);
}

TEST(CollisionTest, ScaledImages) {
    auto a = Solid(10, 10), b = Solid(10, 10);
    EXPECT_EQ(Collide(a, 0, 0, 0, 2, b, 25, 0, 0, 1), 0);
    EXPECT_EQ(Collide(a, 0, 0, 0, 3, b, 25, 0, 0, 1), 1);
    // Small scales still find thin overlaps.
    EXPECT_EQ(Collide(a, 0, 0, 0, 0.25f, b, 2, 2, 0, 0.25f), 1);
    EXPECT_EQ(Collide(a, 0, 0, 0, 0.25f, b, 2.5f, 0, 0, 0.25f), 0);
    EXPECT_EQ(Collide(a, 0, 0, 0, 0, b, 0, 0, 0, 1), 0);  // scale 0 covers nothing
    EXPECT_EQ(ImagesCollide2(a, 0, 0, 0, 0, -1, 1, b, -5, 0, 0, 0, 1, 1), 1);  // mirrored
}

TEST(CollisionTest, OnlyOpaquePixelsCount) {
    // Each image is opaque on one half only; the transparent halves overlap.
    auto left = CreatePixmap(10, 10), right = CreatePixmap(10, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            left->WritePixel(x, y, x < 5 ? 0xFFFFFFFF : 0x7FFFFFFF);  // 127: not opaque
            right->WritePixel(x, y, x >= 5 ? 0x80FFFFFF : 0);         // 128: opaque
        }
    auto l = LoadImageFromPixmap(*left, 0), r = LoadImageFromPixmap(*right, 0);
    EXPECT_EQ(Collide(l, 0, 0, 0, 1, r, 0, 0, 0, 1), 0);
    EXPECT_EQ(Collide(l, 0, 0, 0, 1, r, -1, 0, 0, 1), 1);
    // Masked black pixels are transparent too.
    auto masked = CreatePixmap(3, 1, PF_RGB888);
    masked->WritePixel(0, 0, 0xFF000000);
    masked->WritePixel(2, 0, 0xFFFFFFFF);
    auto m = LoadImageFromPixmap(*masked);
    auto dot = Solid(1, 1);
    EXPECT_EQ(Collide(m, 0, 0, 0, 1, dot, 0, 0, 0, 1), 0);
    EXPECT_EQ(Collide(m, 0, 0, 0, 1, dot, 2, 0, 0, 1), 1);
}

TEST(CollisionTest, MissingImagesAndTheRenderState) {
    auto a = Solid(4, 4);
    SetTransform(33, 2, 3);
    EXPECT_EQ(Collide(a, 0, 0, 0, 1, nullptr, 0, 0, 0, 1), 0);
    EXPECT_EQ(ImagesCollide2(a, 0, 0, 1, 0, 1, 1, a, 0, 0, 0, 0, 1, 1), 0);  // no frame 1
    EXPECT_EQ(Collide(a, 0, 0, 10, 1, a, 1, 1, 20, 1), 1);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_FLOAT_EQ(GetRotation(), 33.f);
    EXPECT_FLOAT_EQ(sx, 2.f);
    EXPECT_FLOAT_EQ(sy, 3.f);
    SetTransform(0, 1, 1);
}

}  // namespace
