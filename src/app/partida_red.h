#pragma once
// Online play for this run: hosting a match (--host, or "Crear partida" on the players
// screen), or following a host's match as a player at a seat (--join, or "Unirse") or a
// spectator (--watch). It joins the network layer to the seats: which seats a newcomer
// may take, what a follower's keyboard and mouse mean for its seat, and the state both
// sides compare after every flip.
#include "platform/session/run.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace journal {
class ByteSource;
}

namespace red {

// Before the platform starts, as the options ask: a host starts listening (its journal's
// first line must reach the stream); a follower connects and is let in. Throws GameError
// with the reason in plain words.
void empezar(const session::Options& opciones, const std::string& carpetaDatos);
// A follower's session journal: the host's stream (null when this run follows nobody).
std::unique_ptr<journal::ByteSource> flujo();
// After the platform started: a follower's keyboard, mouse and controllers act for its
// seat, and Escape (or Start) opens its own panel (app/panel_seguidor.h).
void conectarEntrada();
// The run ended with code: ends the journal (journal::Finish), tells the clients or the
// host, and returns the exit code.
int terminar(int codigo);

// ---- the players screen ----
// Starts hosting now, as --host does: "" or what went wrong, in plain words.
std::string crearPartida();
// Stops hosting (the clients' match ends there).
void dejarDeHospedar();
// These three are facts of the run (the screen draws them): a replay and every follower
// get the host's answers.
bool hospedando();
// Where this machine can be reached ("192.168.1.20:7341"), loopback last.
std::vector<std::string> direcciones();
// The players who joined, as "Ana (Pexil)".
std::vector<std::string> jugadores();
// Starts joining the host at direccion in the background: "" when under way, or what
// went wrong at once.
std::string unirse(const std::string& direccion);
// Once a frame while joining: "" while under way (segundos: since it started), or what
// went wrong (segundos -1). Once the host lets this machine in, this run ends and a new
// one starts following that host (Unirse is thrown, for main to catch).
std::string uniendose(int& segundos);
// Escape while joining: the attempt is dropped.
void cancelarUnion();
// The last address joined (red.cfg in the settings folder), "" none.
std::string ultimaDireccion();

// Thrown by unirse: main ends this run and starts following the host.
class Unirse : public std::exception {
   public:
    const char* what() const noexcept override { return "unirse a una partida en red"; }
};
// Whether the last follower's run ended with its host lost or no longer hosting, or with
// its player leaving from its panel (not by the host's run ending, nor by its player
// closing the window): a follower joined from the players screen goes back to the menus.
bool volverAlMenu();
// After Unirse: the options of the run that follows the host.
session::Options opcionesDelSeguidor(const session::Options& actuales);

}  // namespace red
