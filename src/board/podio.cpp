#include "board/podio.h"

#include "engine/asiento/asiento.h"
#include "engine/asiento/cerebro.h"
#include "engine/asiento/marca_cpu.h"
#include "engine/asiento/papeles.h"
#include "engine/explicacion.h"
#include "engine/pausa.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/pictures/image.h"
#include "platform/video/render.h"

#include "platform/session/clock.h"

#include <algorithm>
#include <string>

TImageFontPtr TPodio::fuente;

namespace {
// Keys pressed in the last moments of the match do not skip the podium.
constexpr int32_t kEsperaMs = 1000;
// Columns of the figures, centred on these x (virtual units).
constexpr float kColumnas[] = {560, 665, 770, 865};
constexpr const char* kCabeceras[] = {"Ganados", "Perdidos", "Muertes", "Turnos"};
constexpr float kPrimeraFila = 286, kAltoFila = 56;

void centrado(const std::string& texto, float cx, float y, float escala) {
    SetScale(escala, escala);
    DrawText(texto, cx - TextWidth(texto) * escala / 2, y);
}
}  // namespace

void TPodio::cargarRecursos() {
    fuente = LoadImageFont("artwork/comic.ttf", 50, SMOOTHFONT);
}

std::unique_ptr<TPodio> TPodio::Create(const TJuego& juego) {
    auto p = std::make_unique<TPodio>();
    const int n = std::min(juego.equipo->getNJugadores(), 4);
    const std::array<int, 4> orden = juego.orden();
    for (int i = 0; i < n; ++i) {
        TFila f;
        f.asiento = orden[static_cast<size_t>(i)];
        f.quedan = juego.casillasRestantes(f.asiento);
        f.estadistica = juego.estadisticas[static_cast<size_t>(f.asiento)];
        // The same square shares a place; the winner's place is its own.
        if (i > 0 && f.asiento != juego.ganado && p->filas.back().asiento != juego.ganado &&
            p->filas.back().quedan == f.quedan)
            f.puesto = p->filas.back().puesto;
        else
            f.puesto = i + 1;
        p->filas.push_back(f);
    }
    return p;
}

void TPodio::dibujar(const TImagePtr& fondo, bool aviso) const {
    SetBlend(ALPHABLEND);
    SetAlpha(1);
    SetTransform(0, 1, 1);
    SetColor(255, 255, 255);
    DrawImage(fondo, 0, 0, 0);
    SetImageFont(fuente);
    SetColor(40, 30, 70);
    centrado("Resultados", 512, 180, 1);
    SetColor(0, 0, 0);
    for (size_t c = 0; c < 4; ++c) centrado(kCabeceras[c], kColumnas[c], 250, 0.42f);
    for (size_t i = 0; i < filas.size(); ++i) {
        const TFila& f = filas[i];
        const asientos::TPersonaje& p = asientos::personaje(f.asiento);
        const float y = kPrimeraFila + kAltoFila * static_cast<float>(i);
        SetColor(0, 0, 0);
        centrado(std::to_string(f.puesto) + ".", 180, y, 0.8f);
        const TImagePtr& retrato = TExplicacion::retratos[static_cast<size_t>(f.asiento)];
        if (retrato && retrato->height > 0) {
            const float k = 56.0f / static_cast<float>(retrato->height);
            SetColor(255, 255, 255);
            SetScale(k, k);
            DrawImage(retrato, 250, y + 56, 0);
        }
        SetColor(p.r, p.g, p.b);
        SetScale(0.7f, 0.7f);
        DrawText(p.nombre, 295, y + 4);
        SetColor(0, 0, 0);
        const TEstadistica& e = f.estadistica;
        const int valores[] = {e.ganados, e.perdidos, e.muertes, e.turnos};
        for (size_t c = 0; c < 4; ++c) centrado(std::to_string(valores[c]), kColumnas[c], y + 4, 0.7f);
        // The computer's or the network's mark after the name.
        const float finNombre = 295 + TextWidth(p.nombre) * 0.7f;
        SetScale(1, 1);
        dibujarMarcaCPU(f.asiento, finNombre + 34, y + 24, 0.7f);
    }
    if (aviso) {
        SetColor(40, 30, 70);
        centrado("Pulsa una tecla", 512, 512, 0.42f);
    }
    SetScale(1, 1);
}

void TPodio::show() {
    TImagePtr fondo = LoadImage("artwork/opciones.png");
    // Controllers work it as a menu; in a demo the computers go on after a while.
    asientos::TPapelesPublicados menus(asientos::TPapeles{});
    asientos::TEsperaTecla demo(asientos::TODOS, KEY_ENTER, 4000, 6000);
    FlushKeys();
    FlushMouse();
    const int32_t desde = pausa::reloj();
    while (true) {
        const bool listo = MillisecsBetween(desde, pausa::reloj()) >= kEsperaMs;
        if (listo) {
            const bool tecla = GetChar() != 0;
            const bool raton = MouseHit(1) > 0 || MouseHit(2) > 0;
            if (tecla || raton) break;
        } else {
            FlushKeys();
            FlushMouse();
        }
        dibujar(fondo, listo);
        Flip(-1);
        Cls();
    }
    FlushKeys();
    FlushMouse();
}
