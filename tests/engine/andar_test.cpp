#include "engine/andar.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct Paso {
    float x, y;
    int anim;
    bool operator==(const Paso&) const = default;
};

// Walks a figure from (x, y) toward (xMeta, yMeta) the way the minigames do, one step a
// frame on each axis, until it stands still; the positions and animations it shows.
std::vector<Paso> caminar(float x, float y, int& xMeta, int& yMeta, float paso) {
    std::vector<Paso> pasos;
    for (int frame = 0; frame < 100; ++frame) {
        const float x0 = x, y0 = y;
        andar::pasoHacia(x, xMeta, paso);
        andar::pasoHacia(y, yMeta, paso);
        pasos.push_back({x, y, andar::animacion(x0, y0, x, y, andar::ANIM_QUIETO)});
        if (x == x0 && y == y0) break;
    }
    return pasos;
}
}  // namespace

TEST(Andar, AWalkStepsOnBothAxesShowsTheSidewaysWalkAndStopsShortOfTheGoal) {
    int xMeta = 10, yMeta = -5;
    const std::vector<Paso> pasos = caminar(0.5f, 0, xMeta, yMeta, 4);
    // Moving sideways at all shows the sideways walk; once the sideways goal is within a
    // step only the vertical walk is left; closer than a step on both, the figure stands.
    const std::vector<Paso> esperado = {
        {4.5f, -4, andar::ANIM_DERECHA}, {8.5f, -4, andar::ANIM_DERECHA}, {8.5f, -4, andar::ANIM_QUIETO}};
    EXPECT_EQ(pasos, esperado);
    // The goals become where the figure stopped, truncated.
    EXPECT_EQ(xMeta, 8);
    EXPECT_EQ(yMeta, -4);

    // Back down and to the left: the sideways walk shows until the sideways goal is
    // reached, then the walk down.
    xMeta = 0, yMeta = 12;
    const std::vector<Paso> vuelta = {{4.5f, 0, andar::ANIM_IZQUIERDA},
                                      {0.5f, 4, andar::ANIM_IZQUIERDA},
                                      {0.5f, 8, andar::ANIM_ABAJO},
                                      {0.5f, 12, andar::ANIM_ABAJO},
                                      {0.5f, 12, andar::ANIM_QUIETO}};
    EXPECT_EQ(caminar(8.5f, -4, xMeta, yMeta, 4), vuelta);
    EXPECT_EQ(xMeta, 0);
    EXPECT_EQ(yMeta, 12);
}

TEST(Andar, AStepInPlaceShowsWhatTheCallerStandsWith) {
    EXPECT_EQ(andar::animacion(3, 3, 3, 3, 8), 8);
    EXPECT_EQ(andar::animacion(3, 3, 3, 2, 8), andar::ANIM_ARRIBA);
    EXPECT_EQ(andar::animacion(0, 0, -5, 0, 8), andar::ANIM_IZQUIERDA);
}
