#pragma once
// The seat, in one room. A seat is one of the four characters; whoever sits there (a
// person at the keyboard and mouse, a controller, a computer player, and later a remote
// player) acts only through that seat's keys and, when the seat has it, the pointer. This
// header holds what a seat is: the one table of the four characters (name, data folder,
// graphics pack, colour), the seat count, and the opponents rule with its keys. Around it:
// papeles.h, the keys and pointer each seat plays with right now (published by the screen
// being played); emisor.h, the one emitter of key and pointer events that every kind of
// occupant uses; ocupantes.h, who sits where; mandos.h, controllers given seats and their
// buttons turned into the seat's keys; cerebro.h, the computer players' brains and the
// events they give; marca_cpu.h, the small mark screens draw beside a computer's seat.
// Everything here lives in namespace asientos and reads only the platform below.
#include "platform/input/input.h"

#include <array>
#include <string>

namespace asientos {

inline constexpr int NUM_ASIENTOS = 4;

// One character, sitting at the seat of its index in PERSONAJES.
struct TPersonaje {
    const char* nombre;   // as written on screen and in jugadores.cfg: "Er_Varsen"
    const char* carpeta;  // its data folder and the stem of its pictures: "ervarsen"
    const char* paquete;  // its graphics pack: "anim/er_varsen.vgp"
    int r, g, b;          // the colour of its name on the board
};

inline constexpr std::array<TPersonaje, NUM_ASIENTOS> PERSONAJES{{
    {"Tarsun", "tarsun", "anim/tarsun.vgp", 0, 120, 0},
    {"Er_Varsen", "ervarsen", "anim/er_varsen.vgp", 0, 100, 255},
    {"Quelbido", "quelbido", "anim/quelbido.vgp", 50, 50, 50},
    {"Pexil", "pexil", "anim/pexil.vgp", 120, 0, 0},
}};

// The character of seat s (0..3; the caller checks the range).
const TPersonaje& personaje(int s);
// The character's name in capitals, as the board shows it ("ER_VARSEN").
std::string rotulo(int s);
// The portrait every screen shows of seat s: "artwork/char-ervarsen.png".
std::string retrato(int s);
// "Tarsun, Er_Varsen, Quelbido, Pexil": the names for messages that list them.
std::string nombresSeguidos();
// The seat of a name, any case; -1 when it is none.
int asientoDe(const std::string& nombre);
// The same, also taking a character's folder name ("ervarsen"), as the command line does.
int asientoDeNombreOCarpeta(const std::string& nombre);

// ---- the opponents rule ----
// In every minigame the seat on turn plays against the other three, taken in increasing
// index as opponents 0, 1 and 2 (with 2 on turn: seats 0, 1 and 3).
std::array<int, 3> oponentes(int turno);
// The keys of opponents 0, 1, 2 in the one-key minigames: Q, B, P.
inline constexpr std::array<int, 3> TECLAS_UNA_TECLA{KEY_Q, KEY_B, KEY_P};
// The two keys (left, right) of opponents 0, 1, 2 in the two-key minigames: Q-W, V-B, O-P.
inline constexpr std::array<std::array<int, 2>, 3> TECLAS_DOS_TECLAS{
    {{KEY_Q, KEY_W}, {KEY_V, KEY_B}, {KEY_O, KEY_P}}};

}  // namespace asientos
