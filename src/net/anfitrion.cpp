// The host's side of online play: the journal kept and streamed, newcomers checked and
// seated, clients' input injected as outside facts, and under the virtual clock each flip
// held until the seated followers are close behind.
#include "net/anfitrion.h"

#include "net/transporte.h"
#include "platform/base/errors.h"
#include "platform/base/system.h"
#include "platform/base/text.h"
#include "platform/input/input.h"
#include "platform/session/journal.h"
#include "platform/session/run.h"
#include "platform/video/render.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <map>
#include <random>
#include <variant>

namespace net {

namespace {
constexpr size_t kMaxClientes = 16;  // players and spectators together
// Seats are offered in this order to a player who asks for none: Pexil, Quelbido,
// Er_Varsen, Tarsun.
constexpr int kOrdenAsientos[] = {3, 2, 1, 0};
// Under the virtual clock a flip waits until every seated follower has replayed up to
// this many flips behind, and at most this long for one that does not come.
constexpr int kFlipsDeVentaja = 3;
constexpr int kEsperaSeguidorMs = 20000;
// --wait gives up after this long with a clear message.
constexpr int kEsperaJugadoresMs = 600000;

// A player's buttons: no human presses more than a few dozen times a second (a press is a
// down and an up). Beyond kBotonesPorSegundo, with a burst of kRafagaBotones, buttons are
// dropped and counted, never journaled. Pointer and stick positions are many and only the
// latest counts: one of each per seat and event processing.
constexpr double kBotonesPorSegundo = 40;
constexpr double kRafagaBotones = 40;
// A seated player silent this long gets "sin conexion N s" beside its seat's mark.
constexpr int kSilencioMs = 2000;
// The mark of a seat's silence in its event (the seat room's asientos::kMarcaSilencio,
// repeated here because the network layer sits below the seats).
constexpr char kMarcaSilencio = '\x01';
// Between two lines about a player's dropped input.
constexpr auto kAvisoDescartes = std::chrono::minutes(1);

// The controller numbers of remote seats: the seat room's rule (asientos::mandoRemoto),
// repeated here because the network layer sits below the seats.
constexpr int kPrimerMandoRemoto = 1000;

struct Cliente {
    int par = -1;
    bool aceptado = false;
    bool vuelto = false;  // came back with its token
    int asiento = -1;  // -1: a spectator
    std::string nombre;
    size_t enviado = 0;   // journal bytes sent so far
    uint32_t progreso = 0;  // the flip it has replayed up to
    bool esperado = true;   // a seated follower the virtual clock still waits for
    // Its buttons' allowance (kBotonesPorSegundo), and what was dropped beyond it.
    double saldo = kRafagaBotones;
    std::chrono::steady_clock::time_point recarga = std::chrono::steady_clock::now();
    size_t descartadas = 0;
    std::chrono::steady_clock::time_point ultimoAviso{};
    // When it was last heard from, and the whole seconds of silence last told the game.
    std::chrono::steady_clock::time_point oido = std::chrono::steady_clock::now();
    int silencio = 0;
};

// The message's name, for refusals.
const char* NombreMensaje(const Mensaje& m) {
    static const char* const nombres[] = {"Hola",    "Bienvenida", "Rechazo", "Diario", "Resumen",
                                          "Entrada", "Progreso",   "Asientos", "Fin"};
    static_assert(std::size(nombres) == std::variant_size_v<Mensaje>);
    return nombres[m.index()];
}

uint64_t NuevoToken() {
    std::random_device azar;
    uint64_t t = 0;
    while (t == 0) t = (static_cast<uint64_t>(azar()) << 32) ^ azar();
    return t;
}

// An outside fact waiting for the next event processing.
struct Pendiente {
    enum Tipo { Toma, Deja, Mando, Silencio } tipo = Mando;
    int asiento = 0;
    std::string nombre;
    input::PadEvent evento;
};
}  // namespace

struct Anfitrion::Estado {
    OpcionesAnfitrion opciones;
    Juego juego;
    std::unique_ptr<Transporte> red;
    std::string diario;  // every byte the journal wrote
    std::vector<Cliente> clientes;
    std::deque<Pendiente> pendientes;
    bool esperados = false;  // --wait was met (or not asked)
    // --fair: this machine's events held back, each with the time it is due.
    std::deque<std::pair<std::chrono::steady_clock::time_point, SDL_Event>> retenidos;
    bool terminado = false;
    // Each name's token for coming back, given at its first welcome in this run.
    std::map<std::string, uint64_t> tokens;

    Cliente* Buscar(int par) {
        for (Cliente& c : clientes)
            if (c.par == par) return &c;
        return nullptr;
    }
    bool AsientoTomado(int s) const {
        return std::any_of(clientes.begin(), clientes.end(), [&](const Cliente& c) { return c.aceptado && c.asiento == s; });
    }
    int Sentados() const {
        return static_cast<int>(
            std::count_if(clientes.begin(), clientes.end(), [](const Cliente& c) { return c.aceptado && c.asiento >= 0; }));
    }

    void Enviar(int par, Canal canal, const Mensaje& m) { red->Enviar(par, canal, Codificar(m)); }

    // Tells a client why it is refused and closes it. One already in play is a refusal
    // too, not a departure: its seat goes to a computer.
    void Rechazar(int par, const Rechazo& r, const std::string& aqui) {
        Cliente* c = Buscar(par);
        if (c && c->aceptado) {
            std::printf("Rechazado %s desde %s: %s\n", c->nombre.c_str(), red->Direccion(par).c_str(), aqui.c_str());
            if (c->asiento >= 0) {
                pendientes.push_back({Pendiente::Deja, c->asiento, {}, {}});
                std::printf("Una CPU juega con %s hasta que %s vuelva\n", juego.nombreAsiento(c->asiento).c_str(),
                            c->nombre.c_str());
            }
            Descartes(*c, true);
        } else {
            std::printf("%s\n", aqui.c_str());
        }
        std::fflush(stdout);
        Enviar(par, kCanalControl, r);
        red->Cerrar(par);
        clientes.erase(std::remove_if(clientes.begin(), clientes.end(), [&](const Cliente& c) { return c.par == par; }),
                       clientes.end());
    }

    void NoPermitido(int par, const std::string& que) {
        const Rechazo r{Rechazo::NoPermitido, que};
        const Cliente* c = Buscar(par);
        Rechazar(par, r, c && c->aceptado ? TextoRechazo(r, Lado::Anfitrion)
                                          : "Conexion rechazada desde " + red->Direccion(par) + ": " +
                                                TextoRechazo(r, Lado::Anfitrion));
    }

    // A player's input dropped beyond the allowance: said a second after the first drop
    // (the burst counted together), then once a minute at most; ya: now.
    void Descartes(Cliente& c, bool ya) {
        if (c.descartadas == 0) return;
        const auto ahora = std::chrono::steady_clock::now();
        if (c.descartadas == 1 && c.ultimoAviso == std::chrono::steady_clock::time_point{})
            c.ultimoAviso = ahora - kAvisoDescartes + std::chrono::seconds(1);
        if (!ya && ahora - c.ultimoAviso < kAvisoDescartes) return;
        std::printf("Descartadas %zu entradas de %s por pasar de %.0f botones por segundo\n", c.descartadas, c.nombre.c_str(),
                    kBotonesPorSegundo);
        std::fflush(stdout);
        c.descartadas = 0;
        c.ultimoAviso = ahora;
    }

    // Sends each accepted client the journal bytes it lacks.
    void EnviarDiario() {
        for (Cliente& c : clientes) {
            if (!c.aceptado) continue;
            while (c.enviado < diario.size()) {
                const size_t n = std::min(kMaxDiario, diario.size() - c.enviado);
                Enviar(c.par, kCanalDiario, Diario{diario.substr(c.enviado, n)});
                c.enviado += n;
            }
        }
    }

    void Hola_(int par, const Hola& hola) {
        Cliente* c = Buscar(par);
        if (!c) return;
        if (c->aceptado) return NoPermitido(par, "Hola repetido");
        std::string aqui;
        if (std::optional<Rechazo> r = ComprobarHola(hola, opciones.datos, &aqui)) return Rechazar(par, *r, aqui);
        const std::string nombre = hola.nombre.empty() ? "Jugador " + std::to_string(par) : hola.nombre;
        // The same name in play: its owner coming back (the token proves it) replaces the
        // connection the host still thinks alive; anybody else is refused.
        auto mismo = std::find_if(clientes.begin(), clientes.end(),
                                  [&](const Cliente& o) { return o.aceptado && o.par != par && o.nombre == nombre; });
        if (mismo != clientes.end()) {
            auto t = tokens.find(nombre);
            if (hola.token == 0 || t == tokens.end() || t->second != hola.token || hola.espectador != (mismo->asiento < 0)) {
                const Rechazo r{Rechazo::NombreJugando, {}};
                return Rechazar(par, r, TextoRechazo(r, Lado::Anfitrion) + ": " + nombre + " (desde " +
                                            red->Direccion(par) + ")");
            }
            const int asiento = mismo->asiento;
            const int viejo = mismo->par;
            clientes.erase(mismo);
            red->Cerrar(viejo);
            c = Buscar(par);
            if (asiento >= 0) pendientes.push_back({Pendiente::Deja, asiento, {}, {}});
            return Admitir(*c, nombre, asiento, true);
        }
        if (Aceptados() >= kMaxClientes) {
            const Rechazo r{Rechazo::Lleno, {}};
            return Rechazar(par, r, TextoRechazo(r, Lado::Anfitrion));
        }
        int asiento = -1;
        if (!hola.espectador) {
            auto libre = [&](int s) { return !AsientoTomado(s) && juego.asientoLibre(s, nombre); };
            if (hola.asiento >= 0) {
                if (!libre(hola.asiento)) {
                    const Rechazo r{Rechazo::AsientoOcupado, juego.nombreAsiento(hola.asiento)};
                    return Rechazar(par, r, TextoRechazo(r, Lado::Anfitrion));
                }
                asiento = hola.asiento;
            } else {
                for (int s : kOrdenAsientos)
                    if (asiento < 0 && libre(s)) asiento = s;
                if (asiento < 0) {
                    const Rechazo r{Rechazo::SinAsiento, {}};
                    return Rechazar(par, r, TextoRechazo(r, Lado::Anfitrion));
                }
            }
        }
        Admitir(*c, nombre, asiento, false);
    }

    void Admitir(Cliente& c, const std::string& nombre, int asiento, bool vuelve) {
        const int par = c.par;
        c.aceptado = true;
        c.vuelto = vuelve;
        c.asiento = asiento;
        c.nombre = nombre;
        c.progreso = static_cast<uint32_t>(session::FlipCount());
        red->Aceptar(par);
        auto t = tokens.try_emplace(nombre, 0).first;
        if (t->second == 0) t->second = NuevoToken();
        Enviar(par, kCanalControl, Bienvenida{asiento, opciones.nombre, t->second});
        if (asiento >= 0) {
            pendientes.push_back({Pendiente::Toma, asiento, nombre, {}});
            std::printf("%s %s con %s desde %s\n", Printable(nombre).c_str(), vuelve ? "ha vuelto a jugar" : "juega",
                        juego.nombreAsiento(asiento).c_str(), red->Direccion(par).c_str());
        } else {
            std::printf("%s %s la partida desde %s\n", Printable(nombre).c_str(), vuelve ? "vuelve a mirar" : "mira",
                        red->Direccion(par).c_str());
        }
        std::fflush(stdout);
        EnviarDiario();
    }

    size_t Aceptados() const {
        return static_cast<size_t>(std::count_if(clientes.begin(), clientes.end(), [](const Cliente& c) { return c.aceptado; }));
    }

    void Entrada_(Cliente& c, const Entrada& en) {
        if (!c.aceptado) return NoPermitido(c.par, "Entrada antes del saludo");
        if (c.asiento < 0) return NoPermitido(c.par, "Entrada de un espectador");
        if (en.tipo == Entrada::Boton) {
            const auto ahora = std::chrono::steady_clock::now();
            c.saldo = std::min(kRafagaBotones,
                               c.saldo + kBotonesPorSegundo * std::chrono::duration<double>(ahora - c.recarga).count());
            c.recarga = ahora;
            if (c.saldo < 1) {
                ++c.descartadas;
                return Descartes(c, false);
            }
            c.saldo -= 1;
        }
        input::PadEvent e;
        e.pad = kPrimerMandoRemoto + c.asiento;
        switch (en.tipo) {
            case Entrada::Boton:
                e.kind = input::PadEvent::Button;
                e.control = en.control;
                e.value = en.valor;
                break;
            case Entrada::Eje:
                e.kind = input::PadEvent::Axis;
                e.control = en.control;
                e.value = en.valor;
                break;
            case Entrada::Puntero: {
                // Virtual units to the logical screen's pixels.
                const int w = GraphicsWidth() > 0 ? GraphicsWidth() : kAnchoVirtual;
                const int h = GraphicsHeight() > 0 ? GraphicsHeight() : kAltoVirtual;
                e.kind = input::PadEvent::Pointer;
                e.control = en.x * w / kAnchoVirtual;
                e.value = en.y * h / kAltoVirtual;
                break;
            }
        }
        // A position replaces the seat's last one still waiting, when nothing came between.
        if (en.tipo != Entrada::Boton && !pendientes.empty()) {
            Pendiente& ultimo = pendientes.back();
            if (ultimo.tipo == Pendiente::Mando && ultimo.asiento == c.asiento && ultimo.evento.kind == e.kind &&
                (e.kind == input::PadEvent::Pointer || ultimo.evento.control == e.control)) {
                ultimo.evento = e;
                return;
            }
        }
        pendientes.push_back({Pendiente::Mando, c.asiento, {}, e});
    }

    void Fuera(int par, bool perdido) {
        Cliente* c = Buscar(par);
        if (!c) return;
        if (c->aceptado && c->asiento >= 0) {
            pendientes.push_back({Pendiente::Deja, c->asiento, {}, {}});
            std::printf("%s %s: una CPU juega con %s hasta que vuelva\n", Printable(c->nombre).c_str(),
                        perdido ? "se ha perdido" : "ha salido", juego.nombreAsiento(c->asiento).c_str());
            std::fflush(stdout);
        }
        if (c->aceptado) Descartes(*c, true);
        clientes.erase(clientes.begin() + (c - clientes.data()));
    }

    // Everything the network brought, without waiting.
    void Atender() {
        Suceso s;
        while (red->Tomar(s)) Atender(s);
    }

    void Atender(const Suceso& s) {
        switch (s.tipo) {
            case Suceso::Conectado:
                if (!Buscar(s.par)) {
                    Cliente c;
                    c.par = s.par;
                    clientes.push_back(c);
                }
                return;
            case Suceso::Desconectado: return Fuera(s.par, s.perdido);
            case Suceso::Datos: break;
        }
        Cliente* c = Buscar(s.par);
        if (!c) return;
        c->oido = std::max(c->oido, s.llegada);
        std::string porque;
        std::optional<Mensaje> m = Decodificar(s.bytes.data(), s.bytes.size(), &porque);
        if (!m) {
            // Garbage: that client is refused; the match plays on.
            return Rechazar(s.par, Rechazo{Rechazo::Otro, "mensaje no valido"},
                            (c->aceptado ? "Mensaje no valido: " : "Conexion rechazada desde " + red->Direccion(s.par) +
                                                                       ": mensaje no valido: ") +
                                porque);
        }
        if (const Hola* h = std::get_if<Hola>(&*m)) return Hola_(s.par, *h);
        if (const Entrada* en = std::get_if<Entrada>(&*m)) return Entrada_(*c, *en);
        if (const Progreso* p = std::get_if<Progreso>(&*m)) {
            if (!c->aceptado) return NoPermitido(s.par, "Progreso antes del saludo");
            c->progreso = std::max(c->progreso, p->flip);
            return;
        }
        // Anything else is the host's to send, never a client's.
        NoPermitido(s.par, NombreMensaje(*m));
    }

    // --fair: whether to hold an event of this machine back, and for how long.
    bool Retener(const SDL_Event& ev) {
        const bool local = ev.type == SDL_KEYDOWN || ev.type == SDL_KEYUP || ev.type == SDL_TEXTINPUT ||
                           ev.type == SDL_MOUSEMOTION || ev.type == SDL_MOUSEBUTTONDOWN ||
                           ev.type == SDL_MOUSEBUTTONUP ||
                           (ev.type == journal::kPadEventType && ev.user.windowID < kPrimerMandoRemoto);
        if (!local) return false;
        int retraso = 0;
        for (const Cliente& c : clientes)
            if (c.aceptado && c.asiento >= 0) retraso = std::max(retraso, red->IdaYVueltaMs(c.par) / 2);
        // Once one event waits, the ones after it wait too: their order is kept.
        if (retenidos.empty() && (retraso <= 0 || !juego.enMinijuego || !juego.enMinijuego())) return false;
        auto cuando = std::chrono::steady_clock::now() + std::chrono::milliseconds(retraso);
        if (!retenidos.empty()) cuando = std::max(cuando, retenidos.back().first);
        retenidos.emplace_back(cuando, ev);
        return true;
    }

    void Soltar() {
        const auto ahora = std::chrono::steady_clock::now();
        while (!retenidos.empty() && retenidos.front().first <= ahora) {
            const SDL_Event ev = retenidos.front().second;
            retenidos.pop_front();
            input::DeliverHeld(ev);
        }
    }

    // A seated player not heard from for kSilencioMs: its seat's mark says so, in whole
    // seconds, as an outside fact (every machine draws it).
    void Silencios() {
        const auto ahora = std::chrono::steady_clock::now();
        for (Cliente& c : clientes) {
            if (!c.aceptado || c.asiento < 0) continue;
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(ahora - c.oido).count();
            const int segundos = ms >= kSilencioMs ? static_cast<int>(ms / 1000) : 0;
            if (segundos == c.silencio) continue;
            c.silencio = segundos;
            pendientes.push_back({Pendiente::Silencio, c.asiento, std::string(1, kMarcaSilencio) + std::to_string(segundos), {}});
        }
    }

    // At every event processing: what the network brought, as outside facts.
    void Inyectar() {
        if (!esperados) EsperarJugadores();
        Soltar();
        Atender();
        Silencios();
        while (!pendientes.empty()) {
            const Pendiente p = pendientes.front();
            pendientes.pop_front();
            input::PadEvent e;
            e.pad = kPrimerMandoRemoto + p.asiento;
            switch (p.tipo) {
                case Pendiente::Toma:
                    input::RemoteSeatEvent(p.asiento, p.nombre);
                    e.kind = input::PadEvent::Connect;
                    input::ControllerEvent(e);
                    break;
                case Pendiente::Deja:
                    e.kind = input::PadEvent::Disconnect;
                    input::ControllerEvent(e);
                    input::RemoteSeatEvent(p.asiento, {});
                    break;
                case Pendiente::Mando: input::ControllerEvent(p.evento); break;
                case Pendiente::Silencio: input::RemoteSeatEvent(p.asiento, p.nombre); break;
            }
        }
    }

    void EsperarJugadores() {
        esperados = true;
        if (opciones.esperar <= 0) return;
        std::printf("Esperando a %d jugador%s en el puerto %u...\n", opciones.esperar, opciones.esperar == 1 ? "" : "es",
                    static_cast<unsigned>(red->Puerto()));
        std::fflush(stdout);
        const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(kEsperaJugadoresMs);
        while (Sentados() < opciones.esperar) {
            // Stopped meanwhile: the event processing closes the window (input.cpp).
            if (StopSignal() != 0) return;
            if (std::chrono::steady_clock::now() > limite)
                throw GameError("No han llegado los " + std::to_string(opciones.esperar) + " jugadores esperados");
            Suceso s;
            if (red->Esperar(s, 100)) Atender(s);
            // The window keeps answering the desktop meanwhile; its events wait in SDL's
            // queue for the event processing this wait holds up.
            SDL_PumpEvents();
        }
    }

    // After every flip: its facts and its digest to every client; under the virtual clock,
    // a wait for the seated followers.
    void Flip(int flip) {
        Atender();
        EnviarDiario();
        const Resumen r{static_cast<uint32_t>(flip), juego.huella()};
        for (const Cliente& c : clientes)
            if (c.aceptado) Enviar(c.par, kCanalDiario, r);
        if (opciones.relojVirtual) EsperarSeguidores(flip);
    }

    void EsperarSeguidores(int flip) {
        const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(kEsperaSeguidorMs);
        auto atrasado = [&](const Cliente& c) {
            return c.aceptado && c.asiento >= 0 && c.esperado &&
                   static_cast<int>(c.progreso) < flip - kFlipsDeVentaja;
        };
        while (std::any_of(clientes.begin(), clientes.end(), atrasado)) {
            if (StopSignal() != 0) break;  // the next event processing ends the match
            if (std::chrono::steady_clock::now() > limite) {
                // Not heard from for too long: the match goes on without waiting for it.
                for (Cliente& c : clientes)
                    if (atrasado(c)) c.esperado = false;
                break;
            }
            Suceso s;
            if (red->Esperar(s, 50)) Atender(s);
        }
    }
};

Anfitrion::Anfitrion(const OpcionesAnfitrion& opciones, Juego juego) : e(std::make_unique<Estado>()) {
    e->opciones = opciones;
    e->juego = std::move(juego);
    e->red = Transporte::Escuchar(opciones.puerto, kMaxClientes);
    Estado* st = e.get();
    // Hosting may start mid-run (from the players screen): the journal so far comes first.
    st->diario = journal::Written();
    journal::SetLineListener([st](const std::string& linea) {
        st->diario += linea;
        st->diario += '\n';
    });
    session::SetFlipListener([st](int flip, int32_t) { st->Flip(flip); });
    input::SetNetworkSource([st] { st->Inyectar(); });
    if (opciones.justo) input::SetHoldBack([st](const SDL_Event& ev) { return st->Retener(ev); });
    std::printf("Partida en red en el puerto %u\n", static_cast<unsigned>(e->red->Puerto()));
    std::fflush(stdout);
}

Anfitrion::~Anfitrion() {
    journal::SetLineListener({});
    session::SetFlipListener({});
    input::SetNetworkSource({});
    input::SetHoldBack({});
}

void Anfitrion::Terminar(int codigo) {
    if (e->terminado) return;
    e->terminado = true;
    e->Atender();
    e->EnviarDiario();
    const int flips = session::FlipCount();
    for (Cliente& c : e->clientes)
        if (c.aceptado) {
            // On the journal's channel: it arrives after the journal's last bytes, never before.
            e->Enviar(c.par, kCanalDiario, Fin{std::clamp(codigo, 0, 255), static_cast<uint32_t>(flips)});
            e->red->Cerrar(c.par);
            e->Descartes(c, true);
            // What the stream cost, for whoever tunes a connection.
            std::printf("Enviados a %s: %zu bytes en %d flips\n", Printable(c.nombre).c_str(), e->red->BytesEnviados(c.par), flips);
        }
    std::fflush(stdout);
}

void Anfitrion::Cerrar() {
    if (e->terminado) return;
    e->terminado = true;
    e->Atender();
    size_t avisados = 0;
    for (const Cliente& c : e->clientes) {
        // After the journal's bytes already queued, on their channel.
        if (c.aceptado) {
            e->Enviar(c.par, kCanalDiario, Rechazo{Rechazo::Cerrada, {}});
            ++avisados;
        }
        e->red->Cerrar(c.par);
    }
    std::printf("Ya no se hospeda la partida (%zu avisado%s)\n", avisados, avisados == 1 ? "" : "s");
    std::fflush(stdout);
}

uint16_t Anfitrion::Puerto() const { return e->red->Puerto(); }

std::vector<std::string> Anfitrion::Jugadores() const {
    std::vector<std::string> nombres(kAsientos);
    for (const Cliente& c : e->clientes)
        if (c.aceptado && c.asiento >= 0) nombres[static_cast<size_t>(c.asiento)] = c.nombre;
    return nombres;
}

std::vector<bool> Anfitrion::Vueltos() const {
    std::vector<bool> vueltos(kAsientos, false);
    for (const Cliente& c : e->clientes)
        if (c.aceptado && c.asiento >= 0) vueltos[static_cast<size_t>(c.asiento)] = c.vuelto;
    return vueltos;
}

std::vector<size_t> Anfitrion::BytesPorCliente() const {
    std::vector<size_t> bytes;
    for (const Cliente& c : e->clientes)
        if (c.aceptado) bytes.push_back(e->red->BytesEnviados(c.par));
    return bytes;
}

}  // namespace net
