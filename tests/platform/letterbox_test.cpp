// Keeping the 4:3 shape on a wide or tall screen: where the box lies, what is drawn on
// the screen (black bars, the whole virtual screen inside the box) and where the mouse is.
#include "support/rig_fixture.h"

#include "platform/platform.h"
#include "platform/video/display.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Letterbox, FourThreeBoxOfAnyWindow) {
    auto same = [](TPictureBox b, int x, int y, int w, int h) {
        return b.x == x && b.y == y && b.w == w && b.h == h;
    };
    EXPECT_TRUE(same(FitFourThree(1280, 720), 160, 0, 960, 720));
    EXPECT_TRUE(same(FitFourThree(1920, 1080), 240, 0, 1440, 1080));
    EXPECT_TRUE(same(FitFourThree(1280, 1024), 0, 32, 1280, 960));
    EXPECT_TRUE(same(FitFourThree(1024, 768), 0, 0, 1024, 768));
    EXPECT_TRUE(same(FitFourThree(0, 0), 0, 0, 0, 0));
    EXPECT_TRUE(same(FitFourThree(-5, 100), 0, 0, 0, 100));
}

uint32_t Rgb(const TPixmap& p, int x, int y) { return p.ReadPixel(x, y) & 0xFFFFFF; }

// The mouse moved to (x, y) of the window, as SDL reports it.
void MouseInWindow(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
}

TEST(Letterbox, WideScreenShowsTheWholePictureBetweenBarsAndMapsTheMouse) {
    testrig::StartHeadless();
    SetKeepAspect(true);
    testrig::OpenDisplay(1280, 720);
    EXPECT_EQ(GraphicsWidth(), 960);  // the game's screen is the box
    EXPECT_EQ(GraphicsHeight(), 720);
    SetBlend(SOLIDBLEND);
    SetClsColor(200, 0, 0);
    Cls();
    SetColor(0, 255, 0);
    DrawRect(1004, 748, 20, 20);  // the bottom-right corner of the 1024x768 screen
    const std::string shot = testrig::ScratchDir("letterbox") + "/wide.png";
    ASSERT_TRUE(display::SaveBackBufferPNG(shot));
    auto seen = LoadPixmap(shot);
    ASSERT_TRUE(seen);
    ASSERT_EQ(seen->width, 1280);
    // Reading back works in the game's own coordinates.
    auto corner = GrabPixmap(1014, 758, 1, 1);
    ASSERT_TRUE(corner);
    EXPECT_EQ(corner->ReadPixel(0, 0) & 0xFFFFFF, 0x00FF00u);
    // Bars are black whatever was drawn (after a flip, on every frame).
    Flip(0);
    Cls();
    ASSERT_TRUE(display::SaveBackBufferPNG(shot));
    auto next = LoadPixmap(shot);
    for (auto* p : {seen.get(), next.get()}) {
        EXPECT_EQ(Rgb(*p, 0, 360), 0u);
        EXPECT_EQ(Rgb(*p, 159, 719), 0u);
        EXPECT_EQ(Rgb(*p, 1120, 0), 0u);
        EXPECT_EQ(Rgb(*p, 1279, 719), 0u);
        EXPECT_EQ(Rgb(*p, 160, 0), 0xC80000u);  // the box's top-left is the cleared screen
    }
    EXPECT_EQ(Rgb(*seen, 1119, 719), 0x00FF00u);  // the virtual corner lands in the box's

    // The mouse is measured from the box; over a bar it sits on the box's edge.
    MouseInWindow(160 + 480, 370);
    EXPECT_EQ(MouseX(), 480);
    EXPECT_EQ(MouseY(), 370);
    MouseInWindow(20, 700);
    EXPECT_EQ(MouseX(), 0);
    MouseInWindow(1270, 5);
    EXPECT_EQ(MouseX(), 959);
    testrig::Stop();
}

TEST(Letterbox, WithoutTheOptionTheWindowIsStretchedAndTheMouseUntouched) {
    testrig::StartHeadless();  // starting the platform turns the option off again
    EXPECT_FALSE(KeepAspect());
    testrig::OpenDisplay(1280, 720);
    EXPECT_EQ(GraphicsWidth(), 1280);
    MouseInWindow(-7, 2000);
    EXPECT_EQ(MouseX(), -7);
    EXPECT_EQ(MouseY(), 2000);
    testrig::Stop();
}

}  // namespace
