// "Guerra de bolas de papel" under the rig: the real minigame on the virtual clock with
// scripted keys and mouse, figures made in code and silent effects named after their
// files.
#include "minigames/guerra_bolas_papel/mini_juego8.h"
#include "support/cronometrado_fixture.h"

#include <string>

namespace {

using GuerraBolasPapel = CronometradoTest<TMiniJuego8>;

// The three throw in turn, straight and lobbed; the walker turns about as each ball
// leaves a hand, so none comes down where he is, and after 30 seconds he has won.
TEST_F(GuerraBolasPapel, TurningAboutAtEveryThrowDodgesThemAll) {
    m->prepararJuego(1);
    const char* teclas[6] = {"Q", "V", "O", "W", "B", "P"};
    int destino = 250;
    testrig::Script({"1 mouse 250 600"});
    size_t tiros = 0;
    for (int f = 0; m->enJuego() && f < 3000; ++f) {
        std::vector<std::string> guion;
        if (f % 37 == 0) guion.push_back(std::string("1 key ") + teclas[(f / 37) % 6] + " press");
        size_t ahora = 0;
        for (int t : m->tiros) ahora += static_cast<size_t>(t);
        if (ahora != tiros) {
            tiros = ahora;
            destino = destino == 250 ? 770 : 250;
            guion.push_back("1 mouse " + std::to_string(destino) + " 600");
        }
        testrig::Script(guion);
        ASSERT_TRUE(m->jugarFrame());
    }
    EXPECT_GE(tiros, 15u);
    EXPECT_EQ(m->impactos, 0);
    EXPECT_EQ(sonado("sfx/wosh.wav"), static_cast<int>(tiros));
    hastaElFinal();
    EXPECT_EQ(m->terminar(), 1);
    EXPECT_TRUE(escrito("BIEN HECHO!"));
    EXPECT_EQ(sonado("sfx/yeha.wav"), 1);
}

// Standing still in the aisle: every straight ball lands on him, the third ends it, and
// a key hit during the reload throws nothing.
TEST_F(GuerraBolasPapel, ThreeHitsAndThePlayerOnTurnHasLost) {
    m->prepararJuego(0);
    testrig::Script({"1 mouse 512 600", "1 key V press", "40 key V press", "100 key V press",
                     "200 key V press", "300 key V press"});
    hastaElFinal();
    EXPECT_EQ(m->tiros[1], 3) << "the hit at frame 40 came while reloading";
    EXPECT_EQ(m->impactos, 3);
    EXPECT_EQ(m->terminar(), 0);
    EXPECT_EQ(sonado("sfx/oops.wav"), 3);
    EXPECT_TRUE(escrito("IMPACTOS: 2 / 3"));
    EXPECT_TRUE(escrito("HAS PERDIDO!"));
}

}  // namespace
