// Sound loading from untrusted bytes (WAV and Ogg Vorbis), then a few hundred frames of
// mixing of a channel playing whatever loaded, at a rate and pan taken from the input.
#include "platform/session/clock.h"
#include "platform/sound/device.h"
#include "platform/sound/sound.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    clockseam::UseVirtualClock();
    audio::Init(true);
    int flags = size > 0 ? (data[size - 1] & 3) : 0;
    TSoundPtr sound = LoadSoundFromMemory(data, size, flags, "fuzz");
    if (!sound) return 0;
    if (sound->samples.size() % 2 != 0 || sound->rate <= 0) std::abort();

    TChannelPtr channel = PlaySound(sound);
    if (size > 2) {
        channel->SetRate(static_cast<float>(data[size - 2]) / 32.0f);  // 0 .. ~8
        channel->SetPan(static_cast<float>(data[size - 3]) / 127.5f - 1.0f);
    }
    int16_t out[2 * 300];
    audio::Mix(out, 300);
    clockseam::Advance(17);  // the silent path too
    channel->SetPaused(true);
    audio::Mix(out, 100);
    channel->SetPaused(false);
    audio::Mix(out, 100);
    (void)channel->Playing();
    channel->Stop();
    audio::Mix(out, 300);
    audio::Shutdown();
    return 0;
}
