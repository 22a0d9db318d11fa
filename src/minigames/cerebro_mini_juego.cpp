#include "minigames/cerebro_mini_juego.h"

#include "engine/pausa.h"
#include "platform/session/clock.h"

void TCerebroMiniJuego::pensar() {
    turno = turnoDelJuego();
    if (turno < 0 || turno > 3 || asientos::explicando()) {
        asientos::mando::soltarTodo();
        return;
    }
    oponentes = TMiniJuego::oponentes(turno);
    if (asientos::esCPU(turno)) {
        asientos::JugandoPor por(turno);
        jugarTurno();
    }
    for (int k = 0; k < 3; ++k)
        if (asientos::esCPU(oponentes[static_cast<size_t>(k)])) {
            asientos::JugandoPor por(oponentes[static_cast<size_t>(k)]);
            jugarOponente(k);
        }
}

int32_t TCerebroMiniJuego::ahoraMs() { return pausa::reloj(); }

void TCerebroMiniJuego::soltarRaton() {
    asientos::mando::boton(1, false);
}

void TRecuerdo::anotar(int32_t ahora, float valor) {
    if (!vistos.empty() && vistos.back().first == ahora) {
        vistos.back().second = valor;
        return;
    }
    vistos.emplace_back(ahora, valor);
    while (vistos.size() > 2 && ahora - vistos.front().first > 2000) vistos.pop_front();
}

float TRecuerdo::hace(int32_t ahora, int ms) const {
    const int32_t t = ahora - ms;
    for (auto it = vistos.rbegin(); it != vistos.rend(); ++it)
        if (it->first <= t) return it->second;
    return vistos.empty() ? 0 : vistos.front().second;
}
