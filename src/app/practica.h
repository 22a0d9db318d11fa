#pragma once
// The practice menu: the five minigames and "Volver" slide in over the options picture;
// the arrows move the highlight and Enter chooses, Escape goes back. The top-level loop
// plays the chosen minigame on its own (0 to 4) or goes back to the main menu (5). The
// menu opens on the minigame chosen last in this run.
#include "platform/pictures/font.h"

#include <array>
#include <memory>
#include <string>

class TPractica {
   public:
    std::array<std::string, 6> options{"Acicalandose",    "No te mojes",        "Love is in the air",
                                       "Escondite Coder", "Lanzamiento de CDs", "Volver"};

    // Loads the practice font (once, before the display opens).
    static void cargarRecursos();
    static std::unique_ptr<TPractica> Create();
    // Shows the list until Enter and returns the selection, 0 to 5.
    int start();

    static TImageFontPtr fuente;  // artwork/comic.ttf at 30
    static int ultima;            // the minigame chosen last (0 at the start of a run)
};
