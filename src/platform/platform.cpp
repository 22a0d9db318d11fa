#include "platform/platform.h"

#include "platform/input/script.h"
#include "platform/session/journal.h"
#include "platform/session/journal_reader.h"
#include "platform/sound/device.h"

#include "platform/input/gamepad.h"
#include "platform/video/letterbox.h"

#include <SDL2/SDL.h>

#include <cstdlib>

namespace platform {

void Startup(const session::Options& options, std::unique_ptr<journal::ByteSource> stream) {
    if (options.headless) {
        // Same GL code, no visible window: SDL's offscreen driver renders with Mesa.
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
    }
    // Escape, Alt-Tab and the like must reach the game, not minimise it.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // The game's own handlers end a run on a stop signal (system.h), journal closed.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A journal that cannot be written is said in the window's title too: the player at
    // the screen sees it while the game plays on.
    journal::SetWriteFailureListener([](const std::string& message) {
        if (SDL_Window* window = SDL_GL_GetCurrentWindow())
            SDL_SetWindowTitle(window, ("Frikipartida - " + message).c_str());
    });
    input::ClearScript();
    if (!options.script.empty()) input::LoadScript(options.script);
    if (stream)
        session::Configure(options, std::move(stream), "anfitrion");
    else
        session::Configure(options);
    SetKeepAspect(options.keepAspect);
    input::Reset();
    frame::ResetPacing();
    audio::Init(options.headless);
    gamepad::Startup(options.headless);
}

void Shutdown() {
    gamepad::Shutdown();
    EndGraphics();
    audio::Shutdown();
    session::Reset();
    input::ClearScript();
}

}  // namespace platform
