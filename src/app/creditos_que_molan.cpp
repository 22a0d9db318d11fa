#include "app/creditos_que_molan.h"

#include "app/deslizamiento.h"
#include "engine/asiento/asiento.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/pictures/image.h"
#include "platform/video/render.h"

TImageFontPtr TCreditosQueMolan::fuente;

void TCreditosQueMolan::cargarRecursos() {
    fuente = LoadImageFont("artwork/comic.ttf", 30, SMOOTHFONT);
}

std::array<std::string, 11> TCreditosQueMolan::lineas() {
    auto nombre = [](int s) { return std::string(asientos::personaje(s).nombre); };
    const std::string primeros = nombre(0) + ", " + nombre(1), segundos = nombre(2) + ", " + nombre(3);
    // clang-format off
    return {"Programacion:",     primeros, segundos,
            "Graficos:",         primeros, segundos,
            "Audio: " + nombre(2), "Musica: " + nombre(0), "",
            "Libreria VBA por:", nombre(2)};
    // clang-format on
}

std::unique_ptr<TCreditosQueMolan> TCreditosQueMolan::Create() {
    return std::make_unique<TCreditosQueMolan>();
}

int TCreditosQueMolan::start() {
    TImagePtr fondo = LoadImage("artwork/creditos.png");
    SetImageFont(fuente);
    TDeslizamiento lista(130);

    // An Escape pressed before this screen opened does not close it; one pressed here goes
    // back as Enter does.
    KeyHitAlso(KEY_ESCAPE);
    while (true) {
        const bool enter = KeyHit(KEY_ENTER) > 0;
        if (KeyHitAlso(KEY_ESCAPE) > 0 || enter) break;
        SetColor(255, 255, 255);
        DrawImage(fondo, 0, 0, 0);
        if (!lista.enReposo()) lista.avanzar();

        dibujarLista(options, lista, TODAS_LAS_LINEAS);

        Flip(-1);
        Cls();
    }
    return -1;
}
