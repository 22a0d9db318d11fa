// Fonts: Latin-1 glyphs (codes 32-255 for TrueType, 32-127 for the built-in font) drawn
// as quads from atlas pages. Loading a TrueType font only measures it (advances and
// height, so text can be laid out at once); a glyph is rasterised into the atlas the
// first time it is drawn, so screens that load big fonts for a few words do not pay for
// the whole character set up front.
//
// Sections: built-in font bitmaps | atlas pages | TrueType loading | lazy rasterising | text
#include "platform/base/file_report.h"
#include "platform/base/text.h"
#include "platform/pictures/font.h"
#include "platform/pictures/pictures_internal.h"
#include "platform/session/trace.h"
#include "platform/video/drawing.h"
#include "platform/video/render.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

class TImageFont {
public:
    struct Glyph {
        bool present = false;     // has a glyph: takes room and is drawn
        bool rasterised = false;  // its pixels are in the atlas (w or h may be 0)
        float advance = 0;
        int page = 0;                              // atlas page
        int atlasX = 0, atlasY = 0, w = 0, h = 0;  // rectangle in the page
        int offX = 0, offY = 0;                    // from the cell's top-left
    };
    std::string name;
    float height = 0;
    std::array<Glyph, 256> glyphs;
    // Atlas pages: white RGBA, coverage as alpha. Textures are made per page on draw.
    std::vector<TImagePtr> pages;
    bool smooth = false;
    // Shelf packing on the last page: next free spot and height of the current row.
    int shelfX = 0, shelfY = 0, shelfH = 0;

    // TrueType source, kept to rasterise glyphs on first use (nullptr for the built-in
    // font, which is rasterised whole).
    std::vector<unsigned char> bytes;  // the face reads from these
    FT_Face face = nullptr;
    int style = 0, ascender = 0, pageWidth = 256;

    TImageFont() = default;
    TImageFont(const TImageFont&) = delete;
    TImageFont& operator=(const TImageFont&) = delete;
    ~TImageFont() {
        if (face) FT_Done_Face(face);
    }
};

namespace {

// ---------------------------------------------------------------- built-in font bitmaps

// Our own 6x9 design: rows top to bottom, bit 5 is the leftmost column; rows 0-6 hold
// the body, rows 7-8 the descenders. Codes 32 to 127. Most glyphs keep to the left five
// columns (a wide gap reads well); the letters that need room to stay apart when scaled
// by nearest sampling (O and Q, U and V, M and W, and a 1 that fills its cell so that 11
// does not fall apart) use all six.
constexpr int kBuiltinAdvance = 8, kBuiltinHeight = 12;
constexpr int kBuiltinOffX = 1, kBuiltinOffY = 2;
constexpr uint8_t kBuiltinGlyphs[96][9] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // space
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x00, 0x08, 0x00, 0x00},  // !
    {0x14, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // "
    {0x14, 0x14, 0x3E, 0x14, 0x3E, 0x14, 0x14, 0x00, 0x00},  // #
    {0x08, 0x1E, 0x28, 0x1C, 0x0A, 0x3C, 0x08, 0x00, 0x00},  // $
    {0x30, 0x32, 0x04, 0x08, 0x10, 0x26, 0x06, 0x00, 0x00},  // %
    {0x18, 0x24, 0x28, 0x10, 0x2A, 0x24, 0x1A, 0x00, 0x00},  // &
    {0x08, 0x08, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // '
    {0x04, 0x08, 0x10, 0x10, 0x10, 0x08, 0x04, 0x00, 0x00},  // (
    {0x10, 0x08, 0x04, 0x04, 0x04, 0x08, 0x10, 0x00, 0x00},  // )
    {0x00, 0x08, 0x2A, 0x1C, 0x2A, 0x08, 0x00, 0x00, 0x00},  // *
    {0x00, 0x08, 0x08, 0x3E, 0x08, 0x08, 0x00, 0x00, 0x00},  // +
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x18, 0x08, 0x10, 0x00},  // ,
    {0x00, 0x00, 0x00, 0x3E, 0x00, 0x00, 0x00, 0x00, 0x00},  // -
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x18, 0x18, 0x00, 0x00},  // .
    {0x00, 0x02, 0x04, 0x08, 0x10, 0x20, 0x00, 0x00, 0x00},  // /
    {0x1C, 0x22, 0x26, 0x2A, 0x32, 0x22, 0x1C, 0x00, 0x00},  // 0
    {0x0C, 0x1C, 0x2C, 0x0C, 0x0C, 0x0C, 0x3F, 0x00, 0x00},  // 1
    {0x1C, 0x22, 0x02, 0x04, 0x08, 0x10, 0x3E, 0x00, 0x00},  // 2
    {0x3E, 0x04, 0x08, 0x04, 0x02, 0x22, 0x1C, 0x00, 0x00},  // 3
    {0x04, 0x0C, 0x14, 0x24, 0x3E, 0x04, 0x04, 0x00, 0x00},  // 4
    {0x3E, 0x20, 0x3C, 0x02, 0x02, 0x22, 0x1C, 0x00, 0x00},  // 5
    {0x0C, 0x10, 0x20, 0x3C, 0x22, 0x22, 0x1C, 0x00, 0x00},  // 6
    {0x3E, 0x02, 0x04, 0x08, 0x10, 0x10, 0x10, 0x00, 0x00},  // 7
    {0x1C, 0x22, 0x22, 0x1C, 0x22, 0x22, 0x1C, 0x00, 0x00},  // 8
    {0x1C, 0x22, 0x22, 0x1E, 0x02, 0x04, 0x18, 0x00, 0x00},  // 9
    {0x00, 0x18, 0x18, 0x00, 0x18, 0x18, 0x00, 0x00, 0x00},  // :
    {0x00, 0x18, 0x18, 0x00, 0x18, 0x18, 0x08, 0x10, 0x00},  // ;
    {0x04, 0x08, 0x10, 0x20, 0x10, 0x08, 0x04, 0x00, 0x00},  // <
    {0x00, 0x00, 0x3E, 0x00, 0x3E, 0x00, 0x00, 0x00, 0x00},  // =
    {0x10, 0x08, 0x04, 0x02, 0x04, 0x08, 0x10, 0x00, 0x00},  // >
    {0x1C, 0x22, 0x02, 0x04, 0x08, 0x00, 0x08, 0x00, 0x00},  // ?
    {0x1C, 0x22, 0x02, 0x1A, 0x2A, 0x2A, 0x1C, 0x00, 0x00},  // @
    {0x1C, 0x22, 0x22, 0x3E, 0x22, 0x22, 0x22, 0x00, 0x00},  // A
    {0x3C, 0x22, 0x22, 0x3C, 0x22, 0x22, 0x3C, 0x00, 0x00},  // B
    {0x1C, 0x22, 0x20, 0x20, 0x20, 0x22, 0x1C, 0x00, 0x00},  // C
    {0x38, 0x24, 0x22, 0x22, 0x22, 0x24, 0x38, 0x00, 0x00},  // D
    {0x3E, 0x20, 0x20, 0x3C, 0x20, 0x20, 0x3E, 0x00, 0x00},  // E
    {0x3E, 0x20, 0x20, 0x3C, 0x20, 0x20, 0x20, 0x00, 0x00},  // F
    {0x1C, 0x22, 0x20, 0x2E, 0x22, 0x22, 0x1E, 0x00, 0x00},  // G
    {0x22, 0x22, 0x22, 0x3E, 0x22, 0x22, 0x22, 0x00, 0x00},  // H
    {0x1C, 0x08, 0x08, 0x08, 0x08, 0x08, 0x1C, 0x00, 0x00},  // I
    {0x0E, 0x04, 0x04, 0x04, 0x04, 0x24, 0x18, 0x00, 0x00},  // J
    {0x22, 0x24, 0x28, 0x30, 0x28, 0x24, 0x22, 0x00, 0x00},  // K
    {0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x3E, 0x00, 0x00},  // L
    {0x21, 0x33, 0x2D, 0x2D, 0x21, 0x21, 0x21, 0x00, 0x00},  // M
    {0x22, 0x22, 0x32, 0x2A, 0x26, 0x22, 0x22, 0x00, 0x00},  // N
    {0x1E, 0x21, 0x21, 0x21, 0x21, 0x21, 0x1E, 0x00, 0x00},  // O
    {0x3C, 0x22, 0x22, 0x3C, 0x20, 0x20, 0x20, 0x00, 0x00},  // P
    {0x1E, 0x21, 0x21, 0x21, 0x21, 0x2D, 0x1F, 0x03, 0x01},  // Q
    {0x3C, 0x22, 0x22, 0x3C, 0x28, 0x24, 0x22, 0x00, 0x00},  // R
    {0x1E, 0x20, 0x20, 0x1C, 0x02, 0x02, 0x3C, 0x00, 0x00},  // S
    {0x3E, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x00, 0x00},  // T
    {0x21, 0x21, 0x21, 0x21, 0x21, 0x21, 0x1E, 0x00, 0x00},  // U
    {0x21, 0x21, 0x12, 0x12, 0x12, 0x0C, 0x0C, 0x00, 0x00},  // V
    {0x21, 0x21, 0x21, 0x2D, 0x2D, 0x12, 0x12, 0x00, 0x00},  // W
    {0x22, 0x22, 0x14, 0x08, 0x14, 0x22, 0x22, 0x00, 0x00},  // X
    {0x22, 0x22, 0x14, 0x08, 0x08, 0x08, 0x08, 0x00, 0x00},  // Y
    {0x3E, 0x02, 0x04, 0x08, 0x10, 0x20, 0x3E, 0x00, 0x00},  // Z
    {0x1C, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1C, 0x00, 0x00},  // [
    {0x00, 0x20, 0x10, 0x08, 0x04, 0x02, 0x00, 0x00, 0x00},  // backslash
    {0x1C, 0x04, 0x04, 0x04, 0x04, 0x04, 0x1C, 0x00, 0x00},  // ]
    {0x08, 0x14, 0x22, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // ^
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3E, 0x00, 0x00},  // _
    {0x10, 0x08, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // `
    {0x00, 0x00, 0x1C, 0x02, 0x1E, 0x22, 0x1E, 0x00, 0x00},  // a
    {0x20, 0x20, 0x2C, 0x32, 0x22, 0x22, 0x3C, 0x00, 0x00},  // b
    {0x00, 0x00, 0x1C, 0x20, 0x20, 0x22, 0x1C, 0x00, 0x00},  // c
    {0x02, 0x02, 0x1A, 0x26, 0x22, 0x22, 0x1E, 0x00, 0x00},  // d
    {0x00, 0x00, 0x1C, 0x22, 0x3E, 0x20, 0x1C, 0x00, 0x00},  // e
    {0x0C, 0x12, 0x10, 0x38, 0x10, 0x10, 0x10, 0x00, 0x00},  // f
    {0x00, 0x00, 0x1E, 0x22, 0x22, 0x22, 0x1E, 0x02, 0x1C},  // g
    {0x20, 0x20, 0x2C, 0x32, 0x22, 0x22, 0x22, 0x00, 0x00},  // h
    {0x08, 0x00, 0x18, 0x08, 0x08, 0x08, 0x1C, 0x00, 0x00},  // i
    {0x04, 0x00, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x24, 0x18},  // j
    {0x20, 0x20, 0x24, 0x28, 0x30, 0x28, 0x24, 0x00, 0x00},  // k
    {0x18, 0x08, 0x08, 0x08, 0x08, 0x08, 0x1C, 0x00, 0x00},  // l
    {0x00, 0x00, 0x34, 0x2A, 0x2A, 0x22, 0x22, 0x00, 0x00},  // m
    {0x00, 0x00, 0x2C, 0x32, 0x22, 0x22, 0x22, 0x00, 0x00},  // n
    {0x00, 0x00, 0x1C, 0x22, 0x22, 0x22, 0x1C, 0x00, 0x00},  // o
    {0x00, 0x00, 0x3C, 0x22, 0x22, 0x22, 0x3C, 0x20, 0x20},  // p
    {0x00, 0x00, 0x1E, 0x22, 0x22, 0x22, 0x1E, 0x02, 0x02},  // q
    {0x00, 0x00, 0x2C, 0x32, 0x20, 0x20, 0x20, 0x00, 0x00},  // r
    {0x00, 0x00, 0x1E, 0x20, 0x1C, 0x02, 0x3C, 0x00, 0x00},  // s
    {0x10, 0x10, 0x38, 0x10, 0x10, 0x12, 0x0C, 0x00, 0x00},  // t
    {0x00, 0x00, 0x22, 0x22, 0x22, 0x26, 0x1A, 0x00, 0x00},  // u
    {0x00, 0x00, 0x21, 0x21, 0x12, 0x12, 0x0C, 0x00, 0x00},  // v
    {0x00, 0x00, 0x21, 0x21, 0x2D, 0x2D, 0x12, 0x00, 0x00},  // w
    {0x00, 0x00, 0x22, 0x14, 0x08, 0x14, 0x22, 0x00, 0x00},  // x
    {0x00, 0x00, 0x22, 0x22, 0x22, 0x22, 0x1E, 0x02, 0x1C},  // y
    {0x00, 0x00, 0x3E, 0x04, 0x08, 0x10, 0x3E, 0x00, 0x00},  // z
    {0x06, 0x08, 0x08, 0x10, 0x08, 0x08, 0x06, 0x00, 0x00},  // {
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x00, 0x00},  // |
    {0x30, 0x08, 0x08, 0x04, 0x08, 0x08, 0x30, 0x00, 0x00},  // }
    {0x00, 0x00, 0x10, 0x2A, 0x04, 0x00, 0x00, 0x00, 0x00},  // ~
    {0x2A, 0x14, 0x2A, 0x14, 0x2A, 0x14, 0x2A, 0x00, 0x00},  // DEL
};

// ---------------------------------------------------------------- atlas pages

// Glyph spacing. Nearest-sampled fonts only need a transparent texel around each glyph.
// Smooth fonts are mipmapped: a texel of level k averages a 2^k block, and filtering
// reads one texel further. Glyphs start on multiples of 16 and keep 16 clear texels
// (rounded up to the grid) between each other, so down to level 4 a glyph's texels never
// mix with its neighbours' and it always sits at the same phase of the blocks: text
// looks the same whatever was drawn before it.
int Grid(const TImageFont& font) { return font.smooth ? 16 : 1; }
int Gap(const TImageFont& font) { return font.smooth ? 16 : 1; }
int RoundUp(int v, int grid) { return (v + grid - 1) / grid * grid; }

constexpr uint32_t kClearTexel = 0x00FFFFFF;  // white, fully transparent
constexpr int kMaxPageSide = 8192;

int PowerOfTwoAtLeast(int n) {
    int p = 32;
    while (p < n) p *= 2;
    return p;
}

TImagePtr NewPage(const TImageFont& font, int w, int h) {
    auto pixels = CreatePixmap(w, h, PF_RGBA8888);
    if (!pixels) return nullptr;
    pixels->ClearPixels(kClearTexel);
    auto page = std::make_shared<TImage>();
    page->width = w;
    page->height = h;
    page->flags = font.smooth ? FILTEREDIMAGE | MIPMAPPEDIMAGE : 0;
    page->source = "font " + font.name;
    page->frames.push_back(std::move(pixels));
    page->textures.resize(1);
    return page;
}

// Doubles the page's height until it is at least `h` (the width, and so the pitch, stay:
// the old rows are kept as they are).
bool GrowPage(TImage& page, int h) {
    TPixmap& pm = *page.frames[0];
    int newH = page.height;
    while (newH < h) newH *= 2;
    if (newH > kMaxPageSide) return false;
    const size_t old = pm.pixels.size();
    pm.pixels.resize(static_cast<size_t>(pm.pitch) * newH);
    for (size_t i = old; i + 3 < pm.pixels.size(); i += 4) {
        pm.pixels[i] = pm.pixels[i + 1] = pm.pixels[i + 2] = 0xFF;  // kClearTexel
        pm.pixels[i + 3] = 0;
    }
    pm.height = newH;
    page.height = newH;
    return true;
}

// Finds room for a w x h glyph: along the current row, on a new row (growing the page
// down to a square), else on a new page. Sets the glyph's page and position; false when
// no page can hold it.
bool Place(TImageFont& font, int w, int h, TImageFont::Glyph& g) {
    const int grid = Grid(font), gap = Gap(font);
    if (!font.pages.empty()) {
        TImage& page = *font.pages.back();
        int x = font.shelfX, y = font.shelfY, rowH = font.shelfH;
        if (x + w + gap > page.width) {
            x = gap;
            y = RoundUp(y + rowH, grid) + gap;
            rowH = 0;
        }
        const int bottom = y + h + gap;
        if (x + w + gap <= page.width && bottom <= std::max(page.width, page.height) &&
            (bottom <= page.height || GrowPage(page, bottom))) {
            g.page = static_cast<int>(font.pages.size()) - 1;
            g.atlasX = x;
            g.atlasY = y;
            font.shelfX = RoundUp(x + w, grid) + gap;
            font.shelfY = y;
            font.shelfH = std::max(rowH, h);
            return true;
        }
    }
    const int pageW = std::max(font.pageWidth, PowerOfTwoAtLeast(RoundUp(w, grid) + 2 * gap));
    const int pageH = PowerOfTwoAtLeast(RoundUp(h, grid) + 2 * gap);
    if (pageW > kMaxPageSide || pageH > kMaxPageSide) return false;
    auto page = NewPage(font, pageW, pageH);
    if (!page) return false;
    font.pages.push_back(std::move(page));
    g.page = static_cast<int>(font.pages.size()) - 1;
    g.atlasX = gap;
    g.atlasY = gap;
    font.shelfX = RoundUp(gap + w, grid) + gap;
    font.shelfY = gap;
    font.shelfH = h;
    return true;
}

// Writes coverage (w * h, 0-255, top-down) as the alpha of the glyph's rectangle.
void Blit(TImageFont& font, const TImageFont::Glyph& g, const uint8_t* coverage) {
    TPixmap& pm = *font.pages[g.page]->frames[0];
    for (int y = 0; y < g.h; ++y) {
        uint8_t* d = pm.row(g.atlasY + y) + static_cast<size_t>(g.atlasX) * 4;
        for (int x = 0; x < g.w; ++x) d[x * 4 + 3] = coverage[static_cast<size_t>(y) * g.w + x];
    }
}

// The built-in font is small: all of it goes on one page at once.
TImageFont& Builtin() {
    static const TImageFontPtr font = [] {
        auto f = std::make_shared<TImageFont>();
        f->name = "builtin";
        f->height = kBuiltinHeight;
        constexpr int kW = 6, kH = 9, kPad = 1, kPerRow = 18, kCount = 96;
        constexpr int kRows = (kCount + kPerRow - 1) / kPerRow;
        f->pages.push_back(NewPage(*f, 128, kPad + kRows * (kH + kPad)));
        std::array<uint8_t, kW * kH> coverage;
        for (int code = 32; code < 128; ++code) {
            const int i = code - 32;
            TImageFont::Glyph& g = f->glyphs[code];
            g.present = g.rasterised = true;
            g.advance = kBuiltinAdvance;
            g.atlasX = kPad + (i % kPerRow) * (kW + kPad);
            g.atlasY = kPad + (i / kPerRow) * (kH + kPad);
            g.w = kW;
            g.h = kH;
            g.offX = kBuiltinOffX;
            g.offY = kBuiltinOffY;
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x)
                    coverage[y * kW + x] = (kBuiltinGlyphs[i][y] >> (kW - 1 - x)) & 1 ? 255 : 0;
            Blit(*f, g, coverage.data());
        }
        return f;
    }();
    return *font;
}

// ---------------------------------------------------------------- TrueType loading

FT_Library Library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        return FT_Init_FreeType(&l) == 0 ? l : nullptr;
    }();
    return lib;
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Loads a glyph into the face's slot with the font's synthetic style applied; the slot
// then holds the advance, and the outline or bitmap to render.
bool LoadStyled(const TImageFont& font, FT_UInt index) {
    if (FT_Load_Glyph(font.face, index, FT_LOAD_DEFAULT) != 0) return false;
    FT_GlyphSlot slot = font.face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (font.style & BOLDFONT) FT_GlyphSlot_Embolden(slot);
        if (font.style & ITALICFONT) FT_GlyphSlot_Oblique(slot);
    }
    return true;
}

bool UsableBitmap(const FT_Bitmap& bm) {
    if (bm.width == 0 || bm.rows == 0) return true;
    return bm.width <= 4096 && bm.rows <= 4096 && bm.buffer &&
           (bm.pixel_mode == FT_PIXEL_MODE_GRAY || bm.pixel_mode == FT_PIXEL_MODE_MONO);
}

// Measures every glyph; none is rendered yet. Outlines always render to 8-bit grey;
// glyphs that come as bitmaps are already in their final form, so both kinds are known
// to be drawable here.
// broken counts the glyphs the font maps but cannot load (a damaged file).
bool Measure(TImageFont& font, int size, int& broken) {
    if (FT_Set_Pixel_Sizes(font.face, 0, static_cast<FT_UInt>(size)) != 0) return false;
    FT_Select_Charmap(font.face, FT_ENCODING_UNICODE);
    const FT_Size_Metrics& m = font.face->size->metrics;
    font.ascender = static_cast<int>(std::lround(m.ascender / 64.0));
    font.height = static_cast<float>(std::lround((m.ascender - m.descender) / 64.0));
    for (int code = 32; code < 256; ++code) {
        const FT_UInt index = FT_Get_Char_Index(font.face, static_cast<FT_ULong>(code));
        if (index == 0) continue;  // the font has no glyph: skipped when drawn
        if (!LoadStyled(font, index)) {
            ++broken;
            continue;
        }
        FT_GlyphSlot slot = font.face->glyph;
        if (slot->format != FT_GLYPH_FORMAT_OUTLINE &&
            (slot->format != FT_GLYPH_FORMAT_BITMAP || !UsableBitmap(slot->bitmap)))
            continue;
        TImageFont::Glyph& g = font.glyphs[code];
        g.present = true;
        g.advance = static_cast<float>(slot->advance.x / 64.0);
    }
    // Pages wide enough for a row of several big glyphs; they grow downwards as glyphs
    // arrive.
    font.pageWidth = std::min(2048, PowerOfTwoAtLeast(std::max(256, 8 * size)));
    return true;
}

// ---------------------------------------------------------------- lazy rasterising

// Renders a measured glyph and copies it into the atlas. A glyph that fails to render
// (out of memory, say) stays empty: it keeps its advance and draws nothing.
void Rasterise(TImageFont& font, int code) {
    TImageFont::Glyph& g = font.glyphs[code];
    g.rasterised = true;
    g.w = g.h = 0;
    const FT_UInt index = FT_Get_Char_Index(font.face, static_cast<FT_ULong>(code));
    if (!LoadStyled(font, index)) return;
    FT_GlyphSlot slot = font.face->glyph;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.width == 0 || bm.rows == 0 || !UsableBitmap(bm)) return;
    const int w = static_cast<int>(bm.width), h = static_cast<int>(bm.rows);
    // Top-down coverage, 0-255.
    std::vector<uint8_t> coverage(static_cast<size_t>(w) * h);
    const int stride = std::abs(bm.pitch);
    for (int y = 0; y < h; ++y) {
        const int srcRow = bm.pitch >= 0 ? y : h - 1 - y;
        const unsigned char* s = bm.buffer + static_cast<size_t>(srcRow) * stride;
        uint8_t* d = coverage.data() + static_cast<size_t>(y) * w;
        if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
            std::copy(s, s + w, d);
        else
            for (int x = 0; x < w; ++x) d[x] = (s[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
    }
    if (!Place(font, w, h, g)) return;
    g.w = w;
    g.h = h;
    g.offX = slot->bitmap_left;
    g.offY = font.ascender - slot->bitmap_top;
    Blit(font, g, coverage.data());
}

// Rasterises the glyphs of a line that are not in the atlas yet, then drops the
// textures of the pages that changed: each is uploaded (and its mipmaps rebuilt) once
// for the whole line when next drawn.
void RasteriseMissing(TImageFont& font, const std::vector<uint16_t>& codes) {
    std::vector<bool> changed;
    for (uint16_t code : codes) {
        if (code >= font.glyphs.size()) continue;
        const TImageFont::Glyph& g = font.glyphs[code];
        if (!g.present || g.rasterised || !font.face) continue;
        Rasterise(font, code);
        if (g.w > 0) {
            changed.resize(font.pages.size(), false);
            changed[g.page] = true;
        }
    }
    for (size_t i = 0; i < changed.size(); ++i)
        if (changed[i]) pictures::DiscardTexture(*font.pages[i], 0);
}

TImageFont& Current() {
    const auto& font = drawing::State().font;
    return font ? *font : Builtin();
}

}  // namespace

TImageFontPtr LoadImageFont(const std::string& path, int size, int style) {
    if (size <= 0 || size > 1024) return nullptr;
    std::ifstream in(NativePath(path), std::ios::binary);
    if (!in) {
        ReportBadFile(path, "missing");
        return nullptr;
    }
    auto font = std::make_shared<TImageFont>();
    font->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        ReportBadFile(path, "could not be read");
        return nullptr;
    }
    if (font->bytes.empty()) {
        ReportBadFile(path, "empty file");
        return nullptr;
    }
    if (!Library()) return nullptr;  // FreeType itself failed: no file's fault
    if (FT_New_Memory_Face(Library(), font->bytes.data(), static_cast<FT_Long>(font->bytes.size()),
                           0, &font->face) != 0) {
        font->face = nullptr;
        ReportBadFile(path, "not a font FreeType can read (damaged or cut short)");
        return nullptr;
    }
    font->name = BaseName(path) + "@" + std::to_string(size);
    font->style = style;
    font->smooth = (style & SMOOTHFONT) != 0;
    int broken = 0;
    if (!Measure(*font, size, broken)) {
        ReportBadFile(path, "font cannot be drawn at size " + std::to_string(size));
        return nullptr;
    }
    // The glyphs that load are still drawn.
    if (broken > 0) ReportBadFile(path, "damaged font (" + std::to_string(broken) + " letters cannot be loaded)");
    return font;
}

// ---------------------------------------------------------------- text

void SetImageFont(const TImageFontPtr& font) { drawing::State().font = font; }

TImageFontPtr GetImageFont() { return drawing::State().font; }

std::string FontName(const TImageFontPtr& font) { return font ? font->name : "builtin"; }

void DrawText(const std::string& text, float x, float y) {
    if (rig::Tracing()) {
        rig::Record r("text");
        r.add("text", text).add("font", FontName(drawing::State().font));
        r.add("x", static_cast<double>(x)).add("y", static_cast<double>(y));
        drawing::AddState(r);
        r.emit();
    }
    if (!drawing::WillDraw()) return;
    TImageFont& font = Current();
    const std::vector<uint16_t> codes = ToCodePoints(text);
    RasteriseMissing(font, codes);
    float pen = 0;
    for (uint16_t code : codes) {
        if (code >= font.glyphs.size()) continue;
        const TImageFont::Glyph& g = font.glyphs[code];
        if (!g.present) continue;
        if (g.w > 0 && g.h > 0) {
            TImage& page = *font.pages[g.page];
            const unsigned tex = pictures::TextureOf(page, 0);
            if (tex != 0) {
                const float kx = 1.f / page.width, ky = 1.f / page.height;
                drawing::Begin(drawing::Prim::Quads, tex);
                const float lx = pen + g.offX, ly = static_cast<float>(g.offY);
                drawing::TransformedQuad(x, y, lx, ly, lx + g.w, ly + g.h, g.atlasX * kx,
                                         g.atlasY * ky, (g.atlasX + g.w) * kx,
                                         (g.atlasY + g.h) * ky);
            }
        }
        pen += g.advance;
    }
}

void PrepareGlyphs(const TImageFontPtr& font, const std::string& text) {
    if (!font || !drawing::ContextReady()) return;
    RasteriseMissing(*font, ToCodePoints(text));
    for (const TImagePtr& page : font->pages) pictures::TextureOf(*page, 0);
}

float TextWidth(const std::string& text) {
    const TImageFont& font = Current();
    float width = 0;
    for (uint16_t code : ToCodePoints(text))
        if (code < font.glyphs.size() && font.glyphs[code].present) width += font.glyphs[code].advance;
    return width;
}

float TextHeight(const std::string& text) {
    (void)text;
    return Current().height;
}
