#pragma once
// The intro, shown once at start: the title music, eight full-screen pictures stepped
// through with any typed character (Escape ends everything), then the four characters
// presented one after another over a scrolling background, ending by itself after 720
// frames or on any typed character.
#include "platform/pictures/font.h"
#include "platform/sound/sound.h"

#include <memory>

class TIntroduccionAnal {
   public:
    // Loads the intro font (once, before the display opens).
    static void cargarRecursos();
    static std::unique_ptr<TIntroduccionAnal> Create();
    // Runs the whole intro; returns 1. Its pictures and music are loaded here and
    // released when it ends.
    int start();
    // Stops the channel (nothing for none); returns 1.
    int stop(const TChannelPtr& canal);

    static TImageFontPtr fuente;       // artwork/comic.ttf at 100
    static TImageFontPtr fuenteAviso;  // artwork/comic.ttf at 28: "Pulsa una tecla"
};
