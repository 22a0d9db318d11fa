#include "app/partida_guardada.h"

#include "app/jugadores.h"
#include "engine/asiento/cerebro.h"
#include "engine/asiento/ocupantes.h"
#include "engine/asiento/remotos.h"
#include "engine/tiempo.h"
#include "platform/base/random.h"
#include "platform/base/settings.h"
#include "platform/input/input.h"
#include "platform/session/clock.h"
#include "platform/session/journal.h"
#include "platform/session/run.h"
#include "platform/video/render.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {
constexpr const char* kCabecera = "frikipartida-partida 1";
constexpr size_t kMaxArchivo = 64 * 1024;  // a real save is under 8 KB
constexpr int kMaxCasilla = 1000;          // far beyond any board
// Retraces at 60 Hz fall 17, 17 and 16 ms apart: the pattern repeats every 50 ms.
constexpr int kCiclo = 50;

// Whether this run's files are its own: a replay or a follower shows another session.
bool propio() {
    return session::Current().replay.empty() && !session::FollowsStream();
}

bool numero(const std::string& texto, long long minimo, long long maximo, long long& valor) {
    std::istringstream in(texto);
    in >> valor;
    if (in.fail()) return false;
    in >> std::ws;
    return in.eof() && valor >= minimo && valor <= maximo;
}

void apartar(const std::string& motivo) {
    std::fprintf(stderr, "%s: %s; se aparta como %s\n", settings::PathFor(TPartidaGuardada::ARCHIVO).c_str(),
                 motivo.c_str(), TPartidaGuardada::APARTADA);
    if (!settings::Rename(TPartidaGuardada::ARCHIVO, TPartidaGuardada::APARTADA))
        settings::Remove(TPartidaGuardada::ARCHIVO);
}

// The file as it is now, checked; a bad one is moved aside.
std::optional<TPartidaGuardada> leerArchivo(std::string& texto) {
    const std::optional<std::string> bytes = settings::Read(TPartidaGuardada::ARCHIVO);
    if (!bytes) return std::nullopt;
    if (bytes->size() > kMaxArchivo) {
        apartar("demasiado grande para ser una partida guardada");
        return std::nullopt;
    }
    std::string error;
    std::optional<TPartidaGuardada> g = TPartidaGuardada::Leer(*bytes, error);
    if (!g) {
        apartar(error);
        return std::nullopt;
    }
    texto = *bytes;
    return g;
}
}  // namespace

TPartidaGuardada TPartidaGuardada::De(const TJuego& juego, const std::string& jugadores) {
    TPartidaGuardada g;
    g.tipo = juego.tipo;
    g.semillaTablero = juego.semillaTablero;
    g.azar = RndSeed();
    g.cerebros = asientos::generadorCerebros();
    g.jugadores = jugadores;
    g.turno = juego.equipo->getTurno();
    for (int s = 0; s < juego.equipo->getNJugadores() && s < 4; ++s)
        g.posiciones[static_cast<size_t>(s)] = static_cast<int>(juego.equipo->getJugador(s).getPosicion());
    g.estadisticas = juego.estadisticas;
    g.reloj = juego.tiempo->timer;
    g.relojes = TTiempo::estadoDuraderos(juego.tiempo->ultimoTiempo);
    // Read without processing events: only the run that saves reads it, a replay does not.
    g.raton = {input::PointerX(), input::PointerY(), GraphicsWidth(), GraphicsHeight()};
    if (clockseam::IsVirtual()) g.fase = ((clockseam::MachineMillisecs() % kCiclo) + kCiclo) % kCiclo;
    return g;
}

std::string TPartidaGuardada::texto() const {
    std::ostringstream out;
    out << kCabecera << "\n";
    out << "juego " << journal::GameVersion() << "\n";
    out << "tipo " << tipo << "\n";
    out << "tablero " << semillaTablero << "\n";
    out << "azar " << azar << "\n";
    out << "cerebros " << cerebros << "\n";
    out << "jugadores " << jugadores << "\n";
    out << "turno " << turno << "\n";
    for (size_t s = 0; s < 4; ++s) out << "posicion " << s << " " << posiciones[s] << "\n";
    for (size_t s = 0; s < 4; ++s) {
        const TEstadistica& e = estadisticas[s];
        out << "estadistica " << s << " " << e.ganados << " " << e.perdidos << " " << e.muertes << " " << e.turnos
            << "\n";
    }
    out << "reloj " << std::bit_cast<uint32_t>(reloj) << "\n";
    out << "relojes " << relojes << "\n";
    if (fase >= 0) out << "fase " << fase << "\n";
    if (raton[2] > 0) out << "raton " << raton[0] << " " << raton[1] << " " << raton[2] << " " << raton[3] << "\n";
    return out.str();
}

std::optional<TPartidaGuardada> TPartidaGuardada::Leer(const std::string& texto, std::string& error) {
    std::istringstream in(texto);
    std::string linea;
    int n = 0;
    auto mal = [&](const std::string& que) {
        error = "linea " + std::to_string(n) + ": " + que;
        return std::nullopt;
    };
    if (!std::getline(in, linea) || linea != kCabecera) {
        n = 1;
        return mal("no es una partida guardada de este juego");
    }
    n = 1;
    TPartidaGuardada g;
    std::array<bool, 4> posicionVista{}, estadisticaVista{};
    bool version = false, tipo = false, tablero = false, azar = false, cerebros = false, jugadores = false,
         turno = false, reloj = false, relojes = false;
    while (std::getline(in, linea)) {
        ++n;
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        if (linea.empty()) continue;
        const size_t espacio = linea.find(' ');
        const std::string clave = linea.substr(0, espacio);
        const std::string valor = espacio == std::string::npos ? std::string() : linea.substr(espacio + 1);
        long long v = 0;
        if (clave == "juego") {
            if (valor != journal::GameVersion()) return mal("es de otra version del juego");
            version = true;
        } else if (clave == "tipo") {
            if (!numero(valor, 0, 7, v)) return mal("tamano de tablero no valido");
            g.tipo = static_cast<int>(v);
            tipo = true;
        } else if (clave == "tablero" || clave == "azar") {
            if (!numero(valor, 0, 0x7FFFFFFF, v)) return mal("estado del azar no valido");
            (clave == "tablero" ? g.semillaTablero : g.azar) = static_cast<int32_t>(v);
            (clave == "tablero" ? tablero : azar) = true;
        } else if (clave == "cerebros") {
            g.cerebros = valor;
            cerebros = true;
        } else if (clave == "jugadores") {
            try {
                jugadoresDeTexto(valor);
            } catch (const std::exception&) {
                return mal("jugadores no validos");
            }
            g.jugadores = valor;
            jugadores = true;
        } else if (clave == "turno") {
            if (!numero(valor, 0, 3, v)) return mal("turno no valido");
            g.turno = static_cast<int>(v);
            turno = true;
        } else if (clave == "reloj") {
            if (!numero(valor, 0, 0xFFFFFFFFLL, v)) return mal("reloj no valido");
            g.reloj = std::bit_cast<float>(static_cast<uint32_t>(v));
            if (!std::isfinite(g.reloj) || g.reloj < 0) return mal("reloj no valido");
            reloj = true;
        } else if (clave == "relojes") {
            g.relojes = valor;
            relojes = true;
        } else if (clave == "fase") {
            if (!numero(valor, 0, kCiclo - 1, v)) return mal("fase no valida");
            g.fase = static_cast<int>(v);
        } else if (clave == "raton") {
            std::istringstream campos(valor);
            std::array<int, 4> r{};
            if (!(campos >> r[0] >> r[1] >> r[2] >> r[3]) || !(campos >> std::ws).eof() || r[2] < 1 ||
                r[3] < 1 || r[2] > 65536 || r[3] > 65536 || r[0] < 0 || r[1] < 0 || r[0] > r[2] || r[1] > r[3])
                return mal("raton no valido");
            g.raton = r;
        } else if (clave == "posicion" || clave == "estadistica") {
            std::istringstream campos(valor);
            long long s = -1;
            std::vector<long long> numeros;
            campos >> s;
            for (long long x; campos >> x;) numeros.push_back(x);
            const bool posicion = clave == "posicion";
            const size_t cuantos = posicion ? 1 : 4;
            if (campos.fail() && !campos.eof()) return mal("numero no valido");
            if (s < 0 || s > 3 || numeros.size() != cuantos) return mal("linea incompleta");
            for (long long x : numeros)
                if (x < 0 || x > (posicion ? kMaxCasilla : 1000000)) return mal("numero fuera de rango");
            const auto i = static_cast<size_t>(s);
            if (posicion) {
                g.posiciones[i] = static_cast<int>(numeros[0]);
                posicionVista[i] = true;
            } else {
                g.estadisticas[i] = {static_cast<int>(numeros[0]), static_cast<int>(numeros[1]),
                                     static_cast<int>(numeros[2]), static_cast<int>(numeros[3])};
                estadisticaVista[i] = true;
            }
        } else {
            return mal("no se entiende");
        }
    }
    const bool todo = version && tipo && tablero && azar && cerebros && jugadores && turno && reloj && relojes &&
                      posicionVista == std::array<bool, 4>{true, true, true, true} &&
                      estadisticaVista == std::array<bool, 4>{true, true, true, true};
    if (!todo) return mal("falta algun dato (el archivo esta cortado)");
    return g;
}

bool TPartidaGuardada::aplicar(TJuego& juego, std::string& error) const {
    const int n = juego.equipo->getNJugadores();
    for (int s = 0; s < n && s < 4; ++s)
        if (posiciones[static_cast<size_t>(s)] >= juego.tablero->getNCasillas() - 1) {
            error = "una ficha esta fuera del tablero";
            return false;
        }
    if (turno >= n || !asientos::restaurarGeneradorCerebros(cerebros)) {
        error = turno >= n ? "turno no valido" : "estado de los jugadores de la CPU no valido";
        return false;
    }
    // Checked here; put back again, from its own clock reading, as the first turn starts.
    if (!TTiempo::restaurarDuraderos(relojes, juego.tiempo->ultimoTiempo)) {
        error = "relojes no validos";
        return false;
    }
    for (int s = 0; s < n && s < 4; ++s)
        juego.equipo->getJugador(s).setPosicion(static_cast<float>(posiciones[static_cast<size_t>(s)]));
    juego.equipo->turno = turno;
    juego.estadisticas = estadisticas;
    SeedRnd(azar);
    return true;
}

void TPartidaGuardada::reanudarReloj(TJuego& juego) const {
    juego.tiempo->timer = reloj;
    if (raton[2] > 0) {
        // The same pixel in a window of the same size; the same place in another one.
        const auto escala = [](int v, int de, int a) { return de == a ? v : static_cast<int>(int64_t{v} * a / de); };
        input::MouseMoveEvent(escala(raton[0], raton[2], GraphicsWidth()), escala(raton[1], raton[3], GraphicsHeight()));
    }
    // Checked when the save was read (aplicar).
    TTiempo::restaurarDuraderos(relojes, juego.tiempo->ultimoTiempo);
}

void TPartidaGuardada::alinearReloj() const {
    if (fase < 0 || !clockseam::IsVirtual()) return;
    const int ahora = ((clockseam::MachineMillisecs() % kCiclo) + kCiclo) % kCiclo;
    // At least a frame's wait, so that the match's frame timer, made just now, is not
    // ahead of the clock at its first frame and does not wait there: a match that has been
    // playing never waits there either.
    int espera = (fase - ahora + kCiclo) % kCiclo;
    if (espera < 20) espera += kCiclo;
    Delay(espera);
}

namespace guardado {

void guardar(const TJuego& juego) {
    if (!propio()) return;
    // A seat played over the network is resumed by a computer until its player joins again.
    asientos::Eleccion e = asientos::eleccion();
    for (int s = 0; s < asientos::NUM_ASIENTOS; ++s)
        if (!asientos::nombreRemoto(s).empty()) e.cpu[static_cast<size_t>(s)] = true;
    settings::Write(TPartidaGuardada::ARCHIVO, TPartidaGuardada::De(juego, textoDeJugadores(e)).texto());
}

void borrar() {
    if (propio()) settings::Remove(TPartidaGuardada::ARCHIVO);
}

bool hayPartida() {
    return journal::SettingSince("continuar", "no", [] {
               std::string texto;
               return propio() && leerArchivo(texto) ? "si" : "no";
           }) == "si";
}

std::optional<TPartidaGuardada> cargar() {
    const std::string texto = journal::Setting("partida_guardada", [] {
        std::string t;
        return propio() && leerArchivo(t) ? t : std::string();
    });
    if (texto.empty()) return std::nullopt;
    std::string error;
    std::optional<TPartidaGuardada> g = TPartidaGuardada::Leer(texto, error);
    if (!g) std::fprintf(stderr, "%s: %s\n", TPartidaGuardada::ARCHIVO, error.c_str());
    return g;
}

}  // namespace guardado
