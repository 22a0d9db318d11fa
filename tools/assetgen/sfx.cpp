// Synthesised sound effects (kiss, boom, whoosh, stomp, spring, water pour and gurgle,
// dice rattle) and the two short jingles (losing, game start) played with the soundfont.
#include "audio.h"
#include "draw.h"
#include "sounds.h"

#include <cmath>

namespace assetgen {

namespace {
constexpr double TAU = 2 * M_PI;

Wave Blank(double seconds) { return Wave(static_cast<size_t>(seconds * kRate), 0.0f); }

// One-pole filters, state kept by the caller's loop.
struct LowPass {
    double y = 0, a;
    explicit LowPass(double hz) : a(1 - std::exp(-TAU * hz / kRate)) {}
    double operator()(double x) { return y += a * (x - y); }
    void Set(double hz) { a = 1 - std::exp(-TAU * hz / kRate); }
};

// Resonant band-pass (state-variable filter) for noises with a pitch.
struct BandPass {
    double low = 0, band = 0, f = 0.1, q = 0.3;
    void Set(double hz, double damping) {
        f = 2 * std::sin(M_PI * std::min(hz, kRate / 6.0) / kRate);
        q = damping;
    }
    double operator()(double x) {
        low += f * band;
        double high = x - low - q * band;
        band += f * high;
        return band;
    }
};

Wave Kiss() {
    Wave w = Blank(0.42);
    Rng rng(1);
    double ph = 0;
    BandPass bp;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        // "Mmm-wa": a hummed onset, then the lips' pop and a bright glide.
        double hum = t < 0.12 ? std::sin(TAU * 180 * t) * 0.25 * (t / 0.12) : 0;
        double tp = t - 0.12;
        double pop = 0, glide = 0;
        if (tp >= 0) {
            bp.Set(1800 - 900 * std::min(1.0, tp / 0.05), 0.15);
            pop = bp(rng.Real(-1, 1)) * std::exp(-tp * 60);
            double f = 900 + 700 * std::exp(-tp * 25) - 400 * tp;
            ph += TAU * f / kRate;
            glide = std::sin(ph) * 0.5 * std::exp(-tp * 14) * std::min(1.0, tp / 0.004);
        }
        w[i] = static_cast<float>(hum + pop * 1.2 + glide);
    }
    return w;
}

Wave Boom() {
    Wave w = Blank(1.3);
    Rng rng(2);
    LowPass lp(400), lp2(90);
    double ph = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double f = 34 + 70 * std::exp(-t * 9);
        ph += TAU * f / kRate;
        double body = std::sin(ph) * std::exp(-t * 2.6);
        lp.Set(120 + 2000 * std::exp(-t * 18));
        double crack = lp(rng.Real(-1, 1)) * std::exp(-t * 5);
        double rumble = lp2(rng.Real(-1, 1)) * 3 * std::exp(-t * 1.8);
        w[i] = static_cast<float>(body * 0.9 + crack * 0.8 + rumble * 0.7);
    }
    return w;
}

Wave Whoosh() {
    Wave w = Blank(0.65);
    Rng rng(3);
    BandPass bp;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) / w.size();
        bp.Set(300 + 2600 * std::sin(M_PI * t), 0.5);
        double env = std::pow(std::sin(M_PI * t), 1.6);
        w[i] = static_cast<float>(bp(rng.Real(-1, 1)) * env);
    }
    return w;
}

Wave Stomp() {
    Wave w = Blank(0.28);
    Rng rng(4);
    LowPass lp(600);
    double ph = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        ph += TAU * (55 + 90 * std::exp(-t * 30)) / kRate;
        double thump = std::sin(ph) * std::exp(-t * 16);
        double scuff = lp(rng.Real(-1, 1)) * std::exp(-t * 45);
        w[i] = static_cast<float>(thump + scuff * 1.5);
    }
    return w;
}

Wave Spring() {
    Wave w = Blank(0.75);
    double ph = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double f = 190 + 260 * t + 110 * std::sin(TAU * 14 * t) * std::exp(-t * 3.5);
        ph += TAU * f / kRate;
        double tone = std::sin(ph) + 0.35 * std::sin(2 * ph) + 0.15 * std::sin(3 * ph);
        w[i] = static_cast<float>(tone * std::exp(-t * 3.2) * std::min(1.0, t / 0.005));
    }
    return w;
}

// Bubbles: short upward chirps at random moments.
void Bubbles(Wave& w, Rng& rng, int count, double lo, double hi, double gain, double from,
             double to) {
    for (int b = 0; b < count; ++b) {
        double start = rng.Real(from, to), f0 = rng.Real(lo, hi), len = rng.Real(0.03, 0.07);
        double ph = 0;
        for (size_t i = static_cast<size_t>(start * kRate);
             i < w.size() && i < static_cast<size_t>((start + len) * kRate); ++i) {
            double t = static_cast<double>(i) / kRate - start;
            ph += TAU * f0 * (1 + 3 * t / len) / kRate;
            w[i] += static_cast<float>(gain * std::sin(ph) * std::sin(M_PI * t / len));
        }
    }
}

Wave Pour() {
    Wave w = Blank(0.95);
    Rng rng(5);
    BandPass bp;
    LowPass lp(3000);
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        bp.Set(900 + 500 * std::sin(TAU * 7 * t) + 300 * t, 0.7);
        double env = std::min(1.0, t / 0.08) * std::min(1.0, (0.95 - t) / 0.3);
        w[i] = static_cast<float>(lp(bp(rng.Real(-1, 1))) * env * 1.4);
    }
    Bubbles(w, rng, 26, 300, 900, 0.35, 0.05, 0.85);
    return w;
}

Wave Gurgle() {
    Wave w = Blank(0.6);
    Rng rng(6);
    Bubbles(w, rng, 14, 160, 420, 0.8, 0.0, 0.5);
    LowPass lp(1200);
    for (float& s : w) s = static_cast<float>(lp(s));
    return w;
}

// About a second of a die rattling in a cup and bouncing out: dense taps thinning out.
Wave Dice() {
    Wave w = Blank(1.05);
    Rng rng(7);
    double t = 0.01;
    while (t < 0.98) {
        double pitch = rng.Real(1400, 3200), amp = rng.Real(0.4, 1.0) * (1.1 - t * 0.6);
        BandPass bp;
        bp.Set(pitch, 0.08);
        size_t s0 = static_cast<size_t>(t * kRate);
        // Each tap rings a little (wood on wood), so the rattle holds its loudness between
        // clicks instead of being all peaks.
        for (size_t i = s0; i < w.size() && i < s0 + 4400; ++i) {
            double dt = static_cast<double>(i - s0) / kRate;
            double exc = dt < 0.0015 ? rng.Real(-1, 1) : 0;
            double taper = std::min(1.0, (0.1 - dt) / 0.02);
            w[i] += static_cast<float>(bp(exc) * amp * std::exp(-dt * 38) * taper);
        }
        t += t < 0.6 ? rng.Real(0.025, 0.06) : rng.Real(0.07, 0.13);
    }
    return w;
}

Wave Jingle(const Song& s, double tail) {
    Wave w = Mono(RenderOnce(s, tail));
    Trim(w, 0.0005f);
    return w;
}

Song LosingJingle() {
    // Four falling trombone notes, the last one bending down: "wah wah wah waaah".
    Song s;
    s.bpm = 100;
    s.beats = 5;
    s.programs = {{0, 57}, {1, 32}};
    const int keys[4] = {60, 59, 58, 57};
    for (int i = 0; i < 4; ++i) {
        double len = i == 3 ? 2.2 : 0.85;
        s.notes.push_back({i * 1.0, len, 0, keys[i], 105});
        s.notes.push_back({i * 1.0, len, 1, keys[i] - 24, 90});
    }
    return s;
}

Song StartJingle() {
    // A bright rising arpeggio ending on a chord with a cymbal.
    Song s;
    s.bpm = 150;
    s.beats = 4;
    s.programs = {{0, 80}, {1, 61}};
    const int keys[5] = {60, 64, 67, 72, 76};
    for (int i = 0; i < 5; ++i) s.notes.push_back({i * 0.35, 0.4, 0, keys[i], 100});
    for (int k : {60, 64, 67, 72}) s.notes.push_back({1.75, 1.8, 1, k, 105});
    s.notes.push_back({1.75, 1.5, 9, 49, 110});
    s.notes.push_back({1.75, 0.5, 9, 36, 110});
    return s;
}
}  // namespace

void WriteEffects() {
    auto save = [](const char* name, Wave w) {
        Finish(w, 0.89, 3, 0);
        FadeTail(w, 40);
        SaveEffect(name, std::move(w));
    };
    save("muack", Kiss());
    save("boum", Boom());
    save("wosh", Whoosh());
    save("stomp", Stomp());
    save("boing", Spring());
    save("aguava", Pour());
    save("aguaboo", Gurgle());
    save("dado", Dice());
    Wave lose = Jingle(LosingJingle(), 0.6);
    Finish(lose, 0.89, 3, 300);
    SaveEffect("perder", std::move(lose));
    Wave start = Jingle(StartJingle(), 0.5);
    Finish(start, 0.89, 3, 250);
    SaveEffect("juego", std::move(start));
}

}  // namespace assetgen
