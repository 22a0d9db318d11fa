#pragma once
// The display as the rest of the platform sees it: showing a finished frame, reading it
// back for a shot, the window for message boxes and the pointer, and the refresh rate
// the frame's pacing follows. Game code draws through render.h and never needs these.
#include <string>

struct SDL_Window;

namespace display {
// Shows the back buffer; waitRetrace asks the driver to wait for vsync.
void PresentFrame(bool waitRetrace);
// Saves the back buffer (window pixels) as PNG; false without a display.
bool SaveBackBufferPNG(const std::string& path);
// The window, or nullptr.
SDL_Window* Window();
// The refresh rate given to Graphics (0 when none).
int RefreshRate();
}  // namespace display
