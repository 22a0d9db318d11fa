#pragma once
// The computer players of "Love is in the air" (see the top of cerebro_love_is_in_the_air.cpp).
#include "engine/asiento/cerebro.h"

#include <memory>

class TMiniJuego3;

// Reads the play through `juego`, which must outlive the brain.
std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego3& juego);
