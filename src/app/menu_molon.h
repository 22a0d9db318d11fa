#pragma once
// The main menu: the title picture with five entries that slide in from the top; the
// arrows move the highlight and Enter chooses. The result is the entry's index, which
// the top-level loop uses as its next state.
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"

#include <array>
#include <memory>
#include <string>

class TMenuMolon {
public:
    std::array<std::string, 5> options{"Jugar", "Practica", "Opciones", "Creditos", "Salir"};

    // Loads the title picture and the menu font (once, before the display opens).
    static void cargarRecursos();
    static std::unique_ptr<TMenuMolon> Create();
    // Shows the menu until Enter and returns the selection, 0 to 4.
    int start();

    static TImagePtr titulo;      // artwork/titulo.png
    static TImageFontPtr fuente;  // artwork/comic.ttf at 50
};
