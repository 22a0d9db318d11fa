#pragma once
// The computer players of "Guerra de bolas de papel" (see the top of its .cpp).
#include "engine/asiento/cerebro.h"

#include <memory>

class TMiniJuego8;

// Reads the play through `juego`, which must outlive the brain.
std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego8& juego);
