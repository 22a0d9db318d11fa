#include "minigames/cerebros.h"

#include "minigames/acicalandose/cerebro_acicalandose.h"
#include "minigames/acicalandose/mini_juego1.h"
#include "minigames/escondite_coder/cerebro_escondite_coder.h"
#include "minigames/escondite_coder/mini_juego4.h"
#include "minigames/lanzamiento_cds/cerebro_lanzamiento_cds.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"
#include "minigames/love_is_in_the_air/cerebro_love_is_in_the_air.h"
#include "minigames/love_is_in_the_air/mini_juego3.h"
#include "minigames/no_te_mojes/cerebro_no_te_mojes.h"
#include "minigames/no_te_mojes/mini_juego2.h"

namespace {
template <class Juego>
std::unique_ptr<asientos::TCerebro> cerebroDe(const TMiniJuego& juego) {
    auto* j = dynamic_cast<const Juego*>(&juego);
    return j ? crearCerebro(*j) : nullptr;
}
}  // namespace

std::unique_ptr<asientos::TCerebro> crearCerebroMiniJuego(int r, const TMiniJuego& juego) {
    if (!asientos::algunaCPU()) return nullptr;
    switch (r) {
        case 0: return cerebroDe<TMiniJuego1>(juego);
        case 1: return cerebroDe<TMiniJuego2>(juego);
        case 2: return cerebroDe<TMiniJuego3>(juego);
        case 3: return cerebroDe<TMiniJuego4>(juego);
        case 4: return cerebroDe<TMiniJuego5>(juego);
        default: return nullptr;
    }
}
