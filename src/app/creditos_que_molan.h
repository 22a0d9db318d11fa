#pragma once
// The credits: eleven lines (one of them empty, keeping its place) that slide in over the
// credits picture, all in the highlight blue, until Enter.
#include "platform/pictures/font.h"

#include <array>
#include <memory>
#include <string>

class TCreditosQueMolan {
   public:
    // The team signs with its characters' names.
    static std::array<std::string, 11> lineas();
    std::array<std::string, 11> options = lineas();

    // Loads the credits font (once, before the display opens).
    static void cargarRecursos();
    static std::unique_ptr<TCreditosQueMolan> Create();
    // Shows the credits until Enter; returns -1 (back to the main menu).
    int start();

    static TImageFontPtr fuente;  // artwork/comic.ttf at 30
};
