#include "app/jugadores.h"

#include "platform/base/errors.h"
#include "platform/base/file_report.h"
#include "platform/base/settings.h"
#include "platform/base/stream.h"
#include "platform/session/journal.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <optional>
#include <sstream>

namespace {
std::string minusculas(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string nombresValidos() {
    return asientos::nombresSeguidos() + ", all";
}

// The seats of a --cpu list; throws on an unknown or empty name.
std::array<bool, asientos::NUM_ASIENTOS> seatsDeLista(const std::string& lista) {
    std::array<bool, asientos::NUM_ASIENTOS> cpu{};
    if (minusculas(lista) == "all") {
        cpu.fill(true);
        return cpu;
    }
    std::stringstream in(lista);
    for (std::string nombre; std::getline(in, nombre, ',');) {
        const int s = asientos::asientoDe(nombre);
        if (s < 0)
            throw GameError("--cpu: personaje desconocido \"" + nombre + "\". Validos: " + nombresValidos());
        cpu[static_cast<size_t>(s)] = true;
    }
    if (lista.empty() || lista.back() == ',')
        throw GameError("--cpu: falta un nombre. Validos: " + nombresValidos());
    return cpu;
}

int nivelDe(const std::string& texto) {
    if (texto == "1" || texto == "2" || texto == "3") return texto[0] - '0';
    throw GameError("--cpu-level: nivel desconocido \"" + texto +
                    "\". Validos: 1 (facil), 2 (normal), 3 (dificil)");
}

// The file's choice with the command line's over it (checked before).
asientos::Eleccion conOpciones(asientos::Eleccion e, const session::Options& o) {
    if (o.cpu) e.cpu = seatsDeLista(*o.cpu);
    if (o.cpuLevel) e.nivel = nivelDe(*o.cpuLevel);
    return e;
}

// The match lengths as the file writes them.
constexpr std::array<const char*, 3> kDuraciones{"corta", "normal", "larga"};

// A choice as the journal keeps it: "cpcp 2 n", c a computer and p a person seat by seat,
// then the level, then the match length's initial (c, n, l). Journals from before the
// length existed end after the level: those matches were all of normal length.
std::string codificar(const asientos::Eleccion& e) {
    std::string t;
    for (bool cpu : e.cpu) t += cpu ? 'c' : 'p';
    return t + " " + std::to_string(e.nivel) + " " + kDuraciones[static_cast<size_t>(e.duracion)][0];
}
asientos::Eleccion descodificar(std::string texto) {
    asientos::Eleccion e;
    constexpr size_t kSinDuracion = asientos::NUM_ASIENTOS + 2;
    bool bien = true;
    if (texto.size() == kSinDuracion + 2 && texto[kSinDuracion] == ' ') {
        const char d = texto.back();
        bien = d == 'c' || d == 'n' || d == 'l';
        e.duracion = d == 'c' ? asientos::Duracion::corta
                     : d == 'l' ? asientos::Duracion::larga
                                : asientos::Duracion::normal;
        texto.resize(kSinDuracion);
    }
    bien = bien && texto.size() == kSinDuracion && texto[asientos::NUM_ASIENTOS] == ' ';
    for (size_t s = 0; bien && s < asientos::NUM_ASIENTOS; ++s) {
        bien = texto[s] == 'c' || texto[s] == 'p';
        e.cpu[s] = texto[s] == 'c';
    }
    if (bien) {
        const char nivel = texto.back();
        bien = nivel >= '1' && nivel <= '3';
        e.nivel = nivel - '0';
    }
    if (!bien) throw GameError("El diario da unos jugadores no validos: \"" + texto + "\"");

    return e;
}

// What jugadores.cfg holds as this run last read or wrote it: the players screen starts
// from it. Empty before the run has read the file (a replay never reads it).
std::optional<asientos::Eleccion> guardada;
}  // namespace

std::string textoDeJugadores(const asientos::Eleccion& e) { return codificar(e); }
asientos::Eleccion jugadoresDeTexto(const std::string& texto) { return descodificar(texto); }

namespace {
// The file's lines; the minigames' line only when it is not the default, so a file
// written without touching it stays as it always was.
void escribir(const asientos::Eleccion& e, bool miniJuegosTodos, const std::string& path) {
    std::string texto;
    for (int s = 0; s < asientos::NUM_ASIENTOS; ++s)
        texto += std::string(asientos::personaje(s).nombre) + (e.cpu[static_cast<size_t>(s)] ? " cpu" : " persona") + "\r\n";
    texto += "nivel " + std::to_string(e.nivel) + "\r\n";
    texto += std::string("duracion ") + kDuraciones[static_cast<size_t>(e.duracion)] + "\r\n";
    if (!miniJuegosTodos) texto += "minijuegos cinco\r\n";
    settings::WriteFile(path, texto);
}

// The file's "minijuegos" line: true "todos", false "cinco", nothing when it is not one.
std::optional<bool> lineaMiniJuegos(const std::string& clave, const std::string& valor) {
    if (minusculas(clave) != "minijuegos") return std::nullopt;
    if (valor == "todos") return true;
    if (valor == "cinco") return false;
    return std::nullopt;
}

// What the players screen last saw of the minigames' choice (empty: not read yet).
std::optional<bool> miniJuegosArchivo;
}  // namespace

void escribirJugadores(const asientos::Eleccion& e, const std::string& path) {
    escribir(e, leerMiniJuegosTodos(path), path);
}

asientos::Eleccion leerJugadores(const std::string& path) {
    asientos::Eleccion e;
    auto in = ReadStream(path);
    if (!in) return e;
    std::array<bool, asientos::NUM_ASIENTOS> visto{};
    bool nivelVisto = false, duracionVista = false, miniJuegosVisto = false;
    // What is not understood keeps its default; the file stays as it is until the player
    // changes something on the players screen.
    BadLines malas(path, "se toma el valor por defecto");
    for (int numero = 1; !in->Eof(); ++numero) {
        const std::string linea = in->ReadLine();
        std::istringstream palabras(linea);
        std::string clave, valor, resto;
        if (!(palabras >> clave)) continue;  // blank
        palabras >> valor;
        const bool sola = !(palabras >> resto);
        valor = minusculas(valor);
        const int s = asientos::asientoDe(clave);
        const auto duracion = std::find(kDuraciones.begin(), kDuraciones.end(), valor);
        if (sola && lineaMiniJuegos(clave, valor) && !miniJuegosVisto) {
            miniJuegosVisto = true;  // read by leerMiniJuegosTodos
        } else if (sola && minusculas(clave) == "nivel" && !nivelVisto &&
                   (valor == "1" || valor == "2" || valor == "3")) {
            nivelVisto = true;
            e.nivel = valor[0] - '0';
        } else if (sola && minusculas(clave) == "duracion" && !duracionVista && duracion != kDuraciones.end()) {
            duracionVista = true;
            e.duracion = static_cast<asientos::Duracion>(duracion - kDuraciones.begin());
        } else if (sola && s >= 0 && !visto[static_cast<size_t>(s)] && (valor == "persona" || valor == "cpu")) {
            visto[static_cast<size_t>(s)] = true;
            e.cpu[static_cast<size_t>(s)] = valor == "cpu";
        } else {
            malas.Add(numero, linea);
        }
    }
    in->Close();
    malas.Report();
    return e;
}

void comprobarOpcionesCPU(const session::Options& o) {
    if (o.cpu) seatsDeLista(*o.cpu);
    if (o.cpuLevel) nivelDe(*o.cpuLevel);
}

asientos::Eleccion elegirJugadores(const session::Options& o, const std::string& path) {
    comprobarOpcionesCPU(o);
    return conOpciones(leerJugadores(path), o);
}

asientos::Eleccion jugadoresDeLaSesion(const session::Options& o) {
    guardada.reset();
    return descodificar(journal::Setting("jugadores", [&] {
        comprobarOpcionesCPU(o);
        guardada = leerJugadores();
        return codificar(conOpciones(*guardada, o));
    }));
}

asientos::Eleccion jugadoresGuardados() {
    guardada = descodificar(journal::Setting("jugadores_archivo", [] {
        if (!guardada) guardada = leerJugadores();
        return codificar(*guardada);
    }));
    return *guardada;
}

void cambiarJugadores(const asientos::Eleccion& archivo, const std::string& path) {
    guardada = archivo;
    const session::Options& o = session::Current();
    // A replay, or a follower of a match over the network, shows another session: this
    // player's own file is not its to change.
    if (o.replay.empty() && !session::FollowsStream()) escribirJugadores(archivo, path);
    asientos::cambiarEleccion(
        descodificar(journal::Setting("jugadores", [&] { return codificar(conOpciones(archivo, o)); })));
}

bool leerMiniJuegosTodos(const std::string& path) {
    auto in = ReadStream(path);
    if (!in) return true;
    std::optional<bool> todos;
    while (!todos && !in->Eof()) {
        std::istringstream palabras(in->ReadLine());
        std::string clave, valor, resto;
        if (!(palabras >> clave >> valor) || (palabras >> resto)) continue;
        todos = lineaMiniJuegos(clave, minusculas(valor));
    }
    in->Close();
    return todos.value_or(true);
}

bool miniJuegosDeLaPartida() {
    return journal::SettingSince("minijuegos", "cinco", [] {
               return (miniJuegosArchivo ? *miniJuegosArchivo : leerMiniJuegosTodos()) ? "todos" : "cinco";
           }) == "todos";
}

bool miniJuegosGuardados() {
    miniJuegosArchivo =
        journal::SettingSince("minijuegos_archivo", "cinco", [] {
            return (miniJuegosArchivo ? *miniJuegosArchivo : leerMiniJuegosTodos()) ? "todos" : "cinco";
        }) == "todos";
    return *miniJuegosArchivo;
}

void cambiarMiniJuegos(bool todos, const std::string& path) {
    miniJuegosArchivo = todos;
    const session::Options& o = session::Current();
    if (o.replay.empty() && !session::FollowsStream()) escribir(leerJugadores(path), todos, path);
}
