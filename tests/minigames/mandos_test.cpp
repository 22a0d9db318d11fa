// Every minigame played with controllers only, in both roles: the seat on turn with the
// pointer (stick, d-pad, A as the left button) or its key, the others with their keys
// (A, or left and right in the two-key minigame). The real minigames run under the rig;
// SDL's virtual controllers are driven by script lines.
#include "engine/asiento/mandos.h"
#include "board/equipo.h"
#include "engine/asiento/papeles.h"
#include "minigames/acicalandose/mini_juego1.h"
#include "minigames/apagon/mini_juego6.h"
#include "minigames/compilando/mini_juego7.h"
#include "minigames/escondite_coder/mini_juego4.h"
#include "minigames/guerra_bolas_papel/mini_juego8.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"
#include "minigames/love_is_in_the_air/mini_juego3.h"
#include "minigames/no_te_mojes/mini_juego2.h"
#include "support/minigame_fixture.h"
#include "support/rig_fixture.h"

#include <string>
#include <vector>

namespace {

std::string linea(int flip, const std::string& resto) { return std::to_string(flip) + " " + resto; }

// Pads 1 to 4 connected in order (seats Tarsun, Er_Varsen, Quelbido, Pexil) and a fifth
// with no seat that confirms the explanation pages with A (Enter, which no minigame reads),
// pressing every other flip until flip `hasta`.
std::vector<std::string> mandosYExplicacion(int hasta) {
    std::vector<std::string> g;
    for (int n = 1; n <= 5; ++n) g.push_back(linea(1, "pad " + std::to_string(n) + " connect"));
    for (int f = 2; f < hasta; f += 2) {
        g.push_back(linea(f, "pad 5 button a down"));
        g.push_back(linea(f + 1, "pad 5 button a up"));
    }
    return g;
}

int sonado(const std::string& src) {
    int n = 0;
    for (const std::string& l : testrig::TraceOps("sound")) n += testrig::Field(l, "src") == src;
    return n;
}

class Mandos : public testrig::HeadlessTest {
   protected:
    void TearDown() override {
        setGestorSonido(nullptr);
        HeadlessTest::TearDown();
    }
};

TEST_F(Mandos, AcicalandoseTheStickWalksToTheShowersAndBackWhileAKissFlies) {
    figuras::sonidosMudos({"sfx/muack.wav", "sfx/mmm.wav", "sfx/buegh.wav", "sfx/superbuegh.wav", "sfx/hey.wav"});
    TMiniJuego1::cargarRecursos();
    TMiniJuego1::corazon = figuras::solido(20, 20, 0xFFFF8080, 0, 0);
    TMiniJuego1::flecha = figuras::solido(8, 40, 0xFFFFFFFF, 0, 0);
    auto m = TMiniJuego1::Create(figuras::conjunto(), figuras::paquetes());
    // Er_Varsen (pad 2) on turn: A held (pressed again after the explanation's flush),
    // the stick right, then left. Pexil (pad 4) sends one kiss with A.
    std::vector<std::string> g = mandosYExplicacion(600);
    g.push_back("1 mouse 500 400");
    g.push_back("600 pad 2 button a down");
    g.push_back("600 pad 2 axis leftx 32767");
    g.push_back("1000 pad 2 axis leftx -32768");
    g.push_back("650 pad 4 button a down");
    g.push_back("651 pad 4 button a up");
    testrig::Script(g);
    auto equipo = TEquipo::Create(4);
    equipo->turno = 1;
    EXPECT_EQ(m->jugar(*equipo), 1);
    EXPECT_EQ(m->Ganador, 1);
    EXPECT_EQ(m->JTurno->meta1, 5);
    EXPECT_GE(sonado("sfx/muack.wav"), 1) << "Pexil's A fired a kiss";
    EXPECT_TRUE(asientos::papelDe(1).vacio()) << "the seats are given back when the minigame ends";
    TMiniJuego1::corazon = TMiniJuego1::flecha = TMiniJuego1::fondo = nullptr;
}

TEST_F(Mandos, NoTeMojesTheStickWalksUpTheDryFloorAndAHosePours) {
    testrig::Stop();
    testrig::StartHeadless();
    testrig::OpenDisplay(256, 192);
    rig::CaptureTrace(true);
    testrig::UseDataDir();
    figuras::sonidosMudos({"sfx/oops.wav", "sfx/yeha.wav", "sfx/aguaboo.wav", "sfx/aguava.wav"});
    TMiniJuego2::cargarRecursos();
    auto m = TMiniJuego2::Create(figuras::conjunto(), figuras::paquetes());
    // Er_Varsen walks up with the stick and A; Quelbido's A sends water down his hose.
    std::vector<std::string> g = mandosYExplicacion(600);
    g.push_back("1 mouse 96 150");
    g.push_back("600 pad 2 button a down");
    g.push_back("600 pad 2 axis lefty -32768");
    g.push_back("610 pad 3 button a down");
    g.push_back("611 pad 3 button a up");
    testrig::Script(g);
    auto equipo = TEquipo::Create(4);
    equipo->turno = 1;
    EXPECT_EQ(m->jugar(*equipo), 1);
    EXPECT_EQ(m->win, 1);
    EXPECT_EQ(sonado("sfx/yeha.wav"), 1);
    EXPECT_EQ(sonado("sfx/aguava.wav"), 1) << "Quelbido's A started a bulge";
}

TEST_F(Mandos, LoveIsInTheAirAPicksAndTheOthersAPushes) {
    figuras::sonidosMudos({"sfx/muack.wav", "sfx/boum.wav"});
    TMiniJuego3::cargarRecursos();
    auto m = TMiniJuego3::Create(nullptr, TPaquetes{});
    asientos::TPapelesPublicados publicados(m->asientos(0));
    m->prepararJuego(0);
    m->fondo = figuras::solido(64, 48, 0xFF203040, 0, 0);
    m->chica = figuras::solido(24, 44, 0xFFFF80C0, 0, 0);
    m->chicaOstion = figuras::solido(25, 43, 0xFFFF0000, 0, 0);
    m->pretendiente = figuras::solido(30, 42, 0xFF4080FF, 0, 0);
    testrig::Script({"1 pad 1 connect", "1 pad 2 connect", "1 pad 3 connect", "1 pad 4 connect"});
    m->entrada();
    for (int i = 0; i < 5000 && m->seleccion != 3; ++i) m->frameJuego();
    // Tarsun's A is his Space: the polite line 3 is picked...
    testrig::Script({"1 pad 1 button a down", "2 pad 1 button a up"});
    m->frameJuego();
    m->frameJuego();
    ASSERT_EQ(m->fase, 1);
    ASSERT_EQ(m->seleccion, 3);
    // ...and the three others push it one line each, two of them in the same flip.
    testrig::Script({"1 pad 2 button a down", "1 pad 3 button a down", "2 pad 4 button a down"});
    for (int i = 0; i < 6; ++i) m->frameJuego();
    EXPECT_EQ(m->seleccion, 6);
    while (m->frameJuego()) {
    }
    EXPECT_EQ(m->resultado, 1);
    EXPECT_EQ(sonado("sfx/muack.wav"), 1);
    TMiniJuego3::fuente = nullptr;
}

TEST_F(Mandos, EsconditeCoderACoderStepsOnAAndTheBossShakesThePointerWithTheStick) {
    figuras::sonidosMudos({"sfx/hey.wav", "sfx/stomp.wav", "sfx/wosh.wav", "sfx/pillada.wav"});
    TMiniJuego4::cargarRecursos();
    TMiniJuego4::mesa = figuras::solido(60, 30, 0xFF806040, 30, 15);
    TMiniJuego4::silla = figuras::solido(30, 40, 0xFF303030, 15, 39);
    auto m = TMiniJuego4::Create(figuras::conjunto(), figuras::paquetes());
    asientos::TPapelesPublicados publicados(m->asientos(0));
    m->prepararJuego(0);
    testrig::Script({"1 pad 1 connect", "1 pad 2 connect"});
    m->frameJuego();
    testrig::Script({"0 pad 2 button a down"});
    m->frameJuego();
    EXPECT_EQ(m->otros[0]->y, 696.5f) << "Er_Varsen's coder took a step up";
    EXPECT_EQ(sonado("sfx/stomp.wav"), 1);

    testrig::Script({"1 pad 1 axis leftx 32767"});
    for (int i = 0; i < 20; ++i) m->frameJuego();
    EXPECT_GT(m->ritmo, 1.25f) << "the pointer moving speeds up the boss's countdown";
    TMiniJuego4::fondo = TMiniJuego4::mesa = TMiniJuego4::silla = nullptr;
    TMiniJuego4::fuenteJefe = nullptr;
}

TEST_F(Mandos, LanzamientoDeCDsCatchersWalkOnLeftAndRightAndTheThrowerDragsWithAAndTheStick) {
    TMiniJuego5::cargarRecursos();
    TMiniJuego5::imgCD = figuras::solido(29, 29, 0xFF40A0FF, 0, 0);
    auto m = TMiniJuego5::Create(figuras::conjunto(1, 2), figuras::paquetes());
    asientos::TPapelesPublicados publicados(m->asientos(3));
    m->prepararJuego(3);  // Pexil throws; Tarsun, Er_Varsen and Quelbido catch
    testrig::Script({"1 pad 1 connect", "1 pad 2 connect", "1 pad 3 connect", "1 pad 4 connect",
                     "1 mouse 500 200", "2 pad 1 button dpleft down", "2 pad 2 axis leftx 30000"});
    for (int i = 0; i < 4; ++i) ASSERT_EQ(m->frameJuego(), -1);
    EXPECT_LT(m->jugadores[0]->X, 256);
    EXPECT_GT(m->jugadores[1]->X, 512);
    EXPECT_EQ(m->jugadores[2]->X, 768);

    testrig::Script({"1 pad 4 button a down", "1 pad 4 axis leftx 20000", "1 pad 4 axis lefty 32767",
                     "8 pad 4 button a up"});
    for (int i = 0; i < 10; ++i) ASSERT_EQ(m->frameJuego(), -1);
    EXPECT_EQ(m->cds.size(), 1u) << "the drag threw a disc";

    // Hot-plug in the middle of the play: Er_Varsen's controller, stick still right, is
    // unplugged, and he stops; a new controller takes his free seat and walks him left.
    testrig::Script({"1 pad 2 disconnect"});
    for (int i = 0; i < 3; ++i) ASSERT_EQ(m->frameJuego(), -1);
    const float quieto = m->jugadores[1]->X;
    EXPECT_EQ(m->jugadores[1]->velocidad, 0);
    testrig::Script({"1 pad 6 connect", "2 pad 6 button dpleft down"});
    for (int i = 0; i < 5; ++i) ASSERT_EQ(m->frameJuego(), -1);
    EXPECT_TRUE(asientos::tieneMando(1));
    EXPECT_LT(m->jugadores[1]->X, quieto);
    TMiniJuego5::imgCD = nullptr;
}

TEST_F(Mandos, ApagonTheStickSweepsTheTorchAndACreeperHoldsA) {
    figuras::sonidosMudos({"sfx/pillada.wav", "sfx/yeha.wav", "sfx/boum.wav"});
    TMiniJuego6::cargarRecursos();
    auto m = TMiniJuego6::Create(figuras::conjunto(), figuras::paquetes());
    asientos::TPapelesPublicados publicados(m->asientos(0));
    m->prepararJuego(0);  // Tarsun holds the torch; Pexil is opponent 2
    const float y0 = m->sombras[2].y;
    testrig::Script({"1 pad 1 connect", "1 pad 2 connect", "1 pad 3 connect", "1 pad 4 connect", "1 mouse 512 600",
                     "2 pad 1 axis leftx -32768",
                     "2 pad 4 button a down"});
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(m->jugarFrame());
    EXPECT_LT(m->angulo, -5.0f) << "the stick moved the pointer left and the beam after it";
    EXPECT_LT(m->sombras[2].y, y0 - 30) << "Pexil's A is his key, held";
    EXPECT_EQ(m->sombras[2].pillado, 0);
}

TEST_F(Mandos, CompilandoAHammersTheBuildAndTheStickAimsAtTheScreens) {
    figuras::sonidosMudos({"sfx/stomp.wav", "sfx/yeha.wav", "sfx/hey.wav"});
    TMiniJuego7::cargarRecursos();
    auto m = TMiniJuego7::Create(figuras::conjunto(), figuras::paquetes());
    asientos::TPapelesPublicados publicados(m->asientos(1));
    m->prepararJuego(1);  // Er_Varsen clicks the bugs; Quelbido is opponent 1
    testrig::Script({"1 pad 1 connect", "1 pad 2 connect", "1 pad 3 connect", "1 pad 4 connect", "1 mouse 512 600",
                     "2 pad 2 axis lefty -32768"});
    for (int f = 3; f < 60; f += 4) testrig::Script({std::to_string(f) + " pad 3 button a down",
                                                     std::to_string(f + 2) + " pad 3 button a up"});
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(m->jugarFrame());
    EXPECT_LT(TMiniJuego::ratonY(), 500) << "the stick moved the pointer up to the screens";
    EXPECT_GE(m->teclazos[1], 10) << "Quelbido's A is his key";
    EXPECT_EQ(m->teclazos[0] + m->teclazos[2], 0);
}

TEST_F(Mandos, GuerraDeBolasLeftAndRightThrowStraightAndLobbedAndTheStickWalks) {
    figuras::sonidosMudos({"sfx/wosh.wav", "sfx/oops.wav", "sfx/yeha.wav", "sfx/boum.wav"});
    TMiniJuego8::cargarRecursos();
    auto m = TMiniJuego8::Create(figuras::conjunto(), figuras::paquetes());
    asientos::TPapelesPublicados publicados(m->asientos(3));
    m->prepararJuego(3);  // Pexil walks; Tarsun and Quelbido throw
    testrig::Script({"1 pad 1 connect", "1 pad 2 connect", "1 pad 3 connect", "1 pad 4 connect", "1 mouse 512 600",
                     "2 pad 4 axis leftx 32767", "3 pad 1 button dpleft down", "4 pad 1 button dpleft up",
                     "5 pad 3 button dpright down", "6 pad 3 button dpright up"});
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(m->jugarFrame());
    EXPECT_GT(m->x, 560.0f) << "the stick walked him right";
    ASSERT_EQ(m->bolas.size(), 2u);
    EXPECT_FALSE(m->bolas[0].bombeo) << "Tarsun's left is his first key";
    EXPECT_TRUE(m->bolas[1].bombeo) << "Quelbido's right is his second";
}

}  // namespace
