#pragma once
// What the minigame brains share: the roles of the play (the seat on turn with the mouse,
// opponents 0, 1, 2 with their keys) and a turn for each computer seat in them, only
// while the play runs (not while its explanation is on screen).
#include "engine/asiento/cerebro.h"
#include "minigames/mini_juego.h"

#include <array>
#include <cstdint>
#include <deque>
#include <utility>

// What a player saw of one number lately, to act on it a reaction late.
class TRecuerdo {
   public:
    // The value as the screen shows it at clock time ahora (ms); one per frame is kept,
    // the last two seconds' worth.
    void anotar(int32_t ahora, float valor);
    // The value shown `ms` before ahora (the oldest kept when earlier; 0 before any).
    float hace(int32_t ahora, int ms) const;

   private:
    std::deque<std::pair<int32_t, float>> vistos;
};

class TCerebroMiniJuego : public asientos::TCerebro {
   public:
    void pensar() final;

   protected:
    // The seat on turn once the play is set up, or -1 before.
    virtual int turnoDelJuego() const = 0;
    // One frame of the computer on turn (mouse) and of computer opponent k (keys).
    virtual void jugarTurno() = 0;
    virtual void jugarOponente(int k) = 0;

    // Clock time in milliseconds (the same clock the game reads).
    static int32_t ahoraMs();
    // Clicks of button 1 held since the last frame are let go; the mouse stays put.
    void soltarRaton();
    // The frame of a player walked with the mouse: button 1 held on the goal (objetivoX,
    // objetivoY). Once the last plan has run out, `planear` sets a new goal and returns
    // the milliseconds until the next plan.
    template <class Planear>
    void andarConRaton(Planear planear) {
        const int32_t ahora = ahoraMs();
        if (ahora >= proximoPlan) proximoPlan = ahora + planear();
        asientos::mando::raton(objetivoX, objetivoY);
        asientos::mando::boton(1, true);
    }
    int32_t proximoPlan = 0;             // clock (ms) of the next plan of andarConRaton
    float objetivoX = 0, objetivoY = 0;  // its goal, virtual units
    int turno = -1;
    std::array<int, 3> oponentes{};
};
