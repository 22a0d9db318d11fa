#include "app/practica.h"

#include "app/deslizamiento.h"
#include "minigames/catalogo.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/pictures/image.h"
#include "platform/video/render.h"

TImageFontPtr TPractica::fuente;

void TPractica::cargarRecursos() {
    fuente = LoadImageFont("artwork/comic.ttf", 30, SMOOTHFONT);
}

TPractica::TPractica() {
    for (const TFichaMiniJuego& f : catalogo()) options.emplace_back(f.titulo);
    options.emplace_back("Volver");
}

std::unique_ptr<TPractica> TPractica::Create() {
    return std::make_unique<TPractica>();
}

int TPractica::start() {
    // The background is loaded on every visit and released when the screen ends.
    TImagePtr fondo = LoadImage("artwork/opciones.png");
    SetImageFont(fuente);
    TDeslizamiento lista(130);
    int selection = 0;
    const int last = static_cast<int>(options.size()) - 1;

    // No blend mode of its own: the one the main menu left (alpha) stays in force.
    while (KeyHit(KEY_ENTER) == 0) {
        SetColor(255, 255, 255);
        DrawImage(fondo, 0, 0, 0);

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
