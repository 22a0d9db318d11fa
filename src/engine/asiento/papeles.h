#pragma once
// Which keys each seat plays with right now, published by the screen being played (the
// board for the seat on turn, a minigame for all four). Controllers read this map to turn
// their buttons into the seat's key and mouse events, and the explanation pages to label
// those buttons. An empty map (no seat has anything) means menus.
#include "engine/asiento/asiento.h"

#include <array>
#include <vector>

namespace asientos {

// What one seat plays with.
struct TPapel {
    // Virtual-key codes: one key is pressed with a controller's A button, two keys with
    // left and right (the first key left).
    std::vector<int> teclas;
    bool raton = false;  // the seat moves the mouse and clicks its left button
    bool vacio() const { return teclas.empty() && !raton; }
};
using TPapeles = std::array<TPapel, NUM_ASIENTOS>;

// Replaces the published map; buttons held across the change mean the new keys only once
// let go.
void publicar(const TPapeles& papeles);
const TPapeles& papeles();
// The role of seat s; an empty role for a seat outside 0..3.
const TPapel& papelDe(int s);

// The board's map: only seat s plays, with the pointer.
TPapeles soloRaton(int s);

// Publishes a map for the lifetime of the object, then restores the one before.
class TPapelesPublicados {
   public:
    explicit TPapelesPublicados(const TPapeles& papeles);
    ~TPapelesPublicados();
    TPapelesPublicados(const TPapelesPublicados&) = delete;
    TPapelesPublicados& operator=(const TPapelesPublicados&) = delete;

   private:
    TPapeles anteriores;
};

}  // namespace asientos
