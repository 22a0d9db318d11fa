// Drawing on the offscreen display, read back through GrabPixmap (1024x768 window and
// virtual projection, so one virtual unit is one pixel).
#include "support/rig_fixture.h"

#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

using testrig::HeadlessTest;

// An unfiltered, unmasked image of one colour.
TImagePtr Solid(int w, int h, uint32_t argb) {
    auto pm = CreatePixmap(w, h, PF_RGBA8888);
    pm->ClearPixels(argb);
    return LoadImageFromPixmap(*pm, 0);
}

uint32_t ScreenPixel(int x, int y) {
    auto pm = GrabPixmap(x, y, 1, 1);
    return pm ? pm->ReadPixel(0, 0) & 0xFFFFFF : 0xDEADBEEF;
}

void ExpectNear(uint32_t got, int r, int g, int b, int tolerance = 2) {
    const int gr = (got >> 16) & 255, gg = (got >> 8) & 255, gb = got & 255;
    EXPECT_LE(std::abs(gr - r), tolerance) << std::hex << got;
    EXPECT_LE(std::abs(gg - g), tolerance) << std::hex << got;
    EXPECT_LE(std::abs(gb - b), tolerance) << std::hex << got;
}

class GraphicsTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SetClsColor(100, 50, 200);
        Cls();
    }
};

TEST_F(GraphicsTest, OpeningResetsTheRenderState) {
    EXPECT_EQ(GetBlend(), MASKBLEND);
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
    EXPECT_FLOAT_EQ(GetAlpha(), 1.f);
    EXPECT_FLOAT_EQ(GetRotation(), 0.f);
    int x, y, w, h;
    GetViewport(x, y, w, h);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);
    EXPECT_EQ(GraphicsWidth(), 1024);
    EXPECT_EQ(GraphicsHeight(), 768);
}

// A texel of alpha 128 (0.502) passes the mask test, 127 (0.498) does not; the other
// modes combine with the background colour (100, 50, 200).
TEST_F(GraphicsTest, BlendModesAndTheMaskThreshold) {
    auto pm = CreatePixmap(2, 1, PF_RGBA8888);
    pm->WritePixel(0, 0, 0x80C86432);  // alpha 128, colour (200, 100, 50)
    pm->WritePixel(1, 0, 0x7FC86432);  // alpha 127
    auto img = LoadImageFromPixmap(*pm, 0);
    const double a = 128 / 255.0;

    SetBlend(MASKBLEND);
    DrawImage(img, 10, 10);
    ExpectNear(ScreenPixel(10, 10), 200, 100, 50, 0);
    ExpectNear(ScreenPixel(11, 10), 100, 50, 200, 0);

    SetBlend(SOLIDBLEND);
    DrawImage(img, 10, 20);
    ExpectNear(ScreenPixel(11, 20), 200, 100, 50, 0);

    SetBlend(ALPHABLEND);
    DrawImage(img, 10, 30);
    ExpectNear(ScreenPixel(10, 30), int(200 * a + 100 * (1 - a)), int(100 * a + 50 * (1 - a)),
               int(50 * a + 200 * (1 - a)));

    SetBlend(LIGHTBLEND);
    DrawImage(img, 10, 40);
    ExpectNear(ScreenPixel(10, 40), 100 + int(200 * a), 50 + int(100 * a), 200 + int(50 * a));

    SetBlend(SHADEBLEND);
    DrawImage(img, 10, 50);
    ExpectNear(ScreenPixel(10, 50), 100 * 200 / 255, 50 * 100 / 255, 200 * 50 / 255);

    SetBlend(9);  // unknown modes draw solid
    EXPECT_EQ(GetBlend(), 9);
    DrawImage(img, 10, 60);
    ExpectNear(ScreenPixel(11, 60), 200, 100, 50, 0);
}

TEST_F(GraphicsTest, AlphaIsClampedAndStoredAsAByte) {
    SetAlpha(0.5f);
    EXPECT_FLOAT_EQ(GetAlpha(), 127 / 255.f);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);

    SetAlpha(1.5f);
    EXPECT_FLOAT_EQ(GetAlpha(), 1.f);
    DrawRect(0, 0, 10, 10);
    ExpectNear(ScreenPixel(5, 5), 255, 255, 255, 0);

    SetAlpha(-0.2f);
    EXPECT_FLOAT_EQ(GetAlpha(), 0.f);
    DrawRect(20, 0, 10, 10);
    ExpectNear(ScreenPixel(25, 5), 100, 50, 200, 0);
}

// Handle (0, 0), rotation 90, at (100, 100): the top-left stays put and the width runs
// down the screen, the height to the left.
TEST_F(GraphicsTest, RotationTurnsAboutTheHandle) {
    auto img = Solid(10, 4, 0xFFFF0000);
    SetRotation(90);
    DrawImage(img, 100, 100);
    ExpectNear(ScreenPixel(99, 100), 255, 0, 0, 0);   // next to the pivot
    ExpectNear(ScreenPixel(96, 109), 255, 0, 0, 0);   // far corner
    ExpectNear(ScreenPixel(99, 110), 100, 50, 200, 0);
    ExpectNear(ScreenPixel(100, 100), 100, 50, 200, 0);
    ExpectNear(ScreenPixel(95, 105), 100, 50, 200, 0);
    ExpectNear(ScreenPixel(105, 101), 100, 50, 200, 0);  // where it would be unrotated
}

TEST_F(GraphicsTest, ScaleAndOriginApplyAboutAMidHandle) {
    auto img = Solid(10, 10, 0xFF00FF00);
    MidHandleImage(img);
    SetScale(2, 1);
    SetOrigin(50, 0);
    DrawImage(img, 150, 200);  // centre lands on (200, 200)
    ExpectNear(ScreenPixel(190, 195), 0, 255, 0, 0);
    ExpectNear(ScreenPixel(209, 204), 0, 255, 0, 0);
    ExpectNear(ScreenPixel(189, 200), 100, 50, 200, 0);
    ExpectNear(ScreenPixel(210, 200), 100, 50, 200, 0);
    ExpectNear(ScreenPixel(200, 194), 100, 50, 200, 0);
    ExpectNear(ScreenPixel(200, 205), 100, 50, 200, 0);
}

TEST_F(GraphicsTest, ColourTintsTexturesAndPrimitives) {
    auto img = Solid(4, 4, 0xFFFFFFFF);
    SetColor(255, 128, 0);
    DrawImage(img, 0, 0);
    ExpectNear(ScreenPixel(1, 1), 255, 128, 0, 1);
    SetColor(0, 0, 255);
    Plot(300, 300);
    ExpectNear(ScreenPixel(300, 300), 0, 0, 255, 0);
    ExpectNear(ScreenPixel(301, 300), 100, 50, 200, 0);
    DrawLine(400, 400, 409, 400);
    ExpectNear(ScreenPixel(400, 400), 0, 0, 255, 0);
    ExpectNear(ScreenPixel(405, 400), 0, 0, 255, 0);
    ExpectNear(ScreenPixel(405, 402), 100, 50, 200, 0);
    DrawOval(500, 500, 20, 20);
    ExpectNear(ScreenPixel(510, 510), 0, 0, 255, 0);
    ExpectNear(ScreenPixel(501, 501), 100, 50, 200, 0);  // outside the circle, inside the box
    DrawPoly({600, 600, 620, 600, 600, 620});
    ExpectNear(ScreenPixel(603, 603), 0, 0, 255, 0);
    ExpectNear(ScreenPixel(618, 618), 100, 50, 200, 0);
}

TEST_F(GraphicsTest, ViewportClipsClearsAndDrawing) {
    SetViewport(10, 10, 20, 20);
    SetClsColor(255, 0, 0);
    Cls();
    SetColor(0, 255, 0);
    DrawRect(25, 0, 20, 50);
    SetViewport(0, 0, 1024, 768);
    ExpectNear(ScreenPixel(15, 15), 255, 0, 0, 0);
    ExpectNear(ScreenPixel(27, 15), 0, 255, 0, 0);
    ExpectNear(ScreenPixel(5, 5), 100, 50, 200, 0);
    ExpectNear(ScreenPixel(35, 15), 100, 50, 200, 0);  // rectangle outside the viewport
    ExpectNear(ScreenPixel(27, 35), 100, 50, 200, 0);
}

TEST_F(GraphicsTest, LockingForWritingShowsTheNewPixels) {
    auto img = CreateImage(4, 4, 1, 0);
    EXPECT_EQ(img->flags & DYNAMICIMAGE, DYNAMICIMAGE);
    LockImage(img, 0)->ClearPixels(0xFFFF0000);
    UnlockImage(img, 0);
    DrawImage(img, 0, 0);
    ExpectNear(ScreenPixel(2, 2), 255, 0, 0, 0);

    LockImage(img, 0)->ClearPixels(0xFF0000FF);
    UnlockImage(img, 0);
    DrawImage(img, 0, 0);
    ExpectNear(ScreenPixel(2, 2), 0, 0, 255, 0);

    // Reading alone keeps the texture.
    const unsigned before = img->textures[0].id;
    LockImage(img, 0, true, false);
    EXPECT_EQ(img->textures[0].id, before);
    EXPECT_EQ(LockImage(img, 1), nullptr);
}

// A frame rewritten in place keeps its texture; what it holds follows the pixels, also in
// its smaller mipmap levels and in whether it still covers what is under it.
TEST_F(GraphicsTest, RewrittenFramesUpdateTheirTextureInPlace) {
    SetBlend(ALPHABLEND);
    auto img = CreateImage(64, 64, 1, MIPMAPPEDIMAGE | FILTEREDIMAGE);
    LockImage(img, 0)->ClearPixels(0xFFFF0000);
    DrawImage(img, 0, 0);
    ExpectNear(ScreenPixel(10, 10), 255, 0, 0, 0);
    const unsigned id = img->textures[0].id;

    LockImage(img, 0)->ClearPixels(0x800000FF);  // half-transparent blue over the red
    DrawImage(img, 0, 0);
    EXPECT_EQ(img->textures[0].id, id);
    ExpectNear(ScreenPixel(10, 10), 127, 0, 128);

    // Drawn at an eighth of its size the picture reads from a mipmap level.
    LockImage(img, 0)->ClearPixels(0xFF00FF00);
    SetScale(0.125f, 0.125f);
    DrawImage(img, 200, 200);
    SetScale(1, 1);
    ExpectNear(ScreenPixel(204, 204), 0, 255, 0);
}

// A picture of many colours with the given flags (no mask).
TImagePtr Gradient(int w, int h, int flags) {
    auto pm = CreatePixmap(w, h, PF_RGBA8888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pm->WritePixel(x, y,
                           0xFF000000u | uint32_t(x * 37 % 256) << 16 | uint32_t(y * 53 % 256) << 8 |
                               uint32_t((x * y) % 256));
    return LoadImageFromPixmap(*pm, flags);
}

// Batches put a primitive with the earlier ones of its texture only when it touches none
// of the primitives drawn between, and drop what falls outside the clipping: a board of
// tiles with sprites over it looks the same drawn at once as drawn one call at a time.
TEST_F(GraphicsTest, BatchedDrawingLooksLikeDrawingOneCallAtATime) {
    const TImagePtr tiles[3] = {Gradient(96, 96, FILTEREDIMAGE | MIPMAPPEDIMAGE),
                                Gradient(96, 96, FILTEREDIMAGE), Solid(96, 96, 0xFF20C040)};
    const TImagePtr sprite = Gradient(40, 70, FILTEREDIMAGE);
    auto scene = [&](bool oneByOne) {
        SetClsColor(0, 0, 0);
        Cls();
        for (int pass = 0; pass < 2; ++pass) {
            if (pass == 1) SetViewport(300, 200, 333, 250);
            for (int row = -2; row < 10; ++row)
                for (int col = -2; col < 13; ++col) {
                    SetBlend(row % 3 ? SOLIDBLEND : ALPHABLEND);
                    DrawImage(tiles[((row * 7 + col * 3 + pass) % 3 + 3) % 3], col * 96 - 40.5f + pass * 17,
                              row * 96 - 20.5f);
                    if (oneByOne) FlushDrawing();
                    if ((row + col) % 5 == 0) {  // a sprite over this tile and the next, turned or not
                        SetBlend(ALPHABLEND);
                        SetAlpha(0.6f);
                        SetRotation(col % 2 ? 0.f : 30.f);
                        DrawImage(sprite, col * 96 + 50.f, row * 96 + 10.f);
                        SetRotation(0);
                        SetAlpha(1);
                        SetColor(255, 128, 0);
                        DrawRect(col * 96 + 70.f, row * 96 + 60.f, 50, 5);
                        SetColor(255, 255, 255);
                        if (oneByOne) FlushDrawing();
                    }
                }
            SetViewport(0, 0, 1024, 768);
        }
        return GrabPixmap(0, 0, 1024, 768);
    };
    const auto batched = scene(false), reference = scene(true);
    ASSERT_TRUE(batched && reference);
    EXPECT_TRUE(batched->pixels == reference->pixels);
}

// Turned pictures jump back to an earlier batch of their texture over pictures whose
// pixels they do not reach: a crowd of turned, scaled and see-through pictures of two
// textures, some apart and some overlapping, looks the same drawn at once as one call at
// a time. Where a draw call also holds pictures crossing the window's edge, the
// rasteriser clips it and rounds a few pixels by one unit, no more.
TEST_F(GraphicsTest, TurnedPicturesLookTheSameBatched) {
    const TImagePtr pictures[2] = {Gradient(40, 70, FILTEREDIMAGE | MIPMAPPEDIMAGE), Gradient(30, 30, FILTEREDIMAGE)};
    auto scene = [&](bool oneByOne, float spread) {
        SetClsColor(0, 0, 0);
        Cls();
        SetBlend(ALPHABLEND);
        for (int i = 0; i < 160; ++i) {
            SetTransform(static_cast<float>(i * 37 % 360), 0.5f + (i % 4) * 0.25f, 0.5f + (i % 3) * 0.3f);
            SetAlpha(i % 3 ? 1.f : 0.5f);
            DrawImage(pictures[i % 2], 512 + spread * static_cast<float>(i * 97 % 801 - 400) + 0.3f * (i % 7),
                      384 + spread * static_cast<float>(i * 53 % 561 - 280) + 0.7f);
            if (oneByOne) FlushDrawing();
        }
        SetTransform(0, 1, 1);
        SetAlpha(1);
        return GrabPixmap(0, 0, 1024, 768);
    };
    for (float spread : {1.f, 1.35f}) {
        const auto batched = scene(false, spread), reference = scene(true, spread);
        ASSERT_TRUE(batched && reference);
        int most = 0;
        for (size_t i = 0; i < batched->pixels.size(); ++i)
            most = std::max(most, std::abs(int(batched->pixels[i]) - int(reference->pixels[i])));
        EXPECT_LE(most, spread > 1 ? 1 : 0) << spread;
    }
}

// Shown one texel to a pixel, a picture looks the same whatever its filters: texels on
// the pixels are the picture itself, and a mipmapped picture samples its full size.
TEST_F(GraphicsTest, OneTexelToAPixelLooksTheSameWhateverTheFilters) {
    SetBlend(SOLIDBLEND);
    const TImagePtr plain = Gradient(64, 48, 0), filtered = Gradient(64, 48, FILTEREDIMAGE);
    const TImagePtr mipmapped = Gradient(64, 48, FILTEREDIMAGE | MIPMAPPEDIMAGE);
    DrawImage(filtered, 10, 10);
    DrawImage(mipmapped, 100, 10);
    DrawImage(filtered, 200.5f, 10.5f);
    DrawImage(mipmapped, 300.5f, 10.5f);
    const auto onPixels = GrabPixmap(10, 10, 64, 48), mipOnPixels = GrabPixmap(100, 10, 64, 48);
    const auto between = GrabPixmap(200, 10, 65, 49), mipBetween = GrabPixmap(300, 10, 65, 49);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const uint32_t texel = plain->frames[0]->ReadPixel(x, y);
            ASSERT_EQ(onPixels->ReadPixel(x, y), texel) << x << "," << y;
            ASSERT_EQ(mipOnPixels->ReadPixel(x, y), texel) << x << "," << y;
        }
    EXPECT_TRUE(between->pixels == mipBetween->pixels);
    // Half a texel off the pixels, each pixel is the mean of four texels.
    for (int y = 0; y + 1 < 48; y += 7)
        for (int x = 0; x + 1 < 64; x += 5) {
            const TPixmap& t = *plain->frames[0];
            for (int shift : {0, 8, 16}) {
                int sum = 0;
                for (int k = 0; k < 4; ++k) sum += (t.ReadPixel(x + k % 2, y + k / 2) >> shift) & 255;
                const int got = (between->ReadPixel(x + 1, y + 1) >> shift) & 255;
                EXPECT_LE(std::abs(got - sum / 4), 1) << x << "," << y;
            }
        }
}

// Magnified at least twice, a mipmapped picture reads only its full size (the drawing
// takes the cheaper sampling then), so it looks exactly like the same picture without
// mipmaps, turned or not; drawn smaller it still reads its smaller levels.
TEST_F(GraphicsTest, MagnifiedMipmappedPicturesLookLikeTheirFullSize) {
    SetBlend(SOLIDBLEND);
    const TImagePtr filtered = Gradient(40, 30, FILTEREDIMAGE);
    const TImagePtr mipmapped = Gradient(40, 30, FILTEREDIMAGE | MIPMAPPEDIMAGE);
    auto shown = [&](const TImagePtr& image, float angle, float scale) {
        Cls();
        SetTransform(angle, scale, scale * 1.25f);
        DrawImage(image, 300.3f, 200.6f);
        SetTransform(0, 1, 1);
        return GrabPixmap(200, 100, 400, 400);
    };
    for (float angle : {0.f, 33.f})
        for (float scale : {2.f, 3.7f}) {
            const auto a = shown(filtered, angle, scale), b = shown(mipmapped, angle, scale);
            ASSERT_TRUE(a && b);
            EXPECT_TRUE(a->pixels == b->pixels) << angle << " " << scale;
        }
    const auto a = shown(filtered, 33, 0.4f), b = shown(mipmapped, 33, 0.4f);
    ASSERT_TRUE(a && b);
    EXPECT_FALSE(a->pixels == b->pixels);
}

// A picture all of opaque white (drawn without its texture) shows the colour and alpha it
// is drawn with in every blend mode, as a rectangle of them would; one texel of another
// colour, even its last, makes it a picture again.
TEST_F(GraphicsTest, AWhitePictureShowsTheColourItIsDrawnWith) {
    const TImagePtr background = Gradient(300, 200, 0);
    auto white = CreatePixmap(300, 200, PF_RGBA8888);
    white->ClearPixels(0xFFFFFFFF);
    const TImagePtr whiteImage = LoadImageFromPixmap(*white, FILTEREDIMAGE);
    white->WritePixel(299, 199, 0xFFFF0000);
    const TImagePtr almost = LoadImageFromPixmap(*white, 0);
    auto shown = [&](int blend, const std::function<void()>& draw) {
        SetBlend(SOLIDBLEND);
        SetColor(255, 255, 255);
        SetAlpha(1);
        DrawImage(background, 10, 10);
        SetBlend(blend);
        SetColor(200, 90, 30);
        SetAlpha(0.45f);
        draw();
        SetAlpha(1);
        SetColor(255, 255, 255);
        return GrabPixmap(10, 10, 300, 200);
    };
    for (int blend : {SOLIDBLEND, ALPHABLEND, LIGHTBLEND, SHADEBLEND}) {
        const auto picture = shown(blend, [&] { DrawImage(whiteImage, 10, 10); });
        const auto rect = shown(blend, [] { DrawRect(10, 10, 300, 200); });
        ASSERT_TRUE(picture && rect);
        EXPECT_TRUE(picture->pixels == rect->pixels) << blend;
    }
    shown(SOLIDBLEND, [&] { DrawImage(almost, 10, 10); });
    ExpectNear(ScreenPixel(309, 209), 200, 0, 0, 0);
    ExpectNear(ScreenPixel(308, 209), 200, 90, 30, 0);
}

TEST_F(GraphicsTest, TexturesAreMadeAgainOnANewDisplay) {
    auto img = Solid(8, 8, 0xFF00FFFF);
    DrawImage(img, 0, 0);
    const int first = GraphicsGeneration();
    EXPECT_EQ(img->textures[0].generation, first);

    testrig::OpenDisplay();  // a second Graphics call
    EXPECT_EQ(GraphicsGeneration(), first + 1);
    SetBlend(SOLIDBLEND);
    DrawImage(img, 0, 0);
    EXPECT_EQ(img->textures[0].generation, first + 1);
    ExpectNear(ScreenPixel(4, 4), 0, 255, 255, 0);
}

TEST_F(GraphicsTest, GrabImageAppliesTheMaskColour) {
    SetClsColor(0, 0, 0);
    Cls();
    SetColor(255, 255, 0);
    DrawRect(2, 0, 2, 4);
    auto img = CreateImage(4, 4);  // default flags: masked
    GrabImage(img, 0, 0);
    auto pm = LockImage(img, 0, true, false);
    EXPECT_EQ(pm->ReadPixel(2, 1), 0xFFFFFF00u);
    EXPECT_EQ(pm->ReadPixel(0, 1) >> 24, 0u);
    // The masked pixel next to the yellow takes its colour.
    EXPECT_EQ(pm->ReadPixel(1, 1), 0x00FFFF00u);

    auto plain = CreateImage(4, 4, 1, 0);
    GrabImage(plain, 0, 0);
    EXPECT_EQ(LockImage(plain, 0, true, false)->ReadPixel(0, 1), 0xFF000000u);
}

TEST_F(GraphicsTest, DrawingOperationsAreTraced) {
    auto img = Solid(4, 4, 0xFFFFFFFF);
    img->source = "artwork/x.png";
    SetImageHandle(img, 2, 3);
    SetColor(10, 20, 30);
    SetBlend(ALPHABLEND);
    SetTransform(45, 2, 0.5f);
    SetOrigin(1, 2);
    DrawImage(img, 100, 200, 0);
    SetClsColor(7, 8, 9);
    Cls();
    DrawRect(1, 2, 3, 4);

    auto images = testrig::TraceOps("image");
    ASSERT_EQ(images.size(), 1u);
    const std::string& line = images[0];
    EXPECT_EQ(testrig::Field(line, "src"), "artwork/x.png");
    EXPECT_EQ(testrig::Field(line, "frame"), "0");
    EXPECT_EQ(testrig::Field(line, "x"), "100");
    EXPECT_EQ(testrig::Field(line, "y"), "200");
    EXPECT_EQ(testrig::Field(line, "rgb"), "[10,20,30]");
    EXPECT_EQ(testrig::Field(line, "blend"), "3");
    EXPECT_EQ(testrig::Field(line, "rot"), "45");
    EXPECT_EQ(testrig::Field(line, "scale"), "[2,0.5]");
    EXPECT_EQ(testrig::Field(line, "handle"), "[2,3]");
    EXPECT_EQ(testrig::Field(line, "origin"), "[1,2]");
    EXPECT_EQ(testrig::Field(line, "viewport"), "[0,0,1024,768]");

    auto cls = testrig::TraceOps("cls");
    ASSERT_FALSE(cls.empty());
    EXPECT_EQ(testrig::Field(cls.back(), "rgb"), "[7,8,9]");
    auto rects = testrig::TraceOps("rect");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(testrig::Field(rects[0], "handle"), "");
    EXPECT_EQ(testrig::Field(rects[0], "w"), "3");
}

TEST_F(GraphicsTest, GrabPixmapAtAnotherWindowSizeKeepsVirtualUnits) {
    testrig::OpenDisplay(512, 384);  // virtual 1024x768 over half the pixels
    SetClsColor(0, 0, 0);
    Cls();
    SetColor(255, 255, 255);
    DrawRect(100, 100, 40, 40);
    auto pm = GrabPixmap(90, 90, 60, 60);
    ASSERT_NE(pm, nullptr);
    EXPECT_EQ(pm->width, 60);
    EXPECT_EQ(pm->ReadPixel(20, 20) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(pm->ReadPixel(5, 5) & 0xFFFFFF, 0u);
    EXPECT_EQ(pm->ReadPixel(55, 55) & 0xFFFFFF, 0u);
}

// llvmpipe's worker threads cost more than they save on a tiny window: it draws there on
// the game's thread, and a larger window opened later gets its workers back.
TEST_F(GraphicsTest, OnlySmallWindowsGiveUpTheRasteriserWorkers) {
    // The fixture opened a 1024x768 display: anything set now was set outside the game.
    if (std::getenv("LP_NUM_THREADS")) GTEST_SKIP() << "LP_NUM_THREADS set outside the game";
    testrig::OpenDisplay(64, 48);
    ASSERT_NE(std::getenv("LP_NUM_THREADS"), nullptr);
    EXPECT_STREQ(std::getenv("LP_NUM_THREADS"), "0");
    testrig::OpenDisplay(1024, 768);
    EXPECT_EQ(std::getenv("LP_NUM_THREADS"), nullptr);
}

}  // namespace

