#include "engine/contador.h"

#include "engine/gl.h"
#include "platform/pictures/font.h"
#include "platform/video/render.h"

#include <string>

std::unique_ptr<TContador> TContador::Create(float segundos) {
    auto c = std::make_unique<TContador>();
    c->vida = c->vidaIni = segundos;
    c->tiempo->update();
    c->time0 = c->tiempo->getTimer(0);
    return c;
}

void TContador::update() {
    tiempo->update();
    if (vida >= 0) vida = vidaIni - (tiempo->getTimer(0) - time0);
}

int TContador::haAcabado() const {
    return vida >= 0 ? 0 : 1;
}

void TContador::Dibujar() {
    if (!(vida >= 0)) return;
    // A countdown of 0 seconds shows an empty bar rather than dividing by zero.
    const float f = vidaIni > 0 ? vida / vidaIni : 0;
    GL::push();
    SetColor(static_cast<int>(255 * (1 - f)), static_cast<int>(255 * f), 0);
    SetBlend(ALPHABLEND);
    SetAlpha(0.75f);
    DrawRect(24, 708, 1000 * f, 40);
    SetColor(255, 255, 255);
    SetScale(2.5f, 2);
    SetImageFont(nullptr);
    const std::string t = std::to_string(static_cast<int>(vida));
    const float w = TextWidth(t), h = TextHeight(t);
    DrawText(t, 24 + 1000 * f / 2 - w / 2, 708 + 40.0f / 2 - h / 2);
    GL::pop();
}
