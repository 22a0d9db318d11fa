#pragma once
// The computer players. A computer player acts only as a person would, by pressing its
// seat's keys (and moving the mouse when its seat is on turn): once per flip, before the
// frame's input is processed, every active brain looks at the screen it plays and emits
// those events through the brains' TEmisor (namespace mando below). Decisions come from
// the brains' own random generator, so the game's own random sequence never moves because
// of them. Brains live beside the minigame (or board) they play; this is their base.
#include "engine/asiento/ocupantes.h"

#include <cstdint>
#include <string>
#include <memory>

namespace asientos {

// A wait that any seat may end: it is carried on only when all four are computers.
inline constexpr int TODOS = -1;

// Seeds the brains' generator and, while a computer plays any seat, runs the brains and
// the open waits before every frame's input (configurar calls it).
void prepararCerebros(uint32_t semilla);
// The same without seeding: the brains run before every frame's input while a computer
// plays any seat, and not at all otherwise.
void encenderCerebros();
// Starts the brains' turn before every frame's input if it is not running (a player over
// the network came, who may drop out and need a computer to stand in).
void activarCerebros();

// ---- the brains' own random generator ----
// A number that changes with the generator's state, without moving it (online play's
// check that a follower agrees with its host).
uint32_t estadoCerebros();
// The brains' generator as text, and back (false, and nothing changed, for a text that is
// not one): a saved match resumes with the generator it had.
std::string generadorCerebros();
bool restaurarGeneradorCerebros(const std::string& texto);
int entre(int a, int b);  // whole number in a .. b, both included
float unidad();           // in [0, 1)
bool azar(float p);       // true with probability p
// A human-like reaction time in milliseconds for the chosen level.
int reaccionMs();

// ---- the events a computer gives, as a keyboard and mouse would ----
namespace mando {
// Key down and up in the same frame (one hit); letters, digits and Space type their
// character as a real key does.
void pulsar(int tecla);
// Holds a key down (types its character once), or releases it.
void bajar(int tecla);
void soltar(int tecla);
bool bajada(int tecla);
// The mouse at (x, y) in virtual screen units (1024 x 768).
void raton(float x, float y);
// Holds or releases mouse button b (1 left, 2 right, 3 middle).
void boton(int b, bool abajo);
// Releases every key and button a computer holds.
void soltarTodo();
}  // namespace mando

// A computer player's mind for one screen. pensar() runs once per flip, before the
// frame's input; it reads the screen through a const view it was made with and acts
// only through `mando`.
class TCerebro {
   public:
    virtual ~TCerebro() = default;
    virtual void pensar() = 0;
};

// Keeps a brain thinking while it lives; at its end whatever the brain held is released.
// A null brain does nothing.
class TCerebroActivo {
   public:
    explicit TCerebroActivo(std::unique_ptr<TCerebro> cerebro);
    ~TCerebroActivo();
    TCerebroActivo(const TCerebroActivo&) = delete;
    TCerebroActivo& operator=(const TCerebroActivo&) = delete;

   private:
    std::unique_ptr<TCerebro> cerebro;
};

// While it lives an explanation is on screen: minigame brains keep still (a held mouse
// button would end the page), and the page's own wait decides when to go on.
class TExplicando {
   public:
    TExplicando();
    ~TExplicando();
    TExplicando(const TExplicando&) = delete;
    TExplicando& operator=(const TExplicando&) = delete;
};
bool explicando();

// While it lives the screen waits for "a key" from seat `asiento` (or from anybody,
// TODOS). When that seat is a computer, it presses `tecla` after a human-like pause of
// pausaMinMs .. pausaMaxMs, and again after another pause while the wait goes on; a
// person may still press first.
class TEsperaTecla {
   public:
    TEsperaTecla(int asiento, int tecla, int pausaMinMs, int pausaMaxMs);
    ~TEsperaTecla();
    TEsperaTecla(const TEsperaTecla&) = delete;
    TEsperaTecla& operator=(const TEsperaTecla&) = delete;

    int asiento, tecla, pausaMinMs, pausaMaxMs;
    bool decidida = false;             // the next press has a time
    int32_t cuando = 0;                // clock time (ms) of the next press
    TEsperaTecla* anterior = nullptr;  // the wait this one covers, if any
};

}  // namespace asientos
