#pragma once
// The audio device behind the channels: opened at start-up (or the silent mixer, when the
// run is silent or the machine has no device) and closed at the end. Under the virtual
// clock the silent mixer moves with the clock instead of with a device.
#include <cstdint>

namespace audio {
// Opens the device (or the silent mixer when silent or no device exists).
void Init(bool silent);
void Shutdown();
// Mixes the next frames of every channel into out (interleaved stereo, device rate) and
// advances them, as the device callback does (tests, fuzzing, benchmarks).
void Mix(int16_t* out, int frames);
// Silences the device while the game hurries through frames it does not show (a follower
// catching up with its host); the channels go on as ever.
void SetMuted(bool mute);
}  // namespace audio
