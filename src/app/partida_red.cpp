#include "app/partida_red.h"

#include "app/panel_seguidor.h"

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
#include "platform/input/gamepad.h"
#include "platform/input/input.h"
#include "platform/session/journal.h"
#include "platform/video/render.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
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
    net::OpcionesSeguidor opcionesSiguiente;
    std::string direccionSiguiente;
    bool olvidarRemotos = false;  // hosting stopped: the remote seats are to be given back
    bool perdido = false;  // the last follower lost its host
    // A follower's own panel, and whether its player left the match from it.
    std::unique_ptr<red::TPanelSeguidor> panel;
    bool dejo = false;
    // The seat's buttons this follower holds down at the host.
    std::array<bool, net::kBotones> abajo{};
};
TRed& laRed() {
    static TRed r;
    return r;
}

// The name a player is shown under: --name, else the login name, else "Jugador". A
// --name that cannot travel is refused, saying the limit; a login name that cannot is
// shortened or replaced, with a notice. Never changed silently.
std::string nombreDelJugador(const session::Options& o) {
    std::string porque;
    if (!o.net.name.empty()) {
        if (!net::NombreValido(o.net.name, &porque))
            throw GameError("El nombre de --name no vale: " + porque + " (como mucho " + std::to_string(net::kMaxNombre) +
                            " bytes de texto sin caracteres de control)");
        return o.net.name;
    }
    const char* usuario = std::getenv("USER");
    if (!usuario || !*usuario) usuario = getlogin();
    std::string nombre = usuario ? usuario : "";
    if (nombre.empty()) return "Jugador";
    if (net::NombreValido(nombre)) return nombre;
    std::string corto = nombre.substr(0, net::kMaxNombre);
    // Cut at a character's start, so that a long name stays valid UTF-8.
    while (!corto.empty() && !net::NombreValido(corto)) corto.pop_back();
    if (corto.empty()) corto = "Jugador";
    std::printf("El nombre de usuario no vale para la red (como mucho %zu bytes de texto); se usa \"%s\"\n",
                net::kMaxNombre, corto.c_str());
    std::fflush(stdout);
    return corto;
}

// red.cfg: the last address joined on its first line, then one line per host and name
// with the token that host gave ("token HEX HOST:PORT NAME").
struct TRedCfg {
    std::string direccion;
    std::vector<std::string> tokens;  // the lines, as written
};
TRedCfg leerRedCfg() {
    TRedCfg c;
    const std::string texto = settings::Read("red.cfg").value_or("");
    size_t desde = 0;
    bool primera = true;
    while (desde < texto.size()) {
        size_t fin = texto.find('\n', desde);
        if (fin == std::string::npos) fin = texto.size();
        std::string linea = texto.substr(desde, fin - desde);
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        if (primera)
            c.direccion = linea;
        else if (linea.rfind("token ", 0) == 0 && c.tokens.size() < 64)
            c.tokens.push_back(linea);
        primera = false;
        desde = fin + 1;
    }
    return c;
}
// red.cfg is read, changed and written whole. Two runs of the game on one settings folder
// (a player and a spectator started together) take turns at it, so that neither writes
// over the other's token: the folder itself is locked for the moment of the change. The
// file is only a convenience: past a second's wait, or without a lock, the change is made
// all the same.
void cambiarRedCfg(const std::function<void(TRedCfg&)>& cambio) {
    settings::PathFor("red.cfg");  // makes the folder
    const std::string carpeta = settings::Folder().empty() ? "." : settings::Folder();
    const int fd = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int i = 0; fd >= 0 && i < 100 && ::flock(fd, LOCK_EX | LOCK_NB) != 0; ++i) ::usleep(10000);
    TRedCfg c = leerRedCfg();
    cambio(c);
    std::string texto = c.direccion + "\n";
    for (const std::string& t : c.tokens) texto += t + "\n";
    settings::Write("red.cfg", texto);
    if (fd >= 0) ::close(fd);  // and with it the lock
}
std::string claveToken(const net::OpcionesSeguidor& s) {
    return s.anfitrion + ":" + std::to_string(s.puerto) + " " + s.nombre;
}
uint64_t tokenGuardado(const net::OpcionesSeguidor& s) {
    const std::string clave = claveToken(s);
    for (const std::string& l : leerRedCfg().tokens) {
        // "token " + 16 hex digits + " " + the key
        if (l.size() == 23 + clave.size() && l.compare(23, std::string::npos, clave) == 0) {
            try {
                return std::stoull(l.substr(6, 16), nullptr, 16);
            } catch (const std::exception&) {
                return 0;
            }
        }
    }
    return 0;
}
void guardarToken(const net::OpcionesSeguidor& s, uint64_t token, const std::string& direccion = {}) {
    cambiarRedCfg([&](TRedCfg& c) {
        if (!direccion.empty()) c.direccion = direccion;
        if (token == 0) return;
        const std::string clave = claveToken(s);
        c.tokens.erase(std::remove_if(c.tokens.begin(), c.tokens.end(),
                                      [&](const std::string& l) { return l.size() >= 23 && l.substr(23) == clave; }),
                       c.tokens.end());
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(token));
        c.tokens.push_back(std::string("token ") + hex + " " + clave);
        if (c.tokens.size() > 32) c.tokens.erase(c.tokens.begin());
    });
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

net::OpcionesSeguidor opcionesSeguidor(const session::Options& o, const std::string& direccion, bool espectador) {
    net::OpcionesSeguidor s;
    std::string error;
    if (!net::LeerDireccion(direccion, s.anfitrion, s.puerto, error)) throw GameError(error);
    s.espectador = espectador;
    s.asiento = o.net.seat.empty() ? -1 : asientos::asientoDeNombreOCarpeta(o.net.seat);
    s.nombre = nombreDelJugador(o);
    s.datos = laRed().datos;
    s.huella = huellaDelJuego;
    s.token = tokenGuardado(s);
    return s;
}

void decirQuienJuega(const net::Seguidor& s) {
    if (s.Asiento() >= 0)
        std::printf("Juegas con %s en la partida de %s\n", asientos::personaje(s.Asiento()).nombre,
                    Printable(s.NombreAnfitrion()).c_str());
    else
        std::printf("Miras la partida de %s\n", Printable(s.NombreAnfitrion()).c_str());
    std::fflush(stdout);
}

net::Entrada entrada(net::Entrada::Tipo tipo, int control, int valor) {
    net::Entrada en;
    en.tipo = tipo;
    en.control = control;
    en.valor = valor;
    return en;
}

// What a follower sends for its seat. A button is let go only when it was held, so that a
// key the follower's panel took lets go of nothing at the host.
void enviarEntrada(net::Seguidor& s, net::Entrada en) {
    en.enviadoMs = static_cast<uint32_t>(SDL_GetTicks());
    if (en.tipo == net::Entrada::Boton) {
        if (en.control < 0 || en.control >= net::kBotones) return;
        bool& abajo = laRed().abajo[static_cast<size_t>(en.control)];
        if (en.valor == 0 && !abajo) return;
        abajo = en.valor != 0;
    }
    s.Enviar(en);
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
    const net::OpcionesSeguidor s = opcionesSeguidor(o, o.net.join.empty() ? o.net.watch : o.net.join, o.net.join.empty());
    r.seguidor = std::make_unique<net::Seguidor>(s);
    r.seguidor->EsperarEntrada();
    guardarToken(s, r.seguidor->Token());
    decirQuienJuega(*r.seguidor);
}

std::unique_ptr<journal::ByteSource> flujo() {
    return laRed().seguidor ? laRed().seguidor->Flujo() : nullptr;
}

void conectarEntrada() {
    TRed& r = laRed();
    net::Seguidor* s = r.seguidor.get();
    if (!s) return;
    r.dejo = false;
    r.abajo = {};
    r.panel = std::make_unique<TPanelSeguidor>(
        s->Asiento() >= 0,
        [s] {
            laRed().dejo = true;
            s->Salir();
        },
        [s] {
            for (int b = 0; b < net::kBotones; ++b)
                if (laRed().abajo[static_cast<size_t>(b)])
                    enviarEntrada(*s, entrada(net::Entrada::Boton, b, 0));
        });
    input::SetForwarder([s](const SDL_Event& e) {
        if (e.type == SDL_QUIT) return s->Salir();
        if (laRed().panel && laRed().panel->atender(e)) return;
        const int asiento = s->Asiento();
        if (asiento < 0) return;
        // A controller plugged into this machine plays the seat with its buttons and stick.
        if (input::PadEvent p; gamepad::PadEventOf(e, p)) {
            const bool boton = p.kind == input::PadEvent::Button &&
                               (p.control == input::PAD_A || p.control == input::PAD_B ||
                                (p.control >= input::PAD_DPAD_UP && p.control <= input::PAD_DPAD_RIGHT));
            const bool eje = p.kind == input::PadEvent::Axis && p.control >= 0 && p.control < net::kEjes;
            if (boton || eje)
                enviarEntrada(*s, entrada(boton ? net::Entrada::Boton : net::Entrada::Eje, p.control, p.value));
            return;
        }
        const int w = GraphicsWidth() > 0 ? GraphicsWidth() : net::kAnchoVirtual;
        const int h = GraphicsHeight() > 0 ? GraphicsHeight() : net::kAltoVirtual;
        for (const input::PadEvent& p : asientos::entradaRemota(asiento, e)) {
            if (p.kind == input::PadEvent::Pointer) {
                // Logical screen pixels to virtual units, the same on both sides.
                net::Entrada en = entrada(net::Entrada::Puntero, 0, 0);
                en.x = std::clamp(p.control * net::kAnchoVirtual / w, 0, net::kAnchoVirtual - 1);
                en.y = std::clamp(p.value * net::kAltoVirtual / h, 0, net::kAltoVirtual - 1);
                enviarEntrada(*s, en);
            } else {
                enviarEntrada(*s, entrada(p.kind == input::PadEvent::Axis ? net::Entrada::Eje : net::Entrada::Boton,
                                          p.control, p.value));
            }
        }
    });
}

int terminar(int codigo) {
    TRed& r = laRed();
    input::SetForwarder({});
    r.panel.reset();
    if (r.anfitrion) {
        codigo = journal::Finish(codigo);
        r.anfitrion->Terminar(codigo);
        r.anfitrion.reset();  // lets the clients go once they have everything (bounded)
        return codigo;
    }
    r.perdido = r.seguidor && !r.seguidor->HaSalido() && !r.seguidor->AnfitrionTermino();
    if (r.perdido) {
        // The reason is said already; the stream's missing end is no second fault.
        journal::Reset();
        r.seguidor.reset();
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
    r.anfitrion->Cerrar();
    r.anfitrion.reset();
    // At the next event processing, as outside facts, every seat held over the network is
    // what it was before its player came: a person at this machine's keyboard.
    r.olvidarRemotos = true;
    input::SetNetworkSource([] {
        if (!laRed().olvidarRemotos) return;
        laRed().olvidarRemotos = false;
        for (int s = 0; s < asientos::NUM_ASIENTOS; ++s) {
            if (asientos::nombreRemoto(s).empty()) continue;
            if (asientos::tieneRemoto(s)) {
                input::PadEvent e;
                e.pad = asientos::mandoRemoto(s);
                e.kind = input::PadEvent::Disconnect;
                input::ControllerEvent(e);
            }
            input::RemoteSeatEvent(s, asientos::kRemotoOlvidado);
        }
    });
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
            const std::vector<bool> vueltos = a->Vueltos();
            for (size_t s = 0; s < nombres.size(); ++s)
                if (!nombres[s].empty())
                    lista.push_back(nombres[s] + " (" + asientos::personaje(static_cast<int>(s)).nombre + ")" +
                                    (vueltos[s] ? ", ha vuelto" : ""));
        }
        return lista;
    });
}

std::string unirse(const std::string& direccion) {
    TRed& r = laRed();
    if (r.anfitrion) return "Ya hospedas una partida en red";
    return journal::Setting("unirse", [&]() -> std::string {
        try {
            r.opcionesSiguiente = opcionesSeguidor(r.opciones, direccion, false);
            r.siguiente = std::make_unique<net::Seguidor>(r.opcionesSiguiente);
            r.direccionSiguiente = direccion;
            return {};
        } catch (const GameError& e) {
            r.siguiente.reset();
            return e.what();
        }
    });
}

std::string uniendose(int& segundos) {
    TRed& r = laRed();
    // Each look is a fact of the run: a replay shows the same seconds and the same end.
    const std::string estado = journal::Setting("uniendose", [&]() -> std::string {
        if (!r.siguiente) return "e Cancelado";
        try {
            if (r.siguiente->Entrar()) return "dentro";
            return "s " + std::to_string(static_cast<int>(r.siguiente->Segundos()));
        } catch (const GameError& e) {
            r.siguiente.reset();
            return std::string("e ") + e.what();
        }
    });
    if (estado.rfind("s ", 0) == 0) {
        segundos = std::atoi(estado.c_str() + 2);
        return {};
    }
    if (estado.rfind("e ", 0) == 0) {
        segundos = -1;
        return estado.substr(2);
    }
    if (r.siguiente) {
        // Kept for the next time, with the host's token; a replay writes nothing.
        guardarToken(r.opcionesSiguiente, r.siguiente->Token(), r.direccionSiguiente);
    }
    throw Unirse();
}

void cancelarUnion() {
    TRed& r = laRed();
    if (!r.siguiente) return;
    std::printf("Cancelada la conexion con %s\n", r.direccionSiguiente.c_str());
    std::fflush(stdout);
    r.siguiente.reset();
}

std::string ultimaDireccion() {
    return journal::Setting("ultima_direccion", [] {
        // The first line, in the characters an address may have.
        std::string d;
        for (char c : leerRedCfg().direccion) {
            if (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == ':' || c == '-') d += c;
            if (d.size() >= 64) break;
        }
        return d;
    });
}

bool volverAlMenu() { return laRed().perdido || laRed().dejo; }

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
