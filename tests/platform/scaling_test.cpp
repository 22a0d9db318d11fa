// Drawing small and scaling: in a window larger than the virtual screen the picture drawn
// at 1024x768 and scaled looks like the one drawn at the window's size, the game's
// coordinates (mouse, viewport, read-back) mean the same, and the trace does not change.
#include "support/rig_fixture.h"

#include "platform/platform.h"
#include "platform/video/display.h"
#include "platform/video/scaling.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Seen {
    TPixmapPtr shot;           // the window as the player sees it
    std::vector<std::string> trace;
    int mouseX = 0, mouseY = 0;  // where a window position lands on the game's screen
    bool small = false;
    std::string renderer;
};

// A scene with hard and soft edges, text, a turned picture and a clipped viewport, shown
// in a 1600x1200 window drawn one way or the other.
Seen Show(DrawSize mode) {
    Seen seen;
    testrig::StartHeadless();
    SetDrawSize(mode);
    testrig::OpenDisplay(1600, 1200);
    seen.small = DrawingSmall();
    seen.renderer = RendererName();
    rig::CaptureTrace(true);
    SetClsColor(40, 60, 160);
    Cls();
    SetBlend(ALPHABLEND);
    for (int i = 0; i < 12; ++i) {
        SetColor(20 * i, 255 - 20 * i, 120);
        SetAlpha(0.4f + 0.05f * static_cast<float>(i));
        DrawOval(40.0f + 80.0f * static_cast<float>(i), 100, 120, 90);
    }
    SetAlpha(1);
    SetColor(255, 255, 0);
    DrawText("Frikipartida: dibujo reducido", 100, 300);
    auto pm = CreatePixmap(64, 64, PF_RGBA8888);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) pm->WritePixel(x, y, ((x / 8 + y / 8) % 2) ? 0xFFFF4020u : 0xFF20A040u);
    auto image = LoadImageFromPixmap(*pm, 0);
    SetColor(255, 255, 255);
    SetRotation(30);
    DrawImage(image, 600, 500);
    SetRotation(0);
    // Half the window's width and height: the lower right quarter is clipped.
    SetViewport(0, 0, GraphicsWidth() / 2, GraphicsHeight() / 2);
    SetColor(250, 250, 250);
    DrawRect(300, 200, 600, 500);
    SetViewport(0, 0, GraphicsWidth(), GraphicsHeight());
    const std::string path = testrig::ScratchDir("scaling") + "/shot.png";
    if (display::SaveBackBufferPNG(path)) seen.shot = LoadPixmap(path);
    seen.trace = rig::CapturedTrace();
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 1200;
    e.motion.y = 300;
    SDL_PushEvent(&e);
    seen.mouseX = MouseX();
    seen.mouseY = MouseY();
    testrig::Stop();
    SetDrawSize(DrawSize::Auto);
    return seen;
}

TEST(Scaling, TheScaledPictureLooksLikeTheNativeOneAndTheGameSeesNoDifference) {
    const Seen native = Show(DrawSize::Window);
    const Seen scaled = Show(DrawSize::Small);
    ASSERT_FALSE(native.small);
    ASSERT_TRUE(scaled.small);
    ASSERT_TRUE(native.shot && scaled.shot);
    ASSERT_EQ(scaled.shot->width, 1600);
    ASSERT_EQ(scaled.shot->height, 1200);

    // Colour by colour: small differences everywhere along edges, none large over areas.
    double total = 0;
    int far = 0;
    for (int y = 0; y < 1200; ++y)
        for (int x = 0; x < 1600; ++x) {
            const uint32_t a = native.shot->ReadPixel(x, y), b = scaled.shot->ReadPixel(x, y);
            for (int shift = 0; shift < 24; shift += 8) {
                const int d = std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255));
                total += d;
                if (d > 64) ++far;
            }
        }
    const double mean = total / (1600.0 * 1200.0 * 3.0);
    EXPECT_LT(mean, 2.5) << "mean difference per channel";
    EXPECT_LT(far, 1600 * 1200 * 3 / 100) << "channels more than 64 apart";
    // Flat areas are the same colour: the clear colour, and the clipped white rectangle.
    EXPECT_EQ(native.shot->ReadPixel(1500, 1100) & 0xFFFFFF, scaled.shot->ReadPixel(1500, 1100) & 0xFFFFFF);
    EXPECT_EQ(native.shot->ReadPixel(700, 500) & 0xFFFFFF, scaled.shot->ReadPixel(700, 500) & 0xFFFFFF);

    EXPECT_EQ(native.trace, scaled.trace);
    EXPECT_EQ(native.mouseX, 1200);
    EXPECT_EQ(native.mouseY, 300);
    EXPECT_EQ(scaled.mouseX, native.mouseX);
    EXPECT_EQ(scaled.mouseY, native.mouseY);
}

TEST(Scaling, AutomaticDrawsSmallOnlyOnASoftwareRenderer) {
    EXPECT_TRUE(SoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(SoftwareRenderer("softpipe"));
    EXPECT_FALSE(SoftwareRenderer("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49, 6.1.0-13-amd64)"));
    const Seen automatic = Show(DrawSize::Auto);
    EXPECT_EQ(automatic.small, SoftwareRenderer(automatic.renderer));
}

TEST(Scaling, WindowsNoLargerThanTheVirtualScreenAreDrawnAsAlways) {
    testrig::StartHeadless();
    SetDrawSize(DrawSize::Small);
    testrig::OpenDisplay(1024, 768);
    EXPECT_FALSE(DrawingSmall());
    testrig::Stop();
    SetDrawSize(DrawSize::Auto);
}

}  // namespace
