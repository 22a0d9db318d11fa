#include "app/introduccion_anal.h"

#include "engine/asiento/asiento.h"
#include "engine/asiento/cerebro.h"
#include "engine/gestor_sonido.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/pictures/image.h"
#include "platform/sound/sound.h"
#include "platform/video/render.h"

#include <array>
#include <string>

TImageFontPtr TIntroduccionAnal::fuente;
TImageFontPtr TIntroduccionAnal::fuenteAviso;

namespace {
// Starting values of one character's entrance: the name drops from y = -10, the portrait
// rises from y = 768, each with a speed that first halves every frame (down to a crawl)
// and then grows by a tenth every frame until they leave the screen.
struct Entrada {
    int ty = -10;
    int py = 768;
    float a = 200.0f, fa = 0.5f;
    float b = 200.0f, fb = 0.5f;

    void avanzar() {
        ty = static_cast<int>(ty + a);
        a = a * fa;
        if (!(a >= 0.001f)) fa = 1.1f;
        py = static_cast<int>(py - b);
        b = b * fb;
        if (!(b >= 0.001f)) fb = 1.1f;
    }
};
}  // namespace

void TIntroduccionAnal::cargarRecursos() {
    fuente = LoadImageFont("artwork/comic.ttf", 100, SMOOTHFONT);
    fuenteAviso = LoadImageFont("artwork/comic.ttf", 28, SMOOTHFONT);
}

namespace {
// A picture that waits for a key says so once it has shown for 3 s (at the game's 60
// frames a second): a newcomer waited at the first logo for more than 40 s. Small, in a
// corner, white on a dark shadow so that it reads on light and dark pictures alike.
constexpr int kCuadrosAntesDelAviso = 180;

void dibujarAviso(const TImageFontPtr& fuente) {
    const int blend = GetBlend();
    SetImageFont(fuente);
    SetBlend(ALPHABLEND);
    const std::string texto = "Pulsa una tecla";
    const float x = 1024 - TextWidth(texto) - 30, y = 768 - 50;
    SetColor(0, 0, 0);
    SetAlpha(0.6f);
    DrawText(texto, x + 2, y + 2);
    SetColor(255, 255, 255);
    SetAlpha(0.9f);
    DrawText(texto, x, y);
    SetAlpha(1);
    SetBlend(blend);
}
}  // namespace

std::unique_ptr<TIntroduccionAnal> TIntroduccionAnal::Create() {
    return std::make_unique<TIntroduccionAnal>();
}

int TIntroduccionAnal::stop(const TChannelPtr& canal) {
    if (canal) canal->Stop();
    return 1;
}

int TIntroduccionAnal::start() {
    TSoundPtr musica = LoadSound("music/title.ogg", 3);
    TChannelPtr canal = PlaySound(musica);
    if (canal) canal->SetVolume(gestorSonido().getMusicVolume());

    // The five logos load in the order 1, 2, 5, 4, 3 and show in the order 1 to 5.
    std::array<TImagePtr, 8> cuadros;
    cuadros[0] = LoadImage("artwork/7341logos.jpg");
    cuadros[1] = LoadImage("artwork/trep-logo.jpg");
    cuadros[4] = LoadImage("artwork/sondo-logo.jpg");
    cuadros[3] = LoadImage("artwork/mirelo-logo.jpg");
    cuadros[2] = LoadImage("artwork/fustel-logo.jpg");
    cuadros[5] = LoadImage("artwork/intro-1.png");
    cuadros[6] = LoadImage("artwork/intro-2.png");
    cuadros[7] = LoadImage("artwork/intro-3.png");
    std::array<TImagePtr, asientos::NUM_ASIENTOS> retratos;
    for (int s = 0; s < asientos::NUM_ASIENTOS; ++s)
        retratos[static_cast<size_t>(s)] = LoadImage(asientos::retrato(s));
    TImagePtr fondo = LoadImage("artwork/intro-personajes.png");

    Cls();
    Flip(-1);
    // The tunes of the menu and the match decode while the intro shows: before its first
    // picture they would only hold up the pictures' decoding.
    PrefetchSounds({"music/menu.ogg", "music/tablero.ogg"});
    gestorSonido().reproducir("sfx/boum.wav");
    // In the demo the computers skip each picture after a look.
    asientos::TEsperaTecla demo(asientos::TODOS, KEY_SPACE, 600, 1200);

    // Each picture stays until a character is typed; one already waiting skips the
    // picture without drawing it.
    for (size_t i = 0; i < cuadros.size(); ++i) {
        int c = GetChar();
        for (int cuadro = 0; c == 0; ++cuadro) {
            c = GetChar();
            if (i == 0) {
                // The first logo is centred (integer halves).
                DrawImage(cuadros[i], static_cast<float>((1024 - ImageWidth(cuadros[i])) / 2),
                          static_cast<float>((768 - ImageHeight(cuadros[i])) / 2));
            } else {
                DrawImage(cuadros[i], 0, 0);
            }
            if (cuadro >= kCuadrosAntesDelAviso) dibujarAviso(fuenteAviso);
            Flip(-1);
            Cls();
        }
        if (c == KEY_ESCAPE) {
            stop(canal);
            return 1;
        }
    }

    // The presentation: 144 frames per character, then a fifth period of background only.
    int c = GetChar();
    int n = 0;
    int fondoY = -768;
    Entrada e;
    FlushKeys();
    SetImageFont(fuente);
    while (c == 0 && n < 5) {
        c = GetChar();
        DrawImage(fondo, 0, static_cast<float>(fondoY));
        fondoY += 25;
        if (fondoY > 0) fondoY = -768;

        e.avanzar();
        if (e.ty > 1600) {
            ++n;
            e = Entrada{};
        }

        SetBlend(ALPHABLEND);
        if (n < 4) {
            DrawText(asientos::personaje(n).nombre, 400, static_cast<float>(e.ty));
            DrawImage(retratos[static_cast<size_t>(n)], 50, static_cast<float>(e.py));
        }
        Flip(-1);
        Cls();
    }

    stop(canal);
    return 1;
}
