#pragma once
// The five minigames by number, as the practice menu and the board list them:
// 0 "Acicalandose", 1 "No te mojes", 2 "Love is in the air", 3 "Escondite Coder",
// 4 "Lanzamiento de CDs".
#include "minigames/mini_juego.h"

#include <memory>

inline constexpr int NUM_MINIJUEGOS = 5;

// Every minigame's module-level resources, in the game's start-up order.
void cargarRecursosMiniJuegos();
// A new minigame number r made with the shared animation set and packs; nullptr for a
// number outside 0..4.
std::unique_ptr<TMiniJuego> crearMiniJuego(int r, const VBAPtr& anim, const TPaquetes& pjsGFX);
