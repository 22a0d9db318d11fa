#pragma once
// Which keys each seat plays with right now, published by the screen being played (the
// board for the player on turn, a minigame for all four). Whoever sits at a seat acts
// only through these keys and, when the seat has the pointer, the mouse: controllers read
// this map to turn their buttons into the seat's key and mouse events. An empty map (no
// seat has anything) means menus.
#include <array>
#include <vector>

namespace seats {

inline constexpr int kSeats = 4;  // 0 Tarsun, 1 Er_Varsen, 2 Quelbido, 3 Pexil

struct Role {
    // Virtual-key codes: one key is pressed with a controller's A button, two keys with
    // left and right (the first key left).
    std::vector<int> keys;
    bool pointer = false;  // the seat moves the mouse and clicks its left button
    bool empty() const { return keys.empty() && !pointer; }
};
using Map = std::array<Role, kSeats>;

// Replaces the published map.
void Publish(const Map& map);
const Map& Current();
// The role of a seat; an empty role for a seat outside 0..3.
const Role& Of(int seat);

// The board's map: only the seat on turn plays, with the pointer.
Map PointerOnly(int seat);

// Publishes a map for the lifetime of the object, then restores the one before.
class Scope {
   public:
    explicit Scope(const Map& map);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    Map previous;
};

}  // namespace seats
