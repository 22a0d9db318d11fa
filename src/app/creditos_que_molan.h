#pragma once
// The credits: eleven lines (one of them empty, keeping its place) that slide in over the
// credits picture, all in the highlight blue, until Enter.
#include "platform/pictures/font.h"

#include <array>
#include <memory>
#include <string>

class TCreditosQueMolan {
   public:
    std::array<std::string, 11> options{"Programacion:",     "Tarsun, Er_Varsen", "Quelbido, Pexil",
                                        "Graficos:",         "Tarsun, Er_Varsen", "Quelbido, Pexil",
                                        "Audio: Quelbido",   "Musica: Tarsun",    "",
                                        "Libreria VBA por:", "Quelbido"};

    // Loads the credits font (once, before the display opens).
    static void cargarRecursos();
    static std::unique_ptr<TCreditosQueMolan> Create();
    // Shows the credits until Enter; returns -1 (back to the main menu).
    int start();

    static TImageFontPtr fuente;  // artwork/comic.ttf at 30
};
