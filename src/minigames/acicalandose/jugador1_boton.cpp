// "Acicalandose": the opponents at the bottom, their arrows and their fire keys.
#include "minigames/acicalandose/mini_juego1.h"

#include "engine/gl.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

std::unique_ptr<TJugador1Boton> TJugador1Boton::Create(const VGPPtr& gfx, float x, float y, int boton,
                                                       int quien, TMiniJuego1* papa) {
    auto j = std::make_unique<TJugador1Boton>();
    j->X = x;
    j->Y = y;
    j->gfx = gfx;
    j->papa = papa;
    j->Flecha = TFlecha::Create(TMiniJuego1::flecha, x, y - 60);
    j->anim = AnimState::Create(TMiniJuego1::anim);
    if (j->anim) TMiniJuego::ponerAnimacion(*j->anim, 8, TMiniJuego1::now());
    j->QuienSoY = static_cast<float>(quien);
    j->Boton = boton;
    return j;
}

int TJugador1Boton::UpdateState() {
    const float now = TMiniJuego1::now();
    Flecha->UpdateState();
    Flecha->DrawSelf();
    if (anim) anim->Update(now * 1000);
    shotsdelaY += 1;

    // The key is read every frame, so a press during the wait is used up.
    if (KeyHit(Boton) > 0 && shotsdelaY > 50) {
        auto b = TBeso::Create(TMiniJuego1::corazon, static_cast<float>(static_cast<int>(X)),
                               static_cast<float>(static_cast<int>(Y)),
                               static_cast<float>(static_cast<int>(Flecha->getAngulo())),
                               static_cast<int>(QuienSoY), papa);
        Besos.push_back(b);
        b->SetLink(&Besos, std::prev(Besos.end()));
        shotsdelaY = 0;
    }

    for (auto it = Besos.begin(); it != Besos.end();) {
        // A kiss takes itself off the list when it touches something; it is still drawn
        // in that frame.
        std::shared_ptr<TBeso> b = *it++;
        if (papa->olvidarBesosPerdidos && papa->besoPerdido(*b)) {
            // Far out of everybody's reach, and flying on away: nothing can ever see
            // or feel it again.
            b->quitarse();
            continue;
        }
        b->UpdateState();
        b->DrawSelf();
    }
    return 0;
}

int TJugador1Boton::DrawSelf() {
    if (!anim || !gfx) return 0;
    const float now = TMiniJuego1::now();
    anim->Update(now * 1000);
    GL::push();
    SetTransform(0, 1, 1);
    SetColor(255, 255, 255);
    SetAlpha(1);
    anim->PrepareBoneList(now * 1000, 1, 1, 0);
    TMiniJuego::dibujarHuesos(*anim, *gfx, X, Y);
    GL::pop();
    return 0;
}

std::unique_ptr<TFlecha> TFlecha::Create(const TImagePtr& image, float x, float y) {
    auto f = std::make_unique<TFlecha>();
    f->Image = image;
    f->X = x;
    f->Y = y;
    if (image)
        SetImageHandle(image, static_cast<float>(ImageWidth(image) / 2),
                       static_cast<float>(ImageHeight(image)));
    return f;
}

int TFlecha::UpdateState() {
    Angulo += static_cast<float>(Speed);
    // Turns after passing 80, so the sweep reaches 84 and -84.
    if (Angulo > 80 || Angulo < -80) Speed = -Speed;
    return 0;
}

int TFlecha::DrawSelf() {
    SetRotation(Angulo);
    DrawImage(Image, X, Y);
    return 0;
}
