#pragma once
// The network under online play: one thread owns an ENet host (the game's host listening,
// or a client connected to it) and is the only code that calls ENet once it runs; the game
// thread hands it packets to send and takes what arrived through two queues. Peers are
// numbered by the transport (never reused within one run), so a packet queued for a peer
// that has gone cannot reach whoever connects next.
//
// Every channel is reliable and ordered, each on its own: the journal stream, the control
// messages and the players' input. Input is reliable too because a lost "button up" would
// leave a seat's button held and a lost "down" would swallow a hit; input packets are a few
// bytes and rare, so resending costs nothing, and on its own channel a journal chunk
// waiting to be resent never holds an input back.
//
// Timeouts: a peer that acknowledges nothing for kSinRespuestaMs (10 s) is dropped, and a
// blackout shorter than that costs a pause, not a player. ENet doubles the delay between
// resends of a packet each time (after a 5 s outage it stayed silent 5 to 13 s more); the
// thread caps that delay at kReenvioTopeMs (or twice the round trip on a slow link), so the
// stream is live again within a fraction of a second of the link coming back.
//
// Slots belong to players: a connection that has not been let in (Aceptar) within
// kSaludoMs is dropped, and at most kMaxSinSaludo connections wait to be let in, at most
// kMaxSinSaludoPorDireccion from one address; ENet's own half-open handshakes are dropped
// after kSaludoMs too. Whoever finds no room is dropped without an answer and counted; the
// host prints once a minute how many it dropped and from where.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace net {

inline constexpr uint32_t kSinRespuestaMs = 10000;
inline constexpr uint32_t kReenvioTopeMs = 250;
inline constexpr uint32_t kSaludoMs = 3000;
inline constexpr size_t kMaxSinSaludo = 16;
inline constexpr size_t kMaxSinSaludoPorDireccion = 4;
// Between two lines about dropped connections.
inline constexpr uint32_t kAvisoCortadasMs = 60000;
// Bytes that may wait, received but not yet taken by the game, from one peer: past it the
// peer is dropped (a client or host flooding us, or a game thread stuck).
inline constexpr size_t kMaxPendiente = 64u << 20;
// How long the destructor waits at most for queued packets to be delivered before leaving
// (a client catching up through a poor link takes its time), ending sooner when every peer
// has its packets or has fallen silent.
inline constexpr int kEsperaDespedidaMs = 15000;

// On a client, its one peer: the host.
inline constexpr int kParAnfitrion = 0;

struct Suceso {
    enum Tipo { Conectado, Desconectado, Datos } tipo = Datos;
    int par = -1;  // the peer (kParAnfitrion on a client; 1, 2, ... on the host)
    int canal = 0;
    std::vector<uint8_t> bytes;  // Datos: one packet, as received (untrusted)
    // Desconectado: the peer vanished (no answer until the timeout) or was dropped here,
    // rather than leaving (or being closed) politely; porque says which, in Spanish.
    bool perdido = false;
    std::string porque;
    // When the network thread received it (a follower paces itself by the host's arrivals).
    std::chrono::steady_clock::time_point llegada{};
};

enum Canal { kCanalDiario = 0, kCanalControl = 1, kCanalEntrada = 2, kCanales = 3 };

class Transporte {
   public:
    // Host: listens on every address at puerto (0: any free port, see Puerto) for at most
    // maxPares peers let in (Aceptar). One more who connects while that many are in is told
    // Rechazo::Lleno and closed, so he learns why. Throws GameError with a Spanish message when the port cannot be opened.
    static std::unique_ptr<Transporte> Escuchar(uint16_t puerto, size_t maxPares);
    // Client: starts connecting to anfitrion (a name or an IPv4 address) at puerto, without
    // waiting: a Conectado follows when the host answers, a Desconectado when nobody does
    // within esperaMs. Throws GameError "No se encuentra el anfitrion NAME" when the name
    // does not resolve (the one wait: the name service's).
    static std::unique_ptr<Transporte> Conectar(const std::string& anfitrion, uint16_t puerto, int esperaMs);
    // Delivers what is queued (see kEsperaDespedidaMs), says goodbye to every peer, and
    // ends the thread.
    ~Transporte();
    Transporte(const Transporte&) = delete;
    Transporte& operator=(const Transporte&) = delete;

    // Queues one packet (one message) for a peer; dropped silently when the peer has gone
    // (its Desconectado says so).
    void Enviar(int par, Canal canal, std::vector<uint8_t> bytes);
    // Disconnects a peer politely once its queued packets are delivered.
    void Cerrar(int par);
    // Host: the peer said hello and was let in; it no longer counts against the waiting
    // connections and keeps its slot.
    void Aceptar(int par);
    // The next event without waiting; false when none.
    bool Tomar(Suceso& s);
    // The next event, waiting up to ms milliseconds; false when none came.
    bool Esperar(Suceso& s, int ms);
    // ENet's running mean of the round trip to a peer, ms; -1 for a peer not connected.
    int IdaYVueltaMs(int par) const;
    // Payload bytes handed to ENet for a peer so far (for measuring the stream's rate).
    size_t BytesEnviados(int par) const;
    // The local port: the one listened on, or the client's own.
    uint16_t Puerto() const;
    // The peer's address as "1.2.3.4:5678" (for messages); empty for an unknown peer.
    std::string Direccion(int par) const;

    struct Estado;  // the thread's and the queues' state (transporte.cpp)
    explicit Transporte(std::unique_ptr<Estado> e);

   private:
    std::unique_ptr<Estado> e;
};

// The IPv4 addresses this machine can be reached at, for the players screen: those of its
// interfaces that are up, loopback last (so the list is never empty on a working machine).
std::vector<std::string> DireccionesLocales();

// Reads "host", "host:port", "[v6]:port" or a bare IPv6 address into host and port
// (kDefaultPort when none is given). false, with a Spanish message in error, for a bad one.
bool LeerDireccion(const std::string& texto, std::string& anfitrion, uint16_t& puerto, std::string& error);

}  // namespace net
