// "No te mojes" under the rig: the real minigame on the virtual clock with scripted or
// injected input, figures made in code (a 40 x 100 block per character standing on its
// position), floors shaped by the tests, and silent effects named after their files.
#include "board/equipo.h"
#include "minigames/no_te_mojes/mini_juego2.h"
#include "platform/input/input.h"
#include "platform/session/clock.h"
#include "platform/video/display.h"
#include "support/minigame_fixture.h"
#include "support/rig_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kSonidos = {"sfx/oops.wav", "sfx/yeha.wav", "sfx/aguaboo.wav",
                                           "sfx/aguava.wav"};

class NoTeMojes : public testrig::HeadlessTest {
   protected:
    // A quarter-size window (256 x 192): the frames are cheaper and the virtual units
    // are still what the game sees.
    void SetUp() override {
        testrig::StartHeadless();
        testrig::OpenDisplay(256, 192);
        rig::CaptureTrace(true);
        figuras::sonidosMudos(kSonidos);
        TMiniJuego2::cargarRecursos();
        TMiniJuego2::imgBola = figuras::solido(30, 36, 0xFF4080FF, 0, 0);
        paquetes = figuras::paquetes();
        m = TMiniJuego2::Create(figuras::conjunto(), paquetes);
    }
    void TearDown() override {
        display::SetSkipping(false);
        setGestorSonido(nullptr);
        m.reset();
        TMiniJuego2::imgBola = nullptr;
        HeadlessTest::TearDown();
    }

    // The game without its explanation, on a dry floor (noise 255 everywhere).
    void empezar(int turno = 0) {
        m->prepararJuego(turno);
        suelo(0, 0, TMiniJuego2::ANCHO_SUELO, TMiniJuego2::ALTO_SUELO, 255);
    }
    // Noise value v for the floor cells [x0, x1) x [y0, y1).
    void suelo(int x0, int y0, int x1, int y1, int v) {
        for (int x = x0; x < x1; ++x)
            for (int y = y0; y < y1; ++y) m->ruido[static_cast<size_t>(x)][static_cast<size_t>(y)] = v;
        m->generaAgua(m->nivel + 20, m->nivel);
        m->generaManchas();
    }
    void pisarCharco();
    void ponerJugador(int x, int y) {
        m->jugadorRaton->X = m->jugadorRaton->XGoal = x;
        m->jugadorRaton->Y = m->jugadorRaton->YGoal = y;
    }
    // Every hose without a bulge and never starting one, so only the tests make them.
    void manguerasQuietas() {
        for (auto& h : m->jugadoresAgua) h->posicionBola = 1e9;  // far beyond the mouth...
        for (auto& h : m->jugadoresAgua) h->velocidadBola = 0;   // ...and staying there
    }
    // The mouse at virtual (x, y) with the left button held; seen by the next frame.
    static void raton(int x, int y) {
        input::MouseMoveEvent(x / 4, y / 4);
        input::MouseButtonEvent(1, true);
    }
    static void soltar() { input::MouseButtonEvent(1, false); }
    // A key press seen by the next read of that key.
    static void pulsar(int tecla) {
        input::KeyEvent(tecla, true);
        input::KeyEvent(tecla, false);
    }
    int frames(int n) {
        int r = -1;
        for (int i = 0; i < n && r < 0; ++i) r = m->frameJuego();
        return r;
    }
    // Flips (relative to `desde`) at which the effect was played.
    std::vector<int> sonado(const std::string& src, int desde = 0) {
        std::vector<int> out;
        for (const std::string& l : testrig::TraceOps("sound"))
            if (testrig::Field(l, "src") == src) out.push_back(std::stoi(testrig::Field(l, "flip")) - desde);
        return out;
    }
    static uint32_t alfa(uint32_t argb) { return argb >> 24; }

    TPaquetes paquetes;
    std::unique_ptr<TMiniJuego2> m;
};

TEST_F(NoTeMojes, HosesBelongToTheOtherThreeWithQBPAndThePlayerStartsAtTheBottom) {
    testrig::UseDataDir();
    m->prepararJuego(2);
    const char* dirs[3] = {"tarsun", "ervarsen", "pexil"};
    const int teclas[3] = {81, 66, 80};
    for (int k = 0; k < 3; ++k) {
        const T2JugadorAgua& h = *m->jugadoresAgua[static_cast<size_t>(k)];
        ASSERT_TRUE(h.Image) << k;
        EXPECT_EQ(h.Image->source, std::string(dirs[k]) + "/manguera.png");
        EXPECT_EQ(h.tecla, teclas[k]);
        EXPECT_EQ(h.num, k);
        EXPECT_EQ(h.X, 783);
        EXPECT_EQ(h.Y, 200 + 100 * k);
        EXPECT_EQ(h.posicionBola, -1);
    }
    EXPECT_EQ(TMiniJuego2::imgBola->handleX, 0);
    EXPECT_EQ(TMiniJuego2::imgBola->handleY, 18);
    const T2JugadorRaton& j = *m->jugadorRaton;
    EXPECT_EQ(j.pj, 2);
    EXPECT_EQ(j.X, 384);
    EXPECT_EQ(j.Y, 760);
    EXPECT_EQ(m->pjsAnim[2]->CurrentAnim, 8) << "he waits";
    // Every texture of the data set was found and tiles the floor.
    for (const auto& t : m->texturaAgua2) {
        ASSERT_TRUE(t);
        EXPECT_GE(t->width, 128);
    }
    EXPECT_EQ(m->animChorro[5]->source, "artwork/chorro6.png");
    EXPECT_EQ(m->animChorro[5]->handleX, 40);
    EXPECT_EQ(m->animChorro[5]->handleY, 1);
}

TEST_F(NoTeMojes, WaterIsOpaqueAtTheLevelAndFadesOverTwentySteps) {
    empezar();
    // Textures: frame i is a flat colour whose red is i; frame 3 tiles a 128 x 128 pattern.
    for (int i = 0; i < 32; ++i) {
        auto p = CreatePixmap(128, 128);
        p->ClearPixels(0xFF000000u | (static_cast<uint32_t>(i) << 16) | 0x00F0F0u);
        m->texturaAgua2[static_cast<size_t>(i)] = p;
    }
    m->texturaAgua2[3]->WritePixel(5, 7, 0xFFFFFFFFu);
    for (int x = 0; x < 10; ++x) m->ruido[static_cast<size_t>(x)][0] = 30 + x;  // 30 .. 39
    m->ruido[0][1] = 0;

    m->generaAgua(50, 30);  // level 30
    TPixmapPtr a = LockImage(m->imgAgua, 0, true, false);
    ASSERT_EQ(a->width, 384);
    ASSERT_EQ(a->height, 320);
    EXPECT_EQ(alfa(a->ReadPixel(0, 0)), 150u) << "at the level";
    EXPECT_EQ(alfa(a->ReadPixel(0, 1)), 150u) << "below it";
    EXPECT_EQ(alfa(a->ReadPixel(1, 0)), 143u) << "one above: (1 * 150) div 20 = 7";
    EXPECT_EQ(alfa(a->ReadPixel(9, 0)), 83u) << "nine above: 1350 div 20 = 67";
    EXPECT_EQ(alfa(a->ReadPixel(20, 0)), 0u) << "dry floor (255)";
    // Colour: the texel plus (32, 64, 255), capped; blue is always full.
    EXPECT_EQ(a->ReadPixel(0, 0) & 0xFFFFFF, 0x20FFFFu);

    m->frameAgua = 3;
    m->generaAgua(50, 30);
    a = LockImage(m->imgAgua, 0, true, false);
    EXPECT_EQ(a->ReadPixel(0, 0) & 0xFF0000, 0x230000u) << "the texture of the current frame";
    EXPECT_EQ(a->ReadPixel(5, 7) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(a->ReadPixel(133, 135) & 0xFFFFFF, 0xFFFFFFu) << "tiled every 128 cells";
    EXPECT_EQ(a->ReadPixel(261, 263) & 0xFFFFFF, 0xFFFFFFu);

    // A texture smaller than the tile repeats at its own size; a missing one is black.
    m->texturaAgua2[3] = CreatePixmap(4, 4);
    m->texturaAgua2[3]->ClearPixels(0xFF102030u);
    m->generaAgua(50, 30);
    EXPECT_EQ(LockImage(m->imgAgua, 0, true, false)->ReadPixel(127, 127) & 0xFFFFFF, 0x3060FFu);
    m->texturaAgua2[3] = nullptr;
    m->generaAgua(50, 30);
    EXPECT_EQ(LockImage(m->imgAgua, 0, true, false)->ReadPixel(127, 127) & 0xFFFFFF, 0x2040FFu);
}

TEST_F(NoTeMojes, StainsMarkTheLowGroundAndOnlyTheNearlyFloodedCellsKill) {
    empezar();
    m->ruido[10][10] = 0;
    m->ruido[11][10] = 1;
    m->ruido[12][10] = 2;
    m->ruido[13][10] = 100;
    m->ruido[14][10] = 101;
    m->ruido[15][10] = 50;
    m->generaManchas();
    TPixmapPtr s = LockImage(m->imgManchas, 0, true, false);
    EXPECT_EQ(s->ReadPixel(10, 10), 0xFF333333u);
    EXPECT_EQ(s->ReadPixel(15, 10), 0x7F333333u) << "50 * 255 div 100 = 127";
    EXPECT_EQ(alfa(s->ReadPixel(13, 10)), 0u);
    EXPECT_EQ(alfa(s->ReadPixel(14, 10)), 0u);

    // Level 0: deep only where the noise is 0 or 1. Cell (x, y) is virtual (2x, 128 + 2y).
    m->generaAgua(20, 0);
    EXPECT_EQ(m->esAguaLetal(20, 148), 1);
    EXPECT_EQ(m->esAguaLetal(21, 149), 1) << "both units of the cell";
    EXPECT_EQ(m->esAguaLetal(22, 148), 1);
    EXPECT_EQ(m->esAguaLetal(24, 148), 0) << "the fringe (alpha 135) is safe";
    EXPECT_EQ(m->esAguaLetal(20, 146), 0);
    // Above the floor nothing is water, whatever lies in the top row.
    suelo(0, 0, 384, 1, 0);
    EXPECT_EQ(m->esAguaLetal(100, 128), 1);
    EXPECT_EQ(m->esAguaLetal(100, 127), 0);
    // Off the floor's edges reads as dry rather than out of the picture.
    EXPECT_EQ(m->esAguaLetal(800, 300), 0);
    EXPECT_EQ(m->esAguaLetal(100, 800), 0);
}

TEST_F(NoTeMojes, PlayerWalksOneUnitPerFrameAndStopsAtTheFloorsRightEdge) {
    empezar();
    manguerasQuietas();
    raton(900, 700);
    frames(1);
    soltar();
    EXPECT_EQ(m->jugadorRaton->XGoal, 900);
    EXPECT_EQ(m->jugadorRaton->YGoal, 700);
    EXPECT_EQ(m->jugadorRaton->X, 385);
    EXPECT_EQ(m->jugadorRaton->Y, 759);
    EXPECT_EQ(m->pjsAnim[0]->CurrentAnim, 7) << "walking right wins over up";
    frames(59);
    EXPECT_EQ(m->jugadorRaton->X, 444);
    EXPECT_EQ(m->jugadorRaton->Y, 700);
    frames(400);
    EXPECT_EQ(m->jugadorRaton->X, 767) << "clicked right of 767, stops there";
    EXPECT_EQ(m->pjsAnim[0]->CurrentAnim, 7) << "still pushing right";
    EXPECT_EQ(m->jugadorRaton->Status, 0);

    // A click within 2 units of his x changes only the y goal; walking up shows animation 4,
    // standing still the waiting pose.
    raton(768, 600);  // 1 unit right of him
    frames(1);
    soltar();
    EXPECT_EQ(m->jugadorRaton->XGoal, 900);
    EXPECT_EQ(m->jugadorRaton->YGoal, 600);
    raton(300, 600);
    frames(1);
    soltar();
    m->jugadorRaton->XGoal = m->jugadorRaton->X;  // straight up from here
    frames(5);
    EXPECT_EQ(m->pjsAnim[0]->CurrentAnim, 4);
    frames(200);
    EXPECT_EQ(m->jugadorRaton->Y, 600);
    EXPECT_EQ(m->pjsAnim[0]->CurrentAnim, 8);
}

TEST_F(NoTeMojes, ReachingTheShowersWinsAfterFiveSecondsOfCelebration) {
    empezar(1);
    ponerJugador(300, 140);
    raton(300, 100);
    const int base = session::FlipCount();
    EXPECT_EQ(frames(12), -1);
    EXPECT_EQ(m->jugadorRaton->Y, 128);
    EXPECT_EQ(m->win, 0);
    EXPECT_EQ(frames(1), -1);
    EXPECT_EQ(m->jugadorRaton->Y, 127);
    EXPECT_EQ(m->win, 1);
    EXPECT_EQ(m->lose, 0);
    EXPECT_EQ(m->jugadorRaton->Status, 1);
    EXPECT_EQ(m->pjsAnim[1]->CurrentAnim, 5);
    EXPECT_EQ(sonado("sfx/yeha.wav", base), std::vector<int>{13});
    EXPECT_DOUBLE_EQ(m->timer, m->now());
    for (auto& h : m->jugadoresAgua) EXPECT_EQ(h->posicionBola, -1) << "the hoses stop";

    // He no longer follows the mouse; the result shows in every frame until the end.
    const int32_t inicio = Millisecs();
    int r = -1, n = 0;
    while (r < 0 && n < 1000) {
        r = m->frameJuego();
        ++n;
    }
    EXPECT_EQ(r, 1);
    EXPECT_EQ(m->jugadorRaton->Y, 127);
    EXPECT_GE(Millisecs() - inicio, 4980);
    EXPECT_LE(Millisecs() - inicio, 5020);
    int textos = 0;
    for (const std::string& l : testrig::TraceOps("text")) {
        ASSERT_EQ(testrig::Field(l, "text"), "BIEN HECHO!");
        EXPECT_EQ(testrig::Field(l, "x"), "270");
        EXPECT_EQ(testrig::Field(l, "y"), "344");
        EXPECT_EQ(testrig::Field(l, "rgb"), "[255,255,255]");
        ++textos;
    }
    EXPECT_EQ(textos, n) << "from the deciding frame to the last one drawn";
}

// The same walk, the frames seen or not (a follower hurrying to catch up draws nothing): the
// floor that kills is the game's own, not its picture's.
TEST_F(NoTeMojes, SteppingIntoAPuddleLosesWhileTheFringeIsSafe) { pisarCharco(); }

TEST_F(NoTeMojes, SteppingIntoAPuddleLosesAlsoInFramesNobodySees) {
    display::SetSkipping(true);
    pisarCharco();
}

void NoTeMojes::pisarCharco() {
    empezar(3);
    manguerasQuietas();
    suelo(0, 140, 384, 150, 2);  // the fringe, virtual y 408 .. 427: wet but safe
    suelo(0, 100, 384, 110, 1);  // deep: virtual y 328 .. 347
    ponerJugador(200, 430);
    raton(200, 50);
    const int base = session::FlipCount();
    frames(60);
    EXPECT_EQ(m->jugadorRaton->Status, 0) << "crossed the fringe";
    frames(22);
    EXPECT_EQ(m->jugadorRaton->Y, 348);
    EXPECT_EQ(m->lose, 0);
    frames(1);
    EXPECT_EQ(m->jugadorRaton->Y, 347);
    EXPECT_EQ(m->lose, 1);
    EXPECT_EQ(m->win, 0);
    EXPECT_EQ(m->jugadorRaton->Status, 2);
    EXPECT_EQ(m->pjsAnim[3]->CurrentAnim, 6);
    EXPECT_EQ(sonado("sfx/oops.wav", base), std::vector<int>{83});
    EXPECT_EQ(frames(1000), 0);
    EXPECT_EQ(m->jugadorRaton->Y, 347) << "he stays where he fell";
    std::vector<std::string> textos = testrig::TraceOps("text");
    ASSERT_FALSE(textos.empty());
    EXPECT_EQ(testrig::Field(textos.back(), "text"), "HAS PERDIDO!");
    EXPECT_EQ(testrig::Field(textos.back(), "x"), "230");
}

TEST_F(NoTeMojes, APourRaisesTheLevelByTenWhichDrainsOneStepEvery200ms) {
    empezar();
    manguerasQuietas();
    ponerJugador(100, 700);
    T2JugadorAgua& h = *m->jugadoresAgua[1];
    h.posicionBola = 40;  // at the mouth, full size
    h.velocidadBola = -4;
    pulsar(66);
    const int base = session::FlipCount();
    frames(1);
    EXPECT_EQ(m->nivelObjetivo, 10);
    EXPECT_EQ(m->nivel, 0) << "the level moves before the hoses pour";
    EXPECT_EQ(sonado("sfx/aguava.wav", base), std::vector<int>{1});
    EXPECT_EQ(h.posicionBola, -1);
    EXPECT_EQ(m->circuloAgua[1], 18) << "started at 10 and spread once as it was drawn";
    EXPECT_EQ(m->frameChorro[1], 2);

    std::vector<int> niveles;
    const int32_t vertido = Millisecs();
    int32_t seco = 0;
    for (int i = 0; i < 200 && !seco; ++i) {
        frames(1);
        niveles.push_back(m->nivel);
        if (m->nivel == 0) seco = Millisecs();
    }
    EXPECT_EQ(*std::max_element(niveles.begin(), niveles.end()), 10);
    for (size_t i = 0; i + 1 < niveles.size(); ++i) EXPECT_LE(std::abs(niveles[i + 1] - niveles[i]), 1);
    EXPECT_EQ(niveles[0], 1) << "climbs one per frame";
    EXPECT_EQ(niveles[8], 9);
    ASSERT_NE(seco, 0);
    EXPECT_GE(seco - vertido, 1900) << "ten drain steps of 200 ms";
    EXPECT_LE(seco - vertido, 2200);
    EXPECT_EQ(m->nivelObjetivo, 0);
    frames(30);
    EXPECT_EQ(m->nivelObjetivo, 0) << "never below 0";
}

TEST_F(NoTeMojes, TheRippleSpreadsSlowerAndFadesAndTheSprayPlaysSixFrames) {
    empezar();
    manguerasQuietas();
    for (int i = 0; i < 6; ++i)
        m->animChorro[static_cast<size_t>(i)] = figuras::solido(10 + i, 10, 0xFFFFFFFF, 40, 1);
    m->echandoAgua[2] = 1;
    const int base = session::FlipCount();
    frames(60);

    std::vector<int> radios;
    for (const std::string& l : testrig::TraceOps("oval")) {
        const int c = std::stoi(testrig::Field(l, "w")) / 4;
        radios.push_back(c);
        EXPECT_EQ(std::stof(testrig::Field(l, "x")), 768.0f - 2 * c);
        EXPECT_EQ(std::stof(testrig::Field(l, "y")), 480.0f - 2 * c) << "beside hose 2";
        EXPECT_EQ(testrig::Field(l, "rgb"), "[32,64,255]");
        EXPECT_EQ(testrig::Field(l, "viewport"), "[0,32,192,160]") << "kept on the floor, in pixels";
        EXPECT_NEAR(std::stod(testrig::Field(l, "alpha")),
                    static_cast<int>((0.5f - c * 0.5f / 100) * 255) / 255.0, 1e-5);
    }
    ASSERT_EQ(radios.size(), 47u);
    EXPECT_EQ((std::vector<int>(radios.begin(), radios.begin() + 6)),
              (std::vector<int>{10, 18, 25, 31, 36, 41}));
    EXPECT_EQ(radios.back(), 100);
    EXPECT_EQ(m->circuloAgua[2], 0);
    // Past 70 it grows by one a frame.
    const auto setenta = std::find(radios.begin(), radios.end(), 71);
    ASSERT_NE(setenta, radios.end());
    for (auto it = setenta; it + 1 != radios.end(); ++it) EXPECT_EQ(*(it + 1), *it + 1);

    std::vector<std::string> chorro;
    for (const std::string& l : testrig::TraceOps("image")) {
        const std::string src = testrig::Field(l, "src");
        if (src.rfind("created 1", 0) == 0 && testrig::Field(l, "y") == "440") {
            chorro.push_back(src);
            EXPECT_EQ(testrig::Field(l, "x"), "783");
            EXPECT_EQ(testrig::Field(l, "flip"), std::to_string(base + static_cast<int>(chorro.size())));
        }
    }
    EXPECT_EQ(chorro, (std::vector<std::string>{"created 10x10", "created 11x10", "created 12x10",
                                                "created 13x10", "created 14x10", "created 15x10"}));
    // Only the ripples are kept on the floor: everything else has the whole screen.
    for (const std::string& l : testrig::TraceOps("image"))
        ASSERT_EQ(testrig::Field(l, "viewport"), "[0,0,256,192]");
}

TEST_F(NoTeMojes, APressOnTheWaySpoilsTheBulgeAndOnlyPressesAtTheMouthPour) {
    empezar();
    T2JugadorAgua& h = *m->jugadoresAgua[0];
    // Bulges start at 241 and run at 3.5 to 5.5 units a frame.
    SeedRnd(3);
    for (int n = 0; n < 20; ++n) {
        h.posicionBola = -1;
        int espera = 0;
        while (h.posicionBola == -1 && espera < 1000) {
            h.UpdateState();
            ++espera;
        }
        ASSERT_EQ(h.posicionBola, 241);
        EXPECT_LE(h.velocidadBola, -3.5);
        EXPECT_GT(h.velocidadBola, -5.5);
    }

    // From the mouth on: ten shrinking frames, then gone; a press in any of them pours.
    h.posicionBola = 241;
    h.velocidadBola = -5.5;
    int viaje = 0;
    while (h.posicionBola > 43) {
        h.UpdateState();
        ++viaje;
    }
    EXPECT_EQ(viaje, 36);
    std::vector<double> tam;
    while (h.posicionBola != -1) {
        h.UpdateState();
        tam.push_back(h.tamanioBola);
    }
    EXPECT_EQ(tam.size(), 11u) << "10 shrinking frames and the one that ends it";
    EXPECT_NEAR(tam[0], 0.91, 1e-6);
    EXPECT_EQ(tam.back(), 1);
    EXPECT_EQ(m->nivelObjetivo, 0);
    for (int f = 0; f < 10; ++f) {
        h.posicionBola = 43;
        h.tamanioBola = 1;
        for (int i = 0; i < f; ++i) h.UpdateState();
        pulsar(81);
        h.UpdateState();
        EXPECT_EQ(m->nivelObjetivo, 10 * (f + 1)) << "pressed in shrinking frame " << f;
        EXPECT_EQ(h.posicionBola, -1);
        EXPECT_EQ(h.tamanioBola, 1);
        EXPECT_EQ(m->echandoAgua[0], 1);
    }
    m->nivelObjetivo = 0;

    // A press on the way: "aguaboo", the bulge stops where it is and shrinks there; a press
    // while it shrinks is used up and pours nothing.
    h.posicionBola = 200;
    h.velocidadBola = -4;
    pulsar(81);
    h.UpdateState();
    EXPECT_EQ(h.posicionBola, 196);
    EXPECT_EQ(h.gluglu, 1);
    EXPECT_EQ(sonado("sfx/aguaboo.wav").size(), 1u);
    pulsar(81);
    h.UpdateState();
    EXPECT_EQ(h.posicionBola, 196);
    EXPECT_NEAR(h.tamanioBola, 0.91, 1e-6);
    EXPECT_EQ(m->nivelObjetivo, 0);
    EXPECT_EQ(KeyHit(81), 0) << "the press was read";
    for (int i = 0; i < 10; ++i) h.UpdateState();
    EXPECT_EQ(h.posicionBola, -1);
    EXPECT_EQ(h.gluglu, 0);
    EXPECT_EQ(sonado("sfx/aguava.wav").size(), 10u) << "only the ten presses at the mouth poured";

    // A press between bulges is kept and spoils the next bulge at its first moving frame.
    pulsar(81);
    while (h.posicionBola == -1) h.UpdateState();
    EXPECT_EQ(h.gluglu, 0);
    h.UpdateState();
    EXPECT_EQ(h.gluglu, 1);
    EXPECT_EQ(h.posicionBola, 241 + h.velocidadBola);
}

TEST_F(NoTeMojes, TheBulgeIsDrawnScaledAlongTheHose) {
    empezar();
    manguerasQuietas();
    m->jugadoresAgua[1]->Image = figuras::solido(241, 100, 0xFF00A000, 0, 0);
    m->jugadoresAgua[1]->posicionBola = 100;
    m->jugadoresAgua[1]->gluglu = 1;  // spoiled: shrinks where it is
    m->jugadoresAgua[1]->tamanioBola = 0.5;
    frames(1);
    std::string bola, manguera;
    for (const std::string& l : testrig::TraceOps("image")) {
        if (testrig::Field(l, "src") == "created 30x36" && testrig::Field(l, "y") == "353") bola = l;
        if (testrig::Field(l, "src") == "created 241x100") manguera = l;
    }
    ASSERT_FALSE(bola.empty());
    EXPECT_EQ(testrig::Field(manguera, "x"), "783");
    EXPECT_EQ(testrig::Field(manguera, "y"), "300");
    EXPECT_EQ(testrig::Field(bola, "x"), "883");
    EXPECT_EQ(testrig::Field(bola, "y"), "353");
    EXPECT_EQ(testrig::Field(bola, "scale"), "[0.41,0.41]");
    EXPECT_EQ(testrig::Field(bola, "handle"), "[0,18]");
}

TEST_F(NoTeMojes, TheWaterShimmersThroughThirtyTwoTextureFrames) {
    empezar();
    manguerasQuietas();
    suelo(0, 0, 1, 1, 0);
    for (int i = 0; i < 32; ++i) {
        auto p = CreatePixmap(128, 128);
        p->ClearPixels(0xFF000000u | (static_cast<uint32_t>(i) << 16));
        m->texturaAgua2[static_cast<size_t>(i)] = p;
    }
    for (int n = 1; n <= 40; ++n) {
        frames(1);
        const uint32_t rojo = (LockImage(m->imgAgua, 0, true, false)->ReadPixel(0, 0) >> 16) & 0xFF;
        ASSERT_EQ(rojo, static_cast<uint32_t>(32 + (n - 1) % 32)) << n;
    }
    // The floor layers are drawn doubled, the stains under the water.
    std::vector<std::string> capas;
    for (const std::string& l : testrig::TraceOps("image"))
        if (testrig::Field(l, "src") == "created 384x320" &&
            testrig::Field(l, "flip") == std::to_string(session::FlipCount()))
            capas.push_back(l);
    ASSERT_EQ(capas.size(), 2u);
    for (const std::string& l : capas) {
        EXPECT_EQ(testrig::Field(l, "y"), "128");
        EXPECT_EQ(testrig::Field(l, "scale"), "[2,2]");
        EXPECT_EQ(testrig::Field(l, "blend"), "3");
    }
}

// The whole play as the players meet it: both explanation pages, then a walk straight
// up the floor of the data set to the showers, and the closing scene; result 1.
TEST_F(NoTeMojes, WalkingUpTheDryFloorWinsAfterTheExplanation) {
    testrig::UseDataDir();
    figuras::sonidosMudos(kSonidos);
    TMiniJuego2::cargarRecursos();
    m = TMiniJuego2::Create(figuras::conjunto(), figuras::paquetes());
    std::vector<std::string> guion;
    for (int f = 1; f <= 600; ++f) guion.push_back(std::to_string(f) + " type x");
    for (int f = 1; f <= 1500; ++f) {  // held through the explanation's flush
        guion.push_back(std::to_string(f) + " mouse 96 0");
        guion.push_back(std::to_string(f) + " button 1 down");
    }
    testrig::Script(guion);
    auto equipo = TEquipo::Create(2);
    equipo->turno = 1;
    EXPECT_EQ(m->iniciarJuego(*equipo), 1);
    EXPECT_EQ(m->win, 1);
    EXPECT_EQ(m->jugadorRaton->X, 384);
    EXPECT_EQ(m->jugadorRaton->Y, 127);
    EXPECT_EQ(sonado("sfx/yeha.wav").size(), 1u);
    int titulos = 0, bien = 0;
    for (const std::string& l : testrig::TraceOps("text")) {
        if (testrig::Field(l, "text") == "NO TE MOJES") ++titulos;
        if (testrig::Field(l, "text") == "BIEN HECHO!") {
            ++bien;
            EXPECT_EQ(testrig::Field(l, "font"), "comic.ttf@50");
        }
    }
    EXPECT_GT(titulos, 0) << "the explanation pages came first";
    EXPECT_GE(bien, 295) << "five seconds of frames";
    EXPECT_LE(bien, 315);
}

TEST_F(NoTeMojes, EscapeReturnsOneAtOnceButAnOutcomeOnScreenStands) {
    std::vector<std::string> guion;
    for (int f = 1; f <= 600; ++f) guion.push_back(std::to_string(f) + " type x");
    testrig::Script(guion);
    auto equipo = TEquipo::Create(4);
    testrig::Script({"700 key Escape press"});
    const int base = session::FlipCount();
    EXPECT_EQ(m->iniciarJuego(*equipo), 1);
    EXPECT_EQ(session::FlipCount() - base, 700) << "seen before the frame after the press's flip";

    // He walks into deep water: "HAS PERDIDO!" shows, and Escape in the closing scene
    // ends it with the loss, not with the move kept.
    m = TMiniJuego2::Create(figuras::conjunto(), paquetes);
    empezar(3);
    manguerasQuietas();
    suelo(0, 100, 384, 110, 1);  // deep: virtual y 328 .. 347
    ponerJugador(200, 350);
    raton(200, 50);
    EXPECT_EQ(frames(3), -1);
    ASSERT_EQ(m->lose, 1);
    EXPECT_EQ(frames(30), -1);
    EXPECT_EQ(testrig::Field(testrig::TraceOps("text").back(), "text"), "HAS PERDIDO!");
    pulsar(27);
    EXPECT_EQ(m->frameJuego(), 0) << "the loss on screen stands";

    // The same for a win.
    m = TMiniJuego2::Create(figuras::conjunto(), paquetes);
    empezar(1);
    ponerJugador(300, 128);
    raton(300, 100);
    EXPECT_EQ(frames(30), -1);
    ASSERT_EQ(m->win, 1);
    EXPECT_EQ(testrig::Field(testrig::TraceOps("text").back(), "text"), "BIEN HECHO!");
    pulsar(27);
    EXPECT_EQ(m->frameJuego(), 1);
}

TEST_F(NoTeMojes, AnOutcomeAtClockZeroStillEndsTheGame) {
    empezar();
    manguerasQuietas();
    m->tiempo->timer = 0;
    m->tiempo->setDistorsionTiempo(0);  // the minigame clock stands at 0 for a while
    ponerJugador(300, 128);
    raton(300, 100);
    frames(1);
    ASSERT_EQ(m->win, 1);
    EXPECT_EQ(m->timer, 0);
    m->tiempo->setDistorsionTiempo(1);
    EXPECT_EQ(frames(400), 1);
}

}  // namespace
