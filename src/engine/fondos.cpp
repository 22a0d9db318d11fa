// The two striped backgrounds of the explanation screen. The game loads them from
// artwork/; these generators are what writes those files (the data build runs them
// headless through tools/fondos). The order of the random draws fixes the picture for
// a given seed, so it must not change.
#include "engine/gl.h"

#include "platform/base/random.h"
#include "platform/pixels/pixmap.h"
#include "platform/video/render.h"

#include <algorithm>

namespace {

constexpr int kAncho = 1024;
constexpr int kAlto = 768;

// Steps shared by both generators: the picture to grab into, a clear screen and the
// saved render state.
TImagePtr empezar() {
    TImagePtr imagen = CreateImage(kAncho, kAlto, 8, -1);
    Cls();
    GL::push();
    return imagen;
}

// One thin translucent stripe across the screen; the height is drawn before the top.
void raya() {
    const float alto = static_cast<float>(Rnd(0, 2.5));
    const float arriba = static_cast<float>(Rnd(0, kAlto));
    DrawRect(0, arriba, kAncho, alto);
}

TImagePtr terminar(const TImagePtr& imagen, const char* ruta) {
    GL::pop();
    GrabImage(imagen, 0, 0, 0);
    if (TPixmapPtr pixmap = LockImage(imagen, 0, true, true)) SavePixmapPNG(*pixmap, ruta, 5);
    return imagen;
}

}  // namespace

TImagePtr GL::crearFondoRaro(float r1, float g1, float b1, float r2, float g2, float b2) {
    TImagePtr imagen = empezar();
    SetColor(static_cast<int>(r1 * 0.5f + r2 * 0.5f), static_cast<int>(g1 * 0.5f + g2 * 0.5f),
             static_cast<int>(b1 * 0.5f + b2 * 0.5f));
    DrawRect(0, 0, kAncho, kAlto);
    SetBlend(LIGHTBLEND);
    const int n = Rand(500, 1000);
    for (int i = 0; i <= n; ++i) {
        const float t = static_cast<float>(Rnd(0, 1.0001));
        SetColor(static_cast<int>(r1 * (1 - t) + r2 * t), static_cast<int>(g1 * (1 - t) + g2 * t),
                 static_cast<int>(b1 * (1 - t) + b2 * t));
        SetAlpha(static_cast<float>(Rnd(0.25, 0.65)));
        raya();
    }
    return terminar(imagen, "artwork/fondoraro.png");
}

TImagePtr GL::crearFondoMasRaro() {
    TImagePtr imagen = empezar();
    int r = 100, g = 100, b = 100;
    SetColor(r, g, b);
    DrawRect(0, 0, kAncho, kAlto);
    SetBlend(LIGHTBLEND);
    const int n = Rand(500, 1000);
    for (int i = 0; i <= n; ++i) {
        Rnd(0, 1.0001);  // drawn and not used: keeps the sequence of draws
        r = std::clamp(r + Rand(-2, 2), 50, 125);
        g = std::clamp(g + Rand(-2, 2), 50, 125);
        b = std::clamp(b + Rand(-2, 2), 50, 125);
        SetColor(r, g, b);
        SetAlpha(static_cast<float>(Rnd(0.25, 0.65)));
        raya();
    }
    return terminar(imagen, "artwork/fondomasraro.png");
}
