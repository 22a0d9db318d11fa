#include "board/tablero.h"
#include "platform/base/errors.h"
#include "platform/base/random.h"
#include "platform/video/render.h"
#include "support/rig_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

std::string mensajeDe(int nCasillas, int nGames, int nSpecial) {
    try {
        TTablero::Create(nCasillas, nGames, nSpecial);
    } catch (const GameError& e) {
        return e.what();
    }
    return "";
}

TEST(Tablero, KindCountsAreLimitedToFiftyEachMinigamesCheckedFirst) {
    EXPECT_EQ(mensajeDe(20, 50, 50), "");
    EXPECT_EQ(mensajeDe(20, 51, 0), "TTablero::Create nGames > MAX_GAMES");
    EXPECT_EQ(mensajeDe(20, 51, 51), "TTablero::Create nGames > MAX_GAMES");
    EXPECT_EQ(mensajeDe(20, 0, 51), "TTablero::Create nSpecial > MAX_SPECIAL");
}

// Every board the match can ask for (and up to the grid's reach) is one path of
// adjacent cells from (85, 85), start and finish at its ends, kinds of the match's urn
// in between, and the grid showing exactly the squares.
TEST(Tablero, PathIsOneChainOfAdjacentCellsCarryingTheSquareKinds) {
    const std::set<int> medio{10, 11, 12, 13, 14, 60, 61};
    for (int semilla = 1; semilla <= 60; ++semilla) {
        SeedRnd(semilla);
        const int n = 18 + (semilla * 7) % 68;  // 18 .. 85
        auto t = TTablero::Create(n, 5, 2);
        SCOPED_TRACE("seed " + std::to_string(semilla) + ", " + std::to_string(n) + " squares");
        ASSERT_EQ(t->getNCasillas(), n);
        EXPECT_EQ(t->getCasilla(0), 0);
        EXPECT_EQ(t->getCasilla(n - 1), 1);
        EXPECT_EQ(t->getCasilla(n), -1);
        EXPECT_EQ(t->getCasilla(-1), -1);
        EXPECT_EQ(t->getCasillaX(-1), -1);
        EXPECT_EQ(t->getCasillaY(n), -1);
        EXPECT_EQ(t->getCasillaX(0), 85);
        EXPECT_EQ(t->getCasillaY(0), 85);

        std::set<std::pair<int, int>> celdas;
        for (int k = 0; k < n; ++k) {
            const int x = t->getCasillaX(k), y = t->getCasillaY(k);
            if (k > 0 && k < n - 1) {
                EXPECT_TRUE(medio.count(t->getCasilla(k))) << "square " << k;
            }
            EXPECT_TRUE(celdas.insert({x, y}).second) << "square " << k << " reuses a cell";
            EXPECT_EQ(t->getPos(x, y), t->getCasilla(k));
            if (k > 0) {
                const int dx = std::abs(x - t->getCasillaX(k - 1)), dy = std::abs(y - t->getCasillaY(k - 1));
                EXPECT_EQ(dx + dy, 1) << "squares " << k - 1 << " and " << k << " are not neighbours";
            }
        }
        int ocupadas = 0;
        for (int y = 0; y < TTablero::LADO; ++y)
            for (int x = 0; x < TTablero::LADO; ++x)
                if (t->getPos(x, y) != -1) ++ocupadas;
        EXPECT_EQ(ocupadas, n) << "cells given up in dead ends must read -1";
    }
}

TEST(Tablero, UrnFavoursMinigamesTwoToOneOverEachSpecialKind) {
    SeedRnd(7);
    std::map<int, int> cuenta;
    int total = 0;
    for (int b = 0; b < 300; ++b) {
        auto t = TTablero::Create(30, 5, 2);
        for (int k = 1; k < 29; ++k, ++total) ++cuenta[t->getCasilla(k)];
    }
    // 8400 draws: each minigame kind about 2/12, each special kind about 1/12.
    for (int c = 10; c <= 14; ++c) EXPECT_NEAR(cuenta[c] / double(total), 2.0 / 12, 0.02) << c;
    for (int c : {60, 61}) EXPECT_NEAR(cuenta[c] / double(total), 1.0 / 12, 0.015) << c;
}

TEST(Tablero, KindCodesFollowTheKindCounts) {
    SeedRnd(3);
    auto soloJuego = TTablero::Create(25, 1, 0);
    for (int k = 1; k < 24; ++k) EXPECT_EQ(soloJuego->getCasilla(k), 10);
    auto soloEspeciales = TTablero::Create(25, 0, 3);
    for (int k = 1; k < 24; ++k) {
        EXPECT_GE(soloEspeciales->getCasilla(k), 60);
        EXPECT_LE(soloEspeciales->getCasilla(k), 62);
    }
    // Drawn without replacement: a board of 40 with one kind of each holds 38 draws from
    // an urn of 80 minigames and 40 specials.
    auto mezcla = TTablero::Create(40, 1, 1);
    int juegos = 0;
    for (int k = 1; k < 39; ++k) juegos += mezcla->getCasilla(k) == 10;
    EXPECT_GT(juegos, 15);
    EXPECT_LT(juegos, 38);
}

TEST(Tablero, DegenerateSizesStayInsideTheirArrays) {
    auto uno = TTablero::Create(1, 5, 2);
    EXPECT_EQ(uno->getNCasillas(), 1);
    EXPECT_EQ(uno->getCasilla(0), 0);
    EXPECT_EQ(uno->getPos(85, 85), 0);
    auto dos = TTablero::Create(2, 5, 2);
    EXPECT_EQ(dos->getCasilla(1), 1);
    auto vacio = TTablero::Create(0, 5, 2);
    EXPECT_EQ(vacio->getNCasillas(), 0);
    EXPECT_EQ(vacio->getPos(85, 85), -1);
    // Cells beyond the grid hold no square.
    EXPECT_EQ(dos->getPos(-1, 0), -1);
    EXPECT_EQ(dos->getPos(0, 170), -1);
    // A board longer than the grid can hold near its middle still keeps to the grid.
    SeedRnd(11);
    auto largo = TTablero::Create(400, 5, 2);
    for (int k = 0; k < 400; ++k) {
        EXPECT_GE(largo->getCasillaX(k), 0);
        EXPECT_LT(largo->getCasillaX(k), 170);
    }
    // With no kinds to draw from, a board with middle squares cannot be made.
    EXPECT_THROW(TTablero::Create(10, 0, 0), GameError);
}

class TableroDibujo : public testrig::HeadlessTest {};

TEST_F(TableroDibujo, NumbersStartAtOneOverEachSquare) {
    SeedRnd(5);
    auto t = TTablero::Create(20, 5, 2);
    auto cam = TCamera::Create();
    cam->setPosition(85 * 128 + 10, 85 * 128 + 100);  // square 0's number at the centre
    cam->setZoom(0.05f);                              // the whole board in view
    SetColor(1, 2, 3);
    SetAlpha(0.3f);
    SetBlend(SOLIDBLEND);
    SetTransform(15, 1, 1);
    t->dibujarNumeros(*cam);

    auto textos = testrig::TraceOps("text");
    ASSERT_EQ(textos.size(), 20u);
    for (int k = 0; k < 20; ++k) {
        const std::string& l = textos[static_cast<size_t>(k)];
        EXPECT_EQ(testrig::Field(l, "text"), std::to_string(k + 1));
        EXPECT_EQ(testrig::Field(l, "font"), "builtin");
        EXPECT_EQ(testrig::Field(l, "rgb"), "[255,255,255]");
        EXPECT_NEAR(std::stod(testrig::Field(l, "alpha")), 0.8, 0.01);
        EXPECT_EQ(testrig::Field(l, "blend"), "3");
        EXPECT_EQ(testrig::Field(l, "rot"), "0");
        EXPECT_EQ(testrig::Field(l, "scale"), "[0.1,0.075]");  // (2, 1.5) at zoom 0.05
        const double ex = 511.5 + (t->getCasillaX(k) - 85) * 128 * 0.05;
        const double ey = 383.5 + (t->getCasillaY(k) - 85) * 128 * 0.05;
        EXPECT_NEAR(std::stod(testrig::Field(l, "x")), ex, 1e-3) << k;
        EXPECT_NEAR(std::stod(testrig::Field(l, "y")), ey, 1e-3) << k;
    }
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r * 10000 + g * 100 + b, 10203);
    EXPECT_NEAR(GetAlpha(), 0.3f, 0.01f);
    EXPECT_EQ(GetBlend(), SOLIDBLEND);
    EXPECT_EQ(GetRotation(), 15.0f);

    // At zoom 1 only the squares near the camera are drawn.
    rig::CapturedTrace().clear();
    cam->setZoom(1);
    t->dibujarNumeros(*cam);
    auto cerca = testrig::TraceOps("text");
    EXPECT_GE(cerca.size(), 1u);
    EXPECT_LE(cerca.size(), 20u);
    EXPECT_EQ(testrig::Field(cerca.at(0), "text"), "1");
}

}  // namespace
