// "No te mojes": an opponent's hose. A bulge of water starts at random at the far end and
// runs to the mouth; a press while it shrinks away at the mouth pours, a press on its way
// spoils it.
#include "minigames/no_te_mojes/mini_juego2.h"

#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "platform/base/random.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

namespace {
constexpr double kSinBola = -1;
constexpr double kSalidaBola = 241;  // far end of the hose
constexpr double kBoca = 43;         // the mouth
// The shrinking step and the size at which the bulge is gone are the single-precision
// 0.09 and 0.1, so that it shrinks for exactly ten frames (the double 0.09 leaves the
// tenth step a hair above 0.1 and would add an eleventh).
constexpr double kEncoge = 0.09f;
constexpr double kTamanioMinimo = 0.1f;
}  // namespace

std::unique_ptr<T2JugadorAgua> T2JugadorAgua::Create(const TImagePtr& image, int num, int tecla,
                                                     TMiniJuego2* juego) {
    auto h = std::make_unique<T2JugadorAgua>();
    h->X = 783;
    h->Y = 100 * num + 200;
    h->Image = image;
    h->num = num;
    h->tecla = tecla;
    h->juego = juego;
    SetImageHandle(TMiniJuego2::imgBola, 0, 18);
    return h;
}

int T2JugadorAgua::UpdateState() {
    if (juego->win != 0 || juego->lose != 0) {
        posicionBola = kSinBola;
        return 0;
    }
    if (posicionBola == kSinBola) {
        // The key is not read here: a press now counts against the next bulge.
        if (Rand(0, 10) == 1) {
            posicionBola = kSalidaBola;
            velocidadBola = -Rnd(3.5, 5.5);
        }
        return 0;
    }
    if (posicionBola > kBoca && gluglu == 0) {
        posicionBola += velocidadBola;
        if (KeyHit(tecla) > 0) {
            gestorSonido().reproducir("sfx/aguaboo.wav");
            gluglu = 1;  // stops where it is and can no longer pour
        }
        return 0;
    }
    // At the mouth, or spoiled: shrinking away.
    if (tamanioBola <= kTamanioMinimo) {
        tamanioBola = 1;
        posicionBola = kSinBola;
        gluglu = 0;
        return 0;
    }
    tamanioBola -= kEncoge;
    // The key is read (and the press used up) also when the bulge is spoiled.
    if (KeyHit(tecla) > 0 && gluglu == 0) {
        gestorSonido().reproducir("sfx/aguava.wav");
        juego->nivelObjetivo += 10;
        juego->echandoAgua[static_cast<size_t>(num)] = 1;
        posicionBola = kSinBola;
        tamanioBola = 1;
    }
    return 0;
}

int T2JugadorAgua::DrawSelf() {
    SetRotation(0);
    DrawImage(Image, static_cast<float>(X), static_cast<float>(Y));
    if (posicionBola != kSinBola) {
        GL::push();
        SetScale(static_cast<float>(tamanioBola), static_cast<float>(tamanioBola));
        DrawImage(TMiniJuego2::imgBola, static_cast<float>(X + posicionBola), static_cast<float>(Y + 53));
        GL::pop();
    }
    return 0;
}
