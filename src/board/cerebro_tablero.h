#pragma once
// The computer player on the board: when the roulette waits for the player on turn and
// a computer sits there, it stops the wheel after a human-like pause.
#include "engine/asiento/cerebro.h"

#include <memory>

class TJuego;

// A brain reading the match (not owned; it must outlive the brain); nullptr when no
// computer plays.
std::unique_ptr<asientos::TCerebro> crearCerebroTablero(const TJuego& juego);
