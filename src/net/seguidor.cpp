// A follower's side of online play: the handshake, the host's journal as a byte source,
// the digest check, the pace and the catch-up.
#include "net/seguidor.h"

#include "net/compas.h"
#include "net/transporte.h"
#include "platform/base/errors.h"
#include "platform/base/system.h"
#include "platform/input/input.h"
#include "platform/session/clock.h"
#include "platform/session/journal.h"
#include "platform/session/run.h"
#include "platform/sound/device.h"
#include "platform/video/display.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <thread>
#include <variant>

namespace net {

namespace {
// A follower hurries without drawing or sound only when it is really behind: more than
// kFlipsMuyAtras flips (3 s) behind the newest (a late join, a long outage). Less than
// that (a host's burst, this machine's own pause loading a minigame), the even pace takes
// up late flips at once and draws them: the picture runs a little fast until it is in
// time, and is never hidden. Hurrying ends once kFlipsEnDirecto close.
constexpr int kFlipsMuyAtras = 180;
constexpr int kFlipsEnDirecto = 3;
// The longest wait for the even pace at a time (the host's clock may jump, or stop).
constexpr int kRetrasoMaxMs = 250;
// Digests kept waiting for their flip (a follower far behind).
constexpr size_t kMaxResumenes = 1 << 20;
// Bytes of the journal read and used: forgotten in pieces of this size.
constexpr size_t kRecorte = 1 << 20;
// How long the reason for giving the host up stays in the window before the run ends.
constexpr int kDespedidaMs = 3000;
// How often the waiting notice is shown again (its seconds count).
constexpr int kAvisoCadaMs = 250;

using Reloj = std::chrono::steady_clock;
}  // namespace

struct Seguidor::Estado {
    OpcionesSeguidor opciones;
    std::unique_ptr<Transporte> red;
    std::string donde;  // "HOST:PORT", for messages
    Reloj::time_point inicio = Reloj::now();
    bool conectado = false, dentro = false;
    uint64_t token = 0;
    std::optional<Reloj::time_point> ultimaLlegada;  // of anything from the host
    int asiento = -1;
    std::string anfitrion;
    std::string bytes;  // journal bytes received
    size_t leido = 0;   // of which the reader has taken this many
    bool fin = false;       // the host said its run ended
    bool perdido = false;   // the host went away
    std::string porque;
    bool salir = false;     // this player closed the window
    struct Llegado {
        Resumen resumen;
        Reloj::time_point cuando;
    };
    std::deque<Llegado> resumenes;
    uint32_t ultimoFlip = 0;  // the latest flip the host has shown
    Compas compas;  // the even pace
    bool corriendo = false;  // catching up: nothing drawn or heard
    bool despedido = false;  // the reason for giving the host up has been shown

    void Atender(const Suceso& s) {
        if (s.tipo == Suceso::Datos) Llego(s.llegada);
        if (s.tipo == Suceso::Desconectado) {
            if (!fin) {
                perdido = true;
                porque = s.porque;
            }
            return;
        }
        if (s.tipo != Suceso::Datos) return;
        std::string motivo;
        std::optional<Mensaje> m = Decodificar(s.bytes.data(), s.bytes.size(), &motivo);
        if (!m) throw GameError("El anfitrion ha enviado un mensaje no valido: " + motivo);
        if (const Diario* d = std::get_if<Diario>(&*m)) {
            if (leido >= kRecorte) {
                bytes.erase(0, leido);
                leido = 0;
            }
            bytes += d->bytes;
        } else if (const Resumen* r = std::get_if<Resumen>(&*m)) {
            ultimoFlip = std::max(ultimoFlip, r->flip);
            if (resumenes.size() < kMaxResumenes) resumenes.push_back({*r, s.llegada});
        } else if (std::holds_alternative<Fin>(*m)) {
            fin = true;  // sent after the journal's last bytes, on their channel
        } else if (const Rechazo* r = std::get_if<Rechazo>(&*m)) {
            // The host stopped hosting, or refused something this side sent.
            Despedirse(TextoRechazo(*r, Lado::Cliente));
        }
        // Anything else is not for a follower in play: ignored.
    }

    void AtenderTodo() {
        Suceso s;
        while (red->Tomar(s)) Atender(s);
        Vigilar();
    }

    void Llego(Reloj::time_point cuando) {
        if (ultimaLlegada) {
            const double hueco = std::chrono::duration<double, std::milli>(cuando - *ultimaLlegada).count();
            if (hueco > kSilencioAvisadoMs) {
                std::printf("Datos del anfitrion de nuevo tras %.0f ms sin nada\n", hueco);
                std::fflush(stdout);
            }
        }
        ultimaLlegada = std::max(cuando, ultimaLlegada.value_or(cuando));
    }

    double SinDatosMs() const {
        if (!ultimaLlegada || fin) return 0;
        return std::max(0.0, std::chrono::duration<double, std::milli>(Reloj::now() - *ultimaLlegada).count());
    }

    // A host silent for kSinDatosMs is given up, whatever the transport still hopes.
    void Vigilar() {
        if (!fin && !perdido && SinDatosMs() >= kSinDatosMs) {
            perdido = true;
            porque = std::to_string(kSinDatosMs / 1000) + " s sin datos";
        }
    }

    size_t Leer(char* data, size_t size) {
        while (leido == bytes.size()) {
            if (fin || perdido) {
                if (fin) return 0;
                throw GameError("Se ha perdido la conexion con el anfitrion" + (porque.empty() ? "" : ": " + porque));
            }
            // The transport, or Vigilar, reports a host gone silent, so this ends.
            if (StopSignal() != 0) session::StopForSignal();
            Suceso s;
            if (red->Esperar(s, 100)) Atender(s);
            Vigilar();
            if (perdido) Despedirse("Se ha perdido la conexion con el anfitrion" + (porque.empty() ? "" : ": " + porque));
        }
        const size_t n = std::min(size, bytes.size() - leido);
        std::memcpy(data, bytes.data() + leido, n);
        leido += n;
        return n;
    }

    void Flip(int flip, int32_t ms) {
        AtenderTodo();
        if (salir) throw session::Stop(0);
        const std::optional<Reloj::time_point> llegada = Comprobar(flip);
        red->Enviar(kParAnfitrion, kCanalControl, Codificar(Progreso{static_cast<uint32_t>(flip)}));
        Ritmo(flip, ms, llegada);
        EsperarSiguiente(flip);
    }

    // Between flips, with the flip just shown still on the screen: the next one's facts
    // are waited for here, so that a host gone quiet is said over the picture ("Esperando
    // al anfitrion... N s" after kSilencioAvisadoMs) rather than freezing it in mid-frame.
    void EsperarSiguiente(int flip) {
        Reloj::time_point ultimoAviso{};
        while (ultimoFlip <= static_cast<uint32_t>(flip) && !fin && !perdido) {
            Suceso s;
            if (red->Esperar(s, 20)) Atender(s);
            Vigilar();
            input::ForwardNow();
            if (salir) throw session::Stop(0);
            const double callado = SinDatosMs();
            if (callado >= kSilencioAvisadoMs && Reloj::now() - ultimoAviso >= std::chrono::milliseconds(kAvisoCadaMs)) {
                ultimoAviso = Reloj::now();
                // Whole seconds, counted from the first: the notice comes at half of one.
                const int segundos = static_cast<int>(std::ceil(callado / 1000));
                display::ShowNotice("Esperando al anfitrion... " + std::to_string(segundos) + " s");
            }
        }
        if (perdido) Despedirse("Se ha perdido la conexion con el anfitrion" + (porque.empty() ? "" : ": " + porque));
    }

    // The host is given up: the reason in the window first, for kDespedidaMs, then the run
    // ends with it.
    [[noreturn]] void Despedirse(const std::string& texto) {
        if (!despedido) {
            despedido = true;
            const Reloj::time_point hasta = Reloj::now() + std::chrono::milliseconds(kDespedidaMs);
            while (Reloj::now() < hasta) {
                display::ShowNotice(texto);
                std::this_thread::sleep_for(std::chrono::milliseconds(kAvisoCadaMs));
            }
        }
        throw GameError(texto);
    }

    // The host's digest of this flip, when it came, must be this side's. Says when it came.
    std::optional<Reloj::time_point> Comprobar(int flip) {
        while (!resumenes.empty() && resumenes.front().resumen.flip < static_cast<uint32_t>(flip))
            resumenes.pop_front();
        if (resumenes.empty() || resumenes.front().resumen.flip != static_cast<uint32_t>(flip)) return std::nullopt;
        const uint64_t suya = resumenes.front().resumen.huella;
        const Reloj::time_point llegada = resumenes.front().cuando;
        resumenes.pop_front();
        if (opciones.huella && suya != opciones.huella())
            throw GameError("Esta partida se ha separado de la del anfitrion en el flip " + std::to_string(flip) +
                            ": un dato de fuera no llego por el diario");
        return llegada;
    }

    void Correr(bool si, int flip) {
        if (si == corriendo) return;
        corriendo = si;
        display::SetSkipping(si);
        audio::SetMuted(si);
        compas.Reiniciar();
        if (si)
            std::printf("Poniendose al dia con el anfitrion (flip %d de %u)...\n", flip, ultimoFlip);
        else
            std::printf("En directo (flip %d)\n", flip);
        std::fflush(stdout);
    }

    void Ritmo(int flip, int32_t ms, std::optional<Reloj::time_point> llegada) {
        const int atraso = static_cast<int>(ultimoFlip) - flip;
        if (!corriendo && atraso > kFlipsMuyAtras) Correr(true, flip);
        if (corriendo && atraso <= kFlipsEnDirecto) Correr(false, flip);
        // The rig runs as fast as the stream comes; so does a follower catching up.
        if (corriendo || session::Current().virtualClock) return;
        compas.Flip(ms, llegada ? std::optional<double>(clockseam::MonotonicMs(*llegada)) : std::nullopt);
        const std::optional<double> cuando = compas.Siguiente();
        if (!cuando) return;
        const double falta = std::min(*cuando - clockseam::MonotonicMs(), static_cast<double>(kRetrasoMaxMs));
        if (falta <= 0) return;  // late: the next flip is taken up at once
        // The wait goes in short steps, this player's keys leaving for the host as they come.
        const Reloj::time_point hasta = Reloj::now() + std::chrono::duration_cast<Reloj::duration>(
                                                             std::chrono::duration<double, std::milli>(falta));
        session::WaitBegin();
        for (Reloj::time_point ahora = Reloj::now(); ahora < hasta; ahora = Reloj::now()) {
            input::ForwardNow();
            std::this_thread::sleep_for(std::min<Reloj::duration>(hasta - ahora, std::chrono::milliseconds(1)));
        }
        session::WaitEnd();
    }
};

namespace {
class Flujo final : public journal::ByteSource {
   public:
    explicit Flujo(Seguidor::Estado* e) : e(e) {}
    size_t Read(char* data, size_t size) override { return e->Leer(data, size); }

   private:
    Seguidor::Estado* e;
};
}  // namespace

Seguidor::Seguidor(const OpcionesSeguidor& opciones) : e(std::make_unique<Estado>()) {
    e->opciones = opciones;
    e->donde = (opciones.anfitrion.find(':') != std::string::npos ? "[" + opciones.anfitrion + "]" : opciones.anfitrion) +
               ":" + std::to_string(opciones.puerto);
    e->red = Transporte::Conectar(opciones.anfitrion, opciones.puerto, opciones.esperaMs);
}

bool Seguidor::Entrar() {
    if (e->dentro) return true;
    Suceso s;
    while (!e->dentro && e->red->Tomar(s)) {
        if (s.tipo == Suceso::Conectado) {
            e->conectado = true;
            Hola hola;
            hola.version = journal::kGameVersion;
            hola.formato = journal::kFormatVersion;
            hola.espectador = e->opciones.espectador;
            hola.asiento = e->opciones.espectador ? -1 : e->opciones.asiento;
            hola.nombre = e->opciones.nombre;
            hola.datos = e->opciones.datos;
            hola.token = e->opciones.token;
            e->red->Enviar(kParAnfitrion, kCanalControl, Codificar(hola));
            continue;
        }
        if (s.tipo == Suceso::Desconectado) {
            if (!e->conectado) throw GameError("No se puede conectar con " + e->donde);
            throw GameError("El anfitrion ha cerrado la conexion" + (s.porque.empty() ? "" : ": " + s.porque));
        }
        std::string motivo;
        std::optional<Mensaje> m = Decodificar(s.bytes.data(), s.bytes.size(), &motivo);
        if (!m) throw GameError("El anfitrion ha enviado un mensaje no valido: " + motivo);
        if (const Rechazo* r = std::get_if<Rechazo>(&*m)) throw GameError(TextoRechazo(*r, Lado::Cliente));
        if (const Bienvenida* b = std::get_if<Bienvenida>(&*m)) {
            e->asiento = b->asiento;
            e->anfitrion = b->nombre;
            e->token = b->token;
            e->dentro = true;
            e->Llego(s.llegada);
        }
        // Nothing else comes before the welcome; journal bytes may follow it at once.
    }
    if (e->dentro) {
        Estado* st = e.get();
        session::SetFlipListener([st](int flip, int32_t ms) { st->Flip(flip, ms); });
        return true;
    }
    if (Segundos() * 1000 > e->opciones.esperaMs) {
        if (!e->conectado) throw GameError("No se puede conectar con " + e->donde);
        throw GameError("El anfitrion " + e->opciones.anfitrion + " no contesta");
    }
    return false;
}

void Seguidor::EsperarEntrada() {
    while (!Entrar()) {
        if (StopSignal() != 0) throw session::Stop(0);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

double Seguidor::Segundos() const { return std::chrono::duration<double>(Reloj::now() - e->inicio).count(); }

Seguidor::~Seguidor() {
    session::SetFlipListener({});
    if (e->corriendo) {
        display::SetSkipping(false);
        audio::SetMuted(false);
    }
}

int Seguidor::Asiento() const { return e->asiento; }
std::string Seguidor::NombreAnfitrion() const { return e->anfitrion; }
uint64_t Seguidor::Token() const { return e->token; }
double Seguidor::SinDatosMs() const { return e->SinDatosMs(); }
std::unique_ptr<journal::ByteSource> Seguidor::Flujo() { return std::make_unique<net::Flujo>(e.get()); }

void Seguidor::Enviar(const Entrada& entrada) {
    if (e->asiento >= 0 && !e->salir) e->red->Enviar(kParAnfitrion, kCanalEntrada, Codificar(entrada));
}

void Seguidor::Salir() { e->salir = true; }
bool Seguidor::HaSalido() const { return e->salir; }
bool Seguidor::AnfitrionTermino() const { return e->fin; }

}  // namespace net
