// "Lanzamiento de CDs": the thrower at the top, worked with the mouse.
#include "engine/gl.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"
#include "platform/input/input.h"

#include <algorithm>
#include <cmath>
#include <numbers>

std::unique_ptr<T5JugadorRaton> T5JugadorRaton::Create(int pj, TMiniJuego5* juego) {
    auto j = std::make_unique<T5JugadorRaton>();
    j->pj = pj;
    j->juego = juego;
    juego->ponerAnimacion(pj, 1);
    j->animant = 1;
    return j;
}

void T5JugadorRaton::calcularTiro(int dx, int dy, double dt, int fps, double& velocidad, double& angulo) {
    const double largo = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
    angulo = std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 180 / std::numbers::pi;
    // Straight down is capped at 25, 60 degrees off the vertical at 50.
    const double tope = 25 * std::pow(2.0, std::abs(90 - angulo) / 60);
    // A release seen no later than the press (no time between them on the clock) is as
    // quick as a throw gets.
    velocidad = dt > 0 && fps > 0 ? std::min(largo / dt / fps, tope) : tope;
}

int T5JugadorRaton::UpdateState() {
    const float now = juego->now();
    AnimState* s = juego->animDe(pj);
    if (Status != 0) {
        if (s) s->Update(now * 1000);
        return 0;
    }

    // Back to standing once the throw has been shown long enough and has ended.
    if (s && s->Finished != 0 && s->CurrentAnim != 9 && now - tiempoPostura >= 0.5)
        juego->ponerAnimacion(pj, 1);

    const bool boton = MouseDown(1) != 0;
    if (boton && apuntando == 0) {
        apuntando = 1;
        t = now;
        x1 = MouseX();
        y1 = MouseY();
        juego->ponerAnimacion(pj, 9, 0);
        animant = 9;
    } else if (!boton && apuntando == 1) {
        x2 = MouseX() - x1;
        y2 = MouseY() - y1;
        apuntando = 0;
        if (x2 != 0 && y2 != 0) {
            if (y2 < 0) y2 = 1;  // a drag upward throws almost sideways
            double velocidad = 0, angulo = 0;
            calcularTiro(x2, y2, now - t, juego->tiempo ? juego->tiempo->getFps() : 60, velocidad, angulo);
            T5CD::invocar(juego, X, Y, angulo, velocidad * 1.5);
            juego->ponerAnimacion(pj, 11, 0);
            animant = 11;
            tiempoPostura = now;
        } else {
            juego->ponerAnimacion(pj, 1);
            animant = 1;
        }
    }

    if (s) s->Update(now * 1000);
    return 0;
}

int T5JugadorRaton::DrawSelf() {
    AnimState* s = juego->animDe(pj);
    if (!s) return 0;
    const float now = juego->now();
    GL::push();
    s->PrepareBoneList(now * 1000, 1, 1, 0);
    juego->dibujarHuesosDe(pj, X, Y);
    GL::pop();
    return 0;
}
