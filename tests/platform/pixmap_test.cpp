// Pixmap conversions: the row converters used for pictures on their way to RGBA agree
// with pixel-by-pixel reading and writing, for every source format.
#include "platform/platform.h"

#include <gtest/gtest.h>

namespace {

TEST(PixmapConvertTest, EveryFormatToEveryFormatMatchesPixelByPixel) {
    const int formats[] = {PF_I8, PF_A8, PF_BGR888, PF_RGB888, PF_BGRA8888, PF_RGBA8888};
    for (int from : formats) {
        // Odd width: rows end on padding for the 1- and 3-byte formats.
        auto src = CreatePixmap(7, 3, from);
        uint32_t seed = 12345;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x) {
                seed = seed * 1103515245u + 12345u;
                src->WritePixel(x, y, seed);
            }
        for (int to : formats) {
            SCOPED_TRACE(testing::Message() << from << " -> " << to);
            auto out = ConvertPixmap(*src, to);
            ASSERT_NE(out, nullptr);
            auto expected = CreatePixmap(7, 3, to);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 7; ++x) expected->WritePixel(x, y, src->ReadPixel(x, y));
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 7; ++x) EXPECT_EQ(out->ReadPixel(x, y), expected->ReadPixel(x, y));
        }
    }
    // Pasting part of a picture into RGBA leaves the rest alone.
    auto rgb = CreatePixmap(4, 4, PF_RGB888);
    rgb->ClearPixels(0xFF102030);
    auto rgba = CreatePixmap(6, 6, PF_RGBA8888);
    rgba->ClearPixels(0x11223344);
    PastePixmap(*rgb, *rgba, 3, -1);
    EXPECT_EQ(rgba->ReadPixel(3, 0), 0xFF102030u);
    EXPECT_EQ(rgba->ReadPixel(5, 2), 0xFF102030u);
    EXPECT_EQ(rgba->ReadPixel(2, 0), 0x11223344u);
    EXPECT_EQ(rgba->ReadPixel(3, 3), 0x11223344u);
}

}  // namespace
