#include "app/partida_red.h"

#include "platform/base/settings.h"
#include "platform/base/text.h"

#include "engine/asiento/cerebro.h"
#include "engine/asiento/mandos.h"
#include "engine/asiento/ocupantes.h"
#include "engine/asiento/papeles.h"
#include "engine/asiento/remotos.h"
#include "net/anfitrion.h"
#include "net/datos.h"
#include "net/seguidor.h"
#include "net/transporte.h"
#include "platform/base/errors.h"
#include "platform/base/random.h"
#include "platform/input/input.h"
#include "platform/session/journal.h"
#include "platform/video/render.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// What a host and its followers compare after every flip: the game's random generator,
// the brains' one and how many outside facts were used. A fact that escaped the journal
// moves one of them sooner or later.
uint64_t huellaDelJuego() {
    uint64_t h = 1469598103934665603ull;
    auto mezcla = [&](uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= (v >> (8 * i)) & 0xFF;
            h *= 1099511628211ull;
        }
    };
    mezcla(static_cast<uint32_t>(RndSeed()));
    mezcla(asientos::estadoCerebros());
    mezcla(static_cast<uint64_t>(journal::FactsSoFar()));
    return h;
}

struct TRed {
    session::Options opciones;  // the run's
    std::vector<net::ArchivoDatos> datos;
    std::unique_ptr<net::Anfitrion> anfitrion;
    std::unique_ptr<net::Seguidor> seguidor;
    // unirse's follower, already let in, waiting for the next run.
    std::unique_ptr<net::Seguidor> siguiente;
    std::string direccionSiguiente;
};
TRed& laRed() {
    static TRed r;
    return r;
}

// The name a player is shown under: --name, else the login name, else "Jugador".
std::string nombreDelJugador(const session::Options& o) {
    std::string nombre = o.net.name;
    if (nombre.empty()) {
        const char* usuario = std::getenv("USER");
        if (!usuario || !*usuario) usuario = getlogin();
        if (usuario) nombre = usuario;
    }
    if (nombre.size() > net::kMaxNombre) nombre.resize(net::kMaxNombre);
    if (!net::NombreValido(nombre)) nombre.clear();
    return nombre.empty() ? "Jugador" : nombre;
}

// The fingerprint of the game's own data: its folders only, not whatever else the data
// folder holds (settings, a player's journals and traces).
std::vector<net::ArchivoDatos> huellaDeLosDatos(const std::string& carpeta) {
    std::vector<std::string> subcarpetas{"agua", "anim", "artwork", "music", "sfx"};
    for (int s = 0; s < asientos::NUM_ASIENTOS; ++s) subcarpetas.push_back(asientos::personaje(s).carpeta);
    std::vector<net::ArchivoDatos> todos;
    for (const std::string& sub : subcarpetas)
        for (net::ArchivoDatos& a : net::HuellaDatos(carpeta + "/" + sub)) {
            a.ruta = sub + "/" + a.ruta;
            todos.push_back(std::move(a));
        }
    std::sort(todos.begin(), todos.end(),
              [](const net::ArchivoDatos& a, const net::ArchivoDatos& b) { return a.ruta < b.ruta; });
    return todos;
}

// A seat a newcomer may take: a person at this keyboard plays it; a seat waiting for the
// player who dropped out of it is theirs only.
bool asientoLibre(int s, const std::string& nombre) {
    if (asientos::remotoAusente(s)) return asientos::nombreRemoto(s) == nombre;
    return !asientos::tieneRemoto(s) && !asientos::esCPU(s) && !asientos::tieneMando(s);
}


void nuevoAnfitrion(const session::Options& o) {
    TRed& r = laRed();
    net::OpcionesAnfitrion a;
    a.puerto = static_cast<uint16_t>(o.net.port);
    a.esperar = o.net.wait;
    a.relojVirtual = o.virtualClock;
    a.justo = o.net.fair;
    a.nombre = nombreDelJugador(o);
    a.datos = r.datos;
    net::Juego juego;
    juego.asientoLibre = asientoLibre;
    juego.huella = huellaDelJuego;
    juego.nombreAsiento = [](int s) { return std::string(asientos::personaje(s).nombre); };
    juego.enMinijuego = [] {
        // The board gives one seat a part at a time; a minigame gives every seat one.
        int conPapel = 0;
        for (int s = 0; s < asientos::NUM_ASIENTOS; ++s) conPapel += asientos::papelDe(s).vacio() ? 0 : 1;
        return conPapel > 1;
    };
    r.anfitrion = std::make_unique<net::Anfitrion>(a, juego);
}

std::unique_ptr<net::Seguidor> nuevoSeguidor(const session::Options& o, const std::string& direccion, bool espectador) {
    net::OpcionesSeguidor s;
    std::string error;
    if (!net::LeerDireccion(direccion, s.anfitrion, s.puerto, error)) throw GameError(error);
    s.espectador = espectador;
    s.asiento = o.net.seat.empty() ? -1 : asientos::asientoDeNombreOCarpeta(o.net.seat);
    s.nombre = nombreDelJugador(o);
    s.datos = laRed().datos;
    s.huella = huellaDelJuego;
    return std::make_unique<net::Seguidor>(s);
}

void decirQuienJuega(const net::Seguidor& s) {
    if (s.Asiento() >= 0)
        std::printf("Juegas con %s en la partida de %s\n", asientos::personaje(s.Asiento()).nombre,
                    Printable(s.NombreAnfitrion()).c_str());
    else
        std::printf("Miras la partida de %s\n", Printable(s.NombreAnfitrion()).c_str());
    std::fflush(stdout);
}

}  // namespace

namespace red {

void empezar(const session::Options& o, const std::string& carpetaDatos) {
    TRed& r = laRed();
    r.opciones = o;
    r.datos = huellaDeLosDatos(carpetaDatos);
    if (r.siguiente) {
        // unirse let this follower in during the run before.
        r.seguidor = std::move(r.siguiente);
        decirQuienJuega(*r.seguidor);
        return;
    }
    if (o.net.host) return nuevoAnfitrion(o);
    if (!o.net.Follows()) return;
    r.seguidor = nuevoSeguidor(o, o.net.join.empty() ? o.net.watch : o.net.join, o.net.join.empty());
    decirQuienJuega(*r.seguidor);
}

std::unique_ptr<journal::ByteSource> flujo() {
    return laRed().seguidor ? laRed().seguidor->Flujo() : nullptr;
}

void conectarEntrada() {
    net::Seguidor* s = laRed().seguidor.get();
    if (!s) return;
    input::SetForwarder([s](const SDL_Event& e) {
        if (e.type == SDL_QUIT) return s->Salir();
        const int asiento = s->Asiento();
        if (asiento < 0) return;
        const int w = GraphicsWidth() > 0 ? GraphicsWidth() : net::kAnchoVirtual;
        const int h = GraphicsHeight() > 0 ? GraphicsHeight() : net::kAltoVirtual;
        for (const input::PadEvent& p : asientos::entradaRemota(asiento, e)) {
            net::Entrada en;
            en.enviadoMs = static_cast<uint32_t>(SDL_GetTicks());
            if (p.kind == input::PadEvent::Pointer) {
                // Logical screen pixels to virtual units, the same on both sides.
                en.tipo = net::Entrada::Puntero;
                en.x = std::clamp(p.control * net::kAnchoVirtual / w, 0, net::kAnchoVirtual - 1);
                en.y = std::clamp(p.value * net::kAltoVirtual / h, 0, net::kAltoVirtual - 1);
            } else {
                en.tipo = p.kind == input::PadEvent::Axis ? net::Entrada::Eje : net::Entrada::Boton;
                en.control = p.control;
                en.valor = p.value;
            }
            s->Enviar(en);
        }
    });
}

int terminar(int codigo) {
    TRed& r = laRed();
    input::SetForwarder({});
    if (r.anfitrion) {
        codigo = journal::Finish(codigo);
        r.anfitrion->Terminar(codigo);
        r.anfitrion.reset();  // lets the clients go once they have everything (bounded)
        return codigo;
    }
    if (r.seguidor && r.seguidor->HaSalido()) {
        // Leaving early is this player's choice, not a replay gone wrong.
        journal::Reset();
        std::printf("Has dejado la partida\n");
        std::fflush(stdout);
        r.seguidor.reset();
        return 0;
    }
    codigo = journal::Finish(codigo);
    if (r.seguidor && r.seguidor->AnfitrionTermino()) {
        std::printf("La partida ha terminado en el anfitrion\n");
        std::fflush(stdout);
    }
    r.seguidor.reset();
    return codigo;
}

std::string crearPartida() {
    TRed& r = laRed();
    // Whether hosting started is a fact of this run: a replay, or a follower of this host,
    // is told, and opens no port.
    return journal::Setting("crear_partida", [&]() -> std::string {
        if (r.anfitrion) return {};
        try {
            nuevoAnfitrion(r.opciones);
            return {};
        } catch (const GameError& e) {
            return e.what();
        }
    });
}

void dejarDeHospedar() {
    TRed& r = laRed();
    if (!r.anfitrion) return;
    r.anfitrion->Terminar(0);
    r.anfitrion.reset();
}

namespace {
// A list of lines as one fact of the journal: the screen draws it, so a replay and every
// follower must draw the same.
std::vector<std::string> lineasDelDiario(const std::string& nombre, const std::function<std::vector<std::string>()>& medir) {
    const std::string texto = journal::Setting(nombre, [&] {
        std::string t;
        for (const std::string& l : medir()) t += l + "\n";
        return t;
    });
    std::vector<std::string> lineas;
    size_t desde = 0;
    for (size_t fin = texto.find('\n'); fin != std::string::npos; fin = texto.find('\n', desde)) {
        lineas.push_back(texto.substr(desde, fin - desde));
        desde = fin + 1;
    }
    return lineas;
}
}  // namespace

bool hospedando() {
    return journal::Setting("hospedando", [] { return laRed().anfitrion ? "si" : "no"; }) == "si";
}

std::vector<std::string> direcciones() {
    return lineasDelDiario("direcciones", [] {
        std::vector<std::string> lista;
        if (const net::Anfitrion* a = laRed().anfitrion.get())
            for (const std::string& d : net::DireccionesLocales()) lista.push_back(d + ":" + std::to_string(a->Puerto()));
        return lista;
    });
}

std::vector<std::string> jugadores() {
    return lineasDelDiario("unidos", [] {
        std::vector<std::string> lista;
        if (const net::Anfitrion* a = laRed().anfitrion.get()) {
            const std::vector<std::string> nombres = a->Jugadores();
            for (size_t s = 0; s < nombres.size(); ++s)
                if (!nombres[s].empty())
                    lista.push_back(nombres[s] + " (" + asientos::personaje(static_cast<int>(s)).nombre + ")");
        }
        return lista;
    });
}

std::string unirse(const std::string& direccion) {
    TRed& r = laRed();
    if (r.anfitrion) return "Ya hospedas una partida en red";
    const std::string error = journal::Setting("unirse", [&]() -> std::string {
        try {
            r.siguiente = nuevoSeguidor(r.opciones, direccion, false);
            r.direccionSiguiente = direccion;
            return {};
        } catch (const GameError& e) {
            return e.what();
        }
    });
    if (!error.empty()) return error;
    if (r.siguiente) {
        // Kept for the next time; a replay writes nothing.
        // Only a convenience: the join goes on without it.
        settings::Write("red.cfg", direccion + "\n");
    }
    throw Unirse();
}

std::string ultimaDireccion() {
    return journal::Setting("ultima_direccion", [] {
        const std::string texto = settings::Read("red.cfg").value_or("");
        // The first line, in the characters an address may have.
        std::string d;
        for (char c : texto) {
            if (c == '\n' || c == '\r') break;
            if (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == ':' || c == '-') d += c;
            if (d.size() >= 64) break;
        }
        return d;
    });
}

session::Options opcionesDelSeguidor(const session::Options& actuales) {
    session::Options o = actuales;
    // The host's journal decides everything else; this machine's script stays behind,
    // so that its keys do not walk the host's menus.
    o.script.clear();
    o.record.clear();
    o.replay.clear();
    o.seed.reset();
    o.virtualClock = false;
    o.cpu.reset();
    o.cpuLevel.reset();
    o.shots.clear();
    o.maxFlips = 0;
    o.net = {};
    o.net.join = laRed().direccionSiguiente;
    o.net.name = actuales.net.name;
    return o;
}

}  // namespace red
