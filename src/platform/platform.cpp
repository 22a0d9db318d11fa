#include "platform/platform.h"

#include "platform/detail.h"
#include "platform/letterbox.h"
#include "platform/gamepad.h"

#include <SDL2/SDL.h>

#include <cstdlib>

namespace platform {

void Startup(const rig::Options& options) {
    if (options.headless) {
        // Same GL code, no visible window: SDL's offscreen driver renders with Mesa.
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
    }
    // Escape, Alt-Tab and the like must reach the game, not minimise it.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    rig::Configure(options);
    SetKeepAspect(options.keepAspect);
    input::Reset();
    platform_detail::ResetPacing();
    platform_detail::AudioInit(options.headless);
    gamepad::Startup(options.headless, options.pads);
}

void Shutdown() {
    gamepad::Shutdown();
    EndGraphics();
    platform_detail::AudioShutdown();
    rig::Reset();
}

}  // namespace platform
