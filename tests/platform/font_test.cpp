// Fonts: metrics of the built-in and TrueType fonts, and text drawn on the display.
#include "support/rig_fixture.h"

#include "platform/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string kComic = "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf";

// Bounding box of the pixels that differ from the background (black) in a screen area.
struct Box {
    int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
    bool empty() const { return x0 > x1; }
};
Box LitBox(int x, int y, int w, int h) {
    Box b;
    auto pm = GrabPixmap(x, y, w, h);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx)
            if (pm->ReadPixel(xx, yy) & 0xFFFFFF) {
                b.x0 = std::min(b.x0, x + xx);
                b.x1 = std::max(b.x1, x + xx);
                b.y0 = std::min(b.y0, y + yy);
                b.y1 = std::max(b.y1, y + yy);
            }
    return b;
}

TEST(FontTest, BuiltinCoversCodes32To127Only) {
    SetImageFont(nullptr);
    EXPECT_EQ(GetImageFont(), nullptr);
    EXPECT_EQ(FontName(nullptr), "builtin");
    const float one = TextWidth("a");
    EXPECT_GT(one, 0.f);
    EXPECT_FLOAT_EQ(TextWidth("abc"), 3 * one);
    EXPECT_FLOAT_EQ(TextWidth("a b\x7f"), 4 * one);
    EXPECT_FLOAT_EQ(TextWidth("a\xc3\xb1" "b\t"), 2 * one);  // ñ and tab have no glyph
    EXPECT_FLOAT_EQ(TextWidth(""), 0.f);
    EXPECT_GT(TextHeight(), 0.f);
}

TEST(FontTest, TrueTypeMetrics) {
    auto font = LoadImageFont(kComic, 50, SMOOTHFONT);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(FontName(font), "ComicNeue-Bold.otf@50");
    SetImageFont(font);
    // Ascender minus descender of a 50-pixel face: a little above the size.
    EXPECT_GE(TextHeight(), 50.f);
    EXPECT_LE(TextHeight(), 80.f);
    const float w = TextWidth("W"), i = TextWidth("i");
    EXPECT_GT(w, i);
    EXPECT_FLOAT_EQ(TextWidth("WiW"), 2 * w + i);
    EXPECT_GT(TextWidth("\xc3\xb1"), 0.f);  // Latin-1 letters are in the font
    EXPECT_GT(TextWidth(" "), 0.f);
    EXPECT_FLOAT_EQ(TextWidth("\x01"), 0.f);

    auto big = LoadImageFont(kComic, 100, 0);
    ASSERT_NE(big, nullptr);
    SetImageFont(big);
    EXPECT_NEAR(TextWidth("WiW"), 2 * (2 * w + i), 4.f);
    SetImageFont(nullptr);

    EXPECT_EQ(LoadImageFont("/nonexistent/font.ttf", 20), nullptr);
    EXPECT_EQ(LoadImageFont(kComic, 0), nullptr);
    const std::string notAFont = testrig::ScratchDir("fonts") + "/not.ttf";
    ASSERT_TRUE(SavePixmapPNG(*CreatePixmap(2, 2), notAFont));
    EXPECT_EQ(LoadImageFont(notAFont, 20), nullptr);
}

class TextDrawTest : public testrig::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        SetClsColor(0, 0, 0);
        Cls();
        SetBlend(ALPHABLEND);
    }
    void TearDown() override {
        SetImageFont(nullptr);
        HeadlessTest::TearDown();
    }
};

TEST_F(TextDrawTest, BuiltinTextStaysInItsCells) {
    SetImageFont(nullptr);
    DrawText("HI", 100, 100);
    const Box b = LitBox(90, 90, 60, 40);
    ASSERT_FALSE(b.empty());
    EXPECT_GE(b.x0, 100);
    EXPECT_GE(b.y0, 100);
    EXPECT_LT(b.x1, 100 + int(TextWidth("HI")));
    EXPECT_LT(b.y1, 100 + int(TextHeight()));
    // Characters without a glyph draw nothing and take no room.
    Cls();
    DrawText("\xc3\xb1\xc3\xa1", 100, 100);
    EXPECT_TRUE(LitBox(90, 90, 60, 40).empty());
    DrawText("\xc3\xb1I", 200, 100);
    DrawText("I", 300, 100);
    EXPECT_EQ(LitBox(190, 90, 60, 40).x0 - 200, LitBox(290, 90, 60, 40).x0 - 300);
}

TEST_F(TextDrawTest, TrueTypeTextTurnsAndScalesAboutItsPosition) {
    auto font = LoadImageFont(kComic, 40, SMOOTHFONT);
    ASSERT_NE(font, nullptr);
    SetImageFont(font);
    SetColor(255, 255, 255);
    const float w = TextWidth("Hola"), h = TextHeight();
    DrawText("Hola", 100, 100);
    Box flat = LitBox(80, 80, 300, 150);
    ASSERT_FALSE(flat.empty());
    EXPECT_GE(flat.x0, 98);
    EXPECT_LE(flat.x1, 100 + int(w) + 2);
    EXPECT_LE(flat.y1, 100 + int(h) + 2);

    // Rotated 90 degrees the line runs down the screen, to the left of x = 500.
    SetRotation(90);
    DrawText("Hola", 500, 100);
    Box down = LitBox(400, 80, 150, 300);
    ASSERT_FALSE(down.empty());
    EXPECT_LE(down.x1, 501);
    EXPECT_GE(down.y0, 98);
    EXPECT_GT(down.y1 - down.y0, (flat.x1 - flat.x0) * 3 / 4);

    SetTransform(0, 2, 2);
    DrawText("Hola", 100, 400);
    Box twice = LitBox(80, 380, 500, 300);
    EXPECT_NEAR(twice.x1 - twice.x0, 2 * (flat.x1 - flat.x0), 4);
    SetTransform(0, 1, 1);

    auto lines = testrig::TraceOps("text");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(testrig::Field(lines[0], "text"), "Hola");
    EXPECT_EQ(testrig::Field(lines[0], "font"), "ComicNeue-Bold.otf@40");
    EXPECT_EQ(testrig::Field(lines[1], "rot"), "90");
}


// Largest difference of a colour byte between two read-backs, over rows [y0, y1).
int MaxDifference(const TPixmap& a, const TPixmap& b, int y0, int y1) {
    int most = 0;
    for (int y = y0; y < y1; ++y)
        for (int i = 0; i < a.width * 4; ++i) most = std::max(most, std::abs(a.row(y)[i] - b.row(y)[i]));
    return most;
}

// Rows 0-399: a line at 1:1 and one magnified; rows 400-767: a line minified and turned.
constexpr int kSplitRow = 400;
TPixmapPtr DrawSample(const TImageFontPtr& font) {
    SetClsColor(0, 0, 0);
    Cls();
    SetBlend(ALPHABLEND);
    SetImageFont(font);
    SetColor(255, 220, 160);
    DrawText("Frikipartida \xc3\xb1\xc3\xa1 W!", 20, 20);
    SetTransform(0, 2, 2);
    DrawText("Hola", 20, 150);
    SetTransform(25, 0.3f, 0.3f);
    DrawText("Frikipartida \xc3\xb1\xc3\xa1 W!", 20, 450);
    SetTransform(0, 1, 1);
    return GrabPixmap(0, 0, 1024, 768);
}

// Every Latin-1 code, last first, one line per 16 codes: fills and adds atlas pages.
void DrawEveryGlyph(const TImageFontPtr& font) {
    SetImageFont(font);
    for (int row = 13; row >= 0; --row) {
        std::string line;
        for (int c = 47 + row * 16; c >= 32 + row * 16; --c) {
            if (c < 128) {
                line += static_cast<char>(c);
            } else {
                line += static_cast<char>(0xC0 | (c >> 6));
                line += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        DrawText(line, 0, 0);
    }
}

// Glyphs reach the atlas when first drawn; where they land must not show. At 1:1 and
// magnified the pixels are exact. Minified and turned, the sampler's rounding of texture
// coordinates depends a little on where the glyph sits, but the mipmaps must not mix in
// other glyphs or shift with the glyph's position (differences of a unit at most).
TEST_F(TextDrawTest, TextLooksTheSameWhateverWasDrawnBefore) {
    for (int style : {int(SMOOTHFONT), 0}) {
        SCOPED_TRACE(style);
        auto fresh = LoadImageFont(kComic, 100, style);
        ASSERT_NE(fresh, nullptr);
        SetImageFont(fresh);
        const float width = TextWidth("Frikipartida");
        const auto first = DrawSample(fresh);
        ASSERT_NE(first, nullptr);
        EXPECT_FLOAT_EQ(TextWidth("Frikipartida"), width);  // drawing does not change metrics

        // Same face, but the sample's glyphs arrive after all the others, on later pages.
        auto crowded = LoadImageFont(kComic, 100, style);
        DrawEveryGlyph(crowded);
        for (int display = 0; display < 2; ++display) {
            if (display == 1) testrig::OpenDisplay();  // remakes every page's texture
            const auto again = DrawSample(crowded);
            EXPECT_EQ(MaxDifference(*first, *again, 0, kSplitRow), 0);
            if (style == SMOOTHFONT) {
                EXPECT_LE(MaxDifference(*first, *again, kSplitRow, 768), 1);
            }
        }

        // Glyphs made ahead, in another order, draw as if made on the way.
        auto prepared = LoadImageFont(kComic, 100, style);
        PrepareGlyphs(prepared, "W! \xc3\xa1\xc3\xb1 adtrapikirF aloH");
        const auto ahead = DrawSample(prepared);
        EXPECT_EQ(MaxDifference(*first, *ahead, 0, kSplitRow), 0);
        if (style == SMOOTHFONT) {
            EXPECT_LE(MaxDifference(*first, *ahead, kSplitRow, 768), 1);
        }
    }
    // A font loaded while no display is open.
    auto reference = DrawSample(LoadImageFont(kComic, 100, 0));
    SetImageFont(nullptr);
    testrig::Stop();
    testrig::StartHeadless();
    auto early = LoadImageFont(kComic, 100, 0);
    ASSERT_NE(early, nullptr);
    testrig::OpenDisplay();
    EXPECT_EQ(MaxDifference(*reference, *DrawSample(early), 0, 768), 0);
}

// The look-alike pairs a player must tell apart on the key boxes (drawn at 1.5x with
// nearest sampling) and at 1x: the glyphs as seen on screen differ in many pixels, not a
// corner or two, and a 1 fills enough of its cell that "11" does not read "1 1".
TEST_F(TextDrawTest, BuiltinLookAlikesStayApartAt1xAndScaled) {
    SetImageFont(nullptr);
    SetColor(255, 255, 255);
    auto seen = [](char c, float scale) {
        Cls();
        SetTransform(0, scale, scale);
        DrawText(std::string(1, c), 100, 100);
        SetTransform(0, 1, 1);
        auto pm = GrabPixmap(100, 100, 16, 20);
        std::vector<bool> lit;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 16; ++x) lit.push_back((pm->ReadPixel(x, y) & 0xFFFFFF) != 0);
        return lit;
    };
    const char* pairs[][2] = {{"O", "Q"}, {"U", "V"}, {"M", "W"}, {"0", "O"},
                              {"1", "l"}, {"1", "I"}, {"v", "u"}, {"w", "m"}};
    for (float scale : {1.0f, 1.5f})
        for (auto& p : pairs) {
            auto a = seen(p[0][0], scale), b = seen(p[1][0], scale);
            int differ = 0;
            for (size_t i = 0; i < a.size(); ++i) differ += a[i] != b[i];
            EXPECT_GE(differ, scale > 1 ? 8 : 5) << p[0] << " against " << p[1] << " at " << scale;
        }
    Cls();
    DrawText("1", 100, 100);
    const Box one = LitBox(95, 95, 20, 25);
    EXPECT_GE(one.x1 - one.x0 + 1, 5);  // of an 8-pixel advance
}

}  // namespace
