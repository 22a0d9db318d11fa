// "Apagon" under the rig: the real minigame on the virtual clock with scripted keys and
// mouse, figures made in code and silent effects named after their files.
#include "minigames/apagon/mini_juego6.h"
#include "support/cronometrado_fixture.h"

#include <string>

namespace {

using Apagon = CronometradoTest<TMiniJuego6>;

// The torch follows whoever moves: B, lit where he stands, is caught once he keeps moving;
// Q creeps while the beam is away and freezes when it comes, so nobody reaches the rack
// and after 30 seconds the torch has won.
TEST_F(Apagon, TheTorchCatchesWhoeverMovesInItsLightAndHoldsOutThirtySeconds) {
    m->prepararJuego(0);
    const float bX = m->sombras[1].x, bY = m->sombras[1].y;
    // A step or two in the light is let go in time; the light then needs its frames again.
    testrig::Script({"1 mouse 512 700", "1 key B down", "6 key B up", "8 key B down", "20 key B up"});
    for (int i = 0; i < 7; ++i) ASSERT_TRUE(m->jugarFrame());
    EXPECT_EQ(m->sombras[1].pillado, 0);
    EXPECT_LT(m->sombras[1].y, bY);
    for (int i = 0; i < 14; ++i) ASSERT_TRUE(m->jugarFrame());
    EXPECT_EQ(m->sombras[1].pillado, 1);
    EXPECT_EQ(m->sombras[1].x, bX);
    EXPECT_EQ(m->sombras[1].y, bY) << "back at his start";
    EXPECT_EQ(sonado("sfx/pillada.wav"), 1);

    // Q creeps for two seconds with the beam on the other side...
    const float qY = m->sombras[0].y;
    testrig::Script({"1 mouse 900 600", "1 key Q down", "120 key Q up"});
    for (int i = 0; i < 125; ++i) ASSERT_TRUE(m->jugarFrame());
    EXPECT_LT(m->sombras[0].y, qY - 80) << "he got nearer in the dark";
    EXPECT_EQ(m->sombras[0].pillado, 0);
    // ...and stands still when the beam finds him: still in the light is safe.
    const int x = static_cast<int>(m->sombras[0].x), y = static_cast<int>(m->sombras[0].y) - 40;
    testrig::Script({"1 mouse " + std::to_string(x) + " " + std::to_string(y)});
    for (int i = 0; i < 90; ++i) ASSERT_TRUE(m->jugarFrame());
    EXPECT_TRUE(m->iluminado(m->sombras[0].x, m->sombras[0].y));
    EXPECT_EQ(m->sombras[0].pillado, 0);

    hastaElFinal();
    EXPECT_EQ(m->terminar(), 1);
    EXPECT_GE(m->now(), TMiniJuego6::kDuracion + TMiniJuego6::kCierre);
    EXPECT_TRUE(escrito("BIEN HECHO!"));
    EXPECT_EQ(sonado("sfx/yeha.wav"), 1);
}

// P holds his key from the start while the torch looks the other way: he reaches the
// rack as fast as he can walk and the torch has lost.
TEST_F(Apagon, OneWhoReachesTheRackUnseenWinsItForTheThree) {
    m->prepararJuego(3);
    testrig::Script({"1 mouse 100 600", "1 key P down"});
    hastaElFinal();
    EXPECT_EQ(m->llegado, 2);
    EXPECT_EQ(m->terminar(), 0);
    EXPECT_LT(m->decidido, TMiniJuego6::kRadioSalida / TMiniJuego6::kPaso / 60 + 1);
    EXPECT_TRUE(escrito("HAS PERDIDO!"));
    EXPECT_EQ(sonado("sfx/boum.wav"), 1);
    EXPECT_EQ(sonado("sfx/pillada.wav"), 0);
}

TEST_F(Apagon, EscapeSkipsThePlayAndThePlayerOnTurnKeepsTheMove) {
    m->prepararJuego(1);
    testrig::Script({"1 key P down", "30 key Escape press"});
    hastaElFinal();
    EXPECT_EQ(m->terminar(), 1);
    EXPECT_EQ(m->llegado, -1);
}

}  // namespace
