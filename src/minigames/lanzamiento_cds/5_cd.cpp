// "Lanzamiento de CDs": the discs sliding across the floor.
#include "engine/gl.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"
#include "platform/video/render.h"

#include <cmath>
#include <numbers>

std::shared_ptr<T5CD> T5CD::Create(TMiniJuego5* juego, double x, double y, double angulo, double velocidad) {
    auto d = std::make_shared<T5CD>();
    d->juego = juego;
    d->X = x;
    d->Y = y;
    d->angulo = angulo;
    d->velocidad = velocidad;
    if (TMiniJuego5::imgCD) SetImageHandle(TMiniJuego5::imgCD, 14.5f, 14.5f);
    return d;
}

std::shared_ptr<T5CD> T5CD::invocar(TMiniJuego5* juego, double x, double y, double angulo, double velocidad) {
    auto d = Create(juego, x, y, angulo, velocidad);
    juego->cds.push_back(d);
    d->link = std::prev(juego->cds.end());
    d->enLista = true;
    return d;
}

int T5CD::destruir() {
    if (!enLista) return 0;
    enLista = false;
    juego->cds.erase(link);  // may drop the last reference but the caller's
    return 0;
}

int T5CD::restaFriccion() {
    velocidad *= 1;
    return 0;
}

int T5CD::decelera() {
    velocidad *= static_cast<double>(0.95f);
    return 0;
}

int T5CD::UpdateState() {
    if (velocidad <= 0.01) {
        velocidad = 0;  // lies still where it is
        return 0;
    }
    constexpr double grado = std::numbers::pi / 180;
    X += std::cos(angulo * grado) * velocidad;
    Y += std::sin(angulo * grado) * velocidad;

    if (Y < -15) {
        destruir();
    } else if (Y > 783) {
        juego->sumaPunto();
        destruir();
    }
    // Not pushed back inside: a disc may end a frame beyond a wall and bounce from there.
    if (X <= 12 && std::cos(angulo * grado) < 0) {
        angulo = std::abs(angulo - 180);
        restaFriccion();
    }
    if (X >= 1012 && std::cos(angulo * grado) > 0) {
        angulo = 180 - angulo;
        restaFriccion();
    }
    decelera();
    return 0;
}

int T5CD::DrawSelf() {
    GL::push();
    SetBlend(ALPHABLEND);
    SetScale(1, 0.8f);
    DrawImage(TMiniJuego5::imgCD, static_cast<float>(X), static_cast<float>(Y));
    GL::pop();
    return 0;
}
