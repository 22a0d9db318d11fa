#include "minigames/mini_juego_cronometrado.h"

#include "engine/explicacion.h"
#include "engine/gl.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

TImageFontPtr TMiniJuegoCronometrado::fuente;

namespace {
constexpr int kEscape = 27;
}

void TMiniJuegoCronometrado::cargarFuente() {
    if (!fuente) fuente = LoadImageFont("artwork/comic.ttf", 50, SMOOTHFONT);
}

void TMiniJuegoCronometrado::animar(int c, int a) {
    if (c >= 0 && c < 4 && pjs[static_cast<size_t>(c)])
        ponerAnimacion(*pjs[static_cast<size_t>(c)], a, now());
}

void TMiniJuegoCronometrado::dibujarFigura(int c, float x, float y) {
    if (c < 0 || c >= 4) return;
    const AnimStatePtr& s = pjs[static_cast<size_t>(c)];
    const VGPPtr& g = gfx[static_cast<size_t>(c)];
    if (s && g) avanzarYDibujar(*s, *g, x, y, now());
}

void TMiniJuegoCronometrado::explicar(int t) {
    SetScale(1, 1);
    const TTextos& x = textos();
    TExplicacion::Create(t, x.titulo, x.turno, x.otros, x.teclas[0], x.teclas[1], x.teclas[2])->show();
}

void TMiniJuegoCronometrado::prepararJuego(int t) {
    turno = t >= 0 && t < asientos::NUM_ASIENTOS ? t : 0;
    otros = oponentes(turno);
    resultado = -1;
    frames = 0;
    empezar();
    // The explanation's time is not the play's: the meter starts with the first frame.
    tiempo->update();
    contador = TContador::Create(kDuracion);
}

bool TMiniJuegoCronometrado::jugarFrame() {
    if (KeyHit(kEscape) > 0) {
        if (resultado < 0) resultado = 1;
        return false;
    }
    tiempo->update();
    ++frames;
    if (resultado < 0) {
        contador->update();
        actualizar();
        int r = decidir();
        if (r < 0 && contador->haAcabado()) r = alAcabarse();
        if (r >= 0) {
            resultado = r;
            decidido = now();
            alDecidir();
        }
    }

    Cls();
    GL::push();
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetScale(1, 1);
    dibujar();
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetTransform(0, 1, 1);
    if (resultado < 0) {
        contador->Dibujar();
    } else {
        SetImageFont(fuente);
        const std::string texto = resultado == 1 ? "BIEN HECHO!" : "HAS PERDIDO!";
        SetColor(0, 0, 0);
        DrawText(texto, 512 - TextWidth(texto) / 2 + 3, 347);
        SetColor(255, 255, 255);
        DrawText(texto, 512 - TextWidth(texto) / 2, 344);
    }
    GL::pop();
    Flip(1);
    tiempo->esperaFrame();
    return resultado < 0 || now() - decidido < kCierre;
}
