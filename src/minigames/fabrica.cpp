#include "minigames/fabrica.h"

#include "minigames/acicalandose/mini_juego1.h"

void cargarRecursosMiniJuegos() { TMiniJuego1::cargarRecursos(); }

std::unique_ptr<TMiniJuego> crearMiniJuego(int r, const VBAPtr& anim, const TPaquetes& pjsGFX) {
    switch (r) {
        case 0: return TMiniJuego1::Create(anim, pjsGFX);
        default: return nullptr;
    }
}
