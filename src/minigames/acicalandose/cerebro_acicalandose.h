#pragma once
// The computer players of "Acicalandose" (see the top of cerebro_acicalandose.cpp).
#include "engine/asiento/cerebro.h"

#include <memory>

class TMiniJuego1;

// Reads the play through `juego`, which must outlive the brain.
std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego1& juego);
