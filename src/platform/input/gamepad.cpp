// Game controllers on SDL: the controller subsystem, mappings, hot-plug, the default
// mapping for controllers SDL does not know, the rig's virtual controllers, and the door
// every controller event passes (journal, trace, then the controller hook).
#include "platform/input/gamepad.h"

#include "platform/base/settings.h"
#include "platform/base/text.h"
#include "platform/input/input.h"
#include "platform/input/input_internal.h"
#include "platform/session/journal.h"
#include "platform/session/run.h"
#include "platform/session/trace.h"
#include "platform/video/display.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <map>
#include <string>

namespace {
constexpr bool Same(int game, int sdl) { return game == sdl; }
}  // namespace
static_assert(Same(input::PAD_A, SDL_CONTROLLER_BUTTON_A) && Same(input::PAD_B, SDL_CONTROLLER_BUTTON_B) &&
                  Same(input::PAD_START, SDL_CONTROLLER_BUTTON_START) &&
                  Same(input::PAD_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_UP) &&
                  Same(input::PAD_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_DOWN) &&
                  Same(input::PAD_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_LEFT) &&
                  Same(input::PAD_DPAD_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) &&
                  Same(input::PAD_BUTTONS, SDL_CONTROLLER_BUTTON_MAX),
              "the game's controller buttons are SDL's");
static_assert(Same(input::PAD_LEFTX, SDL_CONTROLLER_AXIS_LEFTX) && Same(input::PAD_LEFTY, SDL_CONTROLLER_AXIS_LEFTY),
              "the game's controller axes are SDL's");

namespace gamepad {
namespace {

struct Connected {
    SDL_GameController* controller = nullptr;
    int number = 0;  // the run's number, as input::ControllerEvent knows it
};

struct SdlState {
    bool started = false;      // Startup ran
    bool subsystem = false;    // SDL's controller subsystem is running
    bool onlyVirtual = false;  // headless: physical controllers are not taken
    int nextNumber = 1;
    std::map<SDL_JoystickID, Connected> connected;  // by SDL instance id
    std::map<int, SDL_Joystick*> virtuals;          // the rig's pads by script number
};
SdlState sdl;
input::ControllerHooks hooks;

void Warn(const std::string& text) { std::fprintf(stderr, "%s\n", Printable(text, 400).c_str()); }

bool StartSubsystem() {
    if (sdl.subsystem) return true;
    if (sdl.onlyVirtual) {
        // The offscreen window never has the keyboard focus, and SDL drops controller
        // events of an unfocused program unless told otherwise.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
    }
    // SDL reads SDL_GAMECONTROLLERCONFIG itself here.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        Warn(std::string("Mandos: no se pudo iniciar el soporte de mandos: ") + SDL_GetError());
        return false;
    }
    sdl.subsystem = true;
    const std::string file = MappingsFile();
    if (std::FILE* f = std::fopen(file.c_str(), "rb")) {
        std::fclose(f);
        if (SDL_GameControllerAddMappingsFromFile(file.c_str()) < 0)
            Warn("Mandos: no se pudo leer " + file + ": " + SDL_GetError());
    }
    return true;
}

// A mapping for a joystick SDL has none for: the first buttons as A, B, X, Y, the
// shoulders, Back and Start (the usual order of generic pads), the first two axes as the
// left stick, the next two as the right one, and the first hat as the d-pad.
std::string DefaultMapping(int deviceIndex) {
    SDL_Joystick* j = SDL_JoystickOpen(deviceIndex);
    if (!j) return {};
    const int buttons = SDL_JoystickNumButtons(j), axes = SDL_JoystickNumAxes(j), hats = SDL_JoystickNumHats(j);
    SDL_JoystickClose(j);
    char guid[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(deviceIndex), guid, sizeof guid);
    // SDL finds a mapping by vendor and product when the GUID's name checksum (its
    // second 16-bit word) is zero; with the checksum kept it found none here.
    for (int i = 4; i < 8 && guid[i]; ++i) guid[i] = '0';
    std::string m = std::string(guid) + ",Mando generico";
    static const char* const kButtons[] = {"a", "b", "x", "y", "leftshoulder", "rightshoulder", "back", "start"};
    for (int b = 0; b < buttons && b < 8; ++b) m += std::string(",") + kButtons[b] + ":b" + std::to_string(b);
    // With fewer than eight buttons the last one still starts.
    if (buttons > 2 && buttons < 8) m += ",start:b" + std::to_string(buttons - 1);
    static const char* const kAxes[] = {"leftx", "lefty", "rightx", "righty"};
    for (int a = 0; a < axes && a < 4; ++a) m += std::string(",") + kAxes[a] + ":a" + std::to_string(a);
    if (hats > 0) m += ",dpup:h0.1,dpright:h0.2,dpdown:h0.4,dpleft:h0.8";
    return m + ",";
}

void Added(int deviceIndex) {
    if (sdl.onlyVirtual && !SDL_JoystickIsVirtual(deviceIndex)) return;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || sdl.connected.count(id)) return;
    if (!SDL_IsGameController(deviceIndex)) {
        const std::string mapping = DefaultMapping(deviceIndex);
        if (mapping.empty() || SDL_GameControllerAddMapping(mapping.c_str()) < 0) {
            Warn(std::string("Mandos: mando sin asignacion de botones: ") + SDL_GetError());
            return;
        }
    }
    SDL_GameController* c = SDL_GameControllerOpen(deviceIndex);
    if (!c) {
        Warn(std::string("Mandos: no se pudo abrir un mando: ") + SDL_GetError());
        return;
    }
    Connected& k = sdl.connected[id];
    k.controller = c;
    k.number = sdl.nextNumber++;
    input::ControllerEvent({input::PadEvent::Connect, k.number, 0, 0});
}

void Removed(SDL_JoystickID id) {
    auto it = sdl.connected.find(id);
    if (it == sdl.connected.end()) return;
    const int number = it->second.number;
    SDL_GameControllerClose(it->second.controller);
    sdl.connected.erase(it);
    input::ControllerEvent({input::PadEvent::Disconnect, number, 0, 0});
}

int NumberOf(SDL_JoystickID id) {
    auto it = sdl.connected.find(id);
    return it == sdl.connected.end() ? 0 : it->second.number;
}

// Takes the joystick and controller events SDL has queued, leaving every other event.
void TakeQueuedControllerEvents() {
    SDL_JoystickUpdate();
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE) > 0)
        HandleSdlEvent(e);
}

SDL_Joystick* VirtualPad(int n, const char* what) {
    auto it = sdl.virtuals.find(n);
    if (it != sdl.virtuals.end()) return it->second;
    Warn("Guion: " + std::string(what) + " del mando " + std::to_string(n) + ", que no esta conectado");
    return nullptr;
}

int DeviceIndexOf(SDL_Joystick* j) {
    const SDL_JoystickID id = SDL_JoystickInstanceID(j);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) return i;
    return -1;
}

}  // namespace

std::string MappingsFile() { return settings::PathFor("gamecontrollerdb.txt"); }

void ShowPointerAt(int x, int y) {
    if (sdl.onlyVirtual) return;
    display::LogicalToWindow(x, y);
    if (SDL_Window* w = display::Window()) SDL_WarpMouseInWindow(w, x, y);
}

void Startup(bool onlyVirtual) {
    Shutdown();
    sdl.started = true;
    sdl.onlyVirtual = onlyVirtual;
    // Controllers plugged in before start-up arrive as connection events at the first
    // event processing.
    if (!onlyVirtual) StartSubsystem();
}

void Shutdown() {
    for (auto& [n, j] : sdl.virtuals) {
        const int index = DeviceIndexOf(j);
        SDL_JoystickClose(j);
        if (index >= 0) SDL_JoystickDetachVirtual(index);
    }
    for (auto& [id, k] : sdl.connected) SDL_GameControllerClose(k.controller);
    if (sdl.subsystem) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    sdl = SdlState{};
    hooks = {};
}

void Tick(int flip) {
    if (hooks.tick) hooks.tick(flip);
}

bool HandleSdlEvent(const SDL_Event& e) {
    switch (e.type) {
        case SDL_JOYDEVICEADDED: Added(e.jdevice.which); return true;
        case SDL_JOYDEVICEREMOVED: Removed(e.jdevice.which); return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (int n = NumberOf(e.cbutton.which))
                input::ControllerEvent({input::PadEvent::Button, n, e.cbutton.button,
                                        e.type == SDL_CONTROLLERBUTTONDOWN ? 1 : 0});
            return true;
        case SDL_CONTROLLERAXISMOTION:
            if (int n = NumberOf(e.caxis.which))
                input::ControllerEvent({input::PadEvent::Axis, n, e.caxis.axis, e.caxis.value});
            return true;
        default:
            // Raw joystick events and the controller layer's own device events: the
            // controller events above carry everything the game uses.
            return e.type >= SDL_JOYAXISMOTION && e.type <= SDL_CONTROLLERSENSORUPDATE;
    }
}

void VirtualConnect(int n) {
    if (sdl.virtuals.count(n)) {
        Warn("Guion: el mando " + std::to_string(n) + " ya esta conectado");
        return;
    }
    if (!sdl.started || !StartSubsystem()) return;
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
    SDL_Joystick* j = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
    if (!j) {
        Warn(std::string("Guion: no se pudo crear el mando virtual: ") + SDL_GetError());
        if (index >= 0) SDL_JoystickDetachVirtual(index);
        return;
    }
    sdl.virtuals[n] = j;
    TakeQueuedControllerEvents();
}

void VirtualDisconnect(int n) {
    SDL_Joystick* j = VirtualPad(n, "desconexion");
    if (!j) return;
    const int index = DeviceIndexOf(j);
    SDL_JoystickClose(j);
    sdl.virtuals.erase(n);
    if (index >= 0) SDL_JoystickDetachVirtual(index);
    TakeQueuedControllerEvents();
}

void VirtualButton(int n, int button, bool down) {
    SDL_Joystick* j = VirtualPad(n, "boton");
    if (!j) return;
    // The virtual controller's mapping says which raw button plays each named one.
    int raw = button;
    if (SDL_GameController* c = SDL_GameControllerFromInstanceID(SDL_JoystickInstanceID(j))) {
        SDL_GameControllerButtonBind b = SDL_GameControllerGetBindForButton(c, static_cast<SDL_GameControllerButton>(button));
        if (b.bindType == SDL_CONTROLLER_BINDTYPE_BUTTON) raw = b.value.button;
    }
    SDL_JoystickSetVirtualButton(j, raw, down ? 1 : 0);
    TakeQueuedControllerEvents();
}

void VirtualAxis(int n, int axis, int value) {
    SDL_Joystick* j = VirtualPad(n, "eje");
    if (!j) return;
    int raw = axis;
    if (SDL_GameController* c = SDL_GameControllerFromInstanceID(SDL_JoystickInstanceID(j))) {
        SDL_GameControllerButtonBind b = SDL_GameControllerGetBindForAxis(c, static_cast<SDL_GameControllerAxis>(axis));
        if (b.bindType == SDL_CONTROLLER_BINDTYPE_AXIS) raw = b.value.axis;
    }
    SDL_JoystickSetVirtualAxis(j, raw, static_cast<Sint16>(value));
    TakeQueuedControllerEvents();
}

bool PadEventOf(const SDL_Event& e, input::PadEvent& out) { return input::PadFromEvent(e, out); }

int ButtonFromName(const std::string& name) {
    const SDL_GameControllerButton b = SDL_GameControllerGetButtonFromString(name.c_str());
    return b == SDL_CONTROLLER_BUTTON_INVALID ? -1 : static_cast<int>(b);
}

int AxisFromName(const std::string& name) {
    const SDL_GameControllerAxis a = SDL_GameControllerGetAxisFromString(name.c_str());
    return a == SDL_CONTROLLER_AXIS_INVALID ? -1 : static_cast<int>(a);
}

namespace {
void Trace(const input::PadEvent& e) {
    if (!rig::Tracing()) return;
    rig::Record r("pad");
    r.add("pad", e.pad);
    switch (e.kind) {
        case input::PadEvent::Connect: r.add("event", "connect"); break;
        case input::PadEvent::Disconnect: r.add("event", "disconnect"); break;
        case input::PadEvent::Button: {
            const char* name =
                SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(e.control));
            r.add("event", "button").add("button", name ? name : "?").add("down", e.value);
            break;
        }
        case input::PadEvent::Axis: {
            const char* name =
                SDL_GameControllerGetStringForAxis(static_cast<SDL_GameControllerAxis>(e.control));
            r.add("event", "axis").add("axis", name ? name : "?").add("value", e.value);
            break;
        }
        case input::PadEvent::Pointer: r.add("event", "pointer").add("x", e.control).add("y", e.value); break;
    }
    r.emit();
}
}  // namespace

}  // namespace gamepad

void input::ControllerEvent(const PadEvent& e) {
    Deliver(EventFromPad(e), Origin::Outside);
}

void input::ApplyControllerEvent(const PadEvent& e) {
    gamepad::Trace(e);
    if (gamepad::hooks.event) gamepad::hooks.event(e);
}

void input::RemoteSeatEvent(int seat, const std::string& name) {
    SDL_Event e{};
    e.type = journal::kRemoteSeatEventType;
    e.text.windowID = static_cast<Uint32>(seat);
    // Cut at a character's start, so that a long name stays valid UTF-8.
    size_t n = std::min(name.size(), sizeof e.text.text - 1);
    while (n > 0 && n < name.size() && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80) --n;
    std::memcpy(e.text.text, name.data(), n);
    e.text.text[n] = '\0';
    Deliver(e, Origin::Outside);
}

void input::ApplyRemoteSeatEvent(int seat, const std::string& name) {
    if (rig::Tracing()) rig::Record("remote").add("seat", seat).add("name", name).emit();
    if (gamepad::hooks.remote) gamepad::hooks.remote(seat, name);
}

bool input::BlockedKey(int key) {
    return gamepad::hooks.blocks && gamepad::hooks.blocks(key);
}

void input::SetControllerHooks(ControllerHooks h) {
    gamepad::hooks = std::move(h);
}

// A controller event travels in the journal as an SDL user event of the journal's own type.
SDL_Event input::EventFromPad(const input::PadEvent& e) {
    SDL_Event out{};
    out.type = journal::kPadEventType;
    out.user.code = static_cast<Sint32>(e.kind);
    out.user.windowID = static_cast<Uint32>(e.pad);
    out.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(e.control));
    out.user.data2 = reinterpret_cast<void*>(static_cast<intptr_t>(e.value));
    return out;
}

bool input::PadFromEvent(const SDL_Event& e, input::PadEvent& out) {
    if (e.type != journal::kPadEventType) return false;
    if (e.user.code < input::PadEvent::Connect || e.user.code > input::PadEvent::Pointer) return false;
    out.kind = static_cast<input::PadEvent::Kind>(e.user.code);
    out.pad = static_cast<int>(e.user.windowID);
    out.control = static_cast<int>(reinterpret_cast<intptr_t>(e.user.data1));
    out.value = static_cast<int>(reinterpret_cast<intptr_t>(e.user.data2));
    return true;
}
