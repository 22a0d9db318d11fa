// Look-ahead within the block: the mixer hands over whole blocks, so the peaks ahead of
// a frame are known without delaying the sound. The gain glides down in a straight line
// over ~2 ms before a peak (reaching exactly the level that keeps the peak in range) and
// comes back up smoothly (60 ms time constant) after a 20 ms hold. A peak at the very
// start of a block, with no room ahead of it, is met at once: it can be heard as a slight
// edge, never as clipping.
#include "platform/sound/limiter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTop = 32767.0f, kBottom = -32768.0f;
constexpr double kAttackSeconds = 0.002, kHoldSeconds = 0.02, kReleaseSeconds = 0.06;
// The recovery heads for slightly more than 1 and stops at 1, so it arrives (in ~0.35 s
// from deep limiting) and samples pass bit for bit again.
constexpr float kReleaseAim = 1.002f;

float GainFor(float sample) {
    if (sample > kTop) return kTop / sample;
    if (sample < kBottom) return kBottom / sample;
    return 1.0f;
}

}  // namespace

void TLimiter::Reset(int rate) {
    if (rate <= 0) rate = 44100;
    attackFrames = std::max(1, static_cast<int>(std::lround(kAttackSeconds * rate)));
    holdFrames = static_cast<int>(std::lround(kHoldSeconds * rate));
    releaseStep = static_cast<float>(1.0 - std::exp(-1.0 / (kReleaseSeconds * rate)));
    gain = 1.0f;
    holdLeft = 0;
}

void TLimiter::Process(const float* mix, int16_t* out, int frames) {
    if (frames <= 0) return;
    const auto n = static_cast<size_t>(frames);
    needed.resize(n);
    bool over = false;
    for (size_t i = 0; i < n; ++i) {
        needed[i] = std::min(GainFor(mix[2 * i]), GainFor(mix[2 * i + 1]));
        over |= needed[i] < 1.0f;
    }
    if (!over && gain == 1.0f) {  // at rest and in range: untouched
        for (size_t i = 0; i < 2 * n; ++i) out[i] = static_cast<int16_t>(std::lrint(mix[i]));
        return;
    }
    // ceiling[i]: the lowest of the straight ramps from 1 (attackFrames before a peak)
    // down to each peak's needed gain, over the peaks ahead of i.
    ceiling.assign(n, 1.0f);
    const auto attack = static_cast<size_t>(attackFrames);
    for (size_t j = 0; j < n; ++j) {
        if (needed[j] >= 1.0f) continue;
        const float depth = 1.0f - needed[j];
        const size_t first = j >= attack ? j - attack + 1 : 0;
        for (size_t i = first; i <= j; ++i) {
            const float ramp = 1.0f - depth * static_cast<float>(attack - (j - i)) / static_cast<float>(attack);
            ceiling[i] = std::min(ceiling[i], ramp);
        }
    }
    for (size_t i = 0; i < n; ++i) {
        if (holdLeft > 0) {
            --holdLeft;
        } else {
            // Aiming a little past 1 reaches rest in a finite time (then exact again).
            gain = std::min(1.0f, gain + (kReleaseAim - gain) * releaseStep);
        }
        if (ceiling[i] <= gain) {  // held down by a peak: wait before recovering, so the
            gain = ceiling[i];     // gain does not ripple between the crests of a wave
            holdLeft = holdFrames;
        }
        for (size_t c = 2 * i; c < 2 * i + 2; ++c) {
            float v = std::clamp(mix[c] * gain, kBottom, kTop);  // rounding only
            out[c] = static_cast<int16_t>(std::lrint(v));
        }
    }
}
