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
#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <thread>
#include <variant>

namespace net {

namespace {
// Farther behind the host than this, a follower hurries without drawing or sound; it shows
// the game again once it is this close.
constexpr int kFlipsParaCorrer = 30;
constexpr int kFlipsEnDirecto = 3;
// The longest wait for the even pace at a time (the host's clock may jump, or stop).
constexpr int kRetrasoMaxMs = 250;
// Digests kept waiting for their flip (a follower far behind).
constexpr size_t kMaxResumenes = 1 << 20;
// Bytes of the journal read and used: forgotten in pieces of this size.
constexpr size_t kRecorte = 1 << 20;

using Reloj = std::chrono::steady_clock;
}  // namespace

struct Seguidor::Estado {
    OpcionesSeguidor opciones;
    std::unique_ptr<Transporte> red;
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

    void Atender(const Suceso& s) {
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
            throw GameError(TextoRechazo(*r, Lado::Cliente));
        }
        // Anything else is not for a follower in play: ignored.
    }

    void AtenderTodo() {
        Suceso s;
        while (red->Tomar(s)) Atender(s);
    }

    size_t Leer(char* data, size_t size) {
        while (leido == bytes.size()) {
            if (fin || perdido) {
                if (fin) return 0;
                throw GameError("Se ha perdido la conexion con el anfitrion" + (porque.empty() ? "" : ": " + porque));
            }
            // The transport reports a host gone silent within its timeout, so this ends.
            if (StopSignal() != 0) session::StopForSignal();
            Suceso s;
            if (red->Esperar(s, 200)) Atender(s);
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
        if (!corriendo && atraso > kFlipsParaCorrer) Correr(true, flip);
        if (corriendo && atraso <= kFlipsEnDirecto) Correr(false, flip);
        // The rig runs as fast as the stream comes; so does a follower catching up.
        if (corriendo || session::Current().virtualClock) return;
        compas.Flip(ms, llegada ? std::optional<double>(clockseam::MonotonicMs(*llegada)) : std::nullopt);
        const std::optional<double> cuando = compas.Siguiente();
        if (!cuando) return;
        const double espera = std::min(*cuando - clockseam::MonotonicMs(), static_cast<double>(kRetrasoMaxMs));
        if (espera <= 0) return;  // late: the next flip is taken up at once
        // The wait goes in short steps, this player's keys leaving for the host as they come.
        const Reloj::time_point hasta = Reloj::now() + std::chrono::duration_cast<Reloj::duration>(
                                                             std::chrono::duration<double, std::milli>(espera));
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
    e->red = Transporte::Conectar(opciones.anfitrion, opciones.puerto, opciones.esperaMs);
    Hola hola;
    hola.version = journal::kGameVersion;
    hola.formato = journal::kFormatVersion;
    hola.espectador = opciones.espectador;
    hola.asiento = opciones.espectador ? -1 : opciones.asiento;
    hola.nombre = opciones.nombre;
    hola.datos = opciones.datos;
    e->red->Enviar(kParAnfitrion, kCanalControl, Codificar(hola));
    // The answer: a welcome or a refusal; journal bytes may follow a welcome at once.
    const auto limite = Reloj::now() + std::chrono::milliseconds(opciones.esperaMs);
    bool dentro = false;
    while (!dentro) {
        if (Reloj::now() > limite)
            throw GameError("El anfitrion " + opciones.anfitrion + " no contesta");
        if (StopSignal() != 0) throw session::Stop(0);
        Suceso s;
        if (!e->red->Esperar(s, 100)) continue;
        if (s.tipo == Suceso::Desconectado)
            throw GameError("El anfitrion ha cerrado la conexion" + (s.porque.empty() ? "" : ": " + s.porque));
        if (s.tipo != Suceso::Datos) continue;
        std::string motivo;
        std::optional<Mensaje> m = Decodificar(s.bytes.data(), s.bytes.size(), &motivo);
        if (!m) throw GameError("El anfitrion ha enviado un mensaje no valido: " + motivo);
        if (const Rechazo* r = std::get_if<Rechazo>(&*m)) throw GameError(TextoRechazo(*r, Lado::Cliente));
        if (const Bienvenida* b = std::get_if<Bienvenida>(&*m)) {
            e->asiento = b->asiento;
            e->anfitrion = b->nombre;
            dentro = true;
        }
    }
    Estado* st = e.get();
    session::SetFlipListener([st](int flip, int32_t ms) { st->Flip(flip, ms); });
}

Seguidor::~Seguidor() {
    session::SetFlipListener({});
    if (e->corriendo) {
        display::SetSkipping(false);
        audio::SetMuted(false);
    }
}

int Seguidor::Asiento() const { return e->asiento; }
std::string Seguidor::NombreAnfitrion() const { return e->anfitrion; }
std::unique_ptr<journal::ByteSource> Seguidor::Flujo() { return std::make_unique<net::Flujo>(e.get()); }

void Seguidor::Enviar(const Entrada& entrada) {
    if (e->asiento >= 0 && !e->salir) e->red->Enviar(kParAnfitrion, kCanalEntrada, Codificar(entrada));
}

void Seguidor::Salir() { e->salir = true; }
bool Seguidor::HaSalido() const { return e->salir; }
bool Seguidor::AnfitrionTermino() const { return e->fin; }

}  // namespace net
