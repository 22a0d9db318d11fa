// Pixmaps (formats, conversion, PNG/JPEG files) and images made from them (flags,
// masking, handles). None of this needs a display.
#include "support/rig_fixture.h"

#include "platform/base/file_report.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A 7x5 picture with a different colour in every pixel.
TPixmapPtr Pattern(int format) {
    auto pm = CreatePixmap(7, 5, format);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            pm->WritePixel(x, y, (uint32_t(40 + 30 * y) << 24) | (uint32_t(x * 36) << 16) |
                                     (uint32_t(y * 60) << 8) | uint32_t(255 - x * 30));
    return pm;
}

TEST(PixmapTest, EachFormatKeepsWhatItCanHold) {
    const uint32_t argb = 0x80402010;
    struct Case {
        int format, bpp;
        uint32_t readBack;
    } cases[] = {
        {PF_I8, 1, 0xFF252525},  // intensity = mean of r, g, b
        {PF_A8, 1, 0x80FFFFFF},
        {PF_BGR888, 3, 0xFF402010},
        {PF_RGB888, 3, 0xFF402010},
        {PF_BGRA8888, 4, 0x80402010},
        {PF_RGBA8888, 4, 0x80402010},
    };
    for (const Case& c : cases) {
        auto pm = CreatePixmap(3, 2, c.format);
        ASSERT_NE(pm, nullptr);
        EXPECT_EQ(BytesPerPixel(c.format), c.bpp);
        EXPECT_EQ(pm->pitch % 4, 0) << c.format;
        EXPECT_GE(pm->pitch, 3 * c.bpp);
        pm->WritePixel(2, 1, argb);
        EXPECT_EQ(pm->ReadPixel(2, 1), c.readBack) << c.format;
        EXPECT_EQ(pm->ReadPixel(1, 1), c.format == PF_I8 || c.format == PF_BGR888 ||
                                               c.format == PF_RGB888
                                           ? 0xFF000000u
                                           : (c.format == PF_A8 ? 0x00FFFFFFu : 0u));
    }
    // Byte order in memory.
    auto bgr = CreatePixmap(1, 1, PF_BGR888);
    bgr->WritePixel(0, 0, 0xFF112233);
    EXPECT_EQ(bgr->pixels[0], 0x33);
    EXPECT_EQ(bgr->pixels[2], 0x11);
    auto rgba = CreatePixmap(1, 1, PF_RGBA8888);
    rgba->WritePixel(0, 0, 0x44112233);
    EXPECT_EQ(rgba->pixels[0], 0x11);
    EXPECT_EQ(rgba->pixels[3], 0x44);
}

TEST(PixmapTest, BadSizesAndOutOfRangePixels) {
    EXPECT_EQ(CreatePixmap(0, 4), nullptr);
    EXPECT_EQ(CreatePixmap(4, -1), nullptr);
    EXPECT_EQ(CreatePixmap(4, 4, 7), nullptr);
    auto pm = CreatePixmap(2, 2);
    pm->ClearPixels(0xFFFFFFFF);
    pm->WritePixel(2, 0, 0);
    pm->WritePixel(-1, 0, 0);
    EXPECT_EQ(pm->ReadPixel(2, 0), 0u);
    EXPECT_EQ(pm->ReadPixel(0, -1), 0u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(pm->ReadPixel(x, y), 0xFFFFFFFFu);
}

TEST(PixmapTest, ConvertWindowAndPaste) {
    auto src = Pattern(PF_BGRA8888);
    auto rgba = ConvertPixmap(*src, PF_RGBA8888);
    auto back = ConvertPixmap(*rgba, PF_BGRA8888);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(back->ReadPixel(x, y), src->ReadPixel(x, y));

    auto win = PixmapWindow(*src, 5, 3, 4, 4);  // clipped to 2x2
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->width, 2);
    EXPECT_EQ(win->height, 2);
    EXPECT_EQ(win->ReadPixel(1, 1), src->ReadPixel(6, 4));
    EXPECT_EQ(PixmapWindow(*src, 7, 0, 3, 3), nullptr);

    auto dst = CreatePixmap(4, 4, PF_RGB888);
    PastePixmap(*src, *dst, -5, 2);  // columns 5, 6 and rows 0, 1 land at (0..1, 2..3)
    EXPECT_EQ(dst->ReadPixel(1, 3), src->ReadPixel(6, 1) | 0xFF000000u);
    EXPECT_EQ(dst->ReadPixel(2, 3), 0xFF000000u);
    EXPECT_EQ(dst->ReadPixel(0, 1), 0xFF000000u);
}

class PictureFileTest : public ::testing::Test {
protected:
    std::string dir = testrig::ScratchDir("pictures");
};

TEST_F(PictureFileTest, PngKeepsEveryPixelAndItsAlphaClass) {
    auto rgba = Pattern(PF_RGBA8888);
    ASSERT_TRUE(SavePixmapPNG(*rgba, dir + "/a.png"));
    auto loaded = LoadPixmap(dir + "/a.png");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->format, PF_RGBA8888);
    ASSERT_EQ(loaded->width, 7);
    ASSERT_EQ(loaded->height, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(loaded->ReadPixel(x, y), rgba->ReadPixel(x, y));

    // Without alpha it stays without alpha, so that masking applies to it.
    auto bgr = Pattern(PF_BGR888);
    ASSERT_TRUE(SavePixmapPNG(*bgr, dir + "/b.png", 9));
    auto rgb = LoadPixmap(dir + "/b.png");
    ASSERT_NE(rgb, nullptr);
    EXPECT_FALSE(FormatHasAlpha(rgb->format));
    EXPECT_EQ(rgb->ReadPixel(6, 4), bgr->ReadPixel(6, 4));
    EXPECT_FALSE(SavePixmapPNG(*bgr, dir + "/missing/dir/c.png"));
}

TEST_F(PictureFileTest, JpegRoundTripIsClose) {
    auto pm = CreatePixmap(32, 16, PF_RGB888);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            pm->WritePixel(x, y, 0xFF000000u | (uint32_t(x * 8) << 16) | (uint32_t(y * 16) << 8) | 128);
    ASSERT_TRUE(SavePixmapJPEG(*pm, dir + "/g.jpg", 95));
    auto loaded = LoadPixmap(dir + "/g.jpg");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->width, 32);
    EXPECT_EQ(loaded->height, 16);
    int worst = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const uint32_t a = pm->ReadPixel(x, y), b = loaded->ReadPixel(x, y);
            for (int s = 0; s < 24; s += 8)
                worst = std::max(worst, std::abs(int((a >> s) & 255) - int((b >> s) & 255)));
        }
    EXPECT_LE(worst, 12);
}

TEST_F(PictureFileTest, DamagedFilesLoadAsNothing) {
    auto pm = Pattern(PF_RGBA8888);
    ASSERT_TRUE(SavePixmapPNG(*pm, dir + "/ok.png"));
    ASSERT_TRUE(SavePixmapJPEG(*pm, dir + "/ok.jpg"));
    for (const char* name : {"/ok.png", "/ok.jpg"}) {
        const auto bytes = ReadBytes(dir + name);
        ASSERT_GT(bytes.size(), 40u);
        // Cut anywhere after the signature: never a picture, never a crash.
        for (size_t keep : {size_t(3), size_t(9), bytes.size() / 3, bytes.size() / 2, bytes.size() - 3}) {
            const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(keep));
            EXPECT_EQ(LoadPixmapFromMemory(cut.data(), cut.size()), nullptr) << name << " " << keep;
        }
        WriteBytes(dir + "/cut.bin", {bytes.begin(), bytes.begin() + long(bytes.size() / 2)});
        EXPECT_EQ(LoadImage(dir + "/cut.bin"), nullptr);
        // The right signature followed by garbage.
        std::vector<uint8_t> garbage(bytes.begin(), bytes.begin() + 8);
        for (int i = 0; i < 300; ++i) garbage.push_back(uint8_t(i * 37 + 11));
        EXPECT_EQ(LoadPixmapFromMemory(garbage.data(), garbage.size()), nullptr) << name;
    }
    const std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(LoadPixmapFromMemory(text.data(), text.size()), nullptr);
    EXPECT_EQ(LoadPixmapFromMemory(nullptr, 0), nullptr);
    EXPECT_EQ(LoadImage(dir + "/nothing-here.png"), nullptr);
}

// A small file claiming a big picture: its pixel data could never fill it, so it is
// refused before 16384 x 1024 pixels are allocated, and the reason says so.
TEST_F(PictureFileTest, APngTooSmallForTheSizeItClaimsIsRefused) {
    auto pm = Pattern(PF_RGBA8888);
    ASSERT_TRUE(SavePixmapPNG(*pm, dir + "/small.png"));
    std::vector<uint8_t> bytes = ReadBytes(dir + "/small.png");
    // IHDR is the first chunk: its width and height at 16, its CRC after its 13 bytes.
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(v >> (24 - 8 * i));
    };
    put32(16, 16384);
    put32(20, 1024);
    uint32_t crc = 0xFFFFFFFFu;  // PNG's CRC-32 over the chunk type and data
    for (size_t i = 12; i < 29; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    put32(29, ~crc);
    std::string problem;
    EXPECT_EQ(LoadPixmapFromMemory(bytes.data(), bytes.size(), &problem), nullptr);
    EXPECT_EQ(problem, "damaged PNG (too little pixel data for 16384x1024)");
    problem.clear();
    EXPECT_EQ(LoadPixmap(dir + "/nothing-here.png", &problem), nullptr);
    EXPECT_EQ(problem, "missing");
}

// Pictures decoded ahead on workers load exactly as they would have: same pixels for each
// mask, a copy for each load of a picture listed twice, and bad files reported only by
// their LoadImage, in the order the game loads them.
TEST_F(PictureFileTest, PicturesDecodedAheadLoadAsTheyWouldHaveLoaded) {
    auto rgb = Pattern(PF_RGB888);
    rgb->WritePixel(3, 2, 0xFF000000);  // black: masked by default
    rgb->WritePixel(4, 2, 0xFFFF00FF);  // magenta
    ASSERT_TRUE(SavePixmapPNG(*rgb, dir + "/rgb.png"));
    ASSERT_TRUE(SavePixmapPNG(*Pattern(PF_RGBA8888), dir + "/rgba.png"));
    const auto whole = ReadBytes(dir + "/rgb.png");
    WriteBytes(dir + "/cut.png", {whole.begin(), whole.begin() + 40});
    const std::string rgbPng = dir + "/rgb.png", rgbaPng = dir + "/rgba.png";
    const std::string cut = dir + "/cut.png", missing = dir + "/missing.png";

    ForgetBadFileReports();
    testing::internal::CaptureStderr();
    SetMaskColor(0, 0, 0);
    PrefetchImages(
        {{rgbPng}, {rgbaPng, FILTEREDIMAGE}, {missing}, {rgbaPng}, {cut}, {rgbPng, FILTEREDIMAGE}, {rgbPng}});
    const TImagePtr masked = LoadImage(rgbPng);
    const TImagePtr bad1 = LoadImage(cut);
    const TImagePtr alpha1 = LoadImage(rgbaPng, FILTEREDIMAGE);
    const TImagePtr unmasked = LoadImage(rgbPng, FILTEREDIMAGE);  // decoded ahead with the mask
    SetMaskColor(255, 0, 255);
    const TImagePtr magenta = LoadImage(rgbPng);  // decoded ahead for black
    const TImagePtr alpha2 = LoadImage(rgbaPng);
    const TImagePtr bad2 = LoadImage(missing);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "frikipartida: " + cut + ": PNG cut short\nfrikipartida: " + missing + ": missing\n");
    EXPECT_EQ(bad1, nullptr);
    EXPECT_EQ(bad2, nullptr);

    auto same = [](const TImagePtr& a, const TImagePtr& b) {
        return a && b && a->frames[0]->pixels == b->frames[0]->pixels && a->flags == b->flags &&
               a->source == b->source;
    };
    // Loaded again with nothing ahead: decoded here.
    EXPECT_TRUE(same(magenta, LoadImage(rgbPng)));
    EXPECT_EQ(magenta->frames[0]->ReadPixel(4, 2) >> 24, 0u);
    EXPECT_TRUE(same(alpha2, LoadImage(rgbaPng)));
    EXPECT_TRUE(same(unmasked, LoadImage(rgbPng, FILTEREDIMAGE)));
    EXPECT_EQ(unmasked->frames[0]->ReadPixel(3, 2), 0xFF000000u);
    SetMaskColor(0, 0, 0);
    EXPECT_TRUE(same(masked, LoadImage(rgbPng)));
    EXPECT_EQ(masked->frames[0]->ReadPixel(3, 2) >> 24, 0u);
    EXPECT_TRUE(same(alpha1, LoadImage(rgbaPng, FILTEREDIMAGE)));
    EXPECT_NE(alpha1->frames[0], alpha2->frames[0]);  // each image owns its pixels
    ForgetBadFileReports();
}

TEST(ImageTest, MaskedPixelsTakeTheirNeighboursAverageColour) {
    SetMaskColor(0, 0, 0);
    // . is the mask colour (black).
    auto pm = CreatePixmap(3, 2, PF_RGB888);
    pm->WritePixel(0, 0, 0xFFC80000);  // (200, 0, 0)
    pm->WritePixel(1, 0, 0xFF000000);  // .
    pm->WritePixel(2, 0, 0xFF000064);  // (0, 0, 100)
    pm->WritePixel(0, 1, 0xFF000000);  // .
    pm->WritePixel(1, 1, 0xFF000000);  // .
    pm->WritePixel(2, 1, 0xFF000000);  // .
    auto img = LoadImageFromPixmap(*pm);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->flags, DEFAULT_IMAGE_FLAGS);
    const TPixmap& f = *img->frames[0];
    EXPECT_EQ(f.format, PF_RGBA8888);
    EXPECT_EQ(f.ReadPixel(0, 0), 0xFFC80000u);
    EXPECT_EQ(f.ReadPixel(1, 0), 0x00640032u);  // average of both neighbours, transparent
    EXPECT_EQ(f.ReadPixel(0, 1), 0x00C80000u);  // only (200, 0, 0) is unmasked around it
    EXPECT_EQ(f.ReadPixel(1, 1), 0x00640032u);

    // Another mask colour; pictures with their own alpha and unmasked loads keep theirs.
    SetMaskColor(255, 0, 255);
    auto magenta = CreatePixmap(2, 1, PF_BGR888);
    magenta->WritePixel(0, 0, 0xFFFF00FF);
    magenta->WritePixel(1, 0, 0xFF000000);
    auto m = LoadImageFromPixmap(*magenta);
    EXPECT_EQ(m->frames[0]->ReadPixel(0, 0), 0x00000000u);
    EXPECT_EQ(m->frames[0]->ReadPixel(1, 0), 0xFF000000u);
    auto withAlpha = CreatePixmap(1, 1, PF_RGBA8888);
    withAlpha->WritePixel(0, 0, 0x40FF00FF);
    EXPECT_EQ(LoadImageFromPixmap(*withAlpha)->frames[0]->ReadPixel(0, 0), 0x40FF00FFu);
    EXPECT_EQ(LoadImageFromPixmap(*magenta, FILTEREDIMAGE)->frames[0]->ReadPixel(0, 0), 0xFFFF00FFu);
    SetMaskColor(0, 0, 0);
}

TEST(ImageTest, CreatedImagesAndHandles) {
    auto img = CreateImage(6, 4, 3, -1);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->flags, DEFAULT_IMAGE_FLAGS | DYNAMICIMAGE);
    EXPECT_EQ(img->FrameCount(), 3);
    EXPECT_EQ(img->source, "created 6x4");
    EXPECT_EQ(img->frames[2]->ReadPixel(5, 3), 0u);
    EXPECT_EQ(CreateImage(0, 4), nullptr);
    EXPECT_EQ(CreateImage(4, 4, 0), nullptr);

    EXPECT_EQ(img->handleX, 0.f);
    MidHandleImage(img);
    EXPECT_EQ(img->handleX, 3.f);
    EXPECT_EQ(img->handleY, 2.f);
    SetImageHandle(img, -1, 7);
    EXPECT_EQ(img->handleX, -1.f);
    EXPECT_EQ(ImageWidth(img), 6);
    EXPECT_EQ(ImageHeight(nullptr), 0);
    // Drawing and locking a missing image or frame is harmless without a display too.
    DrawImage(nullptr, 0, 0);
    DrawImage(img, 0, 0, 5);
    EXPECT_EQ(LockImage(nullptr), nullptr);
    EXPECT_EQ(LockImage(img, -1), nullptr);
}

}  // namespace
