// "Escondite Coder" under the rig: the real minigame on the virtual clock with scripted
// keys and mouse, figures made in code, pictures of our own for the desk and the chair,
// and silent effects named after their files so the trace shows what a player hears.
#include "board/equipo.h"
#include "engine/gl.h"
#include "minigames/escondite_coder/mini_juego4.h"
#include "platform/input/input.h"
#include "support/minigame_fixture.h"
#include "support/rig_fixture.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>

namespace {

const std::vector<std::string> kSonidos = {"sfx/wosh.wav", "sfx/pillada.wav", "sfx/hey.wav", "sfx/stomp.wav"};
const char* const kTeclas[3] = {"Q", "B", "P"};

class EsconditeCoder : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        figuras::sonidosMudos(kSonidos);
        TMiniJuego4::cargarRecursos();
        TMiniJuego4::mesa = figuras::solido(60, 30, 0xFF806040, 30, 15);
        TMiniJuego4::silla = figuras::solido(30, 40, 0xFF303030, 15, 39);
        paquetes = figuras::paquetes();
        m = TMiniJuego4::Create(figuras::conjunto(), paquetes);
    }
    void TearDown() override {
        setGestorSonido(nullptr);
        m.reset();
        TMiniJuego4::fondo = TMiniJuego4::mesa = TMiniJuego4::silla = nullptr;
        TMiniJuego4::fuenteJefe = nullptr;
        HeadlessTest::TearDown();
    }

    void frames(int n) {
        for (int i = 0; i < n; ++i) m->frameJuego();
    }
    // Coder k hits his key just before the coming frame.
    void pulsa(int k) { testrig::Script({std::string("0 key ") + kTeclas[k] + " press"}); }
    // Flips at which the effect was played.
    std::vector<int> sonado(const std::string& src) {
        std::vector<int> out;
        for (const std::string& l : testrig::TraceOps("sound"))
            if (testrig::Field(l, "src") == src) out.push_back(std::stoi(testrig::Field(l, "flip")));
        return out;
    }
    std::vector<std::string> delFlip(const std::string& op, int flip) {
        std::vector<std::string> out;
        for (const std::string& l : testrig::TraceOps(op))
            if (testrig::Field(l, "flip") == std::to_string(flip)) out.push_back(l);
        return out;
    }
    // Runs frames until the boss turns about; the frames run.
    int hastaQueSeVuelva(int max = 1000) {
        int n = 0;
        while (m->cuenta >= 0 && n < max) {
            m->frameJuego();
            ++n;
        }
        return n;
    }

    TPaquetes paquetes;
    std::unique_ptr<TMiniJuego4> m;
};

TEST_F(EsconditeCoder, BossCodersAndHostessesTakeTheirPlaces) {
    m->prepararJuego(2);
    EXPECT_EQ(m->fichaTurno->gfx, paquetes[2]);
    EXPECT_EQ(m->fichaTurno->x, 830.0f);
    EXPECT_EQ(m->fichaTurno->y, 190.0f);
    EXPECT_EQ(m->fichaTurno->anim->CurrentAnim, 13) << "working";
    const size_t packs[3] = {0, 1, 3};
    for (size_t k = 0; k < 3; ++k) {
        const TFicha& c = *m->otros[k];
        EXPECT_EQ(c.gfx, paquetes[packs[k]]) << k;
        EXPECT_EQ(c.x, 320.0f + 128.0f * static_cast<float>(k));
        EXPECT_EQ(c.y, 704.0f);
        EXPECT_EQ(c.anim->CurrentAnim, 12) << "coding";
        EXPECT_EQ(m->ready[k], 1);
        EXPECT_EQ(m->pillado[k], 0);
        EXPECT_EQ(m->dir[k], 1.0f);
    }
    ASSERT_GE(m->tias.size(), 4u);
    ASSERT_LE(m->tias.size(), 7u);
    const std::set<int> bailes = {1, 5, 8, 10, 14};
    for (const TFichaPtr& t : m->tias) {
        EXPECT_EQ(t->gfx, paquetes[PAQUETE_CHICA]);
        EXPECT_GE(t->x, 870.0f);
        EXPECT_LT(t->x, 990.0f);
        EXPECT_GE(t->y, 130.0f);
        EXPECT_LT(t->y, 320.0f);
        EXPECT_TRUE(bailes.count(t->anim->CurrentAnim)) << t->anim->CurrentAnim;
    }
    EXPECT_EQ(m->listaSprites.size(), 1 + 3 + 6 + m->tias.size());
    EXPECT_EQ(m->cuenta, 10.0f);
    EXPECT_EQ(m->contador->getVida(), 30.0f);
}

TEST_F(EsconditeCoder, HostessesPickTheirAnimationsAboutEvenly) {
    // Every choice is a fresh draw, so the last one is no more likely than the others.
    std::map<int, int> veces;
    const int n = 5000;
    for (int i = 0; i < n; ++i) ++veces[TMiniJuego4::animacionAzafata()];
    ASSERT_EQ(veces.size(), 5u);
    for (const auto& [a, v] : veces) {
        EXPECT_GT(v, n * 17 / 100) << a;
        EXPECT_LT(v, n * 23 / 100) << a;
    }
}

TEST_F(EsconditeCoder, AKeyHitTakesACoderAStepUpAndHeWobblesUntilStillAgain) {
    m->prepararJuego(0);
    frames(1);
    pulsa(0);
    frames(1);
    const int paso = session::FlipCount();
    TFicha& c = *m->otros[0];
    EXPECT_EQ(c.y, 696.5f);
    EXPECT_EQ(m->ready[0], 0);
    EXPECT_EQ(m->dir[0], -1.0f);
    EXPECT_EQ(sonado("sfx/stomp.wav"), std::vector<int>{paso});
    EXPECT_TRUE(sonado("sfx/hey.wav").empty());
    EXPECT_EQ(c.angle, 10.0f);
    EXPECT_EQ(m->mesas[0]->angle, -10.0f);
    EXPECT_EQ(m->sillas[0]->angle, 10.0f);

    // What the player sees: the desk behind him, the chair in front, both leaning, drawn
    // where he now sits; no code line over him while he moves, the others' lines stay.
    std::vector<std::string> mesa, silla;
    for (const std::string& l : delFlip("image", paso)) {
        if (testrig::Field(l, "src") == "created 60x30") mesa.push_back(l);
        if (testrig::Field(l, "src") == "created 30x40") silla.push_back(l);
    }
    ASSERT_EQ(mesa.size(), 3u);
    ASSERT_EQ(silla.size(), 3u);
    EXPECT_EQ(std::stof(testrig::Field(mesa[0], "x")), 319.5f);
    EXPECT_EQ(std::stof(testrig::Field(mesa[0], "y")), 636.0f);
    EXPECT_EQ(std::stof(testrig::Field(mesa[0], "rot")), -10.0f);
    EXPECT_EQ(std::stof(testrig::Field(silla[0], "y")), 711.0f);
    EXPECT_EQ(std::stof(testrig::Field(silla[0], "rot")), 10.0f);
    for (const std::string& l : delFlip("text", paso)) {
        const std::string t = testrig::Field(l, "text");
        if (std::find(TMiniJuego4::lineasCodigo.begin(), TMiniJuego4::lineasCodigo.end(), t) ==
            TMiniJuego4::lineasCodigo.end())
            continue;
        SetImageFont(nullptr);
        const float x = std::stof(testrig::Field(l, "x"));
        EXPECT_EQ(testrig::Field(l, "font"), "builtin");
        EXPECT_EQ(testrig::Field(l, "scale"), "[1,1.25]");
        EXPECT_EQ(std::stof(testrig::Field(l, "y")), 584.0f);
        const float centro = x + TextWidth(t) / 2;
        EXPECT_TRUE(centro == 448.0f || centro == 576.0f) << centro;
    }

    // A hit within a tenth of a second of the last step is lost; a later one counts.
    frames(2);
    pulsa(0);
    frames(1);
    EXPECT_EQ(c.y, 696.5f);
    frames(4);
    pulsa(0);
    frames(1);
    EXPECT_EQ(c.y, 689.0f);
    EXPECT_EQ(m->dir[0], 1.0f);
    EXPECT_EQ(sonado("sfx/stomp.wav").size(), 2u);

    // A quarter of a second after his last step he sits still again.
    const float ok = m->cuandoOK[0];
    while (m->ready[0] == 0) frames(1);
    EXPECT_GT(m->now(), ok);
    EXPECT_LT(m->now(), ok + 0.02f);
    frames(1);
    EXPECT_EQ(c.angle, 0.0f);
    EXPECT_EQ(m->mesas[0]->angle, 0.0f);
    EXPECT_EQ(m->mesas[0]->y, 629.0f);
    EXPECT_EQ(m->cima, 689.0f);
}

TEST_F(EsconditeCoder, NobodyMovingTheBossTurnsAboutAfterEightSecondsForOne) {
    m->prepararJuego(0);
    const float inicio = m->now();
    hastaQueSeVuelva();
    const int vuelta = session::FlipCount();
    EXPECT_NEAR(m->now() - inicio, 8.0f, 0.02f);
    EXPECT_EQ(sonado("sfx/wosh.wav"), std::vector<int>{vuelta});
    EXPECT_EQ(m->fichaTurno->anim->CurrentAnim, 14) << "watching";
    EXPECT_EQ(m->ritmo, 1.25f);

    // His countdown was on screen until then, in white at (800, 300); not while he watches.
    auto cuentas = [&](int flip) {
        std::vector<std::string> out;
        for (const std::string& l : delFlip("text", flip))
            if (testrig::Field(l, "x") == "800" && testrig::Field(l, "y") == "300") out.push_back(l);
        return out;
    };
    ASSERT_EQ(cuentas(vuelta - 1).size(), 1u);
    EXPECT_EQ(testrig::Field(cuentas(vuelta - 1)[0], "text"), "0");
    EXPECT_EQ(testrig::Field(cuentas(vuelta - 1)[0], "rgb"), "[255,255,255]");
    EXPECT_EQ(testrig::Field(cuentas(vuelta - 1)[0], "scale"), "[1,1]");
    EXPECT_TRUE(cuentas(vuelta).empty());

    const float girada = m->now();
    while (m->cuenta < 0) frames(1);
    EXPECT_NEAR(m->now() - girada, 1.0f, 0.02f);
    EXPECT_EQ(m->cuenta, 10.0f);
    EXPECT_EQ(m->fichaTurno->anim->CurrentAnim, 13) << "back to work";
    for (int k = 0; k < 3; ++k) EXPECT_EQ(m->pillado[static_cast<size_t>(k)], 0) << "nobody moved";
    EXPECT_TRUE(sonado("sfx/pillada.wav").empty());
}

TEST_F(EsconditeCoder, ShakingTheMouseSpeedsTheCountdownOnlyWhileTheBossWorks) {
    m->prepararJuego(0);
    testrig::Script({"0 mouse 100 100"});
    frames(2);
    // 250 window pixels in one frame add 10 to the rate of that frame.
    testrig::Script({"0 mouse 250 300"});
    float antes = m->cuenta;
    frames(1);
    float inc = m->tiempo->getInc(0);
    EXPECT_EQ(m->ritmo, 11.25f);
    EXPECT_NEAR(antes - m->cuenta, 11.25f * inc, 1e-4f);
    antes = m->cuenta;
    frames(1);
    EXPECT_EQ(m->ritmo, 1.25f) << "the mouse stood still";
    EXPECT_NEAR(antes - m->cuenta, 1.25f * m->tiempo->getInc(0), 1e-4f);

    // While he watches, shaking makes him look no shorter.
    m->cuenta = -0.1f;
    testrig::Script({"0 mouse 100 100"});
    antes = m->cuenta;
    frames(1);
    inc = m->tiempo->getInc(0);
    EXPECT_NEAR(antes - m->cuenta, 1.25f * inc, 1e-4f);
}

TEST_F(EsconditeCoder, TheCountdownSpeedsUpAsTheCodersGetFurther) {
    m->prepararJuego(3);
    // The highest point counts from the frame after it was reached.
    const std::pair<float, float> pasos[] = {{609, 1.25f}, {608, 1.75f}, {449, 1.75f},
                                             {447, 2.5f},  {289, 2.5f},  {287, 3.5f}};
    for (const auto& [y, ritmo] : pasos) {
        m->otros[1]->y = y;
        frames(2);
        EXPECT_EQ(m->ritmo, ritmo) << y;
    }
    // A coder sliding back down does not slow him again.
    m->otros[1]->y = 700;
    frames(2);
    EXPECT_EQ(m->ritmo, 3.5f);
}

TEST_F(EsconditeCoder, TurningAboutCatchesWhoMovedInTheLastQuarterSecond) {
    m->prepararJuego(0);
    m->cuenta = 1.25f;  // one second of work left
    // Coder 0 steps about 0.2 s before the boss turns about, coder 1 about 0.3 s before;
    // coder 2 steps while the boss is watching.
    // (A hit is seen by the coming frame, a sixtieth of a second on.)
    bool pulsado[2] = {false, false};
    while (m->cuenta >= 0) {
        const float falta = m->cuenta / 1.25f;
        for (int k = 0; k < 2; ++k) {
            if (!pulsado[k] && falta <= (k == 0 ? 0.2f : 0.3f) + 1 / 60.0f) {
                pulsa(k);
                pulsado[k] = true;
            }
        }
        frames(1);
    }
    const float vuelta = m->now();
    EXPECT_NEAR(vuelta - (m->cuandoOK[0] - 0.25f), 0.2f, 0.02f);
    EXPECT_NEAR(vuelta - (m->cuandoOK[1] - 0.25f), 0.3f, 0.02f);
    const int f = session::FlipCount();
    EXPECT_EQ(m->pillado[0], 1);
    EXPECT_EQ(m->pillado[1], 0);
    EXPECT_EQ(sonado("sfx/pillada.wav"), std::vector<int>{f});
    EXPECT_EQ(m->otros[0]->anim->CurrentAnim, 6);
    EXPECT_EQ(m->otros[1]->anim->CurrentAnim, 12);
    EXPECT_EQ(m->fichaTurno->anim->CurrentAnim, 15) << "got one";

    frames(3);
    pulsa(2);
    frames(1);
    EXPECT_EQ(m->pillado[2], 1);
    EXPECT_EQ(m->otros[2]->y, 696.5f) << "caught on the step";
    EXPECT_EQ(sonado("sfx/pillada.wav").size(), 2u);

    // The caught slide back at 50 units a second, their furniture left behind, and their
    // keys do nothing; the free one keeps his desk.
    const float y0 = m->otros[0]->y, mesa0 = m->mesas[0]->y, t0 = m->now();
    for (int i = 0; i < 30; ++i) {
        pulsa(0);
        frames(1);
    }
    EXPECT_NEAR(m->otros[0]->y - y0, 50 * (m->now() - t0), 0.01f);
    EXPECT_EQ(m->mesas[0]->y, mesa0);
    EXPECT_EQ(sonado("sfx/stomp.wav").size(), 3u) << "only the three steps before the catches";
    EXPECT_EQ(m->mesas[1]->y, m->otros[1]->y - 60);
    EXPECT_TRUE(m->sigueJuego());

    // The last one caught: the boss wins at once.
    m->cuenta = -0.01f;
    pulsa(1);
    frames(1);
    EXPECT_EQ(m->pillado[1], 1);
    EXPECT_FALSE(m->sigueJuego());
    EXPECT_EQ(m->resultado(), 1);
    EXPECT_EQ(m->fichaTurno->anim->CurrentAnim, 5);
    for (const TFichaPtr& c : m->otros) EXPECT_EQ(c->anim->CurrentAnim, 6);
}

// Escape held once the last coder is caught: the boss's win on screen stands, and the
// closing scene is cut.
TEST_F(EsconditeCoder, EscapeHeldOnceAllAreCaughtKeepsTheBossWin) {
    m->prepararJuego(2);
    frames(1);
    m->cuenta = -0.01f;  // the boss is watching
    for (int k = 0; k < 3; ++k) pulsa(k);
    frames(1);
    ASSERT_TRUE(m->pillado[0] && m->pillado[1] && m->pillado[2]);
    input::KeyEvent(27, true);
    EXPECT_FALSE(m->sigueJuego());
    const int flips = session::FlipCount();
    EXPECT_EQ(m->terminar(), 1);
    EXPECT_EQ(session::FlipCount(), flips) << "no closing scene";
    EXPECT_EQ(m->fichaTurno->anim->CurrentAnim, 5) << "the boss celebrates";
}

TEST_F(EsconditeCoder, ReachingTheTopEndsThePlayAndOnlyCoderZeroShouts) {
    m->prepararJuego(0);
    frames(1);  // a hit at the very start, the moment the play begins, is lost
    m->otros[1]->y = 135;
    pulsa(1);
    frames(1);
    EXPECT_EQ(m->otros[1]->y, 128.0f) << "held at the top";
    EXPECT_EQ(m->salvado, 1);
    EXPECT_TRUE(sonado("sfx/hey.wav").empty());
    EXPECT_FALSE(m->sigueJuego());

    m->salvado = 0;
    m->otros[0]->y = 136;
    pulsa(0);
    frames(1);
    EXPECT_EQ(m->otros[0]->y, 128.5f) << "not there yet";
    EXPECT_EQ(m->salvado, 0);
    frames(8);
    pulsa(0);
    frames(1);
    EXPECT_EQ(m->otros[0]->y, 128.0f);
    EXPECT_EQ(sonado("sfx/hey.wav"), std::vector<int>{session::FlipCount()});
    EXPECT_EQ(m->resultado(), 0);
    EXPECT_EQ(m->fichaTurno->anim->CurrentAnim, 6);
    for (const TFichaPtr& c : m->otros) EXPECT_EQ(c->anim->CurrentAnim, 5) << "celebrating";
}

TEST_F(EsconditeCoder, ClosingSceneLastsTwoSecondsWithFurnitureBackUnderEveryone) {
    m->prepararJuego(0);
    m->otros[0]->y = 400;
    m->cuenta = 1e9f;
    pulsa(0);
    frames(1);
    m->pillado[0] = 1;  // caught in his step: leans no more, slides no more
    m->otros[1]->y = 129;
    pulsa(1);
    frames(1);
    ASSERT_EQ(m->salvado, 1);
    EXPECT_EQ(m->resultado(), 0);

    const int32_t inicio = Millisecs();
    const int flip0 = session::FlipCount();
    const float y0 = m->otros[0]->y;
    m->escenaFinal();
    const int32_t dura = Millisecs() - inicio;
    EXPECT_GE(dura, 2000);
    EXPECT_LT(dura, 2040);
    EXPECT_EQ(m->otros[0]->y, y0);
    EXPECT_EQ(m->mesas[0]->y, y0 - 60);
    EXPECT_EQ(m->sillas[0]->y, y0 + 15);
    EXPECT_EQ(m->mesas[0]->angle, 0.0f);
    EXPECT_EQ(m->otros[1]->angle, 10.0f) << "the others keep their lean";
    EXPECT_EQ(m->mesas[1]->angle, -10.0f);
    // The meter stays on screen, still showing the seconds left; no boss countdown.
    for (int f = flip0 + 1; f <= session::FlipCount(); ++f) {
        const std::vector<std::string> textos = delFlip("text", f);
        ASSERT_EQ(textos.size(), 1u) << f;
        EXPECT_EQ(testrig::Field(textos[0], "text"), "29");
        EXPECT_EQ(delFlip("rect", f).size(), 1u);
    }
}

// Whole plays as the players meet them, from the explanation pages on.
class EsconditeCoderPartida : public EsconditeCoder {
   protected:
    std::vector<std::string> leerExplicacion() {
        std::vector<std::string> guion;
        for (int f = 1; f <= 600; ++f) guion.push_back(std::to_string(f) + " type x");
        return guion;
    }
};

TEST_F(EsconditeCoderPartida, TheMeterRunningOutWithNobodyAwayIsAWinForTheBoss) {
    TMiniJuego4::fondo = figuras::solido(64, 48, 0xFF405070, 0, 0);
    testrig::Script(leerExplicacion());
    auto equipo = TEquipo::Create(2);  // two players: all four characters still play
    equipo->turno = 1;
    EXPECT_EQ(m->iniciarJuego(*equipo), 1);
    EXPECT_EQ(m->contador->haAcabado(), 1);
    EXPECT_EQ(m->fichaTurno->gfx, paquetes[1]);
    EXPECT_EQ(m->fichaTurno->anim->CurrentAnim, 5);
    for (const TFichaPtr& c : m->otros) EXPECT_EQ(c->anim->CurrentAnim, 6);
    int titulos = 0;
    for (const std::string& l : testrig::TraceOps("text"))
        if (testrig::Field(l, "text") == "ESCONDITE CODER") ++titulos;
    EXPECT_GT(titulos, 0) << "the explanation came first";
    // The room and the code lines in their own colours: nothing the scene draws leaves
    // its colour or transparency behind.
    int fondos = 0, lineas = 0;
    for (const std::string& l : testrig::TraceOps("image")) {
        if (testrig::Field(l, "src") != "created 64x48") continue;
        ++fondos;
        ASSERT_EQ(testrig::Field(l, "rgb"), "[255,255,255]");
        ASSERT_EQ(testrig::Field(l, "alpha"), "1");
    }
    for (const std::string& l : testrig::TraceOps("text")) {
        const std::string t = testrig::Field(l, "text");
        if (std::find(TMiniJuego4::lineasCodigo.begin(), TMiniJuego4::lineasCodigo.end(), t) ==
            TMiniJuego4::lineasCodigo.end())
            continue;
        ++lineas;
        ASSERT_EQ(testrig::Field(l, "rgb"), "[255,255,255]") << t;
    }
    EXPECT_GT(fondos, 30 * 60) << "every frame of the play and of the closing scene";
    EXPECT_GT(lineas, 3 * 30 * 60);
    // Three turn-abouts in 30 seconds at the slowest rate (8 s of work, 1 s watching).
    EXPECT_EQ(sonado("sfx/wosh.wav").size(), 3u);
}

TEST_F(EsconditeCoderPartida, ACoderWhoWatchesTheCountdownGetsAway) {
    testrig::Script(leerExplicacion());
    // Coder 0 hammers Q while the boss's countdown shows more than a second; coder 2
    // hammers P all the time and gets caught.
    m->explicar(3);
    m->tiempo->update();
    m->prepararJuego(3);
    while (m->sigueJuego()) {
        if (m->cuenta > 1.2f) pulsa(0);
        pulsa(2);
        m->frameJuego();
    }
    EXPECT_EQ(m->salvado, 1);
    EXPECT_EQ(m->pillado[0], 0);
    EXPECT_EQ(m->pillado[2], 1);
    EXPECT_EQ(m->otros[0]->y, 128.0f);
    EXPECT_LT(m->contador->getVida(), 30.0f - 7.7f) << "77 steps take at least 7.7 s";
    EXPECT_EQ(sonado("sfx/hey.wav").size(), 1u);
    EXPECT_EQ(m->resultado(), 0);
}

TEST_F(EsconditeCoderPartida, EscapeHeldReturnsZeroWithoutTheClosingScene) {
    std::vector<std::string> guion = leerExplicacion();
    guion.push_back("700 key Escape down");
    testrig::Script(guion);
    const int base = session::FlipCount();
    auto equipo = TEquipo::Create(4);
    EXPECT_EQ(m->iniciarJuego(*equipo), 0);
    EXPECT_EQ(session::FlipCount() - base, 700) << "no frame after it is seen held";
    EXPECT_EQ(m->fichaTurno->anim->CurrentAnim, 13) << "no end animations";
}

}  // namespace
