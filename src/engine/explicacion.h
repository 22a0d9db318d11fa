#pragma once
// The explanation screen every minigame shows first: a page for the player on turn
// (portrait, title, instructions), then a page for the three others (their portraits
// with the keys each one uses, title, instructions). Each page slides in, waits for a
// typed character or a held mouse button, and slides out.
#include "engine/tiempo.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TExplicacion {
   public:
    std::vector<std::string> textoTurno;  // instruction lines for the player on turn
    std::vector<std::string> textoOtros;  // instruction lines for the others
    std::string titulo;                   // the minigame's title
    // Key labels of the first, second and third other player (the indices other than
    // `uno`, in increasing order); they stay with their player whatever the display order.
    std::vector<std::string> teclas1, teclas2, teclas3;
    int32_t uno = 0;                    // player on turn, 0..3
    std::array<int32_t, 3> otros{};     // the others' indices in display order
    std::array<int32_t, 3> posotros{};  // display slot of the first, second, third other
    std::unique_ptr<TTiempo> tiempo = TTiempo::Create(60);

    // Stores the texts and fills the display order; with a random draw below 50 (of 0..100)
    // the three others are shown right to left instead.
    static std::unique_ptr<TExplicacion> Create(int uno, const std::string& titulo,
                                                const std::vector<std::string>& textoTurno,
                                                const std::vector<std::string>& textoOtros,
                                                const std::vector<std::string>& teclas1,
                                                const std::vector<std::string>& teclas2,
                                                const std::vector<std::string>& teclas3);
    // Both pages, then flushes keyboard and mouse. Blocks until the second page has gone.
    void show();
    void showUno();
    void showOtros();

    // Start-up: the size-60 font, the four portraits (bottom-centre handle) and the two
    // strip backgrounds. Missing files draw nothing.
    static void cargarRecursos();
    static TImageFontPtr fuente;               // artwork/comic.ttf at 60
    static std::array<TImagePtr, 4> retratos;  // artwork/char-*.png, by character
    static TImagePtr fondoTurno;               // artwork/fondoraro.png
    static TImagePtr fondoOtros;               // artwork/fondomasraro.png

   private:
    // One page: entry from offset 2000 down to about 10, hold at 0 until input, exit back
    // out to 2000. The turn page turns the clear colour black between the hold and the exit.
    using Dibujo = void (TExplicacion::*)(float d);
    void pagina(Dibujo dibujar, bool paginaTurno);
    // One frame of a page at offset d; returns the frame's increment in seconds.
    float frame(Dibujo dibujar, float d);
    void dibujarUno(float d);
    void dibujarOtros(float d);
};
