#pragma once
// Every minigame of the game, one line each (catalogo.cpp): its id, title, board square,
// how its shared resources load, how a play of it is made, and whether it is one of the
// five the board has always had. The factory, the practice menu, the board's kinds and
// tiles, and the asset generator's square names all read this table; a new minigame is
// its folder and one line here (doc/minijuego_nuevo.md lists the rest).
#include "engine/mapa.h"
#include "minigames/mini_juego.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

struct TFichaMiniJuego {
    const char* id;       // folder name and the name its tests and benchmarks use
    const char* titulo;   // as the practice menu lists it
    const char* casilla;  // its board square: artwork/casilla-<casilla>.png
    int tile;             // that picture's tile code on the board map
    bool deLosCinco;      // one of the five minigames of the original board
    // Start-up: the resources every play of it shares (module resources).
    void (*cargarRecursos)();
    // A new play with the shared animation set and packs.
    std::unique_ptr<TMiniJuego> (*crear)(const VBAPtr& anim, const TPaquetes& pjsGFX);
};

// The table, in the practice menu's order; the five come first, in their old order.
std::span<const TFichaMiniJuego> catalogo();
inline int numMiniJuegos() {
    return static_cast<int>(catalogo().size());
}

// The catalogue numbers of the minigames a board plays: all of them, or only the five
// of the original board (in catalogue order).
std::vector<int> miniJuegosDelTablero(bool todos);

// Every minigame's board square, for the map's pictures.
std::vector<TMapa::TCasillaJuego> casillasDeMiniJuegos();

// Every minigame's module resources, in catalogue order.
void cargarRecursosMiniJuegos();
// A new play of minigame number r, or nullptr for a number outside the catalogue.
std::unique_ptr<TMiniJuego> crearMiniJuego(int r, const VBAPtr& anim, const TPaquetes& pjsGFX);
// The brain of the computer seats for `juego` (which must outlive it); nullptr when no
// computer plays.
std::unique_ptr<asientos::TCerebro> crearCerebroMiniJuego(const TMiniJuego& juego);
