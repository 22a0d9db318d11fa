#pragma once
// Whole minigame plays in process with computer players, for the computer-player tests
// and the win-rate benchmark: a headless display on the virtual clock, the game's data
// folder (FK_DATA_DIR) as the working directory, and the real minigames started as the
// board starts them, explanation and closing scene included.
#include "engine/asiento/cerebro.h"

#include <cstdint>
#include <string>

namespace jugadacpu {

// Starts the platform headless with a display of ancho x alto and loads what the
// minigames need from the data folder. False (nothing started) when the data folder
// lacks the animation set.
bool arrancar(const std::string& carpetaDatos, int ancho = 320, int alto = 240);
void parar();

struct Jugada {
    int resultado = -1;  // 1 the player on turn won, 0 lost
    int flips = 0;       // frames the play took
    // What the player on turn achieved: the furthest stage toward the date, units walked
    // up the floor, the line picked, coders caught, points; in "Apagon" creepers caught, in "Compilando..."
    // bugs squashed, in "Guerra de bolas de papel" balls dodged.
    int puntosTurno = 0;
    // What the others did: kisses landed plus girls won, pours, pushes, units climbed,
    // discs caught; in "Apagon" the most units one crept towards the rack, in "Compilando..."
    // the fullest bar, in "Guerra de bolas de papel" balls thrown.
    int accionesOtros = 0;
    // "Love is in the air": frames the others had to push (a pick during the entrance
    // leaves them none).
    int framesEmpuje = 0;
};

// Plays minigame r (its catalogue number) with seat `turno` on turn and the given seats played by
// computers (their generator seeded with semilla); at most maxFlips frames (then the
// play counts as lost). The minigame is not told who plays.
Jugada jugar(int r, int turno, const asientos::Eleccion& eleccion, uint32_t semilla, int maxFlips = 20000);

}  // namespace jugadacpu
