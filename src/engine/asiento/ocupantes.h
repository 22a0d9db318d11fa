#pragma once
// Who sits at each seat: a person at the keyboard and mouse, a controller, or a computer
// player. A seat is one of those at a time as far as anybody asks (ocupante), though all
// of them act through the same keys, so a person may always press first. Screen code never
// asks who sits where, except to draw what tells the players (the small "CPU" mark, the
// controller buttons, the board's "JUEGA LA CPU") and on the players screen.
//
// With no computer player chosen no brain is installed and the game runs as always.
#include "engine/asiento/asiento.h"

#include <array>
#include <cstdint>

namespace asientos {

enum class TOcupante {
    persona,  // the keyboard and mouse (also whenever nobody else sits there)
    mando,    // a controller (mandos.h)
    cpu,      // a computer player (cerebro.h)
    // A player over the network: its input reaches the host as a controller's of its own
    // (remotos.h).
    remoto,
};

// Levels of play: 1 easy, 2 normal, 3 hard.
inline constexpr int NIVEL_FACIL = 1, NIVEL_NORMAL = 2, NIVEL_DIFICIL = 3;

// How long a match lasts (its board's size), chosen beside the seats and kept with them.
enum class Duracion { corta, normal, larga };

struct Eleccion {
    std::array<bool, NUM_ASIENTOS> cpu{};  // true: a computer plays that seat
    int nivel = NIVEL_NORMAL;
    Duracion duracion = Duracion::normal;  // not the seats' own, but saved and journaled with them
    bool operator==(const Eleccion&) const = default;
};

// Chooses who plays. With a computer among them the brains start thinking every flip and
// their generator is seeded with semilla; with four people everything is taken down.
void configurar(const Eleccion& eleccion, uint32_t semilla);
// Chooses who plays from now on, within a run: as configurar, but the brains' generator
// goes on where it was (the players screen changes the choice between matches).
void cambiarEleccion(const Eleccion& eleccion);
const Eleccion& eleccion();
// Who plays seat s now: a player over the network, else a computer (also for a remote
// player who dropped out), else a controller, else a person.
TOcupante ocupante(int s);
// A computer plays seat s (false outside 0..3).
bool esCPU(int s);
bool algunaCPU();
bool todasCPU();
// The level a brain plays at for the seat it is playing now (JugandoPor): the chosen one,
// but normal for a computer standing in for a remote player who dropped out.
int nivel();
// While one lives, a brain is playing for seat s.
class JugandoPor {
   public:
    explicit JugandoPor(int s);
    ~JugandoPor();
    JugandoPor(const JugandoPor&) = delete;
    JugandoPor& operator=(const JugandoPor&) = delete;

   private:
    int antes;
};

// Demo mode (four computers): matches follow one another from the main menu until a
// person ends one with Escape.
bool demo();
void pararDemo();

}  // namespace asientos
