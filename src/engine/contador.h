#pragma once
// A countdown of a number of seconds on its own clock, drawn as a bar along the bottom
// of the screen that shrinks and turns from green to red, with the whole seconds left
// written on it.
#include "engine/tiempo.h"

#include <memory>

class TContador {
   public:
    float vidaIni = 0;                                      // the full time, s
    float vida = 0;                                         // s left; negative once the time is over
    float time0 = 0;                                        // own clock (s) when the countdown started
    std::unique_ptr<TTiempo> tiempo = TTiempo::Create(60);  // the countdown's own clock

    static std::unique_ptr<TContador> Create(float segundos);
    // Reads the own clock; recomputes vida only while it is not negative, so the first
    // negative value reached is kept.
    void update();
    int haAcabado() const;  // 1 once vida is not >= 0
    float getVida() const { return vida; }
    // The bar at (24, 708), 1000 * vida / vidaIni by 40, and the seconds on it; nothing
    // once the time is over. Leaves the built-in font selected.
    void Dibujar();
};
