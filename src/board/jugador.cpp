#include "board/jugador.h"

#include "platform/base/errors.h"

std::unique_ptr<TJugador> TJugador::Create(const std::string& n) {
    auto j = std::make_unique<TJugador>();
    j->nombre = n;
    return j;
}

void TJugador::setPosicion(float value) {
    if (!(value >= 0)) throw GameError("TJugador::SetPosicion - value < 0");
    posicion = value;
}
