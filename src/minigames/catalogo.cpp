#include "minigames/catalogo.h"

#include "minigames/acicalandose/mini_juego1.h"
#include "minigames/apagon/mini_juego6.h"
#include "minigames/compilando/mini_juego7.h"
#include "minigames/escondite_coder/mini_juego4.h"
#include "minigames/guerra_bolas_papel/mini_juego8.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"
#include "minigames/love_is_in_the_air/mini_juego3.h"
#include "minigames/no_te_mojes/mini_juego2.h"

namespace fichas {
template <class Juego>
void cargar() {
    Juego::cargarRecursos();
}
template <class Juego>
std::unique_ptr<TMiniJuego> crear(const VBAPtr& anim, const TPaquetes& pjsGFX) {
    return Juego::Create(anim, pjsGFX);
}
// A minigame without pictures of its own shared by its plays lists none.
template <class Juego>
std::vector<TImagePtr> imagenes() {
    if constexpr (requires { Juego::imagenesDelModulo(); })
        return Juego::imagenesDelModulo();
    else
        return {};
}
}  // namespace fichas

std::span<const TFichaMiniJuego> catalogo() {
    return fichas::kCatalogo;
}

std::vector<int> miniJuegosDelTablero(bool todos) {
    std::vector<int> r;
    for (int k = 0; k < numMiniJuegos(); ++k)
        if (todos || catalogo()[static_cast<size_t>(k)].deLosCinco) r.push_back(k);
    return r;
}

std::vector<TMapa::TCasillaJuego> casillasDeMiniJuegos() {
    std::vector<TMapa::TCasillaJuego> c;
    for (const TFichaMiniJuego& f : catalogo()) c.push_back({f.tile, f.casilla});
    return c;
}

void cargarRecursosMiniJuegos() {
    for (const TFichaMiniJuego& f : catalogo()) {
        f.cargarRecursos();
        RestImages(f.imagenes());
    }
}

void despertarRecursosMiniJuego(int r) {
    if (r >= 0 && r < numMiniJuegos()) WakeImages(catalogo()[static_cast<size_t>(r)].imagenes());
}

void dormirRecursosMiniJuego(int r) {
    if (r >= 0 && r < numMiniJuegos()) RestImages(catalogo()[static_cast<size_t>(r)].imagenes());
}

std::unique_ptr<TMiniJuego> crearMiniJuego(int r, const VBAPtr& anim, const TPaquetes& pjsGFX) {
    if (r < 0 || r >= numMiniJuegos()) return nullptr;
    return catalogo()[static_cast<size_t>(r)].crear(anim, pjsGFX);
}

std::unique_ptr<asientos::TCerebro> crearCerebroMiniJuego(const TMiniJuego& juego) {
    if (!asientos::algunaCPU()) return nullptr;
    return juego.cerebro();
}
