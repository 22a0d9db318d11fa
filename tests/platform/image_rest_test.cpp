// Pictures from files give their pixels to their textures, and rest between showings: what
// is drawn, what collides and what LockImage reads stay as they were with the pixels kept.
#include "support/rig_fixture.h"

#include "platform/platform.h"

#include <gtest/gtest.h>

namespace {

using testrig::HeadlessTest;

class ImageRestTest : public HeadlessTest {
protected:
    std::string path;
    TImagePtr kept;  // the same picture with its pixels kept (dynamic)
    TImagePtr probe = Probe();

    void SetUp() override {
        HeadlessTest::SetUp();
        SetMaskColor(0, 0, 0);
        // 40x30 of many colours with a black (masked) hole and a ragged black edge.
        auto pm = CreatePixmap(40, 30, PF_RGB888);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool hole = (x >= 12 && x < 20 && y >= 8 && y < 20) || x + y % 7 < 4;
                pm->WritePixel(x, y, hole ? 0xFF000000u : 0xFF000000u | uint32_t(x * 6 + 1) << 16 |
                                                                    uint32_t(y * 8 + 1) << 8 | 77u);
            }
        path = testrig::ScratchDir("pictures") + "/hole.png";
        ASSERT_TRUE(SavePixmapPNG(*pm, path));
        kept = LoadImage(path, DEFAULT_IMAGE_FLAGS | DYNAMICIMAGE);
        ASSERT_TRUE(kept && kept->frames[0]);
        SetBlend(ALPHABLEND);
    }

    static TImagePtr Probe() {
        auto pm = CreatePixmap(3, 3, PF_RGBA8888);
        pm->ClearPixels(0xFFFFFFFF);
        return LoadImageFromPixmap(*pm, 0);
    }

    // The picture drawn at (0, 0), turned and scaled, over a fresh background.
    TPixmapPtr Shown(const TImagePtr& image) {
        Cls();
        SetTransform(17, 1.5f, 1.25f);
        DrawImage(image, 30, 20);
        SetTransform(0, 1, 1);
        DrawImage(image, 100, 10);
        return GrabPixmap(0, 0, 160, 80);
    }

    // Every placement of the probe around the picture, turned and not, collides with it
    // as with the kept one; some do and some do not.
    void ExpectSameCollisions(const TImagePtr& image) {
        int hits = 0, misses = 0;
        for (float rot : {0.0f, 33.0f})
            for (int y = -3; y <= 31; y += 2)
                for (int x = -3; x <= 41; x += 2) {
                    const int got = ImagesCollide2(image, 0, 0, 0, rot, 1, 1, probe, x, y, 0, 0, 1, 1);
                    ASSERT_EQ(got, ImagesCollide2(kept, 0, 0, 0, rot, 1, 1, probe, x, y, 0, 0, 1, 1))
                        << x << "," << y << " turned " << rot;
                    (got ? hits : misses)++;
                }
        EXPECT_GT(hits, 100);
        EXPECT_GT(misses, 100);
    }
};

TEST_F(ImageRestTest, APictureGivesItsPixelsToItsTextureAndLooksAndCollidesTheSame) {
    const TImagePtr image = LoadImage(path);
    ExpectSameCollisions(image);  // before any texture: its own pixels
    const TPixmapPtr expected = Shown(kept);
    EXPECT_EQ(Shown(image)->pixels, expected->pixels);
    EXPECT_EQ(image->frames[0], nullptr);
    EXPECT_NE(kept->frames[0], nullptr);
    ExpectSameCollisions(image);  // from what it kept of them

    // Asked for, the pixels come back as loaded and stay the picture's own.
    const TPixmapPtr pixels = LockImage(image, 0, true, false);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->pixels, kept->frames[0]->pixels);
    EXPECT_EQ(Shown(image)->pixels, expected->pixels);
    EXPECT_EQ(image->frames[0], pixels);
}

TEST_F(ImageRestTest, APictureAtRestComesBackFromItsFileTheSame) {
    const TImagePtr image = LoadImage(path);
    const TImagePtr created = CreateImage(8, 8, 1, 0);
    LockImage(created, 0)->ClearPixels(0xFF00FF00);
    const TPixmapPtr expected = Shown(kept);
    EXPECT_EQ(Shown(image)->pixels, expected->pixels);
    DrawImage(created, 0, 0);

    RestImages({image, created, nullptr});
    EXPECT_EQ(image->textures[0].id, 0u);
    EXPECT_EQ(image->frames[0], nullptr);
    EXPECT_NE(created->textures[0].id, 0u);  // not from a file: left as it was
    EXPECT_NE(created->frames[0], nullptr);
    ExpectSameCollisions(image);

    // Woken, it is decoded ahead and taken at its first draw.
    WakeImages({image});
    EXPECT_TRUE(image->woken);
    EXPECT_EQ(Shown(image)->pixels, expected->pixels);
    EXPECT_FALSE(image->woken);

    // Woken and put to rest again before a draw; at rest with no pixels and no record of
    // them, a collision reads the file.
    RestImages({image});
    WakeImages({image});
    RestImages({image});
    image->solid.clear();
    ExpectSameCollisions(image);
    EXPECT_EQ(Shown(image)->pixels, expected->pixels);

    // A new display makes its texture again from the file.
    testrig::OpenDisplay();
    SetBlend(ALPHABLEND);
    EXPECT_EQ(Shown(image)->pixels, Shown(kept)->pixels);
    EXPECT_EQ(image->frames[0], nullptr);
}

}  // namespace
