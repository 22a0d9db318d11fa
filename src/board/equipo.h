#pragma once
// The roster: the two to four participants of one match or practice game, slot i being
// character i (never reordered), and the slot whose turn it is.
#include "board/jugador.h"

#include <cstdint>
#include <memory>
#include <vector>

class TEquipo {
   public:
    std::vector<std::unique_ptr<TJugador>> jugadores;  // owned; index = player slot
    int32_t turno = 0;                                 // slot on turn, 0..length-1

    // n players named after slots 0..n-1 of the character table; turno 0. Only four
    // names exist: n above 4 throws GameError "TEquipo::Create n > 4".
    static std::unique_ptr<TEquipo> Create(int n);
    int getNJugadores() const { return static_cast<int>(jugadores.size()); }
    // Throws GameError "TEquipo::getJugador n > 0 || n > (jugadores.Length - 1)" outside
    // 0..length-1.
    TJugador& getJugador(int n) const;
    int getTurno() const { return turno; }
    // Next slot, back to 0 after the last.
    void pasaTurno();
};
