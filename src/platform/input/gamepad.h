#pragma once
// Game controllers, the platform's side: finding controllers (hot-plug, mappings, a
// default mapping for unknown ones), the rig's virtual controllers, and turning SDL's
// controller events into input::PadEvent. Every connection, button and axis change goes
// through input::ControllerEvent, the one door through which controller input enters the
// game; the journal and the trace see it there, and the controller hook set with
// input::SetControllerHooks takes it on (the seats give each controller a seat there).
#include <string>

union SDL_Event;
namespace input {
struct PadEvent;
}

namespace gamepad {

// Starts controller support. onlyVirtual (headless runs) takes no physical controller, so
// that a scripted run sees only the rig's controllers; it also starts SDL's controller
// subsystem only when the first of them is connected.
void Startup(bool onlyVirtual);
void Shutdown();
// Takes an SDL joystick or controller event; false for any other event. A follower of a
// live stream, whose machine events go to its forwarder rather than to the game, has its
// own controllers' events turned so too (they reach the forwarder as the game's).
bool HandleSdlEvent(const SDL_Event& e);
// The controller event an event of the game's controller type holds (as the journal
// carries it, and as a follower's forwarder gets its own controllers'); false for any
// other event.
bool PadEventOf(const SDL_Event& e, input::PadEvent& out);
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

// Runs the controller hook's tick for this event processing (input::PumpEvents calls it
// after the processing's events).
void Tick(int flip);

}  // namespace gamepad
