#include "minigames/catalogo.h"

#include "minigames/acicalandose/mini_juego1.h"
#include "minigames/escondite_coder/mini_juego4.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"
#include "minigames/love_is_in_the_air/mini_juego3.h"
#include "minigames/no_te_mojes/mini_juego2.h"

#include <array>

namespace {
template <class Juego>
std::unique_ptr<TMiniJuego> crear(const VBAPtr& anim, const TPaquetes& pjsGFX) {
    return Juego::Create(anim, pjsGFX);
}

template <class Juego>
constexpr TFichaMiniJuego ficha(const char* id, const char* titulo, const char* casilla, int tile,
                                bool deLosCinco) {
    return {id, titulo, casilla, tile, deLosCinco, &Juego::cargarRecursos, &crear<Juego>};
}

// Tiles 2 to 6 are the five's since the first board; later minigames take the codes after
// the fixed tiles (31 on), so the specials and the decoration keep theirs.
// clang-format off
const std::array kCatalogo = {
    ficha<TMiniJuego1>("acicalandose",       "Acicalandose",       "amor",    2, true),
    ficha<TMiniJuego2>("no_te_mojes",        "No te mojes",        "gota",    3, true),
    ficha<TMiniJuego3>("love_is_in_the_air", "Love is in the air", "amor2",   4, true),
    ficha<TMiniJuego4>("escondite_coder",    "Escondite Coder",    "picador", 5, true),
    ficha<TMiniJuego5>("lanzamiento_cds",    "Lanzamiento de CDs", "cds",     6, true),
};
// clang-format on
}  // namespace

std::span<const TFichaMiniJuego> catalogo() {
    return kCatalogo;
}

std::vector<int> miniJuegosDelTablero(bool todos) {
    std::vector<int> r;
    for (int k = 0; k < numMiniJuegos(); ++k)
        if (todos || kCatalogo[static_cast<size_t>(k)].deLosCinco) r.push_back(k);
    return r;
}

std::vector<TMapa::TCasillaJuego> casillasDeMiniJuegos() {
    std::vector<TMapa::TCasillaJuego> c;
    for (const TFichaMiniJuego& f : kCatalogo) c.push_back({f.tile, f.casilla});
    return c;
}

void cargarRecursosMiniJuegos() {
    for (const TFichaMiniJuego& f : kCatalogo) f.cargarRecursos();
}

std::unique_ptr<TMiniJuego> crearMiniJuego(int r, const VBAPtr& anim, const TPaquetes& pjsGFX) {
    if (r < 0 || r >= numMiniJuegos()) return nullptr;
    return kCatalogo[static_cast<size_t>(r)].crear(anim, pjsGFX);
}

std::unique_ptr<asientos::TCerebro> crearCerebroMiniJuego(const TMiniJuego& juego) {
    if (!asientos::algunaCPU()) return nullptr;
    return juego.cerebro();
}
