#pragma once
// The computer players of "No te mojes" (see the top of cerebro_no_te_mojes.cpp).
#include "engine/asiento/cerebro.h"

#include <memory>

class TMiniJuego2;

// Reads the play through `juego`, which must outlive the brain.
std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego2& juego);
