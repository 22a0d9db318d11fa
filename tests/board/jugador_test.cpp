#include "board/equipo.h"
#include "board/jugador.h"
#include "platform/base/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

std::string mensaje(const std::function<void()>& f) {
    try {
        f();
    } catch (const GameError& e) {
        return e.what();
    }
    return "(no stop)";
}

TEST(Jugador, PositionIsNeverNegative) {
    auto j = TJugador::Create("Pexil");
    EXPECT_EQ(j->getNombre(), "Pexil");
    EXPECT_EQ(j->getPosicion(), 0.0f);
    j->setPosicion(3.5f);
    EXPECT_EQ(j->getPosicion(), 3.5f);
    j->setPosicion(0);
    EXPECT_EQ(j->getPosicion(), 0.0f);
    EXPECT_EQ(mensaje([&] { j->setPosicion(-0.01f); }), "TJugador::SetPosicion - value < 0");
    EXPECT_EQ(mensaje([&] { j->setPosicion(std::nanf("")); }), "TJugador::SetPosicion - value < 0");
    EXPECT_EQ(j->getPosicion(), 0.0f);
}

TEST(Equipo, SlotsAreCharactersInOrder) {
    auto e = TEquipo::Create(3);
    ASSERT_EQ(e->getNJugadores(), 3);
    EXPECT_EQ(e->getJugador(0).getNombre(), "Tarsun");
    EXPECT_EQ(e->getJugador(1).getNombre(), "Er_Varsen");
    EXPECT_EQ(e->getJugador(2).getNombre(), "Quelbido");
    EXPECT_EQ(TEquipo::Create(4)->getJugador(3).getNombre(), "Pexil");
    const std::string stop = "TEquipo::getJugador n > 0 || n > (jugadores.Length - 1)";
    EXPECT_EQ(mensaje([&] { e->getJugador(3); }), stop);
    EXPECT_EQ(mensaje([&] { e->getJugador(-1); }), stop);
    EXPECT_EQ(mensaje([] { TEquipo::Create(5); }), "TEquipo::Create n > 4");
}

TEST(Equipo, TurnCycles) {
    auto cuatro = TEquipo::Create(4);
    EXPECT_EQ(cuatro->getTurno(), 0);
    for (int i = 0; i < 4; ++i) cuatro->pasaTurno();
    EXPECT_EQ(cuatro->getTurno(), 0);
    cuatro->pasaTurno();
    EXPECT_EQ(cuatro->getTurno(), 1);

    auto dos = TEquipo::Create(2);
    std::vector<int> turnos;
    for (int i = 0; i < 4; ++i, dos->pasaTurno()) turnos.push_back(dos->getTurno());
    EXPECT_EQ(turnos, (std::vector<int>{0, 1, 0, 1}));

    auto uno = TEquipo::Create(1);
    for (int i = 0; i < 3; ++i) uno->pasaTurno();
    EXPECT_EQ(uno->getTurno(), 0);
}

}  // namespace
