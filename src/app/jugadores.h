#pragma once
// Who plays each seat: the players file jugadores.cfg beside resolucion.cfg, and the
// --cpu and --cpu-level options over it for one run.
//
// The file has one line per character, the name, a space and "persona" or "cpu"
// ("Tarsun persona"), and may have a line "nivel N" with N 1 (easy), 2 (normal) or
// 3 (hard). A missing or malformed file is rewritten with four people at level 2.
#include "engine/asiento/ocupantes.h"
#include "platform/base/settings.h"
#include "platform/session/run.h"

#include <string>

asientos::Eleccion leerJugadores(const std::string& path = settings::PathFor("jugadores.cfg"));
void escribirJugadores(const asientos::Eleccion& eleccion, const std::string& path = settings::PathFor("jugadores.cfg"));

// Checks --cpu (names separated by commas, any case, or "all") and --cpu-level (1, 2, 3).
// Throws GameError with a message listing the valid values.
void comprobarOpcionesCPU(const session::Options& options);
// The choice for this run: the file, with the options over it (the file is not changed
// by them). Throws GameError as comprobarOpcionesCPU.
asientos::Eleccion elegirJugadores(const session::Options& options, const std::string& path = settings::PathFor("jugadores.cfg"));
// elegirJugadores for this run, kept in the session journal ("cpcp 2": c a computer,
// p a person, seat by seat, then the level): a replay takes the recorded choice.
asientos::Eleccion jugadoresDeLaSesion(const session::Options& options);
