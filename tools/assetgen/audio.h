#pragma once
// Sound helpers: mono float waves at 44.1 kHz, finishing (normalise, click-free edges),
// note sequences rendered with libfluidsynth and the General MIDI soundfont, and Ogg
// Vorbis encoding.
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

inline constexpr int kRate = 44100;
using Wave = std::vector<float>;

// Peak-normalises to `peak` and fades the first and last milliseconds in and out.
void Finish(Wave& w, double peak = 0.89, double fadeInMs = 3, double fadeOutMs = 12);
// Drops leading and trailing samples quieter than `level`.
void Trim(Wave& w, float level = 0.004f);
// Drops only the trailing samples quieter than `level`.
void TrimEnd(Wave& w, float level);
// Fades the last `ms` milliseconds along a curve that falls fast and lands softly (the
// square of a straight fade), so a clip dies away instead of stopping.
void FadeTail(Wave& w, double ms);
// Loudness as a listener hears it: the RMS (full scale 1) over the 50 ms stretches of the
// sound within 20 dB of its loudest, so silence around a short sound does not count.
double ActiveRms(const Wave& w);
// Every effect is played at one common loudness, kEffectLoudnessDb of active RMS. Peaks
// that would pass `peak` on the way up are rounded off by a soft knee.
inline constexpr double kEffectLoudnessDb = -15.0;
void Level(Wave& w, double rmsDb = kEffectLoudnessDb, double peak = 0.89);
// Linear resampling to `factor` times the length (factor > 1 lowers the pitch).
Wave Stretch(const Wave& w, double factor);
std::vector<int16_t> Pcm(const Wave& w);
// Brings the effect to the common loudness (Level) and writes sfx/<name>.wav (mono, 16 bit).
void SaveEffect(const std::string& name, Wave w);

// A note of a sequence: start and length in beats, MIDI channel (9 = drums), key, velocity.
struct Note {
    double beat, len;
    int ch, key, vel;
};

struct Song {
    double bpm = 120;
    double beats = 16;  // length of one pass (the loop length for tunes)
    std::vector<std::pair<int, int>> programs;  // (channel, General MIDI program)
    std::vector<Note> notes;
    double volume = 0.8;   // synth gain
    double reverb = 0.35;  // room level 0..1
};

// Renders the song once, with `tail` seconds after it; interleaved stereo floats.
std::vector<float> RenderOnce(const Song& s, double tail);
// Renders the song as a seamless loop: exactly one pass long, holding the reverb and the
// notes that ring across the loop point, so that its end runs into its start.
std::vector<float> RenderLoop(const Song& s);
// Writes interleaved stereo floats as Ogg Vorbis (fixed stream serial: same bytes).
void SaveOgg(const std::string& rel, const std::vector<float>& stereo, float quality = 0.4f);
// Down-mixes interleaved stereo to mono.
Wave Mono(const std::vector<float>& stereo);

}  // namespace assetgen
