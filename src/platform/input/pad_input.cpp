// Controller input turned into seat events. Each controller takes a seat when it is
// connected; its buttons then press that seat's keys and, for the seat with the pointer,
// move and click the mouse, through the same input events the keyboard and mouse use.
// A controller whose seat plays no part right now (every controller in the menus) works
// the menus: d-pad or stick as arrows (with repeat), A or Start as Enter, B as Escape.
#include "platform/input/gamepad.h"
#include "platform/input/input.h"
#include "platform/input/input_internal.h"
#include "platform/input/seats.h"
#include "platform/session/journal.h"
#include "platform/session/run.h"
#include "platform/session/trace.h"
#include "platform/video/render.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <vector>

namespace gamepad {
namespace {

enum Direction { kLeft, kRight, kUp, kDown };
constexpr std::array<int, 4> kArrowKeys{KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN};
constexpr std::array<int, 4> kDpad{SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                                   SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN};

// A stick counts as a direction past kStickOn and stops counting below kStickOff, so
// that a stick resting near the threshold does not chatter.
constexpr int kStickOn = 16000;
constexpr int kStickOff = 12000;
// The stick moves the pointer only outside this dead zone.
constexpr int kDeadZone = 6000;
// Held directions repeat after kRepeatDelay flips, then every kRepeatEvery flips.
constexpr int kRepeatDelay = 24;
constexpr int kRepeatEvery = 6;
// Pointer speed in virtual units per flip at full deflection: kPointerSlow at first,
// growing by kPointerRamp each flip the stick stays out, up to kPointerFast.
constexpr float kPointerSlow = 2.0f;
constexpr float kPointerRamp = 0.5f;
constexpr float kPointerFast = 22.0f;
// One d-pad step of the pointer, in virtual units.
constexpr float kPointerStep = 8.0f;

struct Pad {
    int number = 0;
    int seat = -1;  // -1: no seat free when it came
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> buttons{};
    int leftX = 0, leftY = 0;
    std::array<bool, 4> stick{};       // stick past the threshold, by direction
    // Held when the roles changed: they act again only once let go, so that a button
    // held as the seat's key does not turn into Enter in the menu that follows.
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> staleButtons{};
    std::array<bool, 4> staleStick{};
    std::array<int, 4> heldFlips{};    // flips each direction has been held
    std::vector<int> keysHeld;         // keys this pad holds down right now
    bool mouseHeld = false;
    int stickFlips = 0;                // flips the stick has moved the pointer
    float restX = 0, restY = 0;        // sub-pixel pointer movement carried over
};

struct Translation {
    std::vector<Pad> pads;  // in connection order
    std::vector<int> seatOrder{0, 1, 2, 3};
    std::array<int, 256> keyHolders{};  // pads holding each key down
    int mouseHolders = 0;
    int lastTick = -1;
};
Translation tr;

bool Button(const Pad& p, int b) {
    return p.buttons[static_cast<size_t>(b)] && !p.staleButtons[static_cast<size_t>(b)];
}
bool Held(const Pad& p, Direction d) { return Button(p, kDpad[d]) || (p.stick[d] && !p.staleStick[d]); }

// The character a key types when pressed, as the keyboard's text input gives it.
int TypedBy(int key) {
    if (key >= 'A' && key <= 'Z') return std::tolower(key);
    if ((key >= '0' && key <= '9') || key == KEY_SPACE) return key;
    return 0;  // Enter, Escape and the like type through KeyEvent itself
}

void KeyDownByPad(int key) {
    if (key <= 0 || key > 255) return;
    if (tr.keyHolders[static_cast<size_t>(key)]++ > 0) return;
    input::KeyEvent(key, true);
    if (int c = TypedBy(key)) input::CharEvent(c);
}
void KeyUpByPad(int key) {
    if (key <= 0 || key > 255 || tr.keyHolders[static_cast<size_t>(key)] == 0) return;
    if (--tr.keyHolders[static_cast<size_t>(key)] == 0) input::KeyEvent(key, false);
}

// The pointer moved by (dx, dy) window pixels, kept inside the window.
void MovePointer(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    const int w = GraphicsWidth() > 0 ? GraphicsWidth() : 1024;
    const int h = GraphicsHeight() > 0 ? GraphicsHeight() : 768;
    const int x = std::clamp(input::PointerX() + dx, 0, w - 1), y = std::clamp(input::PointerY() + dy, 0, h - 1);
    input::MouseMoveEvent(x, y);
    ShowPointerAt(x, y);
}
float PixelsPerUnit() { return GraphicsWidth() > 0 ? static_cast<float>(GraphicsWidth()) / 1024.0f : 1.0f; }

void StepPointer(Direction d) {
    const int step = std::max(1, static_cast<int>(kPointerStep * PixelsPerUnit()));
    MovePointer(d == kLeft ? -step : d == kRight ? step : 0, d == kUp ? -step : d == kDown ? step : 0);
}

// What the pad should be holding down now, from its buttons and its seat's role.
void Wanted(const Pad& p, std::vector<int>& keys, bool& mouse) {
    keys.clear();
    mouse = false;
    const seats::Role& role = seats::Of(p.seat);
    if (role.empty()) {
        for (int d = kLeft; d <= kDown; ++d)
            if (Held(p, static_cast<Direction>(d))) keys.push_back(kArrowKeys[static_cast<size_t>(d)]);
        if (Button(p, SDL_CONTROLLER_BUTTON_A) || Button(p, SDL_CONTROLLER_BUTTON_START)) keys.push_back(KEY_ENTER);
        if (Button(p, SDL_CONTROLLER_BUTTON_B)) keys.push_back(KEY_ESCAPE);
        return;
    }
    if (role.keys.size() == 1 && Button(p, SDL_CONTROLLER_BUTTON_A)) keys.push_back(role.keys[0]);
    if (role.keys.size() >= 2) {
        if (Held(p, kLeft)) keys.push_back(role.keys[0]);
        if (Held(p, kRight)) keys.push_back(role.keys[1]);
        // A plays no key here, but a page waiting for any key must still take it: Enter,
        // which no minigame reads.
        if (Button(p, SDL_CONTROLLER_BUTTON_A)) keys.push_back(KEY_ENTER);
    }
    mouse = role.pointer && Button(p, SDL_CONTROLLER_BUTTON_A);
}

// Releases what the pad no longer wants and presses what it newly wants.
void Apply(Pad& p) {
    std::vector<int> keys;
    bool mouse = false;
    Wanted(p, keys, mouse);
    for (int k : p.keysHeld)
        if (std::find(keys.begin(), keys.end(), k) == keys.end()) KeyUpByPad(k);
    for (int k : keys)
        if (std::find(p.keysHeld.begin(), p.keysHeld.end(), k) == p.keysHeld.end()) KeyDownByPad(k);
    p.keysHeld = keys;
    if (mouse != p.mouseHeld) {
        p.mouseHeld = mouse;
        if (mouse ? tr.mouseHolders++ == 0 : --tr.mouseHolders == 0) input::MouseButtonEvent(1, mouse);
    }
}

Pad* Find(int number) {
    for (Pad& p : tr.pads)
        if (p.number == number) return &p;
    return nullptr;
}

int FreeSeat() {
    for (int s : tr.seatOrder) {
        bool taken = false;
        for (const Pad& p : tr.pads) taken = taken || p.seat == s;
        if (!taken) return s;
    }
    return -1;
}

void UpdateStick(Pad& p) {
    auto hysteresis = [](bool was, int v) { return was ? v > kStickOff : v > kStickOn; };
    p.stick[kLeft] = hysteresis(p.stick[kLeft], -p.leftX);
    p.stick[kRight] = hysteresis(p.stick[kRight], p.leftX);
    p.stick[kUp] = hysteresis(p.stick[kUp], -p.leftY);
    p.stick[kDown] = hysteresis(p.stick[kDown], p.leftY);
    for (size_t d = 0; d < 4; ++d) p.staleStick[d] = p.staleStick[d] && p.stick[d];
}

// Deflection past the dead zone, -1..1, squared (keeping the sign) for fine control near
// the centre.
float Deflection(int v) {
    const float a = static_cast<float>(std::max(0, std::abs(v) - kDeadZone)) / static_cast<float>(32767 - kDeadZone);
    const float f = std::min(1.0f, a) * std::min(1.0f, a);
    return v < 0 ? -f : f;
}

void MoveByStick(Pad& p) {
    const float fx = Deflection(p.leftX), fy = Deflection(p.leftY);
    if (fx == 0 && fy == 0) {
        p.stickFlips = 0;
        p.restX = p.restY = 0;
        return;
    }
    const float speed = std::min(kPointerFast, kPointerSlow + kPointerRamp * static_cast<float>(p.stickFlips++));
    const float dx = fx * speed * PixelsPerUnit() + p.restX, dy = fy * speed * PixelsPerUnit() + p.restY;
    const int ix = static_cast<int>(std::trunc(dx)), iy = static_cast<int>(std::trunc(dy));
    p.restX = dx - static_cast<float>(ix);
    p.restY = dy - static_cast<float>(iy);
    MovePointer(ix, iy);
}

void Trace(const input::PadEvent& e) {
    if (!rig::Tracing()) return;
    rig::Record r("pad");
    r.add("pad", e.pad);
    switch (e.kind) {
        case input::PadEvent::Connect: r.add("event", "connect"); break;
        case input::PadEvent::Disconnect: r.add("event", "disconnect"); break;
        case input::PadEvent::Button: {
            const char* name = SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(e.control));
            r.add("event", "button").add("button", name ? name : "?").add("down", e.value);
            break;
        }
        case input::PadEvent::Axis: {
            const char* name = SDL_GameControllerGetStringForAxis(static_cast<SDL_GameControllerAxis>(e.control));
            r.add("event", "axis").add("axis", name ? name : "?").add("value", e.value);
            break;
        }
    }
    r.emit();
}

}  // namespace

void ResetTranslation(const std::vector<int>& seatOrder) {
    tr = Translation{};
    if (!seatOrder.empty()) tr.seatOrder = seatOrder;
}

void RolesChanged() {
    for (Pad& p : tr.pads) {
        p.staleButtons = p.buttons;
        p.staleStick = p.stick;
        Apply(p);
    }
}

void Tick(int flip) {
    if (flip == tr.lastTick) return;
    tr.lastTick = flip;
    for (Pad& p : tr.pads) {
        const seats::Role& role = seats::Of(p.seat);
        const bool repeats = role.empty() || role.pointer;
        for (int d = kLeft; d <= kDown; ++d) {
            int& n = p.heldFlips[static_cast<size_t>(d)];
            // The pointer's stick moves it smoothly (below); only its d-pad steps.
            const bool held = role.pointer ? Button(p, kDpad[static_cast<size_t>(d)]) : Held(p, static_cast<Direction>(d));
            if (!held) {
                n = 0;
                continue;
            }
            // The press itself acted when it came, in this flip's events: n counts the
            // flips since.
            const int since = n++;
            if (!repeats || since < kRepeatDelay || (since - kRepeatDelay) % kRepeatEvery != 0) continue;
            if (role.empty()) {
                const int key = kArrowKeys[static_cast<size_t>(d)];
                input::KeyEvent(key, false);
                input::KeyEvent(key, true);
            } else {
                StepPointer(static_cast<Direction>(d));
            }
        }
        if (role.pointer) MoveByStick(p);
    }
}

bool SeatHasController(int seat) {
    return seat >= 0 && std::any_of(tr.pads.begin(), tr.pads.end(), [&](const Pad& p) { return p.seat == seat; });
}

std::string ButtonLabel(int seat, int key) {
    if (!SeatHasController(seat)) return {};
    const seats::Role& role = seats::Of(seat);
    if (role.keys.size() == 1 && role.keys[0] == key) return "A";
    if (role.keys.size() >= 2 && role.keys[0] == key) return "<";
    if (role.keys.size() >= 2 && role.keys[1] == key) return ">";
    return {};
}

}  // namespace gamepad

void input::ControllerEvent(const PadEvent& e) {
    Deliver(EventFromPad(e), Origin::Outside);
}

// A controller event travels in the journal as an SDL user event of the journal's own type.
namespace {
constexpr Uint32 kPadEventType = journal::kPadEventType;
}

SDL_Event input::EventFromPad(const input::PadEvent& e) {
    SDL_Event out{};
    out.type = kPadEventType;
    out.user.code = static_cast<Sint32>(e.kind);
    out.user.windowID = static_cast<Uint32>(e.pad);
    out.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(e.control));
    out.user.data2 = reinterpret_cast<void*>(static_cast<intptr_t>(e.value));
    return out;
}

bool input::PadFromEvent(const SDL_Event& e, input::PadEvent& out) {
    if (e.type != kPadEventType) return false;
    if (e.user.code < input::PadEvent::Connect || e.user.code > input::PadEvent::Axis) return false;
    out.kind = static_cast<input::PadEvent::Kind>(e.user.code);
    out.pad = static_cast<int>(e.user.windowID);
    out.control = static_cast<int>(reinterpret_cast<intptr_t>(e.user.data1));
    out.value = static_cast<int>(reinterpret_cast<intptr_t>(e.user.data2));
    return true;
}

void input::ApplyControllerEvent(const PadEvent& e) {
    gamepad::Trace(e);
    using gamepad::tr;
    switch (e.kind) {
        case PadEvent::Connect: {
            if (e.pad <= 0 || gamepad::Find(e.pad)) return;
            gamepad::Pad p;
            p.number = e.pad;
            p.seat = gamepad::FreeSeat();
            tr.pads.push_back(p);
            return;
        }
        case PadEvent::Disconnect: {
            gamepad::Pad* p = gamepad::Find(e.pad);
            if (!p) return;
            // Everything it held is let go; its seat is the keyboard's again.
            p->buttons.fill(false);
            p->stick.fill(false);
            gamepad::Apply(*p);
            tr.pads.erase(tr.pads.begin() + (p - tr.pads.data()));
            return;
        }
        case PadEvent::Button: {
            gamepad::Pad* p = gamepad::Find(e.pad);
            if (!p || e.control < 0 || e.control >= SDL_CONTROLLER_BUTTON_MAX) return;
            const bool was = p->buttons[static_cast<size_t>(e.control)];
            p->buttons[static_cast<size_t>(e.control)] = e.value != 0;
            if (e.value == 0) p->staleButtons[static_cast<size_t>(e.control)] = false;
            gamepad::Apply(*p);
            // A d-pad press steps the pointer at once, like a key press.
            if (!was && e.value != 0 && seats::Of(p->seat).pointer)
                for (int d = gamepad::kLeft; d <= gamepad::kDown; ++d)
                    if (gamepad::kDpad[static_cast<size_t>(d)] == e.control) gamepad::StepPointer(static_cast<gamepad::Direction>(d));
            return;
        }
        case PadEvent::Axis: {
            gamepad::Pad* p = gamepad::Find(e.pad);
            if (!p) return;
            const int v = std::clamp(e.value, -32768, 32767);
            if (e.control == SDL_CONTROLLER_AXIS_LEFTX) p->leftX = v;
            else if (e.control == SDL_CONTROLLER_AXIS_LEFTY) p->leftY = v;
            else return;
            gamepad::UpdateStick(*p);
            gamepad::Apply(*p);
            return;
        }
    }
}
