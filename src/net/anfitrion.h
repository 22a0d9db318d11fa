#pragma once
// The host of a match over the network. It plays as any run does and records its journal;
// every line the journal writes is kept here and streamed to every client, flip by flip,
// with a digest of the game's state at the end of each flip. A newcomer is first sent the
// whole journal so far, so it can catch up. Clients' input for their seats is injected at
// the next event processing, as outside facts: the journal keeps it like everything else,
// and a recording of a networked match replays offline to the same trace.
//
// Everything a client sends is checked before use (mensajes.h); a client acts only for the
// seat it was given, and nothing it sends reaches a file or a path.
#include "net/datos.h"
#include "net/mensajes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace net {

class Transporte;

// What the host needs from the game above it (the seats live there).
struct Juego {
    // Whether a player over the network may take seat s now (a person at this keyboard
    // plays it). nombre is the newcomer's: a seat waiting for the player who dropped out
    // of it is free to that player only.
    std::function<bool(int s, const std::string& nombre)> asientoLibre;
    // The state the host and its followers compare after each flip.
    std::function<uint64_t()> huella;
    // The name of a seat, for messages ("Pexil").
    std::function<std::string(int s)> nombreAsiento;
    // Whether a minigame is being played (where reaction counts, for --fair).
    std::function<bool()> enMinijuego;
};

struct OpcionesAnfitrion {
    uint16_t puerto = kDefaultPort;
    int esperar = 0;            // players to wait for before the first event processing
    bool relojVirtual = false;  // wait for the seated followers each flip
    // --fair: in minigames this machine's own players' input is held back by the one-way
    // delay of the slowest remote player, so that every seat plays with the same delay.
    bool justo = false;
    std::string nombre;         // the host's player's name
    std::vector<ArchivoDatos> datos;  // this side's data fingerprint
};

class Anfitrion {
   public:
    // Listens, and takes over the journal's line listener, the flip listener and the
    // network source. Throws GameError when the port cannot be opened.
    Anfitrion(const OpcionesAnfitrion& opciones, Juego juego);
    ~Anfitrion();
    Anfitrion(const Anfitrion&) = delete;
    Anfitrion& operator=(const Anfitrion&) = delete;

    // The run ended with code: the rest of the journal (its "end" line) and the end are
    // sent, and every client is let go once it has them (bounded wait).
    void Terminar(int codigo);

    // Stops hosting in the middle of the run: every client is told "El anfitrion ha dejado
    // de hospedar" and let go. The seats they held are the caller's to give back.
    void Cerrar();

    uint16_t Puerto() const;
    // The names of the players who joined and are connected, by seat ("" none).
    std::vector<std::string> Jugadores() const;
    // By seat: whether its player came back with its token (for the host's notes).
    std::vector<bool> Vueltos() const;
    // For the benchmarks: bytes sent to each connected client so far.
    std::vector<size_t> BytesPorCliente() const;

    struct Estado;

   private:
    std::unique_ptr<Estado> e;
};

}  // namespace net
