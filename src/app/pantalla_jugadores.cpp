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
constexpr std::array<const char*, 3> kDuraciones{"Corta", "Normal", "Larga"};
enum Red { kNo, kCrear, kUnirse };
constexpr std::array<const char*, 3> kRed{"No", "Crear partida", "Unirse"};
// An address as a player types it.
bool caracterDeDireccion(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == ':' || c == '-';
}
constexpr size_t kMaxDireccion = 64;

// The panel of the background holds the list from y = 200: its lines' spacing at rest,
// and the farthest below the first line the last may start.
constexpr int kEspacioLineas = 50;
constexpr int kUltimaLineaY = 310;
// The notes below the panel: in the screen's font at half size, white on a dark band,
// each wrapped to the screen's width; as many lines as fit above the bottom.
constexpr float kNotasY = 578, kNotasX = 40, kNotasEscala = 0.5f, kNotasFin = 760;

// A note cut into lines no wider than ancho (in the current font, at kNotasEscala), at
// spaces where it can, anywhere when a word alone is wider.
std::vector<std::string> partir(const std::string& nota, float ancho) {
    std::vector<std::string> lineas;
    std::string linea;
    auto cabe = [&](const std::string& t) { return TextWidth(t) * kNotasEscala <= ancho; };
    size_t i = 0;
    while (i < nota.size()) {
        size_t fin = nota.find(' ', i);
        if (fin == std::string::npos) fin = nota.size();
        std::string palabra = nota.substr(i, fin - i);
        const std::string prueba = linea.empty() ? palabra : linea + " " + palabra;
        if (cabe(prueba)) {
            linea = prueba;
        } else {
            if (!linea.empty()) lineas.push_back(linea);
            linea.clear();
            while (!cabe(palabra) && palabra.size() > 1) {
                size_t n = palabra.size() - 1;
                while (n > 1 && !cabe(palabra.substr(0, n))) --n;
                lineas.push_back(palabra.substr(0, n));
                palabra.erase(0, n);
            }
            linea = palabra;
        }
        i = fin + 1;
    }
    if (!linea.empty()) lineas.push_back(linea);
    return lineas;
}

void dibujarNotas(const std::vector<std::string>& notas) {
    const float ancho = 1024 - 2 * kNotasX;
    std::vector<std::string> lineas;
    for (const std::string& n : notas)
        for (std::string& l : partir(n, ancho - 20)) lineas.push_back(std::move(l));
    const float alto = TextHeight() * kNotasEscala;
    const size_t caben = static_cast<size_t>(std::max(1.0f, (kNotasFin - kNotasY - 10) / alto));
    if (lineas.size() > caben) lineas.resize(caben);
    SetScale(1, 1);
    SetColor(25, 20, 45);
    DrawRect(kNotasX, kNotasY, ancho, alto * static_cast<float>(lineas.size()) + 10);
    SetScale(kNotasEscala, kNotasEscala);
    SetColor(255, 255, 255);
    float y = kNotasY + 5;
    for (const std::string& l : lineas) {
        DrawText(l, kNotasX + 10, y);
        y += alto;
    }
    SetScale(1, 1);
}

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
    // Joining in the background: the address being joined and the seconds so far.
    bool uniendo = false;
    int segundos = 0;
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
    lineas.push_back({"Duracion", [&e] { return std::string(kDuraciones[static_cast<size_t>(e.duracion)]); },
                      [&e](int paso) {
                          e.duracion = static_cast<asientos::Duracion>(
                              std::clamp(static_cast<int>(e.duracion) + paso, 0, static_cast<int>(kDuraciones.size()) - 1));
                      }});
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
        const bool escape = KeyHit(KEY_ESCAPE) > 0;
        if (uniendo) {
            // Escape drops the attempt; the screen stays.
            if (escape) {
                red::cancelarUnion();
                uniendo = false;
                aviso = "Cancelado";
            } else {
                aviso = red::uniendose(segundos);  // throws red::Unirse once in
                uniendo = aviso.empty();
            }
        } else if (escape || (enter && elegida.volver)) {
            break;
        }
        // Typed characters go to the address line while it is chosen, and nowhere else.
        for (int c = GetChar(); c != 0; c = GetChar()) {
            if (!elegida.direccion || uniendo) continue;
            if (c == 8 && !direccion.empty()) direccion.pop_back();
            if (caracterDeDireccion(c) && direccion.size() < kMaxDireccion) direccion += static_cast<char>(c);
        }
        if (enter && elegida.direccion && !uniendo) {
            aviso = direccion.empty() ? "Escribe la direccion del anfitrion" : red::unirse(direccion);
            uniendo = aviso.empty() && !direccion.empty();
            segundos = 0;
        }

        SetColor(255, 255, 255);
        DrawImage(fondo, 0, 0, 0);
        if (!lista.enReposo()) {
            lista.avanzar();
        } else {
            const int paso = (KeyHit(KEY_RIGHT) > 0 ? 1 : 0) - (KeyHit(KEY_LEFT) > 0 ? 1 : 0);
            if (paso != 0 && elegida.cambiar) elegida.cambiar(paso);
            selection = moverSeleccion(selection, last);
        }
        // At rest, the lines close up as far as needed to stay inside the panel.
        if (lista.enReposo())
            lista.spacing = std::min(kEspacioLineas, kUltimaLineaY / std::max(1, static_cast<int>(visibles.size()) - 1));
        std::vector<std::string> textos;
        for (size_t i : visibles) textos.push_back(lineas[i].texto);
        dibujarLista(textos, lista, selection, [&](int i) {
            const TLinea& linea = lineas[visibles[static_cast<size_t>(i)]];
            return linea.valor ? linea.valor() : std::string();
        });
        // Below the panel: where this machine can be reached and who joined, or what went
        // wrong.
        std::vector<std::string> notas;
        if (uniendo) notas.push_back("Conectando con " + direccion + "... " + std::to_string(segundos) + " s");
        if (!aviso.empty()) notas.push_back(aviso);
        if (red == kCrear) {
            for (const std::string& d : direcciones) notas.push_back("Direccion: " + d);
            const std::vector<std::string> unidos = red::jugadores();
            if (unidos.empty()) notas.push_back("Esperando jugadores...");
            for (const std::string& j : unidos) notas.push_back("Se ha unido " + j);
            // A player who left (or was lost) keeps the seat's name until back; meanwhile
            // the computer plays it.
            for (int s = 0; s < asientos::NUM_ASIENTOS; ++s)
                if (asientos::remotoAusente(s))
                    notas.push_back("Se ha ido " + asientos::nombreRemoto(s) + " (" + asientos::personaje(s).nombre +
                                    "): juega la CPU");
        }
        if (!notas.empty() && lista.enReposo()) dibujarNotas(notas);
        Flip(-1);
        Cls();
    }
    if (e != antes) cambiarJugadores(e);
    if (todos != todosAntes) cambiarMiniJuegos(todos);
    return -1;
}
