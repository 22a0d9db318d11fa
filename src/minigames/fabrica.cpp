#include "minigames/fabrica.h"

#include "minigames/acicalandose/mini_juego1.h"
#include "minigames/escondite_coder/mini_juego4.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"
#include "minigames/love_is_in_the_air/mini_juego3.h"
#include "minigames/no_te_mojes/mini_juego2.h"

void cargarRecursosMiniJuegos() {
    TMiniJuego1::cargarRecursos();
    TMiniJuego2::cargarRecursos();
    TMiniJuego3::cargarRecursos();
    TMiniJuego4::cargarRecursos();
    TMiniJuego5::cargarRecursos();
}

std::unique_ptr<TMiniJuego> crearMiniJuego(int r, const VBAPtr& anim, const TPaquetes& pjsGFX) {
    switch (r) {
        case 0: return TMiniJuego1::Create(anim, pjsGFX);
        case 1: return TMiniJuego2::Create(anim, pjsGFX);
        case 2: return TMiniJuego3::Create(anim, pjsGFX);
        case 3: return TMiniJuego4::Create(anim, pjsGFX);
        case 4: return TMiniJuego5::Create(anim, pjsGFX);
        default: return nullptr;
    }
}
