#pragma once
// Seats held by players over the network. At the host such a player is a controller of
// its own, numbered primerMandoRemoto + seat, that never changes seat: its input arrives
// as that controller's buttons and pointer (mandos.cpp turns them into the seat's keys,
// as for any controller), and the seat stops answering to this machine's keyboard and
// mouse. A player who drops out leaves the seat to a computer player until they come back.
// At a follower (the remote player's own machine) entradaRemota turns the keyboard and
// mouse into that controller's buttons and pointer, to send to the host.
#include "platform/input/input.h"

#include <string>
#include <vector>

union SDL_Event;

namespace asientos {

inline constexpr int PRIMER_MANDO_REMOTO = 1000;
inline int mandoRemoto(int s) { return PRIMER_MANDO_REMOTO + s; }

// The name of the player who holds seat s over the network, also while they are away
// (empty: nobody over the network).
std::string nombreRemoto(int s);
// A player over the network holds seat s and is connected.
bool tieneRemoto(int s);
// A player over the network held seat s and dropped out: a computer plays it meanwhile.
bool remotoAusente(int s);
// Whether anybody has held a seat over the network in this run.
bool algunRemoto();

// The name a seat's event carries when the seat goes back to this machine for good (the
// host stopped hosting): no player's name can hold a control character.
inline constexpr const char* kRemotoOlvidado = "\x7f";
// The name a seat's event carries when its player has sent nothing for a while: this mark
// and the whole seconds ("\x01" "3"); "\x01" "0" when the player is heard again.
inline constexpr char kMarcaSilencio = '\x01';
// Whole seconds the player at seat s has sent nothing, as the host last said (0: heard).
int silencioRemoto(int s);
// A seat taken (name), left (empty: it waits for its player) or given back
// (kRemotoOlvidado) over the network, as the journal's event gives it.
void remotoCambiado(int s, const std::string& nombre);
// Forgets every remote seat (a new run).
void olvidarRemotos();

// Whether a key (virtual-key code; -1 for the mouse) of this machine is kept from the
// game because the seat that plays it is held over the network.
bool bloqueadaPorRemoto(int tecla);

// The follower's side: what an event of this machine means for seat s, as controller
// events of seat s's remote controller (none for events that mean nothing to the seat).
// Space and Enter are the A button (the seat's key, or the left button on turn), the
// arrows are the d-pad, the seat's own keys are the buttons that play them, and the mouse
// is the pointer while the seat has it. Escape is the follower's own (its panel).
std::vector<input::PadEvent> entradaRemota(int s, const SDL_Event& e);

}  // namespace asientos
