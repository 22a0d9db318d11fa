#include "app/practica.h"

#include "app/deslizamiento.h"
#include "minigames/catalogo.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/pictures/image.h"
#include "platform/video/render.h"

TImageFontPtr TPractica::fuente;
int TPractica::ultima = 0;

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
    // The menu opens on the minigame played last, ready to play it again.
    int selection = ultima;
    const int last = static_cast<int>(options.size()) - 1;
    if (selection < 0 || selection > last) selection = 0;

    // An Escape pressed before this screen opened does not close it; one pressed here goes
    // back as "Volver" does.
    KeyHitAlso(KEY_ESCAPE);
    // No blend mode of its own: the one the main menu left (alpha) stays in force.
    while (true) {
        const bool enter = KeyHit(KEY_ENTER) > 0;
        if (KeyHitAlso(KEY_ESCAPE) > 0) return last;
        if (enter) break;
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
    if (selection != last) ultima = selection;
    return selection;
}
