#pragma once
// The computer players of "Lanzamiento de CDs" (see the top of cerebro_lanzamiento_cds.cpp).
#include "engine/asiento/cerebro.h"

#include <memory>

class TMiniJuego5;

// Reads the play through `juego`, which must outlive the brain.
std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego5& juego);
