// "No te mojes": the player on turn, walked with the mouse across the wet floor.
#include "minigames/no_te_mojes/mini_juego2.h"

#include "engine/andar.h"
#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "platform/input/input.h"

#include <cstdlib>

namespace {
// Standing, facing the room.
constexpr int kQuieto = 8;
}  // namespace

std::unique_ptr<T2JugadorRaton> T2JugadorRaton::Create(int pj, int x, int y, TMiniJuego2* juego) {
    auto j = std::make_unique<T2JugadorRaton>();
    j->pj = pj;
    j->X = j->XGoal = x;
    j->Y = j->YGoal = y;
    j->juego = juego;
    j->ponerAnimacion(kQuieto);
    j->animant = kQuieto;
    return j;
}

void T2JugadorRaton::ponerAnimacion(int a) {
    if (pj < 0 || pj >= static_cast<int>(juego->pjsAnim.size())) return;
    AnimState* s = juego->pjsAnim[static_cast<size_t>(pj)].get();
    if (s) TMiniJuego::ponerAnimacion(*s, a, juego->now());
}

int T2JugadorRaton::UpdateState() {
    const float now = juego->now();
    AnimState* s = pj >= 0 && pj < static_cast<int>(juego->pjsAnim.size())
                       ? juego->pjsAnim[static_cast<size_t>(pj)].get()
                       : nullptr;
    if (Status != 0) {
        if (s) s->Update(now * 1000);
        return 0;
    }

    if (MouseDown(1)) {
        const int rx = TMiniJuego::ratonX(), ry = TMiniJuego::ratonY();
        if (std::abs(rx - X) > 2 * Speed) XGoal = rx;
        if (std::abs(ry - Y) > 2 * Speed) YGoal = ry;
    }

    const int x0 = X, y0 = Y;
    andar::pasoHacia(X, XGoal, Speed);
    andar::pasoHacia(Y, YGoal, Speed);
    const int a = andar::animacion(x0, y0, X, Y, kQuieto);
    if (a != animant) {
        ponerAnimacion(a);
        animant = a;
    }

    if (s) s->Update(now * 1000);
    if (X > 767) X = 767;

    // Deep water is tested first: at the top edge it still counts as a fall.
    if (juego->esAguaLetal(X, Y)) {
        Status = 2;
        ponerAnimacion(6);
        juego->lose = 1;
        gestorSonido().reproducir("sfx/oops.wav");
        juego->timer = now;
    } else if (Y < TMiniJuego2::Y_SUELO) {
        Status = 1;
        ponerAnimacion(5);
        juego->win = 1;
        gestorSonido().reproducir("sfx/yeha.wav");
        juego->timer = now;
    }
    return 0;
}

int T2JugadorRaton::DrawSelf() {
    if (pj < 0 || pj >= static_cast<int>(juego->pjsAnim.size())) return 0;
    AnimState* s = juego->pjsAnim[static_cast<size_t>(pj)].get();
    const VGPPtr& g = juego->pjsGFX[static_cast<size_t>(pj)];
    GL::push();
    if (s) {
        const float now = juego->now();
        s->PrepareBoneList(now * 1000, 1, 1, 0);
        if (g) TMiniJuego::dibujarPersonaje(*s, *g, static_cast<float>(X), static_cast<float>(Y));
    }
    GL::pop();
    return 0;
}
