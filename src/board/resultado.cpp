#include "board/resultado.h"

#include "engine/asiento/asiento.h"
#include "engine/asiento/marca_cpu.h"

#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

TImageFontPtr TResultado::fuente;
std::array<TImagePtr, 4> TResultado::personajes;

namespace {
constexpr float kVelocidad = 1250;  // units per second
constexpr int kCentro = 512;
constexpr int kFin = 2024;  // the word has left the screen
}  // namespace

void TResultado::cargarRecursos() {
    fuente = LoadImageFont("artwork/comic.ttf", 200, SMOOTHFONT);
    for (size_t i = 0; i < personajes.size(); ++i) {
        personajes[i] = LoadImage(asientos::retrato(static_cast<int>(i)), FILTEREDIMAGE | MIPMAPPEDIMAGE);
        if (personajes[i]) MidHandleImage(personajes[i]);
    }
}

std::unique_ptr<TResultado> TResultado::Create(int nTurno, int victoria) {
    auto r = std::make_unique<TResultado>();
    r->nTurno = nTurno;
    r->victoria = victoria;
    r->texto = victoria != 0 ? "YEAH!" : "FAIL";
    gestorSonido().reproducir(victoria != 0 ? "sfx/yeha.wav" : "sfx/perder.wav");
    return r;
}

int TResultado::show() {
    int x = -1000;
    bool parado = false;
    float hasta = 0;
    SetImageFont(fuente);
    tiempo->update();
    SetClsColor(0, 0, 0);

    const TImagePtr retrato = nTurno >= 0 && nTurno < static_cast<int>(personajes.size())
                                  ? personajes[static_cast<size_t>(nTurno)]
                                  : nullptr;
    const int r = victoria != 0 ? 0 : 255;
    const int g = victoria != 0 ? 255 : 0;

    while (!KeyDown(KEY_ESCAPE) && x < kFin) {
        Cls();
        tiempo->update();
        const float inc = tiempo->getInc(0);
        const float w = TextWidth(texto);
        const float h = TextHeight(texto);

        GL::push();
        // A white copy one percent larger underneath leaves a thin light edge.
        SetColor(255, 255, 255);
        SetScale(1.01f, 1.01f);
        DrawText(texto, static_cast<float>(x) - w / 2, 384 - h / 2);
        SetColor(r, g, 0);
        SetAlpha(0.75f);
        SetScale(0.5f, 0.5f);
        DrawImage(retrato, static_cast<float>(1024 - x), 384, 0);
        dibujarMarcaCPU(nTurno, static_cast<float>(1024 - x), 520, 1.5f);
        SetAlpha(0.9f);
        SetScale(1, 1);
        DrawText(texto, static_cast<float>(x) - w / 2, 384 - h / 2);
        GL::pop();
        Flip(1);
        tiempo->esperaFrame();

        if (parado) {
            if (tiempo->getTimer(0) > hasta) x = static_cast<int>(static_cast<float>(x) + kVelocidad * inc);
        } else {
            x = static_cast<int>(static_cast<float>(x) + kVelocidad * inc);
            if (x > kCentro) {
                x = kCentro;
                parado = true;
                hasta = tiempo->getTimer(0) + 1;
            }
        }
    }
    return 0;
}
