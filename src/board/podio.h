#pragma once
// The podium after a match: the four players from first to last by how near the finish
// they ended (the winner first; players on the same square share a place), each with the
// minigames won and lost, the death squares landed on and the turns taken. Any key or
// mouse button (a controller's A) goes on, once it has shown for a moment.
#include "board/juego.h"
#include "platform/pictures/font.h"

#include <memory>
#include <vector>

class TPodio {
   public:
    struct TFila {
        int asiento = 0;
        int puesto = 1;   // 1 .. 4
        int quedan = 0;   // squares to the finish
        TEstadistica estadistica;
    };
    std::vector<TFila> filas;  // first place first

    // The standings of a match that has ended.
    static std::unique_ptr<TPodio> Create(const TJuego& juego);
    // Shows the podium until a key, a mouse button or a controller's A.
    void show();

    // Start-up: the font (artwork/comic.ttf at 50). Missing, no text is drawn.
    static void cargarRecursos();
    static TImageFontPtr fuente;

   private:
    void dibujar(const TImagePtr& fondo, bool aviso) const;
};
