// "Acicalandose": the player on turn, walked with the mouse to the showers and back.
#include "minigames/acicalandose/mini_juego1.h"

#include "engine/andar.h"
#include "engine/gestor_sonido.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cmath>

std::unique_ptr<TJugadorRaton> TJugadorRaton::Create(const VGPPtr& gfx, float x, float y, int /*pj*/,
                                                     TMiniJuego1* papa) {
    auto j = std::make_unique<TJugadorRaton>();
    j->X = x;
    j->Y = y;
    j->XGoal = static_cast<int>(x);
    j->YGoal = static_cast<int>(y);
    j->gfx = gfx;
    j->papa = papa;
    j->anim = AnimState::Create(TMiniJuego1::anim);
    if (j->anim) TMiniJuego::ponerAnimacion(*j->anim, 1, TMiniJuego1::now());
    return j;
}

int TJugadorRaton::DrawSelf() {
    if (anim && gfx) TMiniJuego::dibujarPersonaje(*anim, *gfx, X, Y);
    return 0;
}

int TJugadorRaton::UpdateState() {
    const float now = TMiniJuego1::now();
    const float paso2 = 2.0f * static_cast<float>(Speed);
    if (anim) {
        anim->Update(now * 1000);
        anim->PrepareBoneList(now * 1000, 1, 1, 0);
    }
    SetRotation(0);

    if (papa->Asco != 0) {
        // Fainted: floats up off the screen, drifting to the middle.
        if (Y > -100) Y -= paso2;
        if (std::abs(X - 512) > paso2) X = acicalandose::hacia(X, 512, paso2);
        return 0;
    }

    if (MouseDown(1)) {
        const int rx = TMiniJuego::ratonX(), ry = TMiniJuego::ratonY();
        if (std::abs(static_cast<float>(rx) - X) > paso2) XGoal = rx;
        if (std::abs(static_cast<float>(ry) - Y) > paso2) YGoal = ry;
        SetRotation(0);
    }

    if (meta1 == 0 && X > 968) meta1 = 1;
    if (meta1 == 3 && X > 968) X = 968;
    if (meta1 == 0 && X < 50) X = 50;
    if (meta1 == 3 && X < 50) meta1 = 4;
    YGoal = std::clamp(YGoal, 150, 600);

    switch (meta1) {
        case 1:  // on to the showers
            if (X >= 1250) {
                meta1 = 2;
                if (anim) TMiniJuego::ponerAnimacion(*anim, 2, now);
            } else {
                X += paso2;
            }
            break;
        case 2:  // back from the showers
            if (X <= 968) {
                meta1 = 3;
                if (anim) TMiniJuego::ponerAnimacion(*anim, 1, now);
                XGoal = static_cast<int>(X);
                YGoal = static_cast<int>(Y);
            } else {
                X -= paso2;
            }
            break;
        case 4:  // out to the date
            if (X <= -100) {
                X = 300;
                Y = 900;
                papa->Ganador = 1;
                meta1 = 5;
                Novia = TTolpusero::Create(TMiniJuego1::anim, TMiniJuego1::pjsGFX[PAQUETE_CHICA], 1, papa);
                if (Novia->anim) TMiniJuego::ponerAnimacion(*Novia->anim, 4, now);
                Novia->eresMiNovia();
            } else {
                X -= paso2;
            }
            break;
        case 5:  // off with the date; she and the hearts go under him
            if (Y > -100) Y -= paso2;
            if (std::abs(X - 512) > paso2) X = acicalandose::hacia(X, 512, static_cast<float>(Speed));
            Novia->X = X + 30;
            Novia->Y = Y;
            if (Novia->anim) {
                Novia->anim->Update(now * 1000);
                Novia->anim->PrepareBoneList(now * 1000, 1, 1, 0);
            }
            Novia->DrawSelf();
            DrawImage(TMiniJuego1::corazon, X + 7, Y - 70);
            DrawImage(TMiniJuego1::corazon, X + 23, Y - 90);
            break;
        default:  // 0 and 3: walking
            caminar();
            break;
    }
    return 0;
}

void TJugadorRaton::caminar() {
    const float v = static_cast<float>(Speed);
    const float x0 = X, y0 = Y;
    andar::pasoHacia(X, XGoal, v);
    andar::pasoHacia(Y, YGoal, v);
    const int a = andar::animacion(x0, y0, X, Y, andar::ANIM_QUIETO);
    if (anim && anim->CurrentAnim != a) TMiniJuego::ponerAnimacion(*anim, a, TMiniJuego1::now());
}

int TJugadorRaton::tanPillao() {
    if (anim) TMiniJuego::ponerAnimacion(*anim, 6, TMiniJuego1::now());
    papa->Ganador = 0;
    return 0;
}

int TJugadorRaton::teDanAsco() {
    papa->Asco = 1;
    gestorSonido().reproducir("sfx/superbuegh.wav");
    if (anim) TMiniJuego::ponerAnimacion(*anim, 4, TMiniJuego1::now());
    return 0;
}
