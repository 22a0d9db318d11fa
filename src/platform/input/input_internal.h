#pragma once
// What the input room's files share: the event pump and the SDL events a real keyboard,
// mouse or controller would give (the one door they go through is input::Deliver).
// Nothing outside the input room includes this (tests may).
#include <string>

union SDL_Event;

namespace input {
struct PadEvent;

// A controller event as an SDL event of the game's own type (the journal carries it so),
// and back; false when e is not one or holds no valid controller event.
SDL_Event EventFromPad(const PadEvent& e);
bool PadFromEvent(const SDL_Event& e, PadEvent& out);
void ApplyRemoteSeatEvent(int seat, const std::string& name);
// The controller hooks' answer to whether this machine's key (-1 the mouse) is held elsewhere.
bool BlockedKey(int key);

// Takes pending SDL events and due script events into the input state (when replaying,
// the journal's events of this pump stand in for them).
void PumpEvents();
// The events SDL delivers for a real key (virtual-key code) going down (the key, then the
// character it types, if any) or up.
void DeliverKey(int vk, bool down);
// Whether a real key gives this virtual-key code.
bool HasRealKey(int vk);
// SDL's text, mouse and quit events for scripted input (a button at the pointer). All of
// these enter through Deliver as outside facts.
void DeliverText(const std::string& utf8);
void DeliverMouseMove(int x, int y);
void DeliverMouseButton(int button, bool down);
void DeliverQuit();

// The script's events due at or before the current flip, delivered through the door
// (script.cpp).
void DeliverScriptEvents();
}  // namespace input
