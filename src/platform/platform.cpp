#include "platform/platform.h"

#include "platform/input/script.h"
#include "platform/session/journal.h"
#include "platform/sound/device.h"

#include "platform/base/errors.h"
#include "platform/input/gamepad.h"
#include "platform/video/letterbox.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace platform {

namespace {
// The seats given to controllers travel in the session journal as "3,0" (none: empty).
std::string SeatsText(const std::vector<int>& seats) {
    std::string text;
    for (int s : seats) text += (text.empty() ? "" : ",") + std::to_string(s);
    return text;
}
std::vector<int> SeatsFromText(const std::string& text) {
    std::vector<int> seats;
    for (size_t i = 0; i < text.size(); i += 2) {
        const char c = text[i];
        const bool last = i + 1 == text.size();
        if (c < '0' || c > '3' || (!last && text[i + 1] != ',') ||
            std::find(seats.begin(), seats.end(), c - '0') != seats.end())
            throw GameError("El diario da unos asientos de mandos no validos: \"" + text + "\"");
        seats.push_back(c - '0');
    }
    return seats;
}

// The controllers' seats of this run: a replay takes those of the recording.
std::vector<int> PadSeats(const std::vector<int>& fromOptions) {
    return SeatsFromText(journal::Setting("pads", [&] { return SeatsText(fromOptions); }));
}
}  // namespace

void Startup(const session::Options& options) {
    if (options.headless) {
        // Same GL code, no visible window: SDL's offscreen driver renders with Mesa.
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
    }
    // Escape, Alt-Tab and the like must reach the game, not minimise it.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    input::ClearScript();
    if (!options.script.empty()) input::LoadScript(options.script);
    session::Configure(options);
    SetKeepAspect(options.keepAspect);
    input::Reset();
    frame::ResetPacing();
    audio::Init(options.headless);
    gamepad::Startup(options.headless, PadSeats(options.pads));
}

void Shutdown() {
    gamepad::Shutdown();
    EndGraphics();
    audio::Shutdown();
    session::Reset();
    input::ClearScript();
}

}  // namespace platform
