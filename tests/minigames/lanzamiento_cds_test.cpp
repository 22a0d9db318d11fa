// "Lanzamiento de CDs" under the rig: the real minigame on the virtual clock with scripted
// mouse and keys, figures made in code (one 40 x 100 block per character, standing on its
// position) and a 29 x 29 disc, so that who touches what can be worked out by hand.
#include "board/equipo.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"
#include "platform/input/input.h"
#include "support/minigame_fixture.h"
#include "support/rig_fixture.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

class LanzamientoCDs : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        TMiniJuego5::cargarRecursos();
        TMiniJuego5::imgCD = figuras::solido(29, 29, 0xFF40A0FF, 0, 0);
        paquetes = figuras::paquetes();
        m = TMiniJuego5::Create(figuras::conjunto(1, 2), paquetes);
    }
    void TearDown() override {
        m.reset();
        TMiniJuego5::imgCD = nullptr;
        HeadlessTest::TearDown();
    }

    void frames(int n) {
        for (int i = 0; i < n; ++i) ASSERT_EQ(m->frameJuego(), -1) << "frame " << i;
    }
    // A drag from (xa, ya) to (xb, yb) window pixels: pressed in the next frame, released
    // `frames` frames later. Runs until the release has been seen.
    void arrastrar(int xa, int ya, int xb, int yb, int duracion) {
        testrig::Script(
            {"1 mouse " + std::to_string(xa) + " " + std::to_string(ya), "1 button 1 down",
             std::to_string(1 + duracion) + " mouse " + std::to_string(xb) + " " + std::to_string(yb),
             std::to_string(1 + duracion) + " button 1 up"});
        frames(1);  // delivers the press
        frames(1);  // sees it
        ASSERT_EQ(m->jugadorRaton->apuntando, 1);
        inicioTiro = m->jugadorRaton->t;
        frames(duracion - 1);
        ASSERT_EQ(m->jugadorRaton->apuntando, 1);
        frames(1);  // sees the release
        ASSERT_EQ(m->jugadorRaton->apuntando, 0);
    }
    std::shared_ptr<T5CD> disco(double x, double y, double angulo, double velocidad) {
        return T5CD::invocar(m.get(), x, y, angulo, velocidad);
    }
    int animacion(int c) const { return m->pjsAnim[static_cast<size_t>(c)]->CurrentAnim; }
    // Texts drawn in a flip.
    std::vector<std::string> textos(int flip) {
        std::vector<std::string> out;
        for (const std::string& l : testrig::TraceOps("text"))
            if (testrig::Field(l, "flip") == std::to_string(flip)) out.push_back(testrig::Field(l, "text"));
        return out;
    }
    static bool tiene(const std::vector<std::string>& v, const std::string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    }

    TPaquetes paquetes;
    std::unique_ptr<TMiniJuego5> m;
    double inicioTiro = 0;
};

TEST_F(LanzamientoCDs, ThrowerAtTheTopOpponentsAlongTheBottomOnTwoKeysEach) {
    for (const auto& s : m->pjsAnim) ASSERT_TRUE(s) << "one playback state per character";
    m->prepararJuego(2);
    EXPECT_EQ(m->jugadorRaton->pj, 2);
    EXPECT_EQ(m->jugadorRaton->X, 512);
    EXPECT_EQ(m->jugadorRaton->Y, 140);
    EXPECT_EQ(animacion(2), 1);
    const int pj[3] = {0, 1, 3}, t1[3] = {81, 86, 79}, t2[3] = {87, 66, 80};
    for (int k = 0; k < 3; ++k) {
        const T5Jugador& j = *m->jugadores[static_cast<size_t>(k)];
        EXPECT_EQ(j.pj, pj[k]);
        EXPECT_EQ(j.X, 256 * (k + 1));
        EXPECT_EQ(j.Y, 760);
        EXPECT_EQ(j.tecla1, t1[k]);
        EXPECT_EQ(j.tecla2, t2[k]);
        EXPECT_EQ(animacion(pj[k]), 8) << "opponents wait";
    }
    EXPECT_EQ(m->segundosRestantes(), 30);
    frames(1);
    const std::vector<std::string> t = textos(session::FlipCount());
    EXPECT_EQ(t, (std::vector<std::string>{"PUNTOS: 0", "TIEMPO: 30"}));
    for (const std::string& l : testrig::TraceOps("text")) {
        EXPECT_EQ(testrig::Field(l, "rgb"), "[0,0,0]");
        EXPECT_EQ(testrig::Field(l, "y"), "30");
        EXPECT_EQ(testrig::Field(l, "x"), testrig::Field(l, "text") == "PUNTOS: 0" ? "10" : "890");
    }
}

TEST_F(LanzamientoCDs, QuickDragDownIsCappedAndTheDiscReachesTheBottom) {
    m->prepararJuego(0);
    m->jugadores[1]->X = 100;  // the one in the middle, out of the disc's way
    arrastrar(500, 200, 501, 500, 6);
    ASSERT_EQ(m->cds.size(), 1u);
    const T5CD& d = *m->cds.front();
    const double dt = m->now() - inicioTiro;
    ASSERT_GT(300 / dt / 60, 40) << "quick enough to be capped";
    EXPECT_NEAR(d.angulo, 89.809, 0.001);
    // Started at 1.5 times the cap of 25.06 and moved once before slowing down.
    EXPECT_NEAR(d.velocidad, 25.0552 * 1.5 * 0.95, 0.001);
    EXPECT_NEAR(d.Y, 140 + 37.583 * std::sin(89.809 * 3.14159265358979 / 180), 0.01);
    EXPECT_EQ(animacion(0), 11);
    EXPECT_EQ(m->jugadorRaton->animant, 11);

    // About 750 units in all: well past the bottom edge, 643 below the thrower.
    int f = 0;
    while (!m->cds.empty() && f < 200) {
        frames(1);
        ++f;
    }
    EXPECT_EQ(m->puntosRetador, 1);
    EXPECT_LT(f, 60);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(m->jugadores[static_cast<size_t>(k)]->animant, 8) << "nobody caught it";
}

TEST_F(LanzamientoCDs, SlowDragIsNotCappedAndUpwardDragGoesAlmostSideways) {
    m->prepararJuego(1);
    arrastrar(300, 300, 360, 380, 60);  // 100 pixels in about a second
    ASSERT_EQ(m->cds.size(), 1u);
    const double dt = m->now() - inicioTiro;
    EXPECT_NEAR(dt, 1.0, 0.05);
    EXPECT_NEAR(m->cds.front()->velocidad, 100 / dt / 60 * 1.5 * 0.95, 1e-4);
    EXPECT_NEAR(m->cds.front()->angulo, 53.130, 0.001);
    m->cds.clear();

    arrastrar(300, 300, 310, 200, 6);
    ASSERT_EQ(m->cds.size(), 1u);
    EXPECT_EQ(m->jugadorRaton->y2, 1);
    EXPECT_NEAR(m->cds.front()->angulo, 5.7106, 0.001);
    // The speed comes from the drag as turned: 10 across and 1 down.
    const double dt2 = m->now() - inicioTiro;
    EXPECT_NEAR(m->cds.front()->velocidad, std::sqrt(101.0) / dt2 / 60 * 1.5 * 0.95, 1e-4);

    double v = 0, a = 0;
    T5JugadorRaton::calcularTiro(-173, 100, 0.01, 60, v, a);
    EXPECT_NEAR(a, 149.97, 0.01);
    EXPECT_NEAR(v, 49.98, 0.01) << "60 degrees off the vertical: capped at about 50";
    T5JugadorRaton::calcularTiro(3, 4, 0, 60, v, a);
    EXPECT_NEAR(v, 25 * std::pow(2, (90 - a) / 60), 1e-9) << "no time between press and release";
}

TEST_F(LanzamientoCDs, ClickOrStraightDragThrowsNothingAndTheThrowerStandsAgain) {
    m->prepararJuego(0);
    testrig::Script({"1 mouse 500 200", "1 button 1 down", "3 button 1 up"});
    frames(2);
    EXPECT_EQ(animacion(0), 9) << "aiming while the button is held";
    frames(2);
    EXPECT_TRUE(m->cds.empty());
    EXPECT_EQ(animacion(0), 1);
    EXPECT_EQ(m->jugadorRaton->animant, 1);

    arrastrar(500, 200, 500, 500, 6);
    EXPECT_TRUE(m->cds.empty()) << "exactly straight down";
    arrastrar(500, 200, 700, 200, 6);
    EXPECT_TRUE(m->cds.empty()) << "exactly sideways";
    EXPECT_EQ(animacion(0), 1);

    // After a throw the thrower shows it for at least half a second, then stands.
    arrastrar(500, 200, 520, 400, 4);
    ASSERT_EQ(m->cds.size(), 1u);
    const double lanzado = m->jugadorRaton->tiempoPostura;
    while (animacion(0) == 11) frames(1);
    EXPECT_EQ(animacion(0), 1);
    EXPECT_GE(m->now() - lanzado, 0.5);
    EXPECT_LT(m->now() - lanzado, 0.55);
}

TEST_F(LanzamientoCDs, DiscsBounceOffTheWallsSlowDownAndLieStill) {
    m->prepararJuego(0);
    auto derecha = disco(1015, 300, 30, 10);
    derecha->UpdateState();
    EXPECT_NEAR(derecha->angulo, 150, 1e-9);
    EXPECT_NEAR(derecha->velocidad, 10 * 0.95, 1e-6) << "the bounce keeps the speed";
    auto izquierda = disco(15, 300, 150, 10);
    izquierda->UpdateState();
    EXPECT_NEAR(izquierda->angulo, 30, 1e-9);
    EXPECT_LT(izquierda->X, 12.0) << "not pushed back inside";
    izquierda->UpdateState();
    EXPECT_NEAR(izquierda->angulo, 30, 1e-9) << "heading back in: no second bounce";

    // Twenty times its starting speed in all, then it lies still and stays on the floor.
    auto lento = disco(100, 300, 0, 10);
    for (int i = 0; i < 300; ++i) lento->UpdateState();
    EXPECT_EQ(lento->velocidad, 0.0);
    EXPECT_NEAR(lento->X, 300, 0.3);
    EXPECT_TRUE(lento->enElSuelo());

    // Off the top: gone without a point.
    auto arriba = disco(500, 0, -90, 20);
    arriba->UpdateState();
    EXPECT_FALSE(arriba->enElSuelo());
    EXPECT_EQ(m->puntosRetador, 0);
    EXPECT_EQ(m->cds.size(), 3u);
    arriba->destruir();  // twice is harmless
    EXPECT_EQ(m->cds.size(), 3u);

    // Every disc on the floor is drawn, flattened, with its centre handle.
    frames(1);
    int dibujados = 0;
    for (const std::string& l : testrig::TraceOps("image")) {
        if (testrig::Field(l, "src") != "created 29x29") continue;
        ++dibujados;
        EXPECT_EQ(testrig::Field(l, "scale"), "[1,0.8]");
        EXPECT_EQ(testrig::Field(l, "handle"), "[14.5,14.5]");
        EXPECT_EQ(testrig::Field(l, "blend"), "3");
    }
    EXPECT_EQ(dibujados, 3);
}

TEST_F(LanzamientoCDs, OpponentsWalkOnTheirKeysLeftWinsAndTheFloorHasEdges) {
    m->prepararJuego(3);  // opponents 0, 1, 2 are characters 0, 1, 2
    testrig::Script({"1 key Q down", "1 key B down", "1 key O down", "1 key P down"});
    frames(1);
    frames(3);
    EXPECT_EQ(m->jugadores[0]->X, 256 - 15);
    EXPECT_EQ(m->jugadores[1]->X, 512 + 15);
    EXPECT_EQ(m->jugadores[2]->X, 768 - 15) << "both keys held: left";
    EXPECT_EQ(animacion(0), 2);
    EXPECT_EQ(animacion(1), 7);
    EXPECT_EQ(animacion(2), 2);

    testrig::Script({"1 key Q up", "1 key B up"});
    frames(2);
    EXPECT_EQ(m->jugadores[0]->velocidad, 0);
    EXPECT_EQ(animacion(0), 8);
    EXPECT_EQ(animacion(1), 8);

    m->jugadores[2]->X = 20;
    frames(3);
    EXPECT_EQ(m->jugadores[2]->X, 12);
    testrig::Script({"1 key O up", "1 key B down"});
    m->jugadores[1]->X = 1005;
    frames(3);
    EXPECT_EQ(m->jugadores[1]->X, 1012);
    EXPECT_EQ(animacion(1), 7);
}

TEST_F(LanzamientoCDs, CloseDiscsAreCaughtLowOnesScoreFirst) {
    m->prepararJuego(0);  // opponent 0 (character 1) stands at 256: block 236..276 x 660..760
    // Lying on the opponent but not low enough to be caught.
    auto alto = disco(256, 680, 90, 0);
    // Crosses the bottom edge in its own update: a point, before any catch.
    auto abajo = disco(256, 770, 90, 20);
    frames(1);
    EXPECT_EQ(m->puntosRetador, 1);
    EXPECT_FALSE(abajo->enElSuelo());
    EXPECT_TRUE(alto->enElSuelo());
    EXPECT_EQ(m->jugadores[0]->animant, 8);

    // Sliding into his legs: caught, no point.
    auto cogido = disco(256, 690, 90, 10);
    frames(1);
    EXPECT_FALSE(cogido->enElSuelo());
    EXPECT_EQ(m->puntosRetador, 1);
    EXPECT_EQ(m->jugadores[0]->animant, 10);
    EXPECT_EQ(animacion(1), 10);
    EXPECT_TRUE(alto->enElSuelo());

    // The catch ends, and he waits again.
    while (animacion(1) == 10) frames(1);
    EXPECT_EQ(animacion(1), 8);

    // Close, but not touching: 276 + 14.5 < 291.
    auto cerca = disco(291, 700, 90, 0);
    frames(2);
    EXPECT_TRUE(cerca->enElSuelo());
    // Walking into a disc lying still on the floor catches it.
    testrig::Script({"1 key W down"});
    frames(2);
    EXPECT_FALSE(cerca->enElSuelo());
    EXPECT_EQ(m->cds.size(), 1u);

    // Without a disc picture nothing can be caught, and nothing breaks.
    TMiniJuego5::imgCD = nullptr;
    auto ciego = disco(m->jugadores[0]->X, 700, 90, 0);
    frames(2);
    EXPECT_TRUE(ciego->enElSuelo());
}

TEST_F(LanzamientoCDs, WithoutFiguresOrPicturesThePlayStillRuns) {
    m = TMiniJuego5::Create(nullptr, TPaquetes{});
    TMiniJuego5::imgCD = nullptr;
    m->prepararJuego(0);
    testrig::Script({"1 key Q down"});
    arrastrar(500, 200, 600, 500, 4);
    EXPECT_EQ(m->cds.size(), 1u);
    EXPECT_LT(m->jugadores[0]->X, 256) << "walks without a figure";
    for (int i = 0; i < 60; ++i) frames(1);
    EXPECT_EQ(m->puntosRetador, 1);
}

TEST_F(LanzamientoCDs, TenthPointWinsOnceAndTheClosingSceneLastsFiveSeconds) {
    m->prepararJuego(0);
    frames(60);
    m->puntosRetador = 8;
    m->sumaPunto();
    EXPECT_EQ(m->win, 0);
    m->sumaPunto();
    EXPECT_EQ(m->win, 1);
    const double decidido = m->timer;
    EXPECT_NEAR(decidido, m->now(), 1e-6);
    EXPECT_EQ(m->jugadorRaton->Status, 2);
    EXPECT_EQ(animacion(0), 5);
    for (auto& j : m->jugadores) {
        EXPECT_EQ(j->Status, 1);
        EXPECT_EQ(animacion(j->pj), 6);
    }
    // A disc in flight still counts, but changes nothing.
    disco(700, 780, 90, 10);
    frames(1);
    EXPECT_EQ(m->puntosRetador, 11);
    EXPECT_EQ(m->timer, decidido);
    EXPECT_EQ(textos(session::FlipCount()), (std::vector<std::string>{"PUNTOS: 11", "BIEN HECHO!"}));
    for (const std::string& l : testrig::TraceOps("text"))
        if (testrig::Field(l, "text") == "BIEN HECHO!") {
            EXPECT_EQ(testrig::Field(l, "rgb"), "[255,255,255]");
            EXPECT_EQ(testrig::Field(l, "x"), "270");
            EXPECT_EQ(testrig::Field(l, "y"), "344");
        }

    // Frozen in their end poses: the keys do nothing now.
    testrig::Script({"1 key Q down"});
    int r = -1;
    while ((r = m->frameJuego()) < 0) {
    }
    EXPECT_EQ(r, 1);
    EXPECT_GE(m->now() - decidido, 5.0);
    EXPECT_LT(m->now() - decidido, 5.02);
    EXPECT_EQ(m->jugadores[0]->X, 256);
}

TEST_F(LanzamientoCDs, CounterShowsZeroForASecondThenTimeIsUp) {
    m->prepararJuego(0);
    const int base = session::FlipCount();
    int r = -1;
    while ((r = m->frameJuego()) < 0 && m->timeOut == 0) {
    }
    ASSERT_EQ(m->timeOut, 1);
    EXPECT_EQ(m->win, 0);
    EXPECT_EQ(m->jugadorRaton->Status, 1);
    EXPECT_EQ(animacion(0), 6);
    for (auto& j : m->jugadores) {
        EXPECT_EQ(j->Status, 2);
        EXPECT_EQ(animacion(j->pj), 5);
    }
    EXPECT_NEAR(m->timer - m->tiempoIni, 31, 0.02);

    int ceros = 0, primero = 0, agotado = 0;
    for (const std::string& l : testrig::TraceOps("text")) {
        const std::string t = testrig::Field(l, "text");
        if (t == "TIEMPO: 0") ++ceros;
        if (t == "TIEMPO: 30" && !primero) primero = std::stoi(testrig::Field(l, "flip")) - base;
        if (t == "TIEMPO AGOTADO") ++agotado;
    }
    EXPECT_EQ(primero, 1);
    EXPECT_NEAR(ceros, 60, 2) << "a whole second";
    EXPECT_EQ(agotado, 1);
    EXPECT_EQ(textos(session::FlipCount()), (std::vector<std::string>{"PUNTOS: 0", "TIEMPO AGOTADO"}));

    m->sumaPunto();
    EXPECT_EQ(m->puntosRetador, 0) << "no points after time-out";
    while ((r = m->frameJuego()) < 0) {
    }
    EXPECT_EQ(r, 0);
}

TEST_F(LanzamientoCDs, EscapeHitEndsAtOnceWithOne) {
    m->prepararJuego(0);
    frames(3);
    const int flips = session::FlipCount();
    input::KeyEvent(KEY_ESCAPE, true);
    input::KeyEvent(KEY_ESCAPE, false);
    EXPECT_EQ(m->frameJuego(), 1);
    EXPECT_EQ(session::FlipCount(), flips) << "nothing of the frame is drawn";
    EXPECT_EQ(m->frameJuego(), -1) << "a hit is used once";

    // With "TIEMPO AGOTADO" on screen, Escape cuts the closing scene short but the play
    // stays lost.
    m->tiempoIni -= 31;
    frames(1);
    ASSERT_EQ(m->timeOut, 1);
    input::KeyEvent(KEY_ESCAPE, true);
    EXPECT_EQ(m->frameJuego(), 0);
}

// The whole play as a new user meets it, with the game's pictures and fonts: the two
// explanation pages, ten quick throws past the opponents, the closing scene, result 1.
TEST_F(LanzamientoCDs, TenThrowsPastTheOpponentsWin) {
    testrig::UseDataDir();
    TMiniJuego5::cargarRecursos();
    ASSERT_TRUE(TMiniJuego5::imgCD);
    std::vector<std::string> guion;
    for (int f = 1; f <= 600; ++f) guion.push_back(std::to_string(f) + " type x");
    for (int f = 1; f < 3000; f += 12) {
        // 100 right and 300 down in 5 frames: capped at 30.8, past opponent 2's left side.
        guion.push_back(std::to_string(f) + " mouse 400 100");
        guion.push_back(std::to_string(f) + " button 1 down");
        guion.push_back(std::to_string(f + 5) + " mouse 500 400");
        guion.push_back(std::to_string(f + 5) + " button 1 up");
    }
    testrig::Script(guion);
    auto equipo = TEquipo::Create(4);
    equipo->turno = 3;
    EXPECT_EQ(m->iniciarJuego(*equipo), 1);
    EXPECT_EQ(m->win, 1);
    EXPECT_GE(m->puntosRetador, 10);
    EXPECT_EQ(m->jugadorRaton->pj, 3);
    EXPECT_EQ(animacion(3), 5);

    int titulos = 0, puntos = 0, bien = 0;
    for (const std::string& l : testrig::TraceOps("text")) {
        const std::string t = testrig::Field(l, "text");
        if (t == "LANZAMIENTO DE CD's") ++titulos;
        if (t.rfind("PUNTOS: ", 0) == 0) {
            ++puntos;
            EXPECT_EQ(testrig::Field(l, "font"), "comic.ttf@20");
        }
        if (t == "BIEN HECHO!") {
            ++bien;
            EXPECT_EQ(testrig::Field(l, "font"), "comic.ttf@50");
        }
    }
    EXPECT_GT(titulos, 0) << "the explanation pages came first";
    EXPECT_NEAR(bien, 5 * 60, 3) << "five seconds of closing scene";
    EXPECT_GT(puntos, bien);
    bool fondo = false;
    for (const std::string& l : testrig::TraceOps("image"))
        if (testrig::Field(l, "src").find("fondo-minijuego5.png") != std::string::npos) fondo = true;
    EXPECT_TRUE(fondo);
}

}  // namespace
