#pragma once
// Seams between the platform's own files. Game code never includes this.
#include <cstdint>
#include <string>

struct SDL_Window;

namespace platform_detail {
// graphics: shows the back buffer; waitRetrace asks the driver to wait for vsync.
void PresentFrame(bool waitRetrace);
// graphics: saves the back buffer (window pixels) as PNG; false without a display.
bool SaveBackBufferPNG(const std::string& path);
// graphics: the window, or nullptr.
SDL_Window* Window();
// graphics: the refresh rate given to Graphics (0 when none).
int RefreshRate();
// flip: forgets the software pacing schedule (a new run starts it afresh).
void ResetPacing();
// flip: the virtual clock's next retrace time after now (ms), on the fixed 1000/rate
// schedule; always later than now and at most one period away.
int64_t NextRetrace(int64_t now, int rate);
// input: takes pending SDL events and due script events into the input state.
void PumpEvents();
// sound: opens the device (or the silent mixer when silent or no device exists).
void AudioInit(bool silent);
void AudioShutdown();
// sound: the virtual clock moved by ms; the silent mixer advances its channels.
void AudioAdvance(int ms);
// sound: mixes the next frames of every channel into out (interleaved stereo, device
// rate) and advances them, as the device callback does (tests, fuzzing).
void AudioMix(int16_t* out, int frames);
}  // namespace platform_detail
