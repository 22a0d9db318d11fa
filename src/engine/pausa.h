#pragma once
// Pausing a match. While a match (or a practice minigame) runs, this machine's Escape, or
// the Start button of a controller plugged into it, opens a panel over the picture of the
// moment: "Seguir" (or Escape again) goes on from that very frame, "Salir de la partida"
// asks once more and leaves ("No" goes back to the game). Time stops for the game while
// the panel shows: the game's clock (reloj) leaves the paused time out, every sound holds
// where it was, and the computer players wait. Leaving throws TAbandono out of the Flip
// that showed the panel, for the screen that started the match to catch. Computer players
// and remote players never pause (their Escape is dropped while a match can be paused).
#include <cstdint>

namespace pausa {

enum class Tipo {
    Partida,   // a board match: leaving asks for confirmation, the match is lost
    Practica,  // one practice minigame: leaving goes back to the practice menu at once
};

// The game's clock in ms: the machine's clock (Millisecs) less every pause so far. Game
// code that times itself reads this one, so that a pause costs nothing in the game.
int32_t reloj();

// True while the panel is on screen.
bool enPanel();

// Thrown out of Flip when the players leave from the panel.
struct TAbandono {};

// While alive, Escape and Start pause; what leaving means is tipo's. Not nested.
class TPausable {
   public:
    explicit TPausable(Tipo tipo);
    ~TPausable();
    TPausable(const TPausable&) = delete;
    TPausable& operator=(const TPausable&) = delete;
};

// Start-up: the panel's font (artwork/comic.ttf at 50). A missing file draws no text.
void cargarRecursos();

}  // namespace pausa
