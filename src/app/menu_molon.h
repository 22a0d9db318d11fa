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
    // The line over the others while a saved match waits to be resumed.
    static constexpr const char* CONTINUAR = "Continuar partida";
    // What start returns for it.
    static constexpr int ELEGIDO_CONTINUAR = 5;

    // Loads the title picture and the menu font (once, before the display opens).
    static void cargarRecursos();
    static std::unique_ptr<TMenuMolon> Create();
    // Shows the menu until Enter and returns the selection, 0 to 4, or ELEGIDO_CONTINUAR
    // for "Continuar partida", shown first (and chosen at first) when continuar is set.
    int start(bool continuar = false);

    static TImagePtr titulo;      // artwork/titulo.png
    static TImageFontPtr fuente;  // artwork/comic.ttf at 50
};
