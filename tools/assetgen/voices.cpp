// Voice clips spoken by espeak-ng in Spanish and shaped afterwards (pitch, speed, a
// little warmth), and the pleased "mmm" hummed by a small glottal synthesiser.
#include "audio.h"
#include "sounds.h"

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace assetgen {

namespace {
std::vector<short>* sink = nullptr;

int Collect(short* wav, int n, espeak_EVENT*) {
    if (wav && n > 0) sink->insert(sink->end(), wav, wav + n);
    return 0;
}

int Init() {
    static int rate = [] {
        int r = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (r <= 0) throw std::runtime_error("espeak-ng could not start");
        espeak_SetSynthCallback(Collect);
        if (espeak_SetVoiceByName("es") != EE_OK) throw std::runtime_error("no Spanish espeak-ng voice");
        return r;
    }();
    return rate;
}

struct Voice {
    int speed = 170, pitch = 50, range = 50;
    double stretch = 1.0;  // > 1 lowers and slows the finished clip
};

Wave Speak(const char* text, const Voice& v) {
    int rate = Init();
    std::vector<short> pcm;
    sink = &pcm;
    espeak_SetParameter(espeakRATE, v.speed, 0);
    espeak_SetParameter(espeakPITCH, v.pitch, 0);
    espeak_SetParameter(espeakRANGE, v.range, 0);
    espeak_Synth(text, std::strlen(text) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    espeak_Synchronize();
    sink = nullptr;
    Wave w(pcm.size());
    for (size_t i = 0; i < pcm.size(); ++i) w[i] = pcm[i] / 32768.0f;
    Trim(w, 0.01f);
    TrimEnd(w, 0.001f);
    // To 44.1 kHz, with the clip's own stretch.
    w = Stretch(w, static_cast<double>(kRate) / rate * v.stretch);
    // Soften the buzzy top a little.
    float y = 0;
    for (float& s : w) s = y += 0.55f * (s - y);
    return w;
}

// A pleased hum: pulses through two formants, pitch rising then settling ("mmm!").
Wave Hum() {
    const double len = 0.7;
    Wave w(static_cast<size_t>(len * kRate));
    double ph = 0, b1 = 0, l1 = 0, b2 = 0, l2 = 0;
    const double f1 = 2 * std::sin(M_PI * 280.0 / kRate), f2 = 2 * std::sin(M_PI * 1100.0 / kRate);
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) / kRate;
        double pitch = 170 + 70 * std::sin(M_PI * std::min(1.0, t / 0.45)) + 15 * std::sin(2 * M_PI * 5 * t);
        ph += pitch / kRate;
        double src = std::pow(0.5 + 0.5 * std::cos(2 * M_PI * ph), 6.0) - 0.2;
        l1 += f1 * b1;
        b1 += f1 * (src - l1 - 0.12 * b1);
        l2 += f2 * b2;
        b2 += f2 * (src - l2 - 0.3 * b2);
        double env = std::min(1.0, t / 0.06) * std::min(1.0, (len - t) / 0.2);
        w[i] = static_cast<float>((l1 * 0.9 + b2 * 0.15) * env);
    }
    return w;
}

// Short clips die away over their last 60 ms (at most a third of the clip) instead of
// stopping on a syllable.
void Say(const char* name, const char* text, const Voice& v) {
    Wave w = Speak(text, v);
    Finish(w, 0.89, 4, 0);
    FadeTail(w, std::min(60.0, w.size() * 1000.0 / kRate / 3));
    SaveEffect(name, std::move(w));
}
}  // namespace

void WriteVoices() {
    Say("hey", "¡Eh!", {170, 62, 80, 0.95});
    Say("oops", "¡Uy!", {160, 70, 90, 1.0});
    Say("yeha", "¡Yija!", {190, 75, 99, 0.92});
    Say("pillada", "¡Pillado!", {175, 55, 85, 1.0});
    Say("buegh", "buegh", {150, 35, 60, 1.1});
    Say("superbuegh", "¡bueeeeegh!", {110, 20, 70, 1.25});
    Wave hum = Hum();
    Finish(hum, 0.85, 4, 30);
    SaveEffect("mmm", std::move(hum));
}

}  // namespace assetgen
