#pragma once
// The computer players of "Escondite Coder" (see the top of cerebro_escondite_coder.cpp).
#include "engine/asiento/cerebro.h"

#include <memory>

class TMiniJuego4;

// Reads the play through `juego`, which must outlive the brain.
std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego4& juego);
