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

void TCerebroMiniJuego::soltarRaton() { asientos::mando::boton(1, false); }
