#include "platform/platform.h"

#include "platform/input/script.h"
#include "platform/session/journal.h"
#include "platform/session/journal_reader.h"
#include "platform/sound/device.h"

#include "platform/input/gamepad.h"
#include "platform/video/letterbox.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

namespace {
// Mesa's software rasteriser takes and frees buffers of 64 KB and more on every frame. With
// the C library's moving thresholds each free at the heap's top gave the memory back to the
// system and the next frame asked for it again: some 30 system calls and their fresh pages a
// frame, two thirds of a small window's time. A fixed threshold keeps up to 4 MB free at the
// top; blocks of 128 KB and more still come from their own mappings and go back when freed.
void KeepTheHeapTop() {
#if defined(__GLIBC__)
    mallopt(M_TRIM_THRESHOLD, 4 << 20);
#endif
}
}  // namespace

void Startup(const session::Options& options, std::unique_ptr<journal::ByteSource> stream) {
    KeepTheHeapTop();
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
