#include "app/menu_molon.h"

#include "app/deslizamiento.h"
#include "engine/asiento/cerebro.h"

#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

TImagePtr TMenuMolon::titulo;
TImageFontPtr TMenuMolon::fuente;

void TMenuMolon::cargarRecursos() {
    titulo = LoadImage("artwork/titulo.png");
    fuente = LoadImageFont("artwork/comic.ttf", 50, SMOOTHFONT);
}

std::unique_ptr<TMenuMolon> TMenuMolon::Create() { return std::make_unique<TMenuMolon>(); }

int TMenuMolon::start() {
    SetImageFont(fuente);
    TDeslizamiento lista(160);  // at rest: lines 50 apart from y = 200
    int selection = 0;
    const int last = static_cast<int>(options.size()) - 1;
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

        dibujarLista(options, lista, selection);

        Flip(-1);
        Cls();
    }
    return selection;
}
