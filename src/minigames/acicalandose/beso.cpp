// "Acicalandose": the kisses, looping along their aim, and what they touch.
#include "minigames/acicalandose/mini_juego1.h"

#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "platform/video/render.h"

#include <cmath>
#include <numbers>

std::shared_ptr<TBeso> TBeso::Create(const TImagePtr& image, float x, float y, float angulo, int autor,
                                     TMiniJuego1* papa) {
    auto b = std::make_shared<TBeso>();
    b->Image = image;
    if (image)
        SetImageHandle(image, static_cast<float>(ImageWidth(image) / 2),
                       static_cast<float>(ImageHeight(image)));
    b->X = x;
    b->Y = y;
    b->Angulo = angulo;
    b->Autor = autor;
    b->papa = papa;
    gestorSonido().reproducir("sfx/muack.wav");
    return b;
}

int TBeso::SetLink(TListaBesos* l, TListaBesos::iterator link) {
    lista = l;
    Link = link;
    return 0;
}

void TBeso::quitarse() {
    if (!lista) return;
    lista->erase(Link);
    lista = nullptr;
}

int TBeso::UpdateState() {
    if (Rotacion > 360) Rotacion = 0;
    Rotacion += 5;
    constexpr double grado = std::numbers::pi / 180;
    X = static_cast<float>(X + std::cos((Angulo - 90) * grado) * Speed + std::cos(Rotacion * grado) * Radio);
    Y = static_cast<float>(Y + std::sin((Angulo - 90) * grado) * Speed + std::sin(Rotacion * grado) * Radio);
    detectaColisiones();
    return 0;
}

int TBeso::detectaColisiones() {
    const TImagePtr& heart = TMiniJuego1::corazon;
    // Every girl is tested, also after one has been touched.
    for (const auto& g : papa->Tolpuseros) {
        if (!g->anim || !g->gfx) continue;
        if (TMiniJuego::colisionPoseImagen(*g->anim, *g->gfx, g->X, g->Y, heart, X, Y, 30, 1, 1)) {
            const TJugador1Boton& j = *papa->JNoTurno[static_cast<size_t>(Autor)];
            g->Enamorame(Autor, j.X, j.Y);
            gestorSonido().reproducir("sfx/mmm.wav");
            quitarse();
        }
    }
    const TJugadorRaton& p = *papa->JTurno;
    if (p.anim && p.gfx && TMiniJuego::colisionPoseImagen(*p.anim, *p.gfx, p.X, p.Y, heart, X, Y, 30, 1, 1)) {
        papa->ResistenciaAlAmor -= 1;
        gestorSonido().reproducir("sfx/buegh.wav");
        quitarse();
    }
    return 0;
}

int TBeso::DrawSelf() {
    GL::push();
    SetRotation(30);
    SetBlend(LIGHTBLEND);
    DrawImage(Image, X, Y);
    SetBlend(ALPHABLEND);
    GL::pop();
    return 0;
}
