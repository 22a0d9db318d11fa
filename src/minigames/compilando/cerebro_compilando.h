#pragma once
// The computer players of "Compilando..." (see the top of cerebro_compilando.cpp).
#include "engine/asiento/cerebro.h"

#include <memory>

class TMiniJuego7;

// Reads the play through `juego`, which must outlive the brain.
std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego7& juego);
