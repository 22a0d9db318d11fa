#pragma once
// The options screen: the music and effects volumes of the sound manager, changed by
// holding Left or Right on their line, four switches that only show their value and
// start at "No" on every visit, the phrases of "Love is in the air" ("originales" or
// "suaves", Left and Right switch, saved), and the way to the players screen. Escape goes
// back as "Volver" does.
#include "platform/pictures/font.h"

#include <array>
#include <memory>
#include <string>

class TOpcionesMolonas {
   public:
    std::array<std::string, 9> options{"Volumen Musica", "Volumen Sonido", "Usar Antialias",
                                       "Usar Shaders",   "Usar PhysX",     "Usar DisplacementMapping",
                                       "Frases",         "Jugadores",      "Volver"};

    // Loads the options font (once, before the display opens).
    static void cargarRecursos();
    static std::unique_ptr<TOpcionesMolonas> Create();
    // Shows the options until Enter (on "Jugadores" Enter opens the players screen and
    // the options show again after it); returns -1 (back to the main menu). The volumes
    // stay in the sound manager for the rest of the run.
    int start();

    static TImageFontPtr fuente;        // artwork/comic.ttf at 50 (the players screen's)
    static TImageFontPtr fuenteLineas;  // artwork/comic.ttf at 44: the options' own nine lines
};
