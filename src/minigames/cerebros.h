#pragma once
// The computer players' brains of the five minigames, by the factory's numbers.
#include "engine/asiento/cerebro.h"
#include "minigames/mini_juego.h"

#include <memory>

// A brain for minigame number r playing `juego` (which must be that minigame and outlive
// the brain); nullptr when no computer plays or r is outside 0..4.
std::unique_ptr<asientos::TCerebro> crearCerebroMiniJuego(int r, const TMiniJuego& juego);
