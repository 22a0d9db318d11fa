// "Acicalandose": the girls strolling along the top, and falling in love.
#include "minigames/acicalandose/mini_juego1.h"

#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "platform/video/render.h"

#include <cmath>

std::shared_ptr<TTolpusero> TTolpusero::Create(const VBAPtr& a, const VGPPtr& gfx, int tipo,
                                               TMiniJuego1* papa) {
    auto g = std::make_shared<TTolpusero>();
    g->anim = AnimState::Create(a);
    g->gfx = gfx;
    g->Tipo = tipo;
    g->papa = papa;
    const float now = TMiniJuego1::now();
    if (tipo == 0) {
        g->X = 1000;
        g->Y = 100;
        if (g->anim) TMiniJuego::ponerAnimacion(*g->anim, 2, now);
    } else {
        g->X = -100;
        g->Y = 50;
        if (g->anim) TMiniJuego::ponerAnimacion(*g->anim, 7, now);
    }
    return g;
}

int TTolpusero::SetLink(TListaTolpuseros::iterator l) {
    link = l;
    enLista = true;
    return 0;
}

void TTolpusero::quitarse() {
    if (!enLista) return;
    papa->Tolpuseros.erase(link);
    enLista = false;
}

int TTolpusero::Enamorame(int autor, float x, float y) {
    Tipo = 2;
    EnamoradoDe = autor;
    XAmor = static_cast<int>(x + 50);
    YAmor = static_cast<int>(y);
    if (anim) TMiniJuego::ponerAnimacion(*anim, 3, TMiniJuego1::now());
    return 0;
}

int TTolpusero::DetectaColisiones() {
    const TJugadorRaton& p = *papa->JTurno;
    if (!anim || !gfx || !p.anim || !p.gfx) return 0;
    if (TMiniJuego::colisionPoses(*anim, *gfx, X, Y, *p.anim, *p.gfx, p.X, p.Y)) {
        papa->JTurno->tanPillao();
        gestorSonido().reproducir("sfx/hey.wav");
    }
    return 0;
}

int TTolpusero::UpdateState() {
    const float now = TMiniJuego1::now();
    if (anim) {
        anim->Update(now * 1000);
        anim->PrepareBoneList(now * 1000, 1, 1, 0);
    }
    switch (Tipo) {
        case 0:
            if (X > -50)
                X -= static_cast<float>(Speed);
            else
                quitarse();
            break;
        case 1:
            if (X >= 1024)
                quitarse();
            else
                X += static_cast<float>(Speed);
            break;
        case 2: {
            // The line grows downward: each girl already there pushes the next 20 lower.
            TJugador1Boton& j = *papa->JNoTurno[static_cast<size_t>(EnamoradoDe)];
            const float destino = static_cast<float>(YAmor + 20 * j.Fans);
            if (Y >= destino) {
                j.Fans += 1;
                Tipo = 3;
            } else {
                Y += static_cast<float>(Speed);
                if (std::abs(static_cast<float>(XAmor) - X) > static_cast<float>(Speed))
                    X = acicalandose::hacia(X, static_cast<float>(XAmor), static_cast<float>(Speed));
                DetectaColisiones();
            }
            break;
        }
        default: break;
    }
    return 0;
}

int TTolpusero::eresMiNovia() {
    novia = 1;
    return 0;
}

int TTolpusero::DrawSelf() {
    if (!anim || !gfx) return 0;
    GL::push();
    SetTransform(Angulo, 1, 1);
    SetColor(255, 255, 255);
    SetAlpha(1);
    TMiniJuego::dibujarHuesos(*anim, *gfx, X, Y);
    GL::pop();
    return 0;
}
