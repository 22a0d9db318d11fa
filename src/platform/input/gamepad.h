#pragma once
// Game controllers. The SDL side finds controllers (hot-plug, mappings, a default
// mapping for unknown ones) and hands every connection, button and axis change to
// input::ControllerEvent, the one door through which controller input enters the game.
// There each controller is given a seat and its buttons become that seat's key and mouse
// events (see platform/seats.h), or menu keys when its seat plays no part right now.
#include <string>
#include <vector>

union SDL_Event;

namespace gamepad {

// ---- SDL side (gamepad.cpp) ----
// Starts controller support. onlyVirtual (headless runs) takes no physical controller, so
// that a scripted run sees only the rig's controllers; it also starts SDL's controller
// subsystem only when the first of them is connected. seatOrder: the seats (0..3) given
// to controllers in connection order.
void Startup(bool onlyVirtual, const std::vector<int>& seatOrder);
void Shutdown();
// Takes an SDL joystick or controller event; false for any other event.
bool HandleSdlEvent(const SDL_Event& e);
// The controller mapping file read at start-up, in the settings folder.
std::string MappingsFile();
// A controller moved the pointer to (x, y) on the logical screen: the system's mouse
// cursor goes there too, so the player sees it (not in headless runs, which show no cursor).
void ShowPointerAt(int x, int y);

// The rig's virtual controllers, numbered by the script (n >= 1). Each call drives SDL's
// virtual joystick and then takes the resulting SDL events at once, so the change is seen
// by the same event processing. Misuse (a button of a pad never connected) is reported on
// standard error and ignored.
void VirtualConnect(int n);
void VirtualDisconnect(int n);
void VirtualButton(int n, int button, bool down);  // button: SDL_GameControllerButton
void VirtualAxis(int n, int axis, int value);       // axis: SDL_GameControllerAxis

// SDL's names ("a", "dpleft", "leftx"); -1 for an unknown name.
int ButtonFromName(const std::string& name);
int AxisFromName(const std::string& name);

// ---- translation to seat events (pad_input.cpp) ----
// Forgets every controller; the seats are given in this order from now on.
void ResetTranslation(const std::vector<int>& seatOrder);
// The published seat map changed: held buttons are re-read under the new roles.
void RolesChanged();
// Once per flip: pointer movement by the stick and repeats of held directions. Called by
// the event processing; does nothing the second time in the same flip.
void Tick(int flip);
// True while a controller sits at the seat.
bool SeatHasController(int seat);
// The controller button that presses `key` for the seat right now ("A", "<", ">"), or
// empty when the seat has no controller or does not play that key.
std::string ButtonLabel(int seat, int key);

}  // namespace gamepad
