// "Acicalandose" under the rig: the real minigame on the virtual clock with scripted input,
// figures made in code (one 40 x 100 block per character, standing on its position) and
// silent effects named after their files, so the trace shows what a player would hear.
#include "board/equipo.h"
#include "minigames/acicalandose/mini_juego1.h"
#include "support/minigame_fixture.h"
#include "support/rig_fixture.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

const std::vector<std::string> kSonidos = {"sfx/muack.wav", "sfx/mmm.wav", "sfx/buegh.wav",
                                           "sfx/superbuegh.wav", "sfx/hey.wav"};

class Acicalandose : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        figuras::sonidosMudos(kSonidos);
        preparar();
    }
    void TearDown() override {
        setGestorSonido(nullptr);
        m.reset();
        TMiniJuego1::corazon = TMiniJuego1::flecha = TMiniJuego1::fondo = nullptr;
        HeadlessTest::TearDown();
    }

    // Module resources as start-up leaves them, with pictures of our own for the heart
    // (20 x 20) and the arrow, and a new minigame.
    void preparar() {
        TMiniJuego1::cargarRecursos();
        TMiniJuego1::corazon = figuras::solido(20, 20, 0xFFFF8080, 0, 0);
        TMiniJuego1::flecha = figuras::solido(8, 40, 0xFFFFFFFF, 0, 0);
        paquetes = figuras::paquetes();
        m = TMiniJuego1::Create(figuras::conjunto(), paquetes);
    }

    // The game without its explanation, girls appearing only where a test puts them.
    void empezar(int turno = 0) {
        m->prepararJuego(turno);
        m->ProbTolpusero = 0;
    }
    void ponerJugador(float x, float y) {
        m->JTurno->X = x;
        m->JTurno->Y = y;
        m->JTurno->XGoal = static_cast<int>(x);
        m->JTurno->YGoal = static_cast<int>(y);
    }
    // A kiss of opponent autor that, after its first step (5 left, 2.4 up), has its heart's
    // bottom centre at (x, y).
    std::shared_ptr<TBeso> beso(int autor, float x, float y, float angulo = 0) {
        TJugador1Boton& j = *m->JNoTurno[static_cast<size_t>(autor)];
        auto b = TBeso::Create(TMiniJuego1::corazon, x + 4.981f, y + 2.436f, angulo, autor, m.get());
        j.Besos.push_back(b);
        b->SetLink(&j.Besos, std::prev(j.Besos.end()));
        return b;
    }
    // A girl of kind tipo standing at (x, y), her pose prepared as after a frame.
    std::shared_ptr<TTolpusero> chica(int tipo, float x, float y) {
        auto g = TTolpusero::Create(TMiniJuego1::anim, paquetes[PAQUETE_CHICA], tipo, m.get());
        m->Tolpuseros.push_back(g);
        g->SetLink(std::prev(m->Tolpuseros.end()));
        g->X = x;
        g->Y = y;
        g->anim->Update(TMiniJuego1::now() * 1000);
        g->anim->PrepareBoneList(TMiniJuego1::now() * 1000, 1, 1, 0);
        return g;
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) m->frameJuego();
    }

    // Flips (relative to `desde`) at which the effect was played.
    std::vector<int> sonado(const std::string& src, int desde = 0) {
        std::vector<int> out;
        for (const std::string& l : testrig::TraceOps("sound"))
            if (testrig::Field(l, "src") == src) out.push_back(std::stoi(testrig::Field(l, "flip")) - desde);
        return out;
    }
    std::vector<std::string> textosDelFlip(int flip) {
        std::vector<std::string> out;
        for (const std::string& l : testrig::TraceOps("text"))
            if (testrig::Field(l, "flip") == std::to_string(flip)) out.push_back(testrig::Field(l, "text"));
        return out;
    }

    TPaquetes paquetes;
    std::unique_ptr<TMiniJuego1> m;
};

TEST_F(Acicalandose, OpponentsAreTheOtherThreeInIndexOrderWithQBP) {
    EXPECT_EQ(TMiniJuego::oponentes(0), (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(TMiniJuego::oponentes(2), (std::array<int, 3>{0, 1, 3}));
    EXPECT_EQ(TMiniJuego::oponentes(3), (std::array<int, 3>{0, 1, 2}));

    empezar(2);
    EXPECT_EQ(m->JTurno->gfx, paquetes[2]);
    const int packs[3] = {0, 1, 3}, teclas[3] = {81, 66, 80};
    for (int k = 0; k < 3; ++k) {
        const TJugador1Boton& j = *m->JNoTurno[static_cast<size_t>(k)];
        EXPECT_EQ(j.gfx, paquetes[static_cast<size_t>(packs[k])]) << k;
        EXPECT_EQ(j.Boton, teclas[k]) << k;
        EXPECT_EQ(j.X, 258.0f + 250.0f * k) << k;
        EXPECT_EQ(j.Y, 700.0f);
        EXPECT_EQ(j.anim->CurrentAnim, 8) << "opponents wait";
    }
    EXPECT_EQ(m->JTurno->X, 150.0f);
    EXPECT_EQ(m->JTurno->Y, 550.0f);
}

TEST_F(Acicalandose, MouseIsReadInVirtualUnitsWhateverTheWindow) {
    testrig::Stop();
    testrig::StartHeadless();
    testrig::OpenDisplay(2048, 1536);
    testrig::Script({"1 mouse 1024 768", "2 mouse 2047 1"});
    Flip(0);
    EXPECT_EQ(TMiniJuego::ratonX(), 512);
    EXPECT_EQ(TMiniJuego::ratonY(), 384);
    Flip(0);
    EXPECT_EQ(TMiniJuego::ratonX(), 1023);
    EXPECT_EQ(TMiniJuego::ratonY(), 0);
}

TEST_F(Acicalandose, ArrowsSweepToEightyFourAndBack) {
    empezar();
    std::vector<int> angulos;
    for (int i = 0; i < 90; ++i) {
        m->JNoTurno[0]->Flecha->UpdateState();
        angulos.push_back(static_cast<int>(m->JNoTurno[0]->Flecha->getAngulo()));
    }
    EXPECT_EQ(*std::max_element(angulos.begin(), angulos.end()), 84);
    EXPECT_EQ(*std::min_element(angulos.begin(), angulos.end()), -84);
    EXPECT_EQ(angulos[20], 84);  // 21 steps of 4
    EXPECT_EQ(angulos[21], 80);
    EXPECT_EQ(angulos[62], -84);
    EXPECT_EQ(angulos[63], -80);
}

TEST_F(Acicalandose, KissLoopsWhileFlyingAlongItsAim) {
    empezar();
    ponerJugador(900, 150);  // out of the way
    auto recto = beso(0, 500, 500, 0);
    const float x0 = recto->X, y0 = recto->Y;
    float izq = x0, der = x0;
    for (int i = 0; i < 72; ++i) {
        recto->UpdateState();
        izq = std::min(izq, recto->X);
        der = std::max(der, recto->X);
    }
    // A loop about 115 units wide; after it the kiss has flown 144 up and is back on its
    // line but for the one step by which the phase restarts (5 units).
    EXPECT_NEAR(der - izq, 117.0f, 4.0f);
    EXPECT_NEAR(recto->X, x0, 11.0f);
    EXPECT_NEAR(recto->Y, y0 - 144, 1.0f);

    // At 84 degrees it leaves almost horizontally to the right, slightly upward (-6 deg).
    auto lado = beso(2, 500, 500, 84);
    const float lx = lado->X, ly = lado->Y;
    for (int i = 0; i < 73 * 4; ++i) lado->UpdateState();
    const double dir = std::atan2(lado->Y - ly, lado->X - lx) * 180 / 3.141592653589793;
    EXPECT_NEAR(dir, -6, 1.5);
}

TEST_F(Acicalandose, ThirdKissEndsTheGameNextFrameAndTheOpponentsCelebrateThreeSeconds) {
    empezar();
    for (int i = 1; i <= 3; ++i) {
        beso(i % 3, 150, 500);
        ASSERT_TRUE(m->frameJuego()) << "a kiss alone does not end the frame loop";
        EXPECT_EQ(m->ResistenciaAlAmor, 3 - i);
        EXPECT_EQ(sonado("sfx/buegh.wav").size(), static_cast<size_t>(i));
        EXPECT_TRUE(m->JNoTurno[static_cast<size_t>(i % 3)]->Besos.empty()) << "the kiss is used up";
    }
    const int golpe = session::FlipCount();
    EXPECT_EQ(textosDelFlip(golpe).back(), "Asc-o-metro: 0");
    EXPECT_TRUE(sonado("sfx/superbuegh.wav").empty());

    EXPECT_FALSE(m->frameJuego()) << "the loop ends with the next frame";
    EXPECT_EQ(m->Ganador, 0);
    EXPECT_EQ(m->Asco, 1);
    EXPECT_EQ(sonado("sfx/superbuegh.wav"), std::vector<int>{golpe + 1});
    EXPECT_EQ(m->JTurno->Y, 544.0f) << "he starts floating up at once";
    EXPECT_EQ(m->JTurno->anim->CurrentAnim, 4);

    const int32_t inicio = Millisecs();
    m->escenaFinal();
    for (auto& j : m->JNoTurno) EXPECT_EQ(j->anim->CurrentAnim, 5) << "opponents celebrate";
    EXPECT_EQ(m->JTurno->anim->CurrentAnim, 4) << "the fainted player keeps floating";
    const int32_t dura = Millisecs() - inicio;
    EXPECT_GE(dura, 3000);
    EXPECT_LT(dura, 3040);
    EXPECT_LE(m->JTurno->Y, -100.0f) << "floated off the top";
    EXPECT_NEAR(m->JTurno->X, 512.0f, 6.0f) << "centring on the middle";
    EXPECT_EQ(m->Ganador, 0);
    EXPECT_TRUE(textosDelFlip(session::FlipCount()).empty()) << "no texts in the closing scene";
}

TEST_F(Acicalandose, KissOnAGirlAndThePlayerInOneFrameDoesBoth) {
    empezar();
    ponerJugador(500, 300);       // block 480..520 x 200..300
    auto g = chica(1, 550, 200);  // block 530..570 x 100..200
    ASSERT_EQ(TMiniJuego::colisionPoses(*g->anim, *g->gfx, g->X, g->Y, *m->JTurno->anim, *m->JTurno->gfx,
                                        m->JTurno->X, m->JTurno->Y),
              0)
        << "she does not touch him herself";
    beso(1, 516, 203);  // the heart reaches over both blocks

    m->frameJuego();
    EXPECT_EQ(m->ResistenciaAlAmor, 2);
    EXPECT_EQ(g->Tipo, 2);
    EXPECT_EQ(g->EnamoradoDe, 1);
    EXPECT_EQ(g->XAmor, 558);
    EXPECT_EQ(g->YAmor, 700);
    EXPECT_EQ(g->anim->CurrentAnim, 3);
    const int f = session::FlipCount();
    EXPECT_EQ(sonado("sfx/mmm.wav"), std::vector<int>{f});
    EXPECT_EQ(sonado("sfx/buegh.wav"), std::vector<int>{f});
    EXPECT_TRUE(m->JNoTurno[1]->Besos.empty());
}

TEST_F(Acicalandose, GirlTakenOverWalksToTheSecondShooterAndFansStayCounted) {
    empezar();
    ponerJugador(950, 150);  // far from every path down
    auto g = chica(1, 400, 50);
    beso(0, g->X, g->Y - 40);
    frames(1);
    ASSERT_EQ(g->Tipo, 2);
    ASSERT_EQ(g->XAmor, 308);

    frames(10);  // on her way down to opponent 0
    EXPECT_LT(g->X, 400.0f);
    beso(2, g->X, g->Y - 40);
    frames(1);
    EXPECT_EQ(g->EnamoradoDe, 2);
    EXPECT_EQ(g->XAmor, 808);
    for (int i = 0; i < 400 && g->Tipo != 3; ++i) frames(1);
    ASSERT_EQ(g->Tipo, 3);
    EXPECT_NEAR(g->X, 808.0f, 4.0f) << "she walked to the second shooter";
    EXPECT_GE(g->Y, 700.0f);
    EXPECT_EQ(m->JNoTurno[2]->Fans, 1);
    EXPECT_EQ(m->JNoTurno[0]->Fans, 0);

    // Now standing in line, she is taken over by opponent 0: she counts for him at once
    // (she is already low enough), and opponent 2 keeps the fan he had.
    const float x = g->X;
    beso(0, g->X, g->Y - 40);
    frames(2);
    EXPECT_EQ(g->Tipo, 3);
    EXPECT_EQ(g->EnamoradoDe, 0);
    EXPECT_EQ(m->JNoTurno[0]->Fans, 1);
    EXPECT_EQ(m->JNoTurno[2]->Fans, 1);
    EXPECT_EQ(g->X, x);
    EXPECT_EQ(m->Ganador, 2);
}

TEST_F(Acicalandose, APressDuringTheWaitIsLost) {
    empezar();
    ponerJugador(950, 150);
    // Presses seen in frames 51 (fires), 71 (20 frames later: lost), 101 (50: still too
    // soon, lost) and 120 (fires). Nothing fires at 102 although the wait is over.
    testrig::Script({"50 key Q press", "70 key Q press", "100 key Q press", "119 key Q press",
                     "60 key P press", "200 key B press"});
    const int base = session::FlipCount();
    frames(210);
    std::vector<int> tiros = sonado("sfx/muack.wav", base);
    EXPECT_EQ(tiros, (std::vector<int>{51, 61, 120, 201}));
}

TEST_F(Acicalandose, ShowersEdgesAndSignsOnTheWayThereAndBack) {
    empezar();
    m->cartelDuchas = figuras::solido(10, 10, 0xFFFFFFFF, 0, 0);
    m->cartelCita = figuras::solido(12, 12, 0xFFFFFFFF, 0, 0);
    // Left of 50 before the showers: he stops at the edge.
    testrig::Script({"1 mouse 10 550", "1 button 1 down"});
    frames(60);
    EXPECT_EQ(m->JTurno->meta1, 0);
    const float parado = m->JTurno->X;
    frames(5);
    EXPECT_EQ(m->JTurno->X, parado);
    EXPECT_GE(parado, 47.0f) << "held back to 50 every frame, one step taken";
    EXPECT_LE(parado, 50.0f);

    // A click within 6 units of his x changes only the y goal.
    testrig::Script({"1 mouse 53 400"});
    frames(2);
    EXPECT_EQ(m->JTurno->YGoal, 400);
    EXPECT_EQ(m->JTurno->XGoal, 10);

    // To the right: past 968 he walks on by himself to the showers and back.
    testrig::Script({"1 mouse 1010 400"});
    int vuelta = 0;
    for (int i = 0; i < 600 && m->JTurno->meta1 != 3; ++i, ++vuelta) frames(1);
    ASSERT_EQ(m->JTurno->meta1, 3);
    EXPECT_LE(m->JTurno->X, 968.0f);
    // Still pressing right of 968: he stays at the edge.
    frames(40);
    EXPECT_EQ(m->JTurno->meta1, 3);
    EXPECT_LE(m->JTurno->X, 968.0f + m->JTurno->Speed);
    EXPECT_GE(m->JTurno->X, 968.0f);

    // Only the sign of the current goal blinks, 0.2 s shown, 0.2 s hidden.
    int duchas = 0, cita = 0;
    for (const std::string& l : testrig::TraceOps("image")) {
        if (testrig::Field(l, "src") == "created 10x10") ++duchas;
        if (testrig::Field(l, "src") == "created 12x12") {
            ++cita;
            EXPECT_EQ(testrig::Field(l, "x"), "18");
            EXPECT_EQ(testrig::Field(l, "y"), "138");
        }
    }
    EXPECT_GT(duchas, 0);
    EXPECT_GT(cita, 10);
    EXPECT_LT(cita, 30) << "about half of the 40 frames after the showers";
}

// What a player sees and hears of a long game: every effect played, and every picture and
// text drawn on or near the screen, frame by frame.
struct Partida {
    std::vector<std::string> visto;
    int frames = 0;
    size_t maxBesos = 0;
};

class AcicalandoseLarga : public Acicalandose {
   protected:
    Partida jugar(bool olvidar) {
        testrig::Stop();
        testrig::StartHeadless(7);
        testrig::OpenDisplay(256, 192);  // a quarter of the size: drawing is most of the time
        rig::CaptureTrace(true);
        figuras::sonidosMudos(kSonidos);
        preparar();
        m->prepararJuego(0);
        m->olvidarBesosPerdidos = olvidar;
        m->ProbTolpusero = 0.03f;
        m->ResistenciaAlAmor = 1000;
        std::vector<std::string> guion;
        for (int f = 1; f <= 2000; f += 17) {
            guion.push_back(std::to_string(f) + " key Q press");
            guion.push_back(std::to_string(f + 5) + " key B press");
            guion.push_back(std::to_string(f + 11) + " key P press");
        }
        // He wanders about the room, never as far as the showers.
        const int xs[] = {400, 120, 700, 300, 900, 500};
        for (int f = 1, i = 0; f <= 2000; f += 250, ++i) {
            guion.push_back(std::to_string(f) + " mouse " + std::to_string(xs[i % 6] / 4) + " " +
                            std::to_string((i % 2 ? 250 : 560) / 4));
            guion.push_back(std::to_string(f) + " button 1 down");
        }
        testrig::Script(guion);

        Partida p;
        for (; p.frames < 2000; ++p.frames) {
            size_t n = 0;
            for (auto& j : m->JNoTurno) n += j->Besos.size();
            p.maxBesos = std::max(p.maxBesos, n);
            // Once caught he still walks where he is sent; the frame loop would have
            // ended, but the kisses keep flying here for as long as we like.
            m->frameJuego();
        }
        for (const std::string& l : rig::CapturedTrace()) {
            const std::string op = testrig::Field(l, "op");
            if (op == "sound") {
                p.visto.push_back(l);
            } else if (op == "image" || op == "text") {
                const float x = std::stof(testrig::Field(l, "x")), y = std::stof(testrig::Field(l, "y"));
                if (x > -250 && x < 1274 && y > -150 && y < 918) p.visto.push_back(l);
            }
        }
        return p;
    }
};

// Kisses that fly out of everybody's reach are dropped; nothing a player sees or hears
// changes, and the number in flight stays small however long the game lasts.
TEST_F(AcicalandoseLarga, DroppingLostKissesChangesNothingAPlayerNotices) {
    Partida todos = jugar(false);
    Partida olvidando = jugar(true);
    ASSERT_EQ(olvidando.visto.size(), todos.visto.size());
    for (size_t i = 0; i < todos.visto.size(); ++i) ASSERT_EQ(olvidando.visto[i], todos.visto[i]) << i;
    EXPECT_GT(todos.maxBesos, 35u) << "kept, they pile up";
    EXPECT_LT(olvidando.maxBesos, 27u);
    int tocadas = 0;
    for (const std::string& l : todos.visto)
        if (testrig::Field(l, "src") == "sfx/mmm.wav" || testrig::Field(l, "src") == "sfx/buegh.wav")
            ++tocadas;
    EXPECT_GT(tocadas, 10) << "kisses did touch girls and the player";
}

// The whole play as a new user meets it: the two explanation pages, a walk to the showers
// and back to the date, the closing scene, result 1.
// The explanation read, then the mouse held on the showers and then back on the left.
std::vector<std::string> paseoHastaLaCita() {
    std::vector<std::string> guion;
    for (int f = 1; f <= 600; ++f) guion.push_back(std::to_string(f) + " type x");
    for (int f = 1; f <= 1900; ++f) {
        guion.push_back(std::to_string(f) + (f < 1000 ? " mouse 1010 400" : " mouse 10 400"));
        guion.push_back(std::to_string(f) + " button 1 down");
    }
    return guion;
}

TEST_F(Acicalandose, WalkToTheShowersAndBackWins) {
    testrig::Script(paseoHastaLaCita());
    auto equipo = TEquipo::Create(4);
    equipo->turno = 1;
    EXPECT_EQ(m->iniciarJuego(*equipo), 1);
    EXPECT_EQ(m->Ganador, 1);
    EXPECT_EQ(m->JTurno->meta1, 5);
    ASSERT_TRUE(m->JTurno->Novia);
    EXPECT_EQ(m->JTurno->Novia->novia, 1);
    EXPECT_EQ(m->JTurno->anim->CurrentAnim, 4);
    for (auto& j : m->JNoTurno) EXPECT_EQ(j->anim->CurrentAnim, 6) << "opponents disappointed";
    EXPECT_LT(session::FlipCount(), 1900);

    int titulos = 0, metro = 0;
    for (const std::string& l : testrig::TraceOps("text")) {
        if (testrig::Field(l, "text") == "ACICALANDOSE") ++titulos;
        if (testrig::Field(l, "text") == "Asc-o-metro: 3") {
            ++metro;
            EXPECT_EQ(testrig::Field(l, "x"), "50");
            EXPECT_EQ(testrig::Field(l, "y"), "700");
            EXPECT_EQ(testrig::Field(l, "rgb"), "[255,255,255]");
        }
    }
    EXPECT_GT(titulos, 0) << "the explanation pages came first";
    EXPECT_GT(metro, 300);
}

TEST_F(Acicalandose, EscapeHeldReturnsZeroWithoutClosingScene) {
    std::vector<std::string> guion;
    for (int f = 1; f <= 600; ++f) guion.push_back(std::to_string(f) + " type x");
    guion.push_back("700 key Escape down");
    testrig::Script(guion);
    const int base = session::FlipCount();
    auto equipo = TEquipo::Create(4);
    EXPECT_EQ(m->iniciarJuego(*equipo), 0);
    EXPECT_EQ(session::FlipCount() - base, 700) << "ends with the frame in which it was seen held";
    EXPECT_EQ(m->Ganador, 2);
}

// Escape held in the very frame that shows the win: the win stands, without the
// closing scene.
TEST_F(Acicalandose, EscapeHeldAsTheWinShowsKeepsTheWin) {
    auto equipo = TEquipo::Create(4);
    equipo->turno = 1;
    testrig::Script(paseoHastaLaCita());
    int base = session::FlipCount();
    ASSERT_EQ(m->iniciarJuego(*equipo), 1);
    int decisivo = 0;  // the last frame of the play: the closing scene shows no meter
    for (const std::string& l : testrig::TraceOps("text"))
        if (testrig::Field(l, "text").rfind("Asc-o-metro", 0) == 0)
            decisivo = std::stoi(testrig::Field(l, "flip")) - base;
    ASSERT_GT(decisivo, 600);

    TearDown();  // the same play again from the start, Escape held from that frame on
    SetUp();
    std::vector<std::string> guion = paseoHastaLaCita();
    guion.push_back(std::to_string(decisivo) + " key Escape down");
    testrig::Script(guion);
    base = session::FlipCount();
    EXPECT_EQ(m->iniciarJuego(*equipo), 1);
    EXPECT_EQ(m->Ganador, 1);
    EXPECT_EQ(session::FlipCount() - base, decisivo) << "no closing scene";
}

}  // namespace
