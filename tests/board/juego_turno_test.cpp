// A turn of the match: the roulette, the walk and its end, the winner, and whole
// matches driven by scripted presses.
#include "board/juego_fixture.h"
#include "platform/input/input.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using partida::PartidaTest;

class Turno : public PartidaTest {
   protected:
    // Rotation of the wheel on each flip, in flip order.
    static std::vector<double> angulosRuleta() {
        std::vector<double> out;
        for (const std::string& l : testrig::TraceOps("image"))
            if (testrig::Field(l, "src") == "artwork/ruleta-de-la-muerte.png")
                out.push_back(std::stod(testrig::Field(l, "rot")));
        return out;
    }
    // Flips on which the prompt was shown.
    static std::vector<int> flipsConAviso() {
        std::vector<int> out;
        for (const std::string& l : testrig::TraceOps("text"))
            if (testrig::Field(l, "text") == "PULSA UNA TECLA!" &&
                testrig::Field(l, "rgb") == "[255,255,255]")
                out.push_back(std::stoi(testrig::Field(l, "flip")));
        return out;
    }
    // Positions of one player, one per frame, recorded while the tokens are drawn.
    std::vector<float> posiciones;
    void espiar(TJuego& j, int slot = 0) {
        auto sonda = std::make_shared<partida::Sonda>();
        sonda->alDibujar = [this, &j, slot] {
            posiciones.push_back(j.equipo->getJugador(slot).getPosicion());
        };
        j.sprites.push_back(sonda);
    }
    float maxima() const {
        float m = 0;
        for (float p : posiciones) m = std::max(m, p);
        return m;
    }
};

TEST(Ruleta, StopsOnTheNearestSixtyHalfwayUpward) {
    struct Caso {
        float angulo;
        int tirada;
        float reposo;
    };
    const Caso casos[] = {{30, 6, 60},   {29.9f, 1, 0},  {89.9f, 6, 60}, {90, 5, 120},   {150, 4, 180},
                          {210, 3, 240}, {270, 2, 300},  {330, 1, 0},    {359.9f, 1, 0}, {390, 6, 60},
                          {-30, 1, 0},   {-29.9f, 1, 0}, {-330, 6, 60},  {7290, 5, 120}, {0, 1, 0}};
    for (const Caso& c : casos) {
        int tirada = 0;
        float reposo = -1;
        TJuego::resultadoRuleta(c.angulo, tirada, reposo);
        EXPECT_EQ(tirada, c.tirada) << c.angulo;
        EXPECT_EQ(reposo, c.reposo) << c.angulo;
    }
}

// Arrows are not typed characters: the wheel spins on, the rolling sound repeating,
// the prompt blinking every quarter second, until Escape ends the match.
TEST_F(Turno, ArrowKeysDoNotStopTheWheel) {
    auto j = partida();
    testrig::Script({"3 key Right press", "4 key Up press", "90 key Escape down"});
    j->start();
    EXPECT_EQ(testrig::TraceOps("flip").size(), 90u);
    EXPECT_EQ(j->ganado, -1);
    auto s = sonidos();
    EXPECT_EQ(veces(s, "sfx/boing.wav"), 0);
    EXPECT_GE(veces(s, "sfx/dado.wav"), 2) << "the rolling sound starts again when it ends";

    auto angulos = angulosRuleta();
    ASSERT_EQ(angulos.size(), 90u);
    for (size_t i = 1; i < angulos.size(); ++i) {
        const double paso = std::fmod(angulos[i] - angulos[i - 1] + 720, 360.0);
        EXPECT_NEAR(paso, 990.0 * 0.0167, 0.7) << i;  // clockwise at 990 degrees a second
    }
    // 90 frames = 1.5 s: the prompt shows and hides six times.
    auto aviso = flipsConAviso();
    EXPECT_GT(aviso.size(), 35u);
    EXPECT_LT(aviso.size(), 55u);
    int cambios = 0;
    for (size_t i = 1; i < aviso.size(); ++i) cambios += aviso[i] != aviso[i - 1] + 1;
    EXPECT_GE(cambios, 2);
    EXPECT_LE(cambios, 3);
}

class Parada : public Turno, public ::testing::WithParamInterface<const char*> {};

// A letter, Space, Enter or a left or right button stops the wheel: it slows for about
// 1.4 s, rests on a multiple of 60 with a boing, shows the number a second, then walks.
TEST_P(Parada, PressStopsTheWheel) {
    auto j = partida();
    for (int k = 1; k < j->tablero->getNCasillas() - 1; ++k)
        j->tablero->casillasLineal[static_cast<size_t>(k)] = 60;
    espiar(*j);
    const std::string evento = GetParam();
    std::vector<std::string> guion{"10 " + evento};
    if (evento.rfind("button", 0) == 0) guion.push_back("11 " + evento.substr(0, 9) + "up");
    testrig::Script(guion);
    const int tirada = j->girarRuleta(0);
    ASSERT_GE(tirada, 1);
    ASSERT_LE(tirada, 6);
    EXPECT_LE(flipsConAviso().size(), 10u) << "the prompt goes at the press";

    auto angulos = angulosRuleta();
    const double reposo = angulos.back();
    EXPECT_EQ(std::fmod(reposo, 60.0), 0.0);
    const int esperada = 6 - static_cast<int>(std::fmod(reposo + 300, 360.0) / 60);
    EXPECT_EQ(tirada, esperada);
    EXPECT_EQ(veces(sonidos(), "sfx/boing.wav"), 1);
    // 10 spinning frames, ~1.4 s slowing down (ends below 10 degrees a second), 1 s shown.
    const size_t flips = testrig::TraceOps("flip").size();
    EXPECT_GT(flips, 10u + 80u + 58u);
    EXPECT_LT(flips, 10u + 88u + 64u);
    int quietos = 0;
    for (size_t i = 1; i < angulos.size(); ++i) quietos += angulos[i] == angulos[i - 1];
    EXPECT_GE(quietos, 58);

    j->caminar(tirada);
    EXPECT_EQ(j->equipo->getJugador(0).getPosicion(), static_cast<float>(tirada));
    EXPECT_EQ(j->equipo->getTurno(), 0) << "a roll-again square keeps the turn";
}

INSTANTIATE_TEST_SUITE_P(Entradas, Parada,
                         ::testing::Values("type a", "type space", "key Enter press", "button 1 down",
                                           "button 2 down"));

// Walking: 2.5 squares a second, one step per square, every step counted.
TEST_F(Turno, WalkForwardAndTheSquareReachedTakesEffect) {
    auto j = partida();
    j->tablero->casillasLineal[4] = 12;
    espiar(*j);
    const int32_t inicio = Millisecs();
    j->caminar(4);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_EQ(llamadas[0].juego, 2);
    EXPECT_EQ(llamadas[0].posicion, 4.0f);
    EXPECT_EQ(j->equipo->getJugador(0).getPosicion(), 4.0f) << "won: keeps the square";
    EXPECT_EQ(j->equipo->getTurno(), 1);
    for (size_t i = 1; i < posiciones.size(); ++i) EXPECT_GE(posiciones[i], posiciones[i - 1]);
    EXPECT_LE(maxima(), 4.0f);
    // Four steps of 0.4 s plus the banner's 3.4 s and the zoom's 1.2 s.
    const int32_t dura = Millisecs() - inicio;
    EXPECT_GT(dura, 1600 + 3300 + 1100);
    EXPECT_LT(dura, 1600 + 3600 + 1300 + 200);
}

// However long the frames, every step is counted once: a frame that ends exactly on a
// square (2.5 * inc = 0.99 after the 0.01 start of a step) arrives there rather than
// standing on it uncounted and walking on.
TEST_F(Turno, EveryStepCountsWhateverTheFrameLength) {
    struct Ritmo {
        int fps;
        float distorsion;
    };
    for (const Ritmo r :
         {Ritmo{10, 3.96f}, Ritmo{10, 1.98f}, Ritmo{10, 1}, Ritmo{60, 1}, Ritmo{25, 9.9f}, Ritmo{4, 2}}) {
        SCOPED_TRACE(std::to_string(r.fps) + " fps, time x" + std::to_string(r.distorsion));
        auto j = partida();
        const int n = j->tablero->getNCasillas();
        for (int k = 1; k < n - 1; ++k) j->tablero->casillasLineal[static_cast<size_t>(k)] = 60;
        j->tiempo->setFps(r.fps);
        j->tiempo->setDistorsionTiempo(r.distorsion);
        j->caminar(5);
        EXPECT_EQ(j->equipo->getJugador(0).getPosicion(), 5.0f);
        // And back from the finish: three forward, two back.
        j->equipo->getJugador(0).setPosicion(static_cast<float>(n - 4));
        j->caminar(5);
        EXPECT_EQ(j->equipo->getJugador(0).getPosicion(), static_cast<float>(n - 3));
    }
}

TEST_F(Turno, LosingTheMinigameSendsTheTokenBackToTheTurnsStart) {
    auto j = partida();
    j->equipo->getJugador(0).setPosicion(3);
    j->tablero->casillasLineal[5] = 10;
    resultadoMinijuego = 0;
    j->caminar(2);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_EQ(llamadas[0].posicion, 5.0f);
    EXPECT_EQ(j->equipo->getJugador(0).getPosicion(), 3.0f);
    EXPECT_EQ(j->equipo->getTurno(), 1);
}

TEST_F(Turno, DeathSquareSendsTheTokenBack) {
    auto j = partida();
    j->equipo->turno = 2;
    j->equipo->getJugador(2).setPosicion(6);
    j->tablero->casillasLineal[7] = 61;
    espiar(*j, 2);
    j->caminar(1);
    EXPECT_EQ(j->equipo->getJugador(2).getPosicion(), 6.0f);
    EXPECT_GT(maxima(), 6.9f) << "it did walk to the death square";
    EXPECT_EQ(j->equipo->getTurno(), 3);
    EXPECT_EQ(veces(sonidos(), "sfx/boum.wav"), 2);
}

// Three squares before the finish with a roll of 5: three forward, two back; the square
// two before the finish takes effect, and losing there goes back to the turn's start.
TEST_F(Turno, SurplusStepsAreWalkedBackFromTheFinish) {
    auto j = partida();
    const int n = j->tablero->getNCasillas();
    j->equipo->getJugador(0).setPosicion(static_cast<float>(n - 4));
    j->tablero->casillasLineal[static_cast<size_t>(n - 3)] = 11;
    resultadoMinijuego = 0;
    espiar(*j);
    j->caminar(5);
    EXPECT_EQ(j->ganado, -1);
    EXPECT_EQ(maxima(), static_cast<float>(n - 1));
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_EQ(llamadas[0].juego, 1);
    EXPECT_EQ(llamadas[0].posicion, static_cast<float>(n - 3));
    EXPECT_EQ(j->equipo->getJugador(0).getPosicion(), static_cast<float>(n - 4));
    // Going back, the token faces the way it walks: the walking animation of the step
    // from n - 1 to n - 2 compares those squares' cells.
    size_t cima = 0;
    while (posiciones[cima] < static_cast<float>(n - 1)) ++cima;
    for (size_t i = cima + 1; i < posiciones.size() && posiciones[i] > static_cast<float>(n - 3); ++i)
        EXPECT_LE(posiciones[i], posiciones[i - 1]);
}

TEST_F(Turno, ExactLandingOnTheFinishWins) {
    auto j = partida(3);
    const int n = j->tablero->getNCasillas();
    j->equipo->turno = 1;
    j->equipo->getJugador(1).setPosicion(static_cast<float>(n - 3));
    j->caminar(2);
    EXPECT_EQ(j->ganado, 1);
    EXPECT_EQ(j->equipo->getJugador(1).getPosicion(), static_cast<float>(n - 1));
    EXPECT_TRUE(llamadas.empty());
    EXPECT_EQ(j->fichas[1]->anim->CurrentAnim, 5);
    EXPECT_EQ(j->fichas[0]->anim->CurrentAnim, 6);
    EXPECT_EQ(j->fichas[2]->anim->CurrentAnim, 6);
    EXPECT_EQ(j->portraitAnim[1]->CurrentAnim, 5);
    EXPECT_EQ(j->equipo->getTurno(), 1);

    // start goes straight to the celebration: 5 seconds of "GANADOR!!!!" and the name.
    rig::CapturedTrace().clear();
    const int32_t inicio = Millisecs();
    j->start();
    const int32_t dura = Millisecs() - inicio;
    EXPECT_GE(dura, 4990);
    EXPECT_LT(dura, 5050);
    EXPECT_EQ(sonidos(), (std::vector<std::string>{"sfx/yeha.wav", "sfx/yeha.wav"}));
    const size_t flips = testrig::TraceOps("flip").size();
    int ganador = 0, nombre = 0;
    for (const std::string& l : testrig::TraceOps("text")) {
        ganador += testrig::Field(l, "text") == "GANADOR!!!!";
        nombre += testrig::Field(l, "text") == "ER_VARSEN";
    }
    EXPECT_EQ(ganador, static_cast<int>(2 * flips));
    EXPECT_EQ(nombre, static_cast<int>(2 * flips));
}

TEST_F(Turno, WalkingAnimationFollowsTheDirectionOfEachStep) {
    auto j = partida();
    const TTablero& t = *j->tablero;
    std::vector<int> esperadas, vistas;
    for (int k = 0; k < 6; ++k) {
        const int dx = t.getCasillaX(k + 1) - t.getCasillaX(k), dy = t.getCasillaY(k + 1) - t.getCasillaY(k);
        esperadas.push_back(dx < 0 ? 2 : dx > 0 ? 7 : dy > 0 ? 3 : 4);
    }
    auto sonda = std::make_shared<partida::Sonda>();
    sonda->alDibujar = [&] {
        const int a = j->fichas[0]->anim->CurrentAnim;
        if (vistas.empty() || vistas.back() != a) vistas.push_back(a);
    };
    j->sprites.push_back(sonda);
    j->tablero->casillasLineal[6] = 60;
    j->caminar(6);
    // Consecutive steps in the same direction keep one animation; at the end, standing.
    std::vector<int> compactas;
    for (int a : esperadas)
        if (compactas.empty() || compactas.back() != a) compactas.push_back(a);
    compactas.push_back(1);
    EXPECT_EQ(vistas, compactas);
}

TEST_F(Turno, HeldEscapeEndsTheWalkWithNoWinner) {
    auto j = partida();
    testrig::Script({"5 key Escape down"});
    j->caminar(3);
    EXPECT_EQ(testrig::TraceOps("flip").size(), 5u);
    const float p = j->equipo->getJugador(0).getPosicion();
    EXPECT_GT(p, 0.0f);
    EXPECT_LT(p, 1.0f);
    EXPECT_EQ(j->equipo->getTurno(), 0);
}

// Escape held during the fade: the minigame is still played, then the walk and the
// match end although the input was flushed after the minigame.
TEST_F(Turno, EscapeDuringTheZoomEndsTheMatchAfterTheMinigame) {
    auto j = partida();
    j->tablero->casillasLineal[1] = 12;
    testrig::Script({"30 key Escape down"});  // the step takes about 25 frames
    j->caminar(1);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_EQ(llamadas[0].juego, 2);
    EXPECT_EQ(KeyDown(KEY_ESCAPE), 0) << "flushed after the minigame";
    EXPECT_LT(testrig::TraceOps("flip").size(), 40u);
    rig::CapturedTrace().clear();
    j->start();
    EXPECT_TRUE(testrig::TraceOps("flip").empty());
    EXPECT_EQ(j->ganado, -1);
}

// A whole match: every middle square grants another roll, so the first player (who
// starts eight squares short of the finish) presses until he lands exactly on the
// finish, and the match ends after the celebration.
TEST_F(Turno, WholeMatchEndsWithTheCelebration) {
    auto j = partida(2, 0, 4);
    const int n = j->tablero->getNCasillas();
    for (int k = 1; k < n - 1; ++k) j->tablero->casillasLineal[static_cast<size_t>(k)] = 60;
    j->tiempo->setDistorsionTiempo(4);  // a quicker match, same rules
    j->equipo->getJugador(0).setPosicion(static_cast<float>(n - 8));
    std::vector<std::string> guion;
    for (int f = 3; f < 6000; f += 6) guion.push_back(std::to_string(f) + " type p");
    testrig::Script(guion);
    j->start();
    EXPECT_EQ(j->ganado, 0);
    EXPECT_EQ(j->equipo->getJugador(0).getPosicion(), static_cast<float>(n - 1));
    EXPECT_EQ(j->equipo->getJugador(1).getPosicion(), 0.0f);
    EXPECT_TRUE(llamadas.empty());
    const int boings = veces(sonidos(), "sfx/boing.wav");
    EXPECT_GE(boings, 2);
    EXPECT_EQ(veces(sonidos(), "sfx/yeha.wav"), boings - 1 + 2) << "one per roll-again, two for the winner";
    EXPECT_EQ(j->fichas[1]->anim->CurrentAnim, 6);
}

TEST_F(Turno, WholeMatchOfMinigamesPassesTheTurnRoundTheTable) {
    auto j = partida(3, 0, 2);
    j->tiempo->setDistorsionTiempo(4);
    std::vector<int> turnos;
    auto sonda = std::make_shared<partida::Sonda>();
    sonda->alDibujar = [&] {
        if (turnos.empty() || turnos.back() != j->equipo->getTurno()) turnos.push_back(j->equipo->getTurno());
    };
    j->sprites.push_back(sonda);
    std::vector<std::string> guion;
    for (int f = 5; f < 2000; f += 15) guion.push_back(std::to_string(f) + " type p");
    guion.push_back("2000 key Escape down");
    testrig::Script(guion);
    j->start();
    EXPECT_LE(testrig::TraceOps("flip").size(), 2001u) << "the frame under way when Escape came is drawn";

    // Each minigame is the one of the square its player stood on.
    ASSERT_GT(llamadas.size(), 2u);
    for (const auto& l : llamadas) {
        EXPECT_EQ(l.posicion, std::floor(l.posicion));
        EXPECT_EQ(j->tablero->getCasilla(static_cast<int>(l.posicion)), 10 + l.juego);
    }
    // The turn only ever moves on to the next slot.
    ASSERT_GT(turnos.size(), 3u);
    for (size_t i = 1; i < turnos.size(); ++i) EXPECT_EQ(turnos[i], (turnos[i - 1] + 1) % 3);
    for (int s = 0; s < 3; ++s) {
        const float p = j->equipo->getJugador(s).getPosicion();
        EXPECT_GE(p, 0.0f);
        EXPECT_LE(p, static_cast<float>(j->tablero->getNCasillas() - 1));
    }
}

}  // namespace
