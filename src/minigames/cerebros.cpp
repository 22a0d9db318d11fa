#include "minigames/cerebros.h"

#include "minigames/acicalandose/cerebro_acicalandose.h"
#include "minigames/acicalandose/mini_juego1.h"

std::unique_ptr<asientos::TCerebro> crearCerebroMiniJuego(int r, const TMiniJuego& juego) {
    if (!asientos::algunaCPU()) return nullptr;
    switch (r) {
        case 0:
            if (auto* j = dynamic_cast<const TMiniJuego1*>(&juego)) return crearCerebro(*j);
            return nullptr;
        default: return nullptr;
    }
}
