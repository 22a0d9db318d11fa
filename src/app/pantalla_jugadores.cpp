#include "app/pantalla_jugadores.h"

#include "app/deslizamiento.h"
#include "app/jugadores.h"
#include "app/opciones_molonas.h"
#include "engine/asiento/mandos.h"
#include "engine/asiento/ocupantes.h"
#include "engine/asiento/remotos.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/pictures/image.h"
#include "platform/video/render.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace {
constexpr std::array<const char*, 3> kNiveles{"Facil", "Normal", "Dificil"};

// One line of the screen. A line is added by adding it to the list in start(): nothing
// else counts lines.
struct TLinea {
    std::string texto;
    std::function<std::string()> valor;  // drawn after the line; none for "Volver"
    std::function<void(int)> cambiar;    // Left (-1) or Right (+1) on the line; none: nothing
    bool volver = false;                 // Enter here leaves the screen
};

// Who plays seat s as the screen shows it: a remote player (not changeable here), the
// computer, or a person, with the controller that holds the seat if any.
std::string valorAsiento(const asientos::Eleccion& e, int s) {
    const std::string remoto = asientos::nombreRemoto(s);
    if (!remoto.empty()) return "Remoto: " + remoto;
    if (e.cpu[static_cast<size_t>(s)]) return "CPU";
    const int mando = asientos::mandoDe(s);
    return mando > 0 ? "Persona (mando " + std::to_string(mando) + ")" : "Persona";
}
}  // namespace

std::unique_ptr<TPantallaJugadores> TPantallaJugadores::Create() {
    return std::make_unique<TPantallaJugadores>();
}

int TPantallaJugadores::start() {
    TImagePtr fondo = LoadImage("artwork/opciones.png");
    SetImageFont(TOpcionesMolonas::fuente);
    const asientos::Eleccion antes = jugadoresGuardados();
    asientos::Eleccion e = antes;

    std::vector<TLinea> lineas;
    for (int s = 0; s < asientos::NUM_ASIENTOS; ++s)
        lineas.push_back({asientos::personaje(s).nombre, [&e, s] { return valorAsiento(e, s); },
                          [&e, s](int) {
                              // Left and Right both switch between a person and the computer.
                              if (asientos::nombreRemoto(s).empty())
                                  e.cpu[static_cast<size_t>(s)] = !e.cpu[static_cast<size_t>(s)];
                          }});
    lineas.push_back({"Nivel CPU", [&e] { return std::string(kNiveles[static_cast<size_t>(e.nivel - 1)]); },
                      [&e](int paso) {
                          e.nivel =
                              std::clamp(e.nivel + paso, asientos::NIVEL_FACIL, asientos::NIVEL_DIFICIL);
                      }});
    lineas.push_back({"Volver", {}, {}, true});

    std::vector<std::string> textos;
    for (const TLinea& l : lineas) textos.push_back(l.texto);
    TDeslizamiento lista(160);
    int selection = 0;
    const int last = static_cast<int>(lineas.size()) - 1;

    while (true) {
        // Enter and Escape are read at the top of the frame, as the menus read Enter.
        const bool enter = KeyHit(KEY_ENTER) > 0;
        if (KeyHit(KEY_ESCAPE) > 0 || (enter && lineas[static_cast<size_t>(selection)].volver)) break;

        SetColor(255, 255, 255);
        DrawImage(fondo, 0, 0, 0);
        if (!lista.enReposo()) {
            lista.avanzar();
        } else {
            const int paso = (KeyHit(KEY_RIGHT) > 0 ? 1 : 0) - (KeyHit(KEY_LEFT) > 0 ? 1 : 0);
            const TLinea& linea = lineas[static_cast<size_t>(selection)];
            if (paso != 0 && linea.cambiar) linea.cambiar(paso);
            selection = moverSeleccion(selection, last);
        }
        dibujarLista(textos, lista, selection, [&](int i) {
            const TLinea& linea = lineas[static_cast<size_t>(i)];
            return linea.valor ? linea.valor() : std::string();
        });
        Flip(-1);
        Cls();
    }
    if (e != antes) cambiarJugadores(e);
    return -1;
}
