#include "engine/mapa.h"
#include "platform/platform.h"
#include "support/rig_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

TEST(Mapa, GetTileOutsideTheMapIs255) {
    TMapaPtr m = TMapa::Create(4, 3, 128);
    m->Rellenar(7);
    m->setTile(3, 2, 9);
    EXPECT_EQ(m->getTile(3, 2), 9);
    EXPECT_EQ(m->getTile(0, 0), 7);
    EXPECT_EQ(m->getTile(-1, 0), 255);
    EXPECT_EQ(m->getTile(0, -1), 255);
    EXPECT_EQ(m->getTile(4, 0), 255);
    EXPECT_EQ(m->getTile(0, 3), 255);
    EXPECT_EQ(m->mapa.size(), 3u);
    EXPECT_EQ(m->mapa[0].size(), 4u);
}

TEST(Mapa, CenterUsesIntegerHalves) {
    TMapaPtr m = TMapa::Create(170, 170, 128);
    m->center();
    EXPECT_EQ(m->getCamera()->getX(), 10880.0f);
    EXPECT_EQ(m->getCamera()->getY(), 10880.0f);
    TMapaPtr p = TMapa::Create(3, 3, 5);
    p->center();
    EXPECT_EQ(p->getCamera()->getX(), 7.0f);
    EXPECT_EQ(p->getCamera()->getY(), 7.0f);
    EXPECT_NE(m->getCamera(), p->getCamera()) << "each map has its own camera";
}

TEST(Mapa, GenerarSalaInvariantsOverManySeeds) {
    for (int seed = 1; seed <= 300; ++seed) {
        SeedRnd(seed);
        const int w = 20 + seed % 25, h = 5 + seed % 30;
        TMapaPtr m = TMapa::GenerarSala(w, h);
        ASSERT_EQ(m->getTileSize(), 128);
        for (int r = 0; r < h; ++r) {
            int unos = 0, primero = -1, ultimo = -1;
            for (int c = 0; c < w; ++c) {
                const uint8_t t = m->getTile(c, r);
                ASSERT_TRUE(t == 0 || t == 1) << "seed " << seed;
                if (t == 1) {
                    if (primero < 0) primero = c;
                    ultimo = c;
                    ++unos;
                }
            }
            if (!unos) continue;
            // One run of 1s: starts in the first third, ends before the last column,
            // at least six long.
            ASSERT_EQ(ultimo - primero + 1, unos) << "seed " << seed;
            ASSERT_GE(primero, 1);
            ASSERT_LE(primero, w / 3);
            ASSERT_LE(ultimo, w - 2);
            ASSERT_GE(unos, 6);
            // Bands are two rows high, the same run in both, then a row of 0s.
            ASSERT_LT(r + 1, h) << "seed " << seed;
            for (int c = 0; c < w; ++c) ASSERT_EQ(m->getTile(c, r + 1), m->getTile(c, r)) << "seed " << seed;
            if (r + 2 < h) {
                for (int c = 0; c < w; ++c) ASSERT_EQ(m->getTile(c, r + 2), 0) << "seed " << seed;
            }
            r += 2;
        }
    }
}

TEST(Mapa, RandomTableAndWallCodes) {
    SeedRnd(5);
    std::set<int> mesas, paredes;
    for (int i = 0; i < 2000; ++i) {
        mesas.insert(TMapa::getMesaAleatoria());
        paredes.insert(TMapa::getParedAleatoria());
    }
    EXPECT_EQ(mesas, (std::set<int>{13, 14, 15, 16, 17, 18, 19, 20}));
    EXPECT_EQ(paredes, (std::set<int>{27, 28, 29, 30}));
}

class MapaRender : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        guardadas = TMapa::tiles();
        for (int i = 0; i < TMapa::NUM_FIJAS; ++i) TMapa::tiles()[i] = CreateImage(128, 128, 1, 0);
    }
    void TearDown() override {
        TMapa::tiles() = guardadas;
        HeadlessTest::TearDown();
    }
    std::array<TImagePtr, TMapa::NUM_TILES> guardadas;
};

// What the camera alone would draw: every cell that passes its distance test.
int celdasVisibles(const TMapa& m) {
    int n = 0;
    for (int r = 0; r < m.height; ++r) {
        for (int c = 0; c < m.width; ++c) {
            if (m.getTile(c, r) <= 30 &&
                m.camara->isVisible(float(c * m.tilesize), float(r * m.tilesize), std::hypot(128.0, 128.0)))
                ++n;
        }
    }
    return n;
}

TEST_F(MapaRender, DrawsExactlyTheCellsTheCameraCanShow) {
    TMapaPtr m = TMapa::Create(170, 170, 128);
    m->Rellenar(9);
    m->center();
    struct Vista {
        float x, y, zoom, angle;
    };
    const Vista vistas[] = {{10880, 10880, 1, 0},     {300, 200, 1, 33},    {21700, 50, 0.5f, 200},
                            {10000, 9000, 3, 359.9f}, {-5000, -5000, 1, 0}, {10880, 10880, 0.1f, 0}};
    for (const Vista& v : vistas) {
        m->camara->setPosition(v.x, v.y);
        m->camara->setZoom(v.zoom);
        m->camara->setAngle(v.angle);
        rig::CapturedTrace().clear();
        m->Render();
        EXPECT_EQ(static_cast<int>(testrig::TraceOps("image").size()), celdasVisibles(*m))
            << "camera at " << v.x << "," << v.y << " zoom " << v.zoom;
    }
}

// Here only the 31 pictures of the original board are loaded.
TEST_F(MapaRender, CodesWithoutAPictureDrawNothingAndTheStateIsKept) {
    TMapaPtr m = TMapa::Create(3, 1, 128);
    m->setTile(0, 0, 30);
    m->setTile(1, 0, 31);
    m->setTile(2, 0, 255);
    SetColor(10, 20, 30);
    SetAlpha(0.5f);
    SetBlend(LIGHTBLEND);
    SetTransform(15, 2, 3);
    rig::CapturedTrace().clear();
    m->Render();
    EXPECT_EQ(testrig::TraceOps("image").size(), 1u);
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r + g * 1000 + b * 1000000, 10 + 20000 + 30000000);
    EXPECT_NEAR(GetAlpha(), 0.5f, 0.01f);
    EXPECT_EQ(GetBlend(), LIGHTBLEND);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_EQ(GetRotation(), 15.0f);
    EXPECT_EQ(sx, 2.0f);
    EXPECT_EQ(sy, 3.0f);
}

}  // namespace
