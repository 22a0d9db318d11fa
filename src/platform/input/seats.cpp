#include "platform/input/seats.h"

#include "platform/input/gamepad.h"

namespace seats {
namespace {
Map published;
const Role kNone;
}  // namespace

void Publish(const Map& map) {
    published = map;
    // Buttons held across the change now mean the new role's keys.
    gamepad::RolesChanged();
}

const Map& Current() { return published; }

const Role& Of(int seat) { return seat >= 0 && seat < kSeats ? published[static_cast<size_t>(seat)] : kNone; }

Map PointerOnly(int seat) {
    Map m;
    if (seat >= 0 && seat < kSeats) m[static_cast<size_t>(seat)].pointer = true;
    return m;
}

Scope::Scope(const Map& map) : previous(published) { Publish(map); }
Scope::~Scope() { Publish(previous); }

}  // namespace seats
