#pragma once
// The messages of online play and their bytes. Each message is one ENet packet: one byte
// naming its type, then its fields, little-endian, strings and byte runs with an explicit
// length in front. Everything decoded here came from the network and is refused (with a
// reason) unless every length, count and value is in range and no byte is left over;
// nothing is allocated before the size asking for it has been checked.
//
// Two layouts never change, so that any two builds can still tell each other why they
// cannot play: a Hola starts with the protocol number and the game's version, and a
// Rechazo is [type][reason u8][u16 length][detail].
#include "net/datos.h"
#include "platform/input/input.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace net {

// High byte: 'F', a mark that the packet is ours; low byte: this protocol's number.
inline constexpr uint16_t kProtocolo = 0x4602;
inline constexpr uint16_t kDefaultPort = 7341;

// ---- limits ----
inline constexpr size_t kMaxVersion = 32;       // bytes of a game version
inline constexpr size_t kMaxNombre = 32;        // bytes of a player's name (UTF-8)
inline constexpr size_t kMaxDetalle = 200;      // bytes of a refusal's detail
inline constexpr size_t kMaxRuta = 200;         // bytes of a data file's path
inline constexpr size_t kMaxArchivos = 4096;    // data files in a Hola
inline constexpr size_t kMaxDiario = 32 * 1024; // journal bytes in one Diario
inline constexpr int kAsientos = 4;             // seats 0..3; -1 is none (or a spectator)
inline constexpr int kEjes = input::PAD_LEFTY + 1;  // controller axes the game reads (left stick)
inline constexpr int kBotones = input::PAD_BUTTONS;
inline constexpr int kAnchoVirtual = 1024;      // the pointer's range, virtual units
inline constexpr int kAltoVirtual = 768;
// The largest packet any message can need (a Hola with every data file at its longest);
// the transport refuses bigger ones before they are assembled.
inline constexpr size_t kMaxPaquete = 64 + kMaxVersion + kMaxNombre + kMaxArchivos * (2 + kMaxRuta + 8);

// Client -> host, first: who is asking and with what.
struct Hola {
    uint16_t protocolo = kProtocolo;
    std::string version;       // the game's version
    int32_t formato = 0;       // the journal format
    bool espectador = false;   // only watches
    int asiento = -1;          // the seat asked for, -1 none
    std::string nombre;        // empty: the host gives a default
    std::vector<ArchivoDatos> datos;  // sorted by path, each once
    // The private token the host gave this name before (Bienvenida), 0 none: with it the
    // player takes the seat back at once, even from a connection the host still thinks alive.
    uint64_t token = 0;
    bool operator==(const Hola&) const = default;
};

// Host -> client: accepted.
struct Bienvenida {
    int asiento = -1;  // the seat given, -1 a spectator
    std::string nombre;  // the host's name
    uint64_t token = 0;  // this player's token for coming back (kept in red.cfg)
    bool operator==(const Bienvenida&) const = default;
};

// Host -> client (or said to itself): cannot play, and why.
struct Rechazo {
    // Lleno: every seat and spectator place is taken; SinAsiento: every seat is, and the
    // player may still watch. NoPermitido: the client sent a message it may not send (the
    // detail names it); Cerrada: the host stopped hosting. New reasons go at the end: the
    // numbers travel.
    enum Motivo : uint8_t {
        Version, FormatoDiario, Datos, Lleno, AsientoOcupado, AsientoNoValido, Otro,
        NombreJugando, NoPermitido, Cerrada, SinAsiento
    };
    Motivo motivo = Otro;
    // The other side's value as the side showing it sees it: the other's version or
    // journal format, the differing data path, the seat's character name, a free text.
    std::string detalle;
    bool operator==(const Rechazo&) const = default;
};

// Host -> client: the next bytes of the host's journal.
struct Diario {
    std::string bytes;  // 1..kMaxDiario
    bool operator==(const Diario&) const = default;
};

// Host -> client: the digest of the game's state at a flip, to prove the replay agrees.
struct Resumen {
    uint32_t flip = 0;
    uint64_t huella = 0;
    bool operator==(const Resumen&) const = default;
};

// Client -> host: one input of the client's seat (the host knows which seat that is).
struct Entrada {
    enum Tipo : uint8_t { Boton, Eje, Puntero };
    Tipo tipo = Boton;
    int control = 0;  // Boton: 0..kBotones-1; Eje: 0..kEjes-1
    int valor = 0;    // Boton: 0 up, 1 down; Eje: -32768..32767
    int x = 0, y = 0; // Puntero: 0..1023, 0..767
    uint32_t enviadoMs = 0;  // the client's clock when sent, to measure the delay
    bool operator==(const Entrada&) const = default;
};

// Client -> host: the flip the client has replayed up to.
struct Progreso {
    uint32_t flip = 0;
    bool operator==(const Progreso&) const = default;
};

// Host -> client: who holds each seat from afar (empty: nobody). Informative only.
struct Asientos {
    std::array<std::string, kAsientos> nombres;
    bool operator==(const Asientos&) const = default;
};

// Host -> client: the game ended.
struct Fin {
    int codigo = 0;      // the host's exit code, 0..255
    uint32_t flip = 0;   // the last flip
    bool operator==(const Fin&) const = default;
};

// The order is the wire's: type byte = index + 1.
using Mensaje = std::variant<Hola, Bienvenida, Rechazo, Diario, Resumen, Entrada, Progreso, Asientos, Fin>;

// The bytes of a message. Values out of range are a programming error (GameError naming
// the field): check names from players with NombreValido first.
std::vector<uint8_t> Codificar(const Mensaje& m);
// The message in size bytes, or nullopt with the reason in porque (Spanish, for logs and
// messages). A Hola of another protocol decodes as far as its version (protocolo and
// version filled, the rest left empty and its bytes not read), so the host can say so.
std::optional<Mensaje> Decodificar(const uint8_t* data, size_t size, std::string* porque = nullptr);

// A player's name: at most kMaxNombre bytes of well-formed UTF-8 with no control
// characters (empty is fine: the caller's default applies).
bool NombreValido(const std::string& nombre, std::string* porque = nullptr);
// A data path as it may travel: relative, '/'-separated, no empty, "." or ".." parts,
// printable UTF-8, at most kMaxRuta bytes.
bool RutaValida(const std::string& ruta, std::string* porque = nullptr);

// ---- refusals ----
enum class Lado { Cliente, Anfitrion };
// The Spanish text a player sees for a refusal, on the side given: on the client for what
// the host sent ("Version distinta del anfitrion: 1.0.0 (aqui 1.0.1)"), on the host for
// what it refused ("Version distinta del jugador: ..."). Plain ASCII.
std::string TextoRechazo(const Rechazo& r, Lado lado);
// The host's check of a Hola against itself: its protocol and version, journal format and
// data files. Returns the Rechazo to send (its detail the host's value), and sets aqui to
// the text the host shows for it; nullopt when the client may play (seats are the
// caller's to give).
std::optional<Rechazo> ComprobarHola(const Hola& hola, const std::vector<ArchivoDatos>& misDatos,
                                     std::string* aqui = nullptr);

}  // namespace net
