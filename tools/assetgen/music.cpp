// The three tunes, written as chord progressions, melody motifs, bass and drum patterns,
// rendered with the General MIDI soundfont as seamless loops.
#include "audio.h"
#include "draw.h"
#include "sounds.h"

#include <cmath>

namespace assetgen {

namespace {
// A motif note: start and length in beats, scale degree above the chord's root.
struct M {
    double beat, len;
    int deg;
};

class Composer {
public:
    Composer(double bpm, int tonic, uint64_t seed) : rng(seed), tonic(tonic) { song.bpm = bpm; }

    int Key(int degree, int octave) const {
        static const int scale[7] = {0, 2, 4, 5, 7, 9, 11};
        int o = static_cast<int>(std::floor(degree / 7.0));
        return tonic + 12 * (o + octave) + scale[((degree % 7) + 7) % 7];
    }
    void Add(double beat, double len, int ch, int key, int vel) {
        song.notes.push_back({bar * 4 + beat, len, ch, key, vel});
    }
    void Melody(int ch, int root, const std::vector<M>& motif, int octave, int vel, int shift = 0) {
        for (const M& m : motif)
            Add(m.beat, m.len * 0.95, ch, Key(root + m.deg + shift, octave), vel + rng.Int(-6, 6));
    }
    void Chord(int ch, int root, double beat, double len, int octave, int vel) {
        for (int d : {0, 2, 4}) Add(beat, len, ch, Key(root + d, octave), vel);
    }
    void Drums(int style, bool fill, bool crash) {
        const int ch = 9;
        if (crash) Add(0, 1, ch, 49, 90);
        for (int e = 0; e < 8; ++e) {
            double b = e * 0.5;
            if (fill && b >= 2) {
                const int toms[4] = {50, 48, 47, 45};
                Add(b, 0.5, ch, toms[e - 4], 100);
                continue;
            }
            if (style == 0) {  // pop beat
                if (e == 0 || e == 4 || e == 5) Add(b, 0.5, ch, 36, 105);
                if (e == 2 || e == 6) Add(b, 0.5, ch, 38, 95);
                Add(b, 0.5, ch, 42, e % 2 ? 55 : 75);
            } else if (style == 1) {  // playful: kick, rim, wood blocks
                if (e == 0 || e == 4) Add(b, 0.5, ch, 36, 95);
                if (e == 2 || e == 6) Add(b, 0.5, ch, 37, 80);
                if (e % 2) Add(b, 0.5, ch, e % 4 == 1 ? 76 : 77, 70);
            } else {  // march
                if (e == 0 || e == 4) Add(b, 0.5, ch, 36, 100);
                Add(b, 0.5, ch, 38, e % 2 ? 50 : (e == 2 || e == 6 ? 100 : 70));
            }
        }
    }
    void NextBar() { ++bar; }
    Song Finish(int bars) {
        song.beats = bars * 4;
        return song;
    }

    Song song;
    Rng rng;
    int bar = 0;

private:
    int tonic;
};

// Menu: cheerful pop in C, about 65 seconds.
Song Menu() {
    Composer c(118, 60, 101);
    c.song.programs = {{0, 73}, {1, 11}, {2, 4}, {3, 33}};
    const int A[8] = {0, 5, 3, 4, 0, 5, 3, 4}, B[8] = {3, 4, 2, 5, 3, 4, 0, 4};
    const std::vector<M> ma = {{0, 1, 4}, {1, 0.5, 2}, {1.5, 0.5, 4}, {2, 1, 7}, {3, 1, 5}};
    const std::vector<M> mb = {{0, 1.5, 2}, {1.5, 0.5, 4}, {2, 0.5, 5}, {2.5, 0.5, 4}, {3, 1, 2}};
    const std::vector<M> end = {{0, 2, 4}, {2, 2, 2}};
    for (int section = 0; section < 4; ++section) {
        const int* prog = section % 2 ? B : A;
        for (int i = 0; i < 8; ++i) {
            int r = prog[i];
            bool phraseEnd = i == 3 || i == 7;
            const std::vector<M>& m = phraseEnd ? end : (section % 2 ? mb : ma);
            int shift = (section >= 2 && i % 2 == 1) ? 2 : 0;
            c.Melody(0, r, m, 1, 92, shift);
            c.Melody(1, r, m, 0, 55, shift);
            // Piano on the off-beats, bass on the beat with a passing note.
            for (double b : {0.5, 1.5, 2.5, 3.5}) c.Chord(2, r, b, 0.45, 0, 62);
            c.Add(0, 1.4, 3, c.Key(r, -2), 100);
            c.Add(1.5, 0.5, 3, c.Key(r + 4, -2), 85);
            c.Add(2, 1.4, 3, c.Key(r, -2), 95);
            c.Add(3.5, 0.5, 3, c.Key(r + 1, -2), 80);
            c.Drums(0, i == 7, i == 0);
            c.NextBar();
        }
    }
    return c.Finish(32);
}

// Board: playful marimba in F with an oom-pah tuba, about 85 seconds.
Song Board() {
    Composer c(136, 65, 202);
    c.song.programs = {{0, 12}, {1, 45}, {2, 58}, {3, 71}};
    const int A[8] = {0, 3, 0, 4, 0, 3, 4, 0}, B[8] = {5, 1, 4, 0, 3, 4, 0, 4};
    const std::vector<M> ma = {{0, 0.5, 0}, {0.5, 0.5, 2}, {1, 0.5, 4}, {1.5, 0.5, 2},
                               {2, 0.5, 7}, {2.5, 0.5, 4}, {3, 1, 2}};
    const std::vector<M> mb = {{0, 1, 4}, {1, 0.5, 5}, {1.5, 0.5, 4}, {2, 0.5, 2},
                               {2.5, 0.5, 1}, {3, 1, 0}};
    const std::vector<M> hop = {{0, 0.5, 4}, {1, 0.5, 4}, {1.5, 0.5, 5}, {2, 2, 7}};
    const int form[6] = {0, 0, 1, 0, 1, 0};
    for (int s = 0; s < 6; ++s) {
        const int* prog = form[s] ? B : A;
        for (int i = 0; i < 8; ++i) {
            int r = prog[i];
            const std::vector<M>& m = (i == 3 || i == 7) ? hop : (form[s] ? mb : ma);
            int lead = (form[s] && s == 4) ? 3 : 0;  // the clarinet takes one chorus
            c.Melody(lead, r, m, lead == 3 ? 0 : 1, 95);
            for (double b : {1.0, 3.0}) c.Chord(1, r, b, 0.4, 0, 70);
            c.Add(0, 0.9, 2, c.Key(r, -2), 100);
            c.Add(2, 0.9, 2, c.Key(r + 4, -3), 90);
            c.Drums(1, i == 7 && s % 2 == 1, i == 0 && s == 0);
            c.NextBar();
        }
    }
    return c.Finish(48);
}

// Title: a brass fanfare, then the theme; about 44 seconds.
Song Title() {
    Composer c(108, 58, 303);
    c.song.programs = {{0, 56}, {1, 61}, {2, 48}, {3, 47}, {4, 32}};
    // Fanfare: calls of the trumpet over held brass chords and timpani.
    const int fan[4] = {0, 3, 4, 0};
    const std::vector<M> call = {{0, 0.33, 0}, {0.33, 0.33, 0}, {0.66, 0.34, 0}, {1, 1, 4},
                                 {2, 0.5, 2}, {2.5, 1.5, 4}};
    for (int i = 0; i < 4; ++i) {
        c.Melody(0, fan[i], call, 1, 105);
        c.Chord(1, fan[i], 0, 3.8, 0, 95);
        c.Chord(2, fan[i], 0, 4, -1, 70);
        for (int k = 0; k < 8; ++k) c.Add(k * 0.5, 0.5, 3, c.Key(fan[i], -2), 60 + k * 6);
        c.Drums(2, i == 3, i == 0);
        c.NextBar();
    }
    const int A[8] = {0, 4, 5, 3, 0, 4, 3, 4}, B[8] = {5, 3, 0, 4, 5, 3, 4, 4};
    const std::vector<M> ma = {{0, 1.5, 4}, {1.5, 0.5, 5}, {2, 1, 7}, {3, 1, 4}};
    const std::vector<M> mb = {{0, 1, 2}, {1, 1, 4}, {2, 0.5, 5}, {2.5, 0.5, 4}, {3, 1, 2}};
    const std::vector<M> end = {{0, 3.5, 4}};
    for (int s = 0; s < 2; ++s)
        for (int i = 0; i < 8; ++i) {
            int r = (s ? B : A)[i];
            c.Melody(0, r, (i == 3 || i == 7) ? end : (s ? mb : ma), 1, 100);
            c.Chord(2, r, 0, 4, -1, 72);
            c.Chord(1, r, 0, 0.5, 0, 75);
            c.Chord(1, r, 2.5, 0.5, 0, 70);
            c.Add(0, 1.8, 4, c.Key(r, -2), 95);
            c.Add(2, 1.8, 4, c.Key(r + 4, -3), 85);
            c.Drums(2, i == 7, i == 0);
            c.NextBar();
        }
    return c.Finish(20);
}
}  // namespace

void WriteMusic() {
    SaveOgg("music/menu.ogg", RenderLoop(Menu()));
    SaveOgg("music/tablero.ogg", RenderLoop(Board()));
    SaveOgg("music/title.ogg", RenderLoop(Title()));
}

}  // namespace assetgen
