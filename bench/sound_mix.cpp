// Cost of the mixer callback: 16 channels at mixed sound rates and playback rates
// (so every one interpolates), one device buffer of 1024 frames per iteration.
#include "platform/sound/device.h"
#include "platform/sound/sound.h"

#include <benchmark/benchmark.h>

#include <cmath>

static void BM_Mix16Channels(benchmark::State& state) {
    audio::Init(true);
    std::vector<TChannelPtr> channels;
    for (int i = 0; i < 16; ++i) {
        auto s = std::make_shared<TSound>();
        s->rate = i % 2 ? 22050 : 44100;
        s->flags = SOUND_LOOP;
        for (int f = 0; f < 44100; ++f) {
            auto v = static_cast<int16_t>(8000 * std::sin(f * 0.01 * (i + 1)));
            s->samples.push_back(v);
            s->samples.push_back(v);
        }
        auto c = PlaySound(s);
        c->SetVolume(0.5f);
        c->SetPan((i - 8) / 8.0f);
        c->SetRate(0.75f + 0.05f * static_cast<float>(i));
        channels.push_back(c);
    }
    std::vector<int16_t> out(2 * 1024);
    for (auto _ : state) {
        audio::Mix(out.data(), 1024);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * 1024);
    audio::Shutdown();
}
BENCHMARK(BM_Mix16Channels);
