#pragma once
// The display as the rest of the platform sees it: showing a finished frame, reading it
// back for a shot, the window for message boxes and the pointer, the refresh rate the
// frame's pacing follows, and where a window position lies on the logical screen. Game
// code draws through render.h and never needs these.
#include <string>

struct SDL_Window;

namespace display {
// Shows the back buffer; waitRetrace asks the driver to wait for vsync.
void PresentFrame(bool waitRetrace);
// While on, frames are computed, traced and counted but neither drawn nor shown: a
// follower of a live stream hurrying to catch up with its host.
void SetSkipping(bool skip);
bool Skipping();
// Saves the back buffer (window pixels) as PNG; false without a display.
bool SaveBackBufferPNG(const std::string& path);
// Shows text in a dark box over the picture last shown, outside the game's frames (no
// trace, no flip): a follower waiting for its host. The box is drawn over the frame
// just shown, which stays as it was underneath; shown again, it replaces itself.
void ShowNotice(const std::string& text);
// The window, or nullptr.
SDL_Window* Window();
// The refresh rate given to Graphics (0 when none).
int RefreshRate();
// A window position (where SDL measures the mouse) as a position on the logical screen
// the game computes with, and back. Beside a kept 4:3 picture the bars map to its
// nearest edge. Without bars, on a window showing the logical screen at its own size
// (every live run), positions are left exactly as they come.
void WindowToLogical(int& x, int& y);
void LogicalToWindow(int& x, int& y);
}  // namespace display
