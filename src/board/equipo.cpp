#include "board/equipo.h"

#include "engine/asiento/asiento.h"
#include "platform/base/errors.h"

std::unique_ptr<TEquipo> TEquipo::Create(int n) {
    if (n > asientos::NUM_ASIENTOS) throw GameError("TEquipo::Create n > 4");
    auto e = std::make_unique<TEquipo>();
    for (int i = 0; i < n; ++i) e->jugadores.push_back(TJugador::Create(asientos::personaje(i).nombre));
    return e;
}

TJugador& TEquipo::getJugador(int n) const {
    if (n < 0 || n > getNJugadores() - 1) {
        throw GameError("TEquipo::getJugador n > 0 || n > (jugadores.Length - 1)");
    }
    return *jugadores[n];
}

void TEquipo::pasaTurno() {
    turno = turno + 1;
    if (turno > getNJugadores() - 1) turno = 0;
}
