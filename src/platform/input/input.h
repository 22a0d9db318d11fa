#pragma once
// Keyboard and mouse state, filled from real SDL events or from a rig script by the
// same code. Every query processes pending events first. Key codes are Windows
// virtual-key codes (Enter 13, Escape 27, Space 32, Left 37, Up 38, Right 39, Down 40,
// letters are their capital ASCII code).
#include <functional>
#include <string>

union SDL_Event;

enum KeyCode : int {
    KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_ENTER = 13, KEY_ESCAPE = 27, KEY_SPACE = 32,
    KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40,
    KEY_B = 66, KEY_O = 79, KEY_P = 80, KEY_Q = 81, KEY_V = 86, KEY_W = 87, KEY_Y = 89,
};

// Presses since the last query of that key, then reset to 0.
int KeyHit(int key);
// The hits of a key taken as KeyHit takes them, but without processing events again: a
// second key read in the same frame as the first (Escape beside Enter). Every event
// processing counts in a session journal, so a screen reading one more key this way
// replays the journals of earlier builds as they were.
int KeyHitAlso(int key);
// 1 while held.
int KeyDown(int key);
// Clears all hit counters, down flags and the typed-character queue.
void FlushKeys();
// Next typed character (Latin-1 code; Enter 13, Escape 27, Backspace 8, Tab 9), or 0.
int GetChar();
// Mouse position in pixels of the logical screen (the picture as the session has it;
// the window showing it may be of another size).
int MouseX();
int MouseY();
int MouseZ();  // wheel
// Clicks of button 1 (left), 2 (right), 3 (middle) since the last query, then reset.
int MouseHit(int button);
int MouseDown(int button);
// Clears buttons 1-3 and the wheel.
void FlushMouse();
// Processes pending events (real or scripted) without waiting.
void PollSystem();
// True once the window was asked to close (or a script "quit" arrived).
bool AppTerminate();

namespace input {
// Where an event comes from, which decides whether the session journal records it.
enum class Origin {
    Outside,  // the machine or the rig's script (SDL's events, a controller): an outside
              // fact, recorded when recording and, when replaying, left out for the journal's
    Journal,  // given back by a replay: recorded already
    Derived,  // made by the game from facts already recorded (the controllers' seats, the
              // computer players): never recorded
};
// The one door into the input state: every event from every source enters here and is
// translated by the same code.
void Deliver(const SDL_Event& e, Origin origin);

// Derived events, one state change each, through the door above (computer players,
// the controllers' seats, tests): a key of the game's codes goes down or up (Enter,
// Escape, Backspace and Tab type their character too), a character is typed, the
// pointer moves (logical screen pixels), a mouse button (1-3) goes down or up, the wheel turns,
// the window is asked to close.
void KeyEvent(int key, bool down);
void CharEvent(int code);
void MouseMoveEvent(int x, int y);
void MouseButtonEvent(int button, bool down);
void WheelEvent(int dz);
void QuitEvent();
// One controller happening. Every controller input, live, scripted or replayed, enters
// the game through ControllerEvent (see platform/input/gamepad.h), which journals and
// traces it and hands it to the controller hook: the seats above give each controller a
// seat and turn its buttons into that seat's key and mouse events.
struct PadEvent {
    // Pointer: a remote player's mouse, at (control, value) on the logical screen.
    enum Kind { Connect, Disconnect, Button, Axis, Pointer } kind = Connect;
    int pad = 0;      // the run's number for the controller: 1 for the first one connected
    int control = 0;  // a PadButton or a PadAxis
    int value = 0;    // buttons 1 down / 0 up; axes -32768..32767
};
// The controls the game reads, numbered as SDL numbers them (gamepad.cpp checks that).
enum PadButton : int {
    PAD_A = 0,
    PAD_B = 1,
    PAD_START = 6,
    PAD_DPAD_UP = 11,
    PAD_DPAD_DOWN = 12,
    PAD_DPAD_LEFT = 13,
    PAD_DPAD_RIGHT = 14,
    PAD_BUTTONS = 21,  // how many buttons a controller has; a higher number is none
};
enum PadAxis : int { PAD_LEFTX = 0, PAD_LEFTY = 1 };
// An outside fact: it enters through Deliver as an event of the journal's controller type.
void ControllerEvent(const PadEvent& e);
// What a controller event does to the seats (the door's translation calls it).
void ApplyControllerEvent(const PadEvent& e);
// Where controller events go after the door: `event` takes each one as it comes; `tick`
// runs at every event processing after that processing's events (the receiver counts
// flips itself). Empty members: controller events only reach the trace. The platform's
// Startup and Shutdown empty them.
struct ControllerHooks {
    std::function<void(const PadEvent&)> event;
    std::function<void(int flip)> tick;
    // A player over the network took seat (0..3) under name, or left it (empty name).
    std::function<void(int seat, const std::string& name)> remote;
    // Whether this machine's key (virtual-key code; -1 the mouse) is kept from the game:
    // a seat held over the network no longer answers to it. Asked for presses and moves.
    std::function<bool(int key)> blocks;
};
// An outside fact: a player over the network took a seat or left it (empty name; at most
// 31 bytes are kept). It enters through Deliver like a controller's event.
void RemoteSeatEvent(int seat, const std::string& name);
// Online play. source runs at every event processing, after the machine's events: a host
// delivers its remote players' input there, as outside facts the journal keeps.
void SetNetworkSource(std::function<void()> source);
// A follower of a live stream: the machine's and the script's events, which a replay
// leaves out, go to forward instead (its player's seat at the host). Empty: dropped.
void SetForwarder(std::function<void(const SDL_Event&)> forward);
// A follower between flips: the machine's events so far go to the forwarder now rather than
// at the next event processing, so that its player's keys leave for the host at once.
void ForwardNow();
// A host playing fair: hold may keep an outside event of this machine back (true: it
// took the event), to give it later through DeliverHeld, which it does not see again.
void SetHoldBack(std::function<bool(const SDL_Event&)> hold);
void DeliverHeld(const SDL_Event& e);
void SetControllerHooks(ControllerHooks hooks);
// The character a key (virtual-key code) types by itself, as a real keyboard's text input
// gives it without Shift: letters in lower case, digits and Space; 0 for any other key
// (Enter, Escape, Backspace and Tab type theirs inside KeyEvent).
int TypedBy(int key);
// The game's code (virtual-key) of an SDL key, as the keyboard's events are read; 0 for a
// key the game has no use for.
int KeyOf(int sdlKey);
// The mouse position as last set, without processing events (logical screen pixels).
int PointerX();
int PointerY();
// Resets everything (tests).
void Reset();
// While on (a match that can be paused is running), this machine's Escape key no longer
// reaches the game as a key or a typed character: pressing it asks for the pause, which
// TakePauseRequest answers once. Escape derived from a seat (a controller's back button,
// a remote player, a computer) is dropped then. A request survives FlushKeys.
void SetPauseKey(bool on);
bool PauseKey();
// A controller plugged into this machine asks for the pause (its Start button); nothing
// while the pause key is off.
void RequestPause();
// Whether the pause was asked for since the last call (events are processed first).
bool TakePauseRequest();
// A callback run once per flip, at the first event processing after the flip, before
// that processing takes real or scripted events: computer players emit their seats'
// events there, so a person's input of the same frame comes after theirs. Empty: none.
void SetFrameHook(std::function<void()> hook);
}  // namespace input
