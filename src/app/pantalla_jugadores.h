#pragma once
// The players screen, reached from the options screen: who plays each seat (a person or
// the computer), the computer players' level and which minigames a match plays. Built like the options screen: its
// background and font, the slide from the top, a value after each line.
#include <memory>

class TPantallaJugadores {
   public:
    static std::unique_ptr<TPantallaJugadores> Create();
    // Shows the screen until Escape, or Enter on "Volver". A choice changed on it is saved
    // in jugadores.cfg then, and plays from the next match or minigame on. Returns -1.
    int start();
};
