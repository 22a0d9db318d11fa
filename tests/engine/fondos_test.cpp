#include "engine/gl.h"
#include "platform/platform.h"
#include "support/rig_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string leer(const std::string& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

class Fondos : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        previo = std::filesystem::current_path();
        std::filesystem::current_path(testrig::ScratchDir("fondos"));
        std::filesystem::create_directories("artwork");
    }
    void TearDown() override {
        std::filesystem::current_path(previo);
        HeadlessTest::TearDown();
    }
    std::filesystem::path previo;
};

// The stripes follow from the seed alone: replaying the same draws in the documented
// order gives every stripe's colour, top and height.
TEST_F(Fondos, FondoRaroDrawsTheSeededStripesAndWritesThePicture) {
    SeedRnd(1234);
    rig::CapturedTrace().clear();
    TImagePtr img = GL::crearFondoRaro(200, 40, 0, 20, 60, 220);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->width, 1024);
    EXPECT_EQ(img->height, 768);
    EXPECT_EQ(img->FrameCount(), 8);

    std::vector<std::string> rects = testrig::TraceOps("rect");
    SeedRnd(1234);
    const int n = Rand(500, 1000);
    ASSERT_EQ(rects.size(), static_cast<size_t>(n + 2)) << "one fill and n + 1 stripes";
    EXPECT_EQ(testrig::Field(rects[0], "rgb"), "[110,50,110]");
    for (int i = 0; i <= n; ++i) {
        const float t = static_cast<float>(Rnd(0, 1.0001));
        const int r = static_cast<int>(200 * (1 - t) + 20 * t);
        const int g = static_cast<int>(40 * (1 - t) + 60 * t);
        const int b = static_cast<int>(220 * t);
        Rnd(0.25, 0.65);
        const float alto = static_cast<float>(Rnd(0, 2.5));
        const float arriba = static_cast<float>(Rnd(0, 768));
        const std::string& line = rects[i + 1];
        ASSERT_EQ(testrig::Field(line, "rgb"),
                  "[" + std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b) + "]")
            << "stripe " << i;
        ASSERT_NEAR(std::stof(testrig::Field(line, "y")), arriba, 1e-3) << "stripe " << i;
        ASSERT_NEAR(std::stof(testrig::Field(line, "h")), alto, 1e-3) << "stripe " << i;
        ASSERT_EQ(testrig::Field(line, "blend"), "4");
    }

    TPixmapPtr png = LoadPixmap("artwork/fondoraro.png");
    ASSERT_TRUE(png);
    EXPECT_EQ(png->width, 1024);
    EXPECT_EQ(png->height, 768);
}

TEST_F(Fondos, SameSeedSameFilesAndTheSecondStaysInItsColourRange) {
    SeedRnd(77);
    GL::crearFondoMasRaro();
    const std::string primera = leer("artwork/fondomasraro.png");
    ASSERT_FALSE(primera.empty());
    std::vector<std::string> rects = testrig::TraceOps("rect");
    ASSERT_GE(rects.size(), 502u);
    EXPECT_EQ(testrig::Field(rects[0], "rgb"), "[100,100,100]");
    for (size_t i = 1; i < rects.size(); ++i) {
        const std::string rgb = testrig::Field(rects[i], "rgb");
        int r, g, b;
        ASSERT_EQ(std::sscanf(rgb.c_str(), "[%d,%d,%d]", &r, &g, &b), 3);
        ASSERT_TRUE(r >= 50 && r <= 125 && g >= 50 && g <= 125 && b >= 50 && b <= 125) << rgb;
    }

    SeedRnd(77);
    GL::crearFondoMasRaro();
    EXPECT_EQ(leer("artwork/fondomasraro.png"), primera);
    SeedRnd(78);
    GL::crearFondoMasRaro();
    EXPECT_NE(leer("artwork/fondomasraro.png"), primera);
}

}  // namespace
