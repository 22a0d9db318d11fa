#include "platform/video/message_box.h"

#include "platform/session/run.h"
#include "platform/video/display.h"

#include <SDL.h>

#include <cstdio>

void Notify(const std::string& text, bool serious) {
    // Standard output always carries the message, so headless runs and logs see it too.
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    ShowMessageBox(text, serious);
}

void ShowMessageBox(const std::string& text, bool serious) {
    SDL_Window* window = display::Window();
    if (!window || session::Current().headless) return;
    Uint32 kind = serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(kind, "Frikipartida", text.c_str(), window);
}
