// "Compilando..." under the rig: the real minigame on the virtual clock with scripted keys
// and mouse, figures made in code and silent effects named after their files.
#include "minigames/compilando/mini_juego7.h"
#include "support/cronometrado_fixture.h"

#include <string>

namespace {

using Compilando = CronometradoTest<TMiniJuego7>;

// Q hammers six times a second, fast enough to build in 23 seconds; the player on turn
// clicks every bug he sees, and the crashes keep Q's bar from ever filling.
TEST_F(Compilando, ClickingTheBugsCrashesTheBuildsUntilTheTimeIsUp) {
    m->prepararJuego(2);
    int f = 0;
    float masAlta = 0;
    while (m->enJuego() && f < 3000) {
        std::vector<std::string> guion;
        if (f % 10 == 0) guion.push_back("1 key Q press");
        for (const TMiniJuego7::TBicho& b : m->bichos)
            if (!b.aplastado && f % 2 == 0) {
                guion.push_back("1 mouse " + std::to_string(static_cast<int>(b.x)) + " " +
                                std::to_string(static_cast<int>(b.y)));
                guion.push_back("1 button 1 down");
                guion.push_back("2 button 1 up");
                break;
            }
        testrig::Script(guion);
        ASSERT_TRUE(m->jugarFrame());
        masAlta = std::max(masAlta, m->barra[0]);
        ++f;
    }
    EXPECT_GT(m->aplastados, 3);
    EXPECT_EQ(sonado("sfx/stomp.wav"), m->aplastados);
    EXPECT_GT(masAlta, 15.0f) << "Q got going between the crashes";
    EXPECT_LT(masAlta, 100.0f);
    hastaElFinal();
    EXPECT_EQ(m->terminar(), 1);
    EXPECT_TRUE(escrito("BIEN HECHO!"));
    EXPECT_EQ(sonado("sfx/yeha.wav"), 1);
}

// Nobody clicks: B, hammering ten times a second, fills his bar in a quarter of a minute.
TEST_F(Compilando, AFullBarWinsItForTheThree) {
    m->prepararJuego(0);
    std::vector<std::string> guion;
    for (int f = 1; f < 1500; f += 6) guion.push_back(std::to_string(f) + " key B press");
    testrig::Script(guion);
    hastaElFinal();
    EXPECT_EQ(m->compilado, 1);
    EXPECT_EQ(m->teclazos[1], 134);
    EXPECT_EQ(m->terminar(), 0);
    EXPECT_LT(m->decidido, 16.0f);
    EXPECT_TRUE(escrito("HAS PERDIDO!"));
    EXPECT_TRUE(escrito("100%"));
    EXPECT_EQ(sonado("sfx/hey.wav"), 1);
}

}  // namespace
