#include "app/pantalla_jugadores.h"

#include "app/deslizamiento.h"
#include "app/jugadores.h"
#include "app/opciones_molonas.h"
#include "app/partida_red.h"
#include "engine/asiento/mandos.h"
#include "engine/asiento/ocupantes.h"
#include "engine/asiento/remotos.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"
#include "platform/video/render.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace {
constexpr std::array<const char*, 3> kNiveles{"Facil", "Normal", "Dificil"};
enum Red { kNo, kCrear, kUnirse };
constexpr std::array<const char*, 3> kRed{"No", "Crear partida", "Unirse"};
// An address as a player types it.
bool caracterDeDireccion(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == ':' || c == '-';
}
constexpr size_t kMaxDireccion = 64;

// One line of the screen. A line is added by adding it to the list in start(): nothing
// else counts lines.
struct TLinea {
    std::string texto;
    std::function<std::string()> valor;  // drawn after the line; none for "Volver"
    std::function<void(int)> cambiar;    // Left (-1) or Right (+1) on the line; none: nothing
    bool volver = false;                 // Enter here leaves the screen
    bool direccion = false;              // takes typed characters; Enter here joins
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
    // Online play: hosting starts as soon as it is chosen; joining asks for an address.
    int red = red::hospedando() ? kCrear : kNo;
    std::string direccion = red::ultimaDireccion();
    std::string aviso;  // what went wrong last, in plain words
    // Where this machine can be reached: asked once when hosting starts, not every frame.
    std::vector<std::string> direcciones;
    if (red == kCrear) direcciones = red::direcciones();
    lineas.push_back({"Red", [&red] { return std::string(kRed[static_cast<size_t>(red)]); },
                      [&](int paso) {
                          const int antes = red;
                          // Round the three: Left from "No" is "Unirse", so joining never
                          // passes through hosting.
                          red = (red + paso + 3) % 3;
                          if (red == antes) return;
                          aviso.clear();
                          if (antes == kCrear) red::dejarDeHospedar();
                          if (red == kCrear) {
                              aviso = red::crearPartida();
                              if (!aviso.empty()) red = kNo;
                              direcciones = red::direcciones();
                          }
                      }});
    const size_t lineaDireccion = lineas.size();
    lineas.push_back({"Direccion:", [&direccion] { return direccion; }, {}, false, true});
    // Which minigames a match plays: every one, or the five of the original board.
    const bool todosAntes = miniJuegosGuardados();
    bool todos = todosAntes;
    lineas.push_back({"Minijuegos",
                      [&todos] { return std::string(todos ? "Todos" : "Los cinco de siempre"); },
                      [&todos](int) { todos = !todos; }});
    lineas.push_back({"Volver", {}, {}, true});

    TDeslizamiento lista(160);
    int selection = 0;

    while (true) {
        // Only "Unirse" shows the address line.
        std::vector<size_t> visibles;
        for (size_t i = 0; i < lineas.size(); ++i)
            if (i != lineaDireccion || red == kUnirse) visibles.push_back(i);
        const int last = static_cast<int>(visibles.size()) - 1;
        selection = std::min(selection, last);
        const TLinea& elegida = lineas[visibles[static_cast<size_t>(selection)]];
        // Enter and Escape are read at the top of the frame, as the menus read Enter.
        const bool enter = KeyHit(KEY_ENTER) > 0;
        if (KeyHit(KEY_ESCAPE) > 0 || (enter && elegida.volver)) break;
        // Typed characters go to the address line while it is chosen, and nowhere else.
        for (int c = GetChar(); c != 0; c = GetChar()) {
            if (!elegida.direccion) continue;
            if (c == 8 && !direccion.empty()) direccion.pop_back();
            if (caracterDeDireccion(c) && direccion.size() < kMaxDireccion) direccion += static_cast<char>(c);
        }
        if (enter && elegida.direccion)
            aviso = direccion.empty() ? "Escribe la direccion del anfitrion" : red::unirse(direccion);

        SetColor(255, 255, 255);
        DrawImage(fondo, 0, 0, 0);
        if (!lista.enReposo()) {
            lista.avanzar();
        } else {
            const int paso = (KeyHit(KEY_RIGHT) > 0 ? 1 : 0) - (KeyHit(KEY_LEFT) > 0 ? 1 : 0);
            if (paso != 0 && elegida.cambiar) elegida.cambiar(paso);
            selection = moverSeleccion(selection, last);
        }
        std::vector<std::string> textos;
        for (size_t i : visibles) textos.push_back(lineas[i].texto);
        dibujarLista(textos, lista, selection, [&](int i) {
            const TLinea& linea = lineas[visibles[static_cast<size_t>(i)]];
            return linea.valor ? linea.valor() : std::string();
        });
        // Below the list: where this machine can be reached and who joined, or what went
        // wrong, in the built-in font.
        std::vector<std::string> notas;
        if (!aviso.empty()) notas.push_back(aviso);
        if (red == kCrear) {
            for (const std::string& d : direcciones) notas.push_back("Direccion: " + d);
            const std::vector<std::string> unidos = red::jugadores();
            if (unidos.empty()) notas.push_back("Esperando jugadores...");
            for (const std::string& j : unidos) notas.push_back("Se ha unido " + j);
        }
        if (!notas.empty() && lista.enReposo()) {
            const TImageFontPtr fuente = GetImageFont();
            SetImageFont(nullptr);
            SetScale(2, 2);
            SetColor(0, 0, 0);
            float y = lista.y(static_cast<int>(visibles.size())) + 10;
            for (const std::string& n : notas) {
                DrawText(n, 170, y);
                y += 22;
            }
            SetScale(1, 1);
            SetImageFont(fuente);
        }
        Flip(-1);
        Cls();
    }
    if (e != antes) cambiarJugadores(e);
    if (todos != todosAntes) cambiarMiniJuegos(todos);
    return -1;
}
