#pragma once
// Controllers at the seats. Each controller takes a seat when it is connected (in the
// run's seat order); its buttons then press that seat's keys (see papeles.h) and, for the
// seat with the pointer, move and click the mouse, through the controllers' TEmisor. A
// controller whose seat plays no part right now (every controller in the menus) works the
// menus: d-pad or stick as arrows (with repeat), A or Start as Enter, B as Escape. The
// platform finds the controllers and hands their events up through input's controller
// hooks, which empezarMandos installs.
#include <string>
#include <vector>

namespace asientos {

// Starts a run's controllers: forgets every controller, takes the seats (0..3) given to
// controllers in connection order (empty: 0, 1, 2, 3; a replay takes the recording's, from
// the journal's "pads" setting, so this is called where the platform's start-up ends) and
// installs the controller hooks. Throws GameError on a journal's malformed seat list.
void empezarMandos(const std::vector<int>& orden);
// True while a controller sits at seat s.
bool tieneMando(int s);
// The number of the controller at seat s (the run's own count, from 1, as "pad N" in a
// script), or 0 when none sits there (a player over the network is not counted here).
int mandoDe(int s);
// The controller button that presses `tecla` for seat s right now ("A", "<", ">"), or
// empty when the seat has no controller or does not play that key.
std::string botonDeTecla(int s, int tecla);
// The published roles changed (papeles.cpp): held buttons are re-read under the new roles.
void papelesCambiados();

}  // namespace asientos
