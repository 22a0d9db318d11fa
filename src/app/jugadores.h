#pragma once
// Who plays each seat: the players file jugadores.cfg beside resolucion.cfg, and the
// --cpu and --cpu-level options over it for one run.
//
// The file has one line per character, the name, a space and "persona" or "cpu"
// ("Tarsun persona"), and may have a line "nivel N" with N 1 (easy), 2 (normal) or
// 3 (hard), and a line "minijuegos cinco" (a match plays only the five minigames of the
// original board; "minijuegos todos", the default, plays every one). Whatever is missing
// or not understood takes its default (a person, level 2, every minigame); the file is
// written only when the player changes something on the players screen.
#include "engine/asiento/ocupantes.h"
#include "platform/base/settings.h"
#include "platform/session/run.h"

#include <string>

// Every line understood counts; each line not understood (a duplicate included) is named
// on standard error and skipped. A missing file is four people at level 2. Never writes.
asientos::Eleccion leerJugadores(const std::string& path = settings::PathFor("jugadores.cfg"));
void escribirJugadores(const asientos::Eleccion& eleccion, const std::string& path = settings::PathFor("jugadores.cfg"));

// A choice as the journal and a saved match keep it ("cpcp 2 n"), and back; the latter
// throws GameError for a text that is not one.
std::string textoDeJugadores(const asientos::Eleccion& eleccion);
asientos::Eleccion jugadoresDeTexto(const std::string& texto);

// Checks --cpu (names separated by commas, any case, or "all") and --cpu-level (1, 2, 3).
// Throws GameError with a message listing the valid values.
void comprobarOpcionesCPU(const session::Options& options);
// The choice for this run: the file, with the options over it (the file is not changed
// by them). Throws GameError as comprobarOpcionesCPU.
asientos::Eleccion elegirJugadores(const session::Options& options, const std::string& path = settings::PathFor("jugadores.cfg"));
// elegirJugadores for this run, kept in the session journal ("cpcp 2": c a computer,
// p a person, seat by seat, then the level): a replay takes the recorded choice.
asientos::Eleccion jugadoresDeLaSesion(const session::Options& options);

// What jugadores.cfg holds for the players screen to start from: as the run read it at
// its start, or as the screen last changed it (kept in the journal as the setting
// "jugadores_archivo", so that a replay starts the screen from the recorded values).
asientos::Eleccion jugadoresGuardados();
// The players screen's new choice: written to the file (except by a replay or a follower
// of a match over the network), and who plays from now on, with --cpu and --cpu-level
// still over it (kept in the journal as a new "jugadores" setting).
void cambiarJugadores(const asientos::Eleccion& archivo, const std::string& path = settings::PathFor("jugadores.cfg"));

// Whether a match plays every minigame ("Minijuegos: Todos") rather than the five of the
// original board ("Los cinco de siempre"), as jugadores.cfg says. Never writes.
bool leerMiniJuegosTodos(const std::string& path = settings::PathFor("jugadores.cfg"));
// The same for a match starting now, kept in the journal as the setting "minijuegos": a
// journal recorded before the setting existed plays the five.
bool miniJuegosDeLaPartida();
// What the players screen starts from (journaled as "minijuegos_archivo"), and its change:
// saved in jugadores.cfg (except by a replay or a follower), played from the next match on.
bool miniJuegosGuardados();
void cambiarMiniJuegos(bool todos, const std::string& path = settings::PathFor("jugadores.cfg"));
