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
#include <string>
#include <vector>

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

// The panel's page of choices: the pause shows it over its frozen picture, a follower of a
// match over the network over the live one (its own panel, which pauses nothing). Whoever
// shows it reads the player's moves and feeds them in, so the page knows nothing of where
// they come from.
class TPanel {
   public:
    // A title over choices in a column, the first one chosen.
    static TPanel menu(const std::string& titulo, const std::vector<std::string>& opciones);
    // A question over "Si" and "No" side by side, "No" chosen: one key never confirms.
    static TPanel pregunta(const std::string& texto);

    // Up or Left (-1), Down or Right (+1), round the choices.
    void mover(int paso);
    // The pointer at (x, y) in virtual units: moved over a choice, it chooses it; a click
    // on one returns its index; -1 otherwise.
    int raton(float x, float y, bool movido, bool clic);
    int elegida() const { return sel; }
    // The picture under it dimmed, the panel, its heading and its choices, the chosen one
    // in the menus' blue; drawn over whatever the back buffer holds, in a state of its own
    // (the render state is given back).
    void dibujar() const;

    // One line of text centred on cx at y, shrunk to fit the panel's width; measured in
    // the panel's font when made, so that the pointer finds it whatever font is current.
    struct TTexto {
        std::string texto;
        float cx = 0, y = 0, escala = 1;
        float w = 0, h = 0;  // unscaled
        float ancho() const { return w * escala; }
        float alto() const { return h * escala; }
        bool contiene(float x, float yy) const;
        void dibujar() const;
    };

   private:
    TTexto cabecera;
    std::vector<TTexto> opciones;
    int sel = 0;
};

// The pointer in virtual units, from a position on the logical screen.
float aVirtualX(int x);
float aVirtualY(int y);

// Start-up: the panel's font (artwork/comic.ttf at 50). A missing file draws no text.
void cargarRecursos();

}  // namespace pausa
