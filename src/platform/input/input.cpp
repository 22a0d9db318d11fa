#include "platform/input/input.h"

#include "platform/base/system.h"
#include "platform/base/text.h"
#include "platform/input/gamepad.h"
#include "platform/input/input_internal.h"
#include "platform/session/journal.h"
#include "platform/session/run.h"
#include "platform/video/display.h"

#include <SDL2/SDL.h>

#include <array>
#include <cstring>
#include <deque>
#include <string>

namespace {
struct InputState {
    std::array<int, 256> hits{};
    std::array<bool, 256> down{};
    std::deque<int> chars;  // at most 256 waiting
    int mouseX = 0, mouseY = 0, wheel = 0;
    std::array<int, 4> mouseHits{};
    std::array<bool, 4> mouseDown{};
    bool terminate = false;
    bool stopDelivered = false;  // a stop signal was turned into the window's close
};
InputState in;
constexpr size_t kCharQueue = 256;
// While a match can be paused, Escape asks for the pause instead of reaching the game.
bool pauseKey = false;
bool pauseAsked = false;

// The per-flip callback and the flip it last ran for (-1: not yet).
std::function<void()> frameHook;
std::function<void()> networkSource;
std::function<void(const SDL_Event&)> forwarder;
std::function<bool(const SDL_Event&)> holdBack;
bool releasing = false;  // DeliverHeld is giving a held event
int hookFlip = -1;
bool inHook = false;

void RunFrameHook() {
    if (!frameHook || inHook || hookFlip == session::FlipCount()) return;
    hookFlip = session::FlipCount();
    // A brain reading input inside does not run the hook again; the flag is cleared
    // even when the hook ends the run by throwing.
    struct Guard {
        Guard() { inHook = true; }
        ~Guard() { inHook = false; }
    } guard;
    frameHook();
}

void PushChar(int code) {
    if (in.chars.size() < kCharQueue) in.chars.push_back(code);
}

// Windows virtual-key code of an SDL key, or 0 when the game has no use for it.
int VirtualKey(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return 112 + (k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return 97 + (k - SDLK_KP_1);
    switch (k) {
        case SDLK_BACKSPACE: return 8;
        case SDLK_TAB: return 9;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return 13;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return 16;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return 17;
        case SDLK_LALT:
        case SDLK_RALT: return 18;
        case SDLK_PAUSE: return 19;
        case SDLK_ESCAPE: return 27;
        case SDLK_SPACE: return 32;
        case SDLK_PAGEUP: return 33;
        case SDLK_PAGEDOWN: return 34;
        case SDLK_END: return 35;
        case SDLK_HOME: return 36;
        case SDLK_LEFT: return 37;
        case SDLK_UP: return 38;
        case SDLK_RIGHT: return 39;
        case SDLK_DOWN: return 40;
        case SDLK_INSERT: return 45;
        case SDLK_DELETE: return 46;
        case SDLK_KP_0: return 96;
        default: return 0;
    }
}

int SdlButton(uint8_t b) {
    switch (b) {
        case SDL_BUTTON_LEFT: return 1;
        case SDL_BUTTON_RIGHT: return 2;
        case SDL_BUTTON_MIDDLE: return 3;
        default: return 0;
    }
}

void Process() {
    input::PumpEvents();
}

// ---- the state changes every event comes down to ----
void PressKey(int key, bool isDown) {
    if (key <= 0 || key > 255) return;
    if (isDown) {
        if (!in.down[key]) ++in.hits[key];
        in.down[key] = true;
        // These keys type a character of their own; arrows and the like do not.
        if (key == 8 || key == 9 || key == 13 || key == 27) PushChar(key);
    } else {
        in.down[key] = false;
    }
}
void TypeChar(int code) {
    if (code > 0 && code <= 255) PushChar(code);
}
void MovePointer(int x, int y) {
    in.mouseX = x;
    in.mouseY = y;
}
void PressButton(int button, bool isDown) {
    if (button < 1 || button > 3) return;
    if (isDown && !in.mouseDown[button]) ++in.mouseHits[button];
    in.mouseDown[button] = isDown;
}

// An event the game derives itself travels as an SDL user event of the input room's own
// type: code says which state change, data1 and data2 carry its values. It is never
// journaled, so the journal has no kind for it.
constexpr Uint32 kDerivedEventType = SDL_USEREVENT + 2;
static_assert(kDerivedEventType != journal::kPadEventType && kDerivedEventType != journal::kRemoteSeatEventType);
enum Derived : Sint32 { kKey, kChar, kMove, kButton, kWheel, kQuit };

SDL_Event DerivedEvent(Derived what, int a = 0, int b = 0) {
    SDL_Event e{};
    e.type = kDerivedEventType;
    e.user.code = what;
    e.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(a));
    e.user.data2 = reinterpret_cast<void*>(static_cast<intptr_t>(b));
    return e;
}

void ApplyDerived(const SDL_Event& e) {
    const int a = static_cast<int>(reinterpret_cast<intptr_t>(e.user.data1));
    const int b = static_cast<int>(reinterpret_cast<intptr_t>(e.user.data2));
    // Escape derived from a seat (a controller's or a remote player's back button, a
    // computer) neither pauses nor leaves a match: only this machine's keyboard pauses.
    if (pauseKey && (e.user.code == kKey || e.user.code == kChar) && a == KEY_ESCAPE) return;
    switch (e.user.code) {
        case kKey: PressKey(a, b != 0); break;
        case kChar: TypeChar(a); break;
        case kMove: MovePointer(a, b); break;
        case kButton: PressButton(a, b != 0); break;
        case kWheel: in.wheel += a; break;
        case kQuit: in.terminate = true; break;
        default: break;
    }
}
}  // namespace

namespace input {
void KeyEvent(int key, bool isDown) {
    Deliver(DerivedEvent(kKey, key, isDown), Origin::Derived);
}
void CharEvent(int code) {
    Deliver(DerivedEvent(kChar, code), Origin::Derived);
}
void MouseMoveEvent(int x, int y) {
    Deliver(DerivedEvent(kMove, x, y), Origin::Derived);
}
void MouseButtonEvent(int button, bool isDown) {
    Deliver(DerivedEvent(kButton, button, isDown), Origin::Derived);
}
void WheelEvent(int dz) {
    Deliver(DerivedEvent(kWheel, dz), Origin::Derived);
}
void QuitEvent() {
    Deliver(DerivedEvent(kQuit), Origin::Derived);
}
void Reset() {
    in = InputState{};
    pauseKey = pauseAsked = false;
}
void SetPauseKey(bool on) {
    pauseKey = on;
    if (!on) pauseAsked = false;
}
bool PauseKey() { return pauseKey; }
void RequestPause() {
    if (pauseKey) pauseAsked = true;
}
bool TakePauseRequest() {
    Process();
    const bool asked = pauseAsked;
    pauseAsked = false;
    return asked;
}
int PointerX() { return in.mouseX; }
int PointerY() { return in.mouseY; }
int KeyOf(int sdlKey) {
    return VirtualKey(static_cast<SDL_Keycode>(sdlKey));
}

int TypedBy(int key) {
    if (key >= 'A' && key <= 'Z') return key - 'A' + 'a';
    if ((key >= '0' && key <= '9') || key == KEY_SPACE) return key;
    return 0;
}
void SetFrameHook(std::function<void()> hook) {
    frameHook = std::move(hook);
    hookFlip = -1;
}
}  // namespace input

namespace {
// The mouse of an event from the window (SDL's, or the script's) measured on the logical
// screen instead: the game, the journal and every other source speak of that screen, so
// a replay or a remote viewer may show it in a window of any size.
SDL_Event OnLogicalScreen(SDL_Event e) {
    if (e.type == SDL_MOUSEMOTION) {
        display::WindowToLogical(e.motion.x, e.motion.y);
    } else if (e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP) {
        display::WindowToLogical(e.button.x, e.button.y);
    }
    return e;
}

// What an event does to the input state, whatever its source.
void Translate(const SDL_Event& e) {
    switch (e.type) {
        case SDL_KEYDOWN:
            if (pauseKey && VirtualKey(e.key.keysym.sym) == KEY_ESCAPE) {
                if (!e.key.repeat) pauseAsked = true;
            } else if (!e.key.repeat) {
                PressKey(VirtualKey(e.key.keysym.sym), true);
            } else {
                int vk = VirtualKey(e.key.keysym.sym);
                if (vk == 8 || vk == 9 || vk == 13 || vk == 27) PushChar(vk);
            }
            break;
        case SDL_KEYUP: PressKey(VirtualKey(e.key.keysym.sym), false); break;
        case SDL_TEXTINPUT:
            for (uint16_t c : ToCodePoints(std::string(e.text.text, strnlen(e.text.text, sizeof e.text.text))))
                TypeChar(c);
            break;
        case SDL_MOUSEMOTION: MovePointer(e.motion.x, e.motion.y); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            MovePointer(e.button.x, e.button.y);
            PressButton(SdlButton(e.button.button), e.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_MOUSEWHEEL: in.wheel += e.wheel.y; break;
        case SDL_QUIT: in.terminate = true; break;
        case SDL_WINDOWEVENT:
            // Keys held while the window loses focus never see their release.
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) in.down.fill(false);
            break;
        case kDerivedEventType: ApplyDerived(e); break;
        default:
            // A controller event as the journal carries it, or SDL's own controller events.
            if (input::PadEvent pad; input::PadFromEvent(e, pad)) {
                input::ApplyControllerEvent(pad);
            } else if (e.type == journal::kRemoteSeatEventType) {
                input::ApplyRemoteSeatEvent(static_cast<int>(e.text.windowID),
                                            std::string(e.text.text, strnlen(e.text.text, sizeof e.text.text)));
            } else {
                gamepad::HandleSdlEvent(e);
            }
            break;
    }
}

// The SDL key a Windows virtual-key code comes from (the inverse of VirtualKey), or 0.
SDL_Keycode SdlKeyOf(int vk) {
    static const std::array<SDL_Keycode, 256> table = [] {
        std::array<SDL_Keycode, 256> t{};
        // Scanned from the top so that the first SDL key of a code wins (Enter over
        // keypad Enter, left Shift over right).
        static const SDL_Keycode extra[] = {
            SDLK_BACKSPACE, SDLK_TAB,      SDLK_RETURN, SDLK_LSHIFT, SDLK_LCTRL, SDLK_LALT,   SDLK_PAUSE,
            SDLK_ESCAPE,    SDLK_SPACE,    SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_END, SDLK_HOME,   SDLK_LEFT,
            SDLK_UP,        SDLK_RIGHT,    SDLK_DOWN,   SDLK_INSERT, SDLK_DELETE, SDLK_KP_0,
        };
        auto put = [&](SDL_Keycode k) {
            int code = VirtualKey(k);
            if (code > 0 && code < 256 && t[code] == 0) t[code] = k;
        };
        for (SDL_Keycode k : extra) put(k);
        for (SDL_Keycode k = SDLK_a; k <= SDLK_z; ++k) put(k);
        for (SDL_Keycode k = SDLK_0; k <= SDLK_9; ++k) put(k);
        for (SDL_Keycode k = SDLK_F1; k <= SDLK_F12; ++k) put(k);
        for (SDL_Keycode k = SDLK_KP_1; k <= SDLK_KP_9; ++k) put(k);
        return t;
    }();
    return vk > 0 && vk < 256 ? table[static_cast<size_t>(vk)] : 0;
}
}  // namespace

namespace {
// The events this machine has queued, as outside facts.
void DeliverMachineEvents() {
    if (!SDL_WasInit(SDL_INIT_EVENTS | SDL_INIT_VIDEO)) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) input::Deliver(OnLogicalScreen(e), input::Origin::Outside);
}

// A press or move of this machine's keyboard or mouse that the seat playing it, held over
// the network, no longer answers to.
bool HeldElsewhere(const SDL_Event& e) {
    switch (e.type) {
        case SDL_KEYDOWN: return !e.key.repeat && input::BlockedKey(VirtualKey(e.key.keysym.sym));
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN: return input::BlockedKey(-1);
        default: return false;
    }
}
}  // namespace

void input::Deliver(const SDL_Event& e, Origin origin) {
    if (origin == Origin::Outside && holdBack && !releasing && holdBack(e)) return;
    // An outside event is a fact: the journal writes it down, or, replaying, stands in for it.
    if (origin == Origin::Outside && !journal::Event(e)) {
        // A follower's own controller: SDL's events are turned into the game's (which come
        // back through here) before they are forwarded.
        if (forwarder && !gamepad::HandleSdlEvent(e)) forwarder(e);
        return;
    }
    if (origin != Origin::Derived && HeldElsewhere(e)) return;
    Translate(e);
}


void input::SetHoldBack(std::function<bool(const SDL_Event&)> hold) { holdBack = std::move(hold); }
void input::DeliverHeld(const SDL_Event& e) {
    releasing = true;
    Deliver(e, Origin::Outside);
    releasing = false;
}

void input::SetNetworkSource(std::function<void()> source) { networkSource = std::move(source); }
void input::SetForwarder(std::function<void(const SDL_Event&)> forward) { forwarder = std::move(forward); }
void input::ForwardNow() {
    // Only a follower's machine events all go to the forwarder; anywhere else they are
    // the game's, and wait for the event processing.
    if (forwarder && session::FollowsStream()) DeliverMachineEvents();
}

bool input::HasRealKey(int vk) { return SdlKeyOf(vk) != 0; }

void input::DeliverKey(int vk, bool isDown) {
    SDL_Event e{};
    e.type = isDown ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = isDown ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = SdlKeyOf(vk);
    e.key.keysym.scancode = SDL_GetScancodeFromKey(e.key.keysym.sym);
    Deliver(e, Origin::Outside);
    if (!isDown) return;
    // A real key types too, whatever the keyboard layout.
    if (const int typed = TypedBy(vk)) DeliverText(std::string(1, static_cast<char>(typed)));
}

void input::DeliverText(const std::string& utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    utf8.copy(e.text.text, sizeof e.text.text - 1);
    Deliver(e, Origin::Outside);
}

void input::DeliverMouseMove(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    Deliver(OnLogicalScreen(e), Origin::Outside);  // the script, like SDL, speaks of the window
}

void input::DeliverMouseButton(int button, bool isDown) {
    static const uint8_t kSdlButtons[4] = {0, SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};
    if (button < 1 || button > 3) return;
    SDL_Event e{};
    e.type = isDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.state = isDown ? SDL_PRESSED : SDL_RELEASED;
    e.button.button = kSdlButtons[button];
    e.button.x = in.mouseX;  // a button event carries where the pointer is
    e.button.y = in.mouseY;
    Deliver(e, Origin::Outside);
}

void input::DeliverQuit() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    Deliver(e, Origin::Outside);
}

void input::PumpEvents() {
    RunFrameHook();
    // The events a replay gives back for this pump (none otherwise); taken first, as the
    // pump counts from there.
    const std::vector<SDL_Event> recorded = journal::PumpEvents(session::FlipCount());
    DeliverMachineEvents();
    if (networkSource) networkSource();
    // A stop signal closes the window: an outside fact like the click on its close box,
    // journaled, so that a replay and the followers end where this run did.
    if (StopSignal() != 0 && !in.stopDelivered && !journal::Replaying()) {
        in.stopDelivered = true;
        DeliverQuit();
    }
    for (const SDL_Event& e : recorded) Deliver(e, Origin::Journal);
    DeliverScriptEvents();
    gamepad::Tick(session::FlipCount());
}

int KeyHit(int key) {
    Process();
    if (key <= 0 || key > 255) return 0;
    int n = in.hits[key];
    in.hits[key] = 0;
    return n;
}

int KeyHitAlso(int key) {
    if (key <= 0 || key > 255) return 0;
    int n = in.hits[key];
    in.hits[key] = 0;
    return n;
}

int KeyDown(int key) {
    Process();
    return (key > 0 && key <= 255 && in.down[key]) ? 1 : 0;
}

void FlushKeys() {
    Process();
    in.hits.fill(0);
    in.down.fill(false);
    in.chars.clear();
}

int GetChar() {
    Process();
    if (in.chars.empty()) return 0;
    int c = in.chars.front();
    in.chars.pop_front();
    return c;
}

int MouseX() {
    Process();
    return in.mouseX;
}
int MouseY() {
    Process();
    return in.mouseY;
}
int MouseZ() {
    Process();
    return in.wheel;
}

int MouseHit(int button) {
    Process();
    if (button < 1 || button > 3) return 0;
    int n = in.mouseHits[button];
    in.mouseHits[button] = 0;
    return n;
}

int MouseDown(int button) {
    Process();
    return (button >= 1 && button <= 3 && in.mouseDown[button]) ? 1 : 0;
}

void FlushMouse() {
    Process();
    in.mouseHits.fill(0);
    in.mouseDown.fill(false);
    in.wheel = 0;
}

void PollSystem() { Process(); }

bool AppTerminate() {
    Process();
    return in.terminate;
}
