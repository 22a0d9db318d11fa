#pragma once
// The practice menu: every minigame of the catalogue and "Volver" slide in over the
// options picture; the arrows move the highlight, Enter chooses and Escape goes back. The
// top-level loop plays the chosen minigame on its own (its catalogue number) or goes back
// to the main menu (the number after the last minigame, "Volver"). The menu opens on the
// minigame chosen last in this run.
#include "platform/pictures/font.h"

#include <memory>
#include <string>
#include <vector>

class TPractica {
   public:
    // The minigames' titles in catalogue order, then "Volver".
    std::vector<std::string> options;

    TPractica();

    // Loads the practice font (once, before the display opens).
    static void cargarRecursos();
    static std::unique_ptr<TPractica> Create();
    // Shows the list until Enter and returns the selection, 0 to options.size() - 1.
    int start();

    static TImageFontPtr fuente;  // artwork/comic.ttf at 30
    static int ultima;            // the minigame chosen last (0 at the start of a run)
};
