#include "app/menu_molon.h"

#include "app/deslizamiento.h"
#include "engine/asiento/cerebro.h"

#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

#include <vector>

TImagePtr TMenuMolon::titulo;
TImageFontPtr TMenuMolon::fuente;

void TMenuMolon::cargarRecursos() {
    titulo = LoadImage("artwork/titulo.png");
    fuente = LoadImageFont("artwork/comic.ttf", 50, SMOOTHFONT);
}

std::unique_ptr<TMenuMolon> TMenuMolon::Create() { return std::make_unique<TMenuMolon>(); }

int TMenuMolon::start(bool continuar) {
    SetImageFont(fuente);
    TDeslizamiento lista(160);  // at rest: lines 50 apart from y = 200
    int selection = 0;
    std::vector<std::string> lineas(options.begin(), options.end());
    if (continuar) lineas.insert(lineas.begin(), CONTINUAR);
    const int last = static_cast<int>(lineas.size()) - 1;
    // In the demo the computers take the first line, "Jugar", after a pause.
    asientos::TEsperaTecla demo(asientos::TODOS, KEY_ENTER, 1500, 2500);

    while (KeyHit(KEY_ENTER) == 0) {
        SetBlend(ALPHABLEND);
        SetColor(255, 255, 255);
        DrawImage(titulo, 0, 0, 0);

        if (!lista.enReposo()) {
            lista.avanzar();
        } else {
            selection = moverSeleccion(selection, last);
        }

        // Six lines do not fit the title picture's box: a taller and wider one of the same
        // look goes over it.
        if (continuar) {
            SetColor(52, 44, 78);
            DrawRect(138, 180, 424, 346);
            SetColor(232, 230, 238);
            DrawRect(143, 185, 414, 336);
        }
        dibujarLista(lineas, lista, selection);

        Flip(-1);
        Cls();
    }
    if (!continuar) return selection;
    return selection == 0 ? ELEGIDO_CONTINUAR : selection - 1;
}
