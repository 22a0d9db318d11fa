// "Lanzamiento de CDs": the opponents along the bottom, walking on two keys and catching.
#include "engine/andar.h"
#include "engine/gl.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"
#include "platform/input/input.h"

#include <algorithm>

namespace {
// Standing, facing the floor.
constexpr int kQuieto = 8;
}  // namespace

std::unique_ptr<T5Jugador> T5Jugador::Create(int pj, int x, int y, int tecla1, int tecla2,
                                             TMiniJuego5* juego) {
    auto j = std::make_unique<T5Jugador>();
    j->pj = pj;
    j->X = x;
    j->Y = y;
    j->tecla1 = tecla1;
    j->tecla2 = tecla2;
    j->juego = juego;
    juego->ponerAnimacion(pj, kQuieto);
    j->animant = kQuieto;
    return j;
}

int T5Jugador::UpdateState() {
    const float now = juego->now();
    AnimState* s = juego->animDe(pj);
    if (Status != 0) {
        if (s) s->Update(now * 1000);
        return 0;
    }

    if (s && s->Finished != 0) {  // the catch has been shown
        juego->ponerAnimacion(pj, kQuieto);
        animant = kQuieto;
    }

    // The left key wins when both are held.
    velocidad = KeyDown(tecla1) ? -5 : KeyDown(tecla2) ? 5 : 0;
    if (!s || s->CurrentAnim != 10) {
        const int a = andar::animacion(0, 0, velocidad, 0, kQuieto);
        if (a != animant) {
            juego->ponerAnimacion(pj, a);
            animant = a;
        }
    }

    X = std::clamp(X + velocidad, 12, 1012);
    if (!s) return 0;  // no figure: nothing to catch with
    s->PrepareBoneList(now * 1000, 1, 1, 0);

    const VGP* g = juego->paqueteDe(pj);
    if (g) {
        for (auto it = juego->cds.begin(); it != juego->cds.end();) {
            // A caught disc leaves the list; the walk goes on with the next one.
            std::shared_ptr<T5CD> d = *it++;
            if (d->Y <= 690) continue;
            if (TMiniJuego::colisionPoseImagen(*s, *g, static_cast<float>(X), static_cast<float>(Y),
                                               TMiniJuego5::imgCD, static_cast<float>(static_cast<int>(d->X)),
                                               static_cast<float>(static_cast<int>(d->Y)), 0, 1, 0.8f)) {
                d->destruir();
                juego->ponerAnimacion(pj, 10, 0);
                animant = 10;
            }
        }
    }

    s->Update(now * 1000);
    return 0;
}

int T5Jugador::DrawSelf() {
    AnimState* s = juego->animDe(pj);
    if (!s) return 0;
    GL::push();
    if (Status != 0) s->PrepareBoneList(juego->now() * 1000, 1, 1, 0);
    juego->dibujarHuesosDe(pj, X, Y);
    GL::pop();
    return 0;
}
