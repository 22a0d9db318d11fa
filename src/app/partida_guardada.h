#pragma once
// A match in progress as it stood at its last turn's start, kept in partida.guardada in
// the settings folder, so that a match outlives a crash or a closed window: the main menu
// then offers "Continuar partida", which puts the match back at the start of that turn.
//
// The board is not written down: the game's generator as it was when the board was made
// makes the same board again. The file is text, a line per field:
//   frikipartida-partida 1          format
//   juego 1.0.0                     the game's version (another version's save is foreign)
//   tipo 1                          the board's size class
//   tablero N                       the game's generator before the board was made
//   azar N                          the game's generator at the turn's start
//   cerebros N N ...                the computer players' generator
//   jugadores cpcp 2 n              who plays each seat, level and length
//   turno S                         the slot on turn
//   posicion S P                    slot S stands on square P (one line per slot)
//   estadistica S G P M T           won, lost, deaths, turns (one line per slot)
//   reloj X                         the match's frame timer, seconds (the float's bits)
//   relojes NOMBRE ...              the timers that outlast a screen (TTiempo::estadoDuraderos)
//   fase F                          under the virtual clock: its reading modulo 50 ms
//   raton X Y W H                   the pointer at (X, Y) in a window of W by H pixels
//
// Whether a save is there when the menu shows, and what it holds when resumed, are facts
// of the session journal: a replay shows the same menu and resumes the same match, and
// replays and followers never write or delete the file.
#include "board/juego.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct TPartidaGuardada {
    static constexpr const char* ARCHIVO = "partida.guardada";
    static constexpr const char* APARTADA = "partida.guardada.danada";

    int tipo = TJuego::TIPO_NORMAL;
    int32_t semillaTablero = 0;
    int32_t azar = 0;
    std::string cerebros;
    std::string jugadores;
    int turno = 0;
    std::array<int, 4> posiciones{};
    std::array<TEstadistica, 4> estadisticas{};
    // The virtual clock's place in its 50 ms cycle of retraces (-1: the real clock). A
    // match resumed at the same place sees the same frame steps, so a rig run plays on
    // exactly as the original did.
    int fase = -1;
    // The match's frame timer (seconds since it began, a float: its size decides how the
    // sums of frame steps round, so it is kept to the bit).
    float reloj = 0;
    std::string relojes;  // the timers that outlast a screen, from the match's last clock reading
    // Where the pointer was, in the window's pixels, and the window's size: a computer on
    // turn leaves it wherever its last play put it, and a minigame's first frame aims at it.
    std::array<int, 4> raton{-1, -1, 0, 0};

    // The match now (at a turn's start), with who plays (the text of jugadoresDeTexto).
    static TPartidaGuardada De(const TJuego& juego, const std::string& jugadores);
    std::string texto() const;
    // The save a text holds; nullopt, with what is wrong in error, for a damaged one or
    // one of another version.
    static std::optional<TPartidaGuardada> Leer(const std::string& texto, std::string& error);
    // Puts a match made anew from semillaTablero at the turn's start: squares, turn,
    // statistics and both generators. False (and error) when the board made does not
    // hold the positions (a damaged save). The frame timer and the pointer are put back
    // by the match's first turn itself (reanudarReloj), as the turn starts.
    bool aplicar(TJuego& juego, std::string& error) const;
    void reanudarReloj(TJuego& juego) const;
    // Under the virtual clock, waits until the clock is at the saved place in its cycle.
    void alinearReloj() const;
};

namespace guardado {
// At each turn's start: the match is saved (not by a replay or a follower).
void guardar(const TJuego& juego);
// The match ended or was left: its save goes.
void borrar();
// Whether a save can be resumed, as the main menu asks. A damaged or foreign file is named
// on standard error and moved aside to partida.guardada.danada.
bool hayPartida();
// The save to resume, as the journal keeps it; nullopt when it is gone or damaged (said
// on standard error, the file moved aside).
std::optional<TPartidaGuardada> cargar();
}  // namespace guardado
