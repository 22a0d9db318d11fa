#pragma once
// A follower of a match over the network: a player at a seat, or a spectator. It replays
// the host's journal as it arrives, so it computes nothing the host did not decide; after
// every flip it compares its digest with the host's, tells the host how far it has come,
// and keeps an even pace a few flips behind the stream (its playout buffer). Far behind
// (a late join, a spectator), it hurries through the flips without drawing or sound until
// it is live.
#include "net/datos.h"
#include "net/mensajes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace journal {
class ByteSource;
}

namespace net {

// A follower gives its host up after this long without a byte from it (the transport gives
// up at the same time on its side).
inline constexpr int kSinDatosMs = 10000;
// Silences longer than this are announced when the host comes back (for whoever measures).
inline constexpr int kSilencioAvisadoMs = 500;

struct OpcionesSeguidor {
    std::string anfitrion;  // the host's name or address
    uint16_t puerto = kDefaultPort;
    bool espectador = false;
    int asiento = -1;  // the seat asked for, -1 the first free one
    std::string nombre;
    std::vector<ArchivoDatos> datos;  // this side's data fingerprint
    bool relojVirtual = false;        // the rig: no pacing, as fast as the stream comes
    int esperaMs = 5000;              // for the host to answer
    uint64_t token = 0;               // the host's token for this name from before, 0 none
    std::function<uint64_t()> huella;  // the state compared with the host's after each flip
};

class Seguidor {
   public:
    // Starts connecting, without waiting (Entrar follows the handshake). Throws GameError
    // when the host's name does not resolve.
    explicit Seguidor(const OpcionesSeguidor& opciones);
    ~Seguidor();
    Seguidor(const Seguidor&) = delete;
    Seguidor& operator=(const Seguidor&) = delete;

    // Takes the handshake's next steps without waiting: true once let in. Throws GameError
    // with the reason in plain words when the host cannot be reached in esperaMs or
    // refuses (its message names what differs).
    bool Entrar();
    // Entrar until let in (--join, --watch).
    void EsperarEntrada();
    // Seconds since the connection was asked for.
    double Segundos() const;
    // The seat the host gave (-1 a spectator), and the host's name.
    int Asiento() const;
    std::string NombreAnfitrion() const;
    // The token the host gave for coming back (0 none).
    uint64_t Token() const;
    // Milliseconds since anything came from the host (0 while it streams).
    double SinDatosMs() const;
    // The host's journal as it arrives (taken once, by the session). It ends when the host's
    // run has ended; losing the host, or kSinDatosMs without a byte from it, is a GameError
    // saying so.
    std::unique_ptr<journal::ByteSource> Flujo();
    // One input of this machine's player, for its seat at the host.
    void Enviar(const Entrada& entrada);
    // This player closed the window, or left from its panel: the run ends at the end of
    // this flip, and the host is told politely (its transport's goodbye) as it closes.
    void Salir();
    bool HaSalido() const;
    // Whether the host's run ended as it should (its journal's end arrived).
    bool AnfitrionTermino() const;

    struct Estado;

   private:
    std::unique_ptr<Estado> e;
};

}  // namespace net
