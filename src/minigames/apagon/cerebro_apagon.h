#pragma once
// The computer players of "Apagon" (see the top of cerebro_apagon.cpp).
#include "engine/asiento/cerebro.h"

#include <memory>

class TMiniJuego6;

// Reads the play through `juego`, which must outlive the brain.
std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego6& juego);
