#pragma once
// Every minigame of the game, one line each (kCatalogo below): its id, title, board
// square, how its shared resources load, how a play of it is made, and whether it is one
// of the five the board has always had. The factory, the practice menu, the board's kinds
// and tiles, and the asset generator's square names all read this table; a new minigame
// is its folder and one line here (doc/minijuego_nuevo.md lists the rest).
//
// The table names the minigame classes without their headers (catalogo.cpp includes them
// and makes the plays), so the asset generator reads its squares without linking a
// minigame (fichas::casillasDelCatalogo).
#include "engine/mapa.h"
#include "minigames/mini_juego.h"

#include <array>
#include <memory>
#include <span>
#include <tuple>
#include <vector>

struct TFichaMiniJuego {
    const char* id;       // folder name and the name its tests and benchmarks use
    const char* titulo;   // as the practice menu lists it
    const char* casilla;  // its board square: artwork/casilla-<casilla>.png
    int tile;             // that picture's tile code on the board map
    bool deLosCinco;      // one of the five minigames of the original board
    // Start-up: the resources every play of it shares (module resources).
    void (*cargarRecursos)();
    // Its module pictures, at rest while no play of it is on (RestImages).
    std::vector<TImagePtr> (*imagenes)();
    // A new play with the shared animation set and packs.
    std::unique_ptr<TMiniJuego> (*crear)(const VBAPtr& anim, const TPaquetes& pjsGFX);
};

class TMiniJuego1;
class TMiniJuego2;
class TMiniJuego3;
class TMiniJuego4;
class TMiniJuego5;
class TMiniJuego6;
class TMiniJuego7;
class TMiniJuego8;

namespace fichas {
// Defined in catalogo.cpp, where the classes are known.
template <class Juego>
void cargar();
template <class Juego>
std::unique_ptr<TMiniJuego> crear(const VBAPtr& anim, const TPaquetes& pjsGFX);
template <class Juego>
std::vector<TImagePtr> imagenes();

template <class Juego>
constexpr TFichaMiniJuego ficha(const char* id, const char* titulo, const char* casilla, int tile,
                                bool deLosCinco) {
    return {id, titulo, casilla, tile, deLosCinco, &cargar<Juego>, &imagenes<Juego>, &crear<Juego>};
}

// Tiles 2 to 6 are the five's since the first board; later minigames take the codes after
// the board's own pictures (31 on), so the specials and the decoration keep theirs.
// clang-format off
inline constexpr std::array kCatalogo = {
    ficha<TMiniJuego1>("acicalandose",       "Acicalandose",             "amor",        2, true),
    ficha<TMiniJuego2>("no_te_mojes",        "No te mojes",              "gota",        3, true),
    ficha<TMiniJuego3>("love_is_in_the_air", "Love is in the air",       "amor2",       4, true),
    ficha<TMiniJuego4>("escondite_coder",    "Escondite Coder",          "picador",     5, true),
    ficha<TMiniJuego5>("lanzamiento_cds",    "Lanzamiento de CDs",       "cds",         6, true),
    ficha<TMiniJuego6>("apagon",             "Apagon",                   "apagon",     31, false),
    ficha<TMiniJuego7>("compilando",         "Compilando...",            "compilando", 32, false),
    ficha<TMiniJuego8>("guerra_bolas_papel", "Guerra de bolas de papel", "bolas",      33, false),
};
// clang-format on
inline constexpr size_t kNumMiniJuegos = std::tuple_size_v<decltype(kCatalogo)>;

// The squares of the table, worked out while compiling: reading them links no minigame.
struct TCasillaCatalogo {
    const char* id;
    const char* casilla;
    int tile;
};
consteval std::array<TCasillaCatalogo, kNumMiniJuegos> casillasDelCatalogo() {
    std::array<TCasillaCatalogo, kNumMiniJuegos> c{};
    for (size_t k = 0; k < kNumMiniJuegos; ++k)
        c[k] = {kCatalogo[k].id, kCatalogo[k].casilla, kCatalogo[k].tile};
    return c;
}
}  // namespace fichas

// The table, in the practice menu's order; the five come first, in their old order.
std::span<const TFichaMiniJuego> catalogo();
inline int numMiniJuegos() {
    return static_cast<int>(fichas::kNumMiniJuegos);
}

// The catalogue numbers of the minigames a board plays: all of them, or only the five
// of the original board (in catalogue order).
std::vector<int> miniJuegosDelTablero(bool todos);

// Every minigame's board square, for the map's pictures.
std::vector<TMapa::TCasillaJuego> casillasDeMiniJuegos();

// Every minigame's module resources, in catalogue order; their pictures are put to rest.
void cargarRecursosMiniJuegos();
// Minigame r's module pictures: decoded ahead for a play about to start (despertar), and
// put to rest again once it is over (dormir). Nothing for a number outside the catalogue.
void despertarRecursosMiniJuego(int r);
void dormirRecursosMiniJuego(int r);
// A new play of minigame number r, or nullptr for a number outside the catalogue.
std::unique_ptr<TMiniJuego> crearMiniJuego(int r, const VBAPtr& anim, const TPaquetes& pjsGFX);
// The brain of the computer seats for `juego` (which must outlive it); nullptr when no
// computer plays.
std::unique_ptr<asientos::TCerebro> crearCerebroMiniJuego(const TMiniJuego& juego);
