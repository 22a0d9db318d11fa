#pragma once
// The banner shown after every minigame played from the board: "YEAH!" in green or
// "FAIL" in red slides in from the left at 1250 units per second, rests centred for one
// second and slides out to the right, while the picture of the player's character
// crosses the other way behind it. The victory or defeat sound plays on creation.
#include "engine/tiempo.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TResultado {
   public:
    std::string texto;                                      // the word shown
    int32_t victoria = 0;                                   // 1 won, 0 lost
    std::unique_ptr<TTiempo> tiempo = TTiempo::Create(60);  // the banner's own clock
    int32_t nTurno = 0;                                     // slot whose picture is shown

    // Stores both, picks the word and plays "sfx/yeha.wav" (victoria != 0) or
    // "sfx/perder.wav" through the sound manager.
    static std::unique_ptr<TResultado> Create(int nTurno, int victoria);
    // Runs the banner until it has left the screen or Escape is held; always 0.
    int show();

    // Start-up: the size-200 font and the four character pictures (mid-handled).
    // Missing files draw nothing.
    static void cargarRecursos();
    static TImageFontPtr fuente;                 // artwork/comic.ttf at 200
    static std::array<TImagePtr, 4> personajes;  // artwork/char-*.png, by slot
};
