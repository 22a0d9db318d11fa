#pragma once
// Seams between the platform's own files. Game code never includes this.
#include <cstdint>
#include <string>

struct SDL_Window;
union SDL_Event;

namespace input {
struct PadEvent;
}

namespace platform_detail {
// input: a controller event as an SDL event of the game's own type (the journal carries
// it so), and back; false when e is not one or holds no valid controller event.
SDL_Event EventFromPad(const input::PadEvent& e);
bool PadFromEvent(const SDL_Event& e, input::PadEvent& out);
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
// input: takes pending SDL events and due script events into the input state (or, when
// replaying, the journal's events of this pump instead).
void PumpEvents();
// input: one event from any source: journalled when recording, then translated into the
// input state by the same code that handles SDL's.
void DeliverEvent(const SDL_Event& e);
// input: the events SDL delivers for a real key (virtual-key code) going down (the key,
// then the character it types, if any) or up.
void DeliverKey(int vk, bool down);
// input: whether a real key gives this virtual-key code.
bool HasRealKey(int vk);
// input: SDL's text, mouse and quit events for scripted input (a button at the pointer).
void DeliverText(const std::string& utf8);
void DeliverMouseMove(int x, int y);
void DeliverMouseButton(int button, bool down);
void DeliverQuit();
// sound: opens the device (or the silent mixer when silent or no device exists).
void AudioInit(bool silent);
void AudioShutdown();
// sound: the virtual clock moved by ms; the silent mixer advances its channels.
void AudioAdvance(int ms);
// sound: mixes the next frames of every channel into out (interleaved stereo, device
// rate) and advances them, as the device callback does (tests, fuzzing).
void AudioMix(int16_t* out, int frames);
}  // namespace platform_detail
