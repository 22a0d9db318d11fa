#include "audio.h"

#include "output.h"

#include <fluidsynth.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <stdexcept>

namespace assetgen {

void Finish(Wave& w, double peak, double fadeInMs, double fadeOutMs) {
    float top = 0;
    for (float s : w) top = std::max(top, std::fabs(s));
    if (top > 0)
        for (float& s : w) s = static_cast<float>(s * peak / top);
    size_t in = std::min(w.size(), static_cast<size_t>(fadeInMs * kRate / 1000));
    size_t out = std::min(w.size(), static_cast<size_t>(fadeOutMs * kRate / 1000));
    for (size_t i = 0; i < in; ++i) w[i] *= static_cast<float>(i) / in;
    for (size_t i = 0; i < out; ++i) w[w.size() - 1 - i] *= static_cast<float>(i) / out;
}

void Trim(Wave& w, float level) {
    size_t a = 0, b = w.size();
    while (a < b && std::fabs(w[a]) < level) ++a;
    while (b > a && std::fabs(w[b - 1]) < level) --b;
    w = Wave(w.begin() + static_cast<long>(a), w.begin() + static_cast<long>(b));
}

void TrimEnd(Wave& w, float level) {
    size_t b = w.size();
    while (b > 0 && std::fabs(w[b - 1]) < level) --b;
    w.resize(b);
}

void FadeTail(Wave& w, double ms) {
    size_t n = std::min(w.size(), static_cast<size_t>(ms * kRate / 1000));
    for (size_t i = 0; i < n; ++i) {
        double g = static_cast<double>(i) / n;
        w[w.size() - 1 - i] *= static_cast<float>(g * g);
    }
}

double ActiveRms(const Wave& w) {
    const size_t win = kRate / 20, hop = win / 2;
    std::vector<double> windows;
    for (size_t a = 0; a == 0 || a + win <= w.size(); a += hop) {
        double sum = 0;
        size_t b = std::min(w.size(), a + win);
        for (size_t i = a; i < b; ++i) sum += static_cast<double>(w[i]) * w[i];
        windows.push_back(b > a ? sum / static_cast<double>(b - a) : 0.0);
    }
    double top = *std::max_element(windows.begin(), windows.end());
    double sum = 0;
    int count = 0;
    for (double m : windows)
        if (m >= top / 100) {  // within 20 dB (power ratio 100)
            sum += m;
            ++count;
        }
    return count && sum > 0 ? std::sqrt(sum / count) : 0.0;
}

namespace {
// Identity up to half the ceiling, then bends smoothly towards the ceiling.
float SoftKnee(float x, double ceiling) {
    const double knee = ceiling / 2, a = std::fabs(x);
    if (a <= knee) return x;
    double y = knee + (ceiling - knee) * std::tanh((a - knee) / (ceiling - knee));
    return static_cast<float>(x < 0 ? -y : y);
}
}  // namespace

void Level(Wave& w, double rmsDb, double peak) {
    const double target = std::pow(10.0, rmsDb / 20);
    if (ActiveRms(w) <= 0) return;
    // The knee takes a little loudness back: settle the gain over a few rounds.
    const Wave original = w;
    double gain = target / ActiveRms(w);
    for (int round = 0; round < 4; ++round) {
        for (size_t i = 0; i < w.size(); ++i) w[i] = SoftKnee(static_cast<float>(original[i] * gain), peak);
        gain *= target / ActiveRms(w);
    }
}

Wave Stretch(const Wave& w, double factor) {
    if (w.empty()) return w;
    size_t n = static_cast<size_t>(w.size() * factor);
    Wave out(n);
    for (size_t i = 0; i < n; ++i) {
        double p = i / factor;
        size_t k = static_cast<size_t>(p);
        double f = p - k;
        float a = w[std::min(k, w.size() - 1)], b = w[std::min(k + 1, w.size() - 1)];
        out[i] = static_cast<float>(a + (b - a) * f);
    }
    return out;
}

std::vector<int16_t> Pcm(const Wave& w) {
    std::vector<int16_t> out(w.size());
    for (size_t i = 0; i < w.size(); ++i)
        out[i] = static_cast<int16_t>(std::lround(std::clamp(w[i], -1.0f, 1.0f) * 32767));
    return out;
}

void SaveEffect(const std::string& name, Wave w) {
    Level(w);
    SaveWav("sfx/" + name + ".wav", Pcm(w));
}

Wave Mono(const std::vector<float>& st) {
    Wave m(st.size() / 2);
    for (size_t i = 0; i < m.size(); ++i) m[i] = 0.5f * (st[2 * i] + st[2 * i + 1]);
    return m;
}

namespace {
void Quiet(int, const char*, void*) {}

struct Synth {
    fluid_settings_t* settings;
    fluid_synth_t* synth;
    explicit Synth(const Song& s) {
        static std::once_flag logs;
        std::call_once(logs, [] {
            for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
                fluid_set_log_function(level, Quiet, nullptr);
        });
        settings = new_fluid_settings();
        fluid_settings_setnum(settings, "synth.sample-rate", kRate);
        fluid_settings_setint(settings, "synth.chorus.active", 0);
        fluid_settings_setint(settings, "synth.reverb.active", 1);
        fluid_settings_setint(settings, "synth.cpu-cores", 1);
        fluid_settings_setnum(settings, "synth.gain", s.volume);
        synth = new_fluid_synth(settings);
        if (fluid_synth_sfload(synth, FK_SOUNDFONT, 1) == FLUID_FAILED)
            throw std::runtime_error(std::string("cannot load the soundfont ") + FK_SOUNDFONT);
        fluid_synth_set_reverb_group_roomsize(synth, -1, s.reverb);
        fluid_synth_set_reverb_group_level(synth, -1, 0.5);
        fluid_synth_set_reverb_group_width(synth, -1, 0.8);
        fluid_synth_set_reverb_group_damp(synth, -1, 0.4);
        for (auto [ch, prog] : s.programs) fluid_synth_program_change(synth, ch, prog);
    }
    ~Synth() {
        delete_fluid_synth(synth);
        delete_fluid_settings(settings);
    }
};

struct Event {
    long sample;
    int on;  // 1 note on, 0 note off
    int ch, key, vel;
};

// Renders `passes` consecutive copies of the song plus a tail.
std::vector<float> Render(const Song& s, int passes, double tail) {
    Synth syn(s);
    const double spb = 60.0 / s.bpm * kRate;
    std::vector<Event> ev;
    for (int p = 0; p < passes; ++p)
        for (const Note& n : s.notes) {
            double b = n.beat + p * s.beats;
            ev.push_back({std::lround(b * spb), 1, n.ch, n.key, n.vel});
            ev.push_back({std::lround((b + n.len) * spb), 0, n.ch, n.key, 0});
        }
    // Offs before ons at the same sample, so repeated notes restart cleanly.
    std::stable_sort(ev.begin(), ev.end(), [](const Event& a, const Event& b) {
        return a.sample != b.sample ? a.sample < b.sample : a.on < b.on;
    });
    long total = std::lround(passes * s.beats * spb + tail * kRate);
    std::vector<float> out(static_cast<size_t>(total) * 2);
    std::vector<float> l(4096), r(4096);
    long pos = 0;
    size_t e = 0;
    while (pos < total) {
        while (e < ev.size() && ev[e].sample <= pos) {
            const Event& x = ev[e++];
            if (x.on)
                fluid_synth_noteon(syn.synth, x.ch, x.key, x.vel);
            else
                fluid_synth_noteoff(syn.synth, x.ch, x.key);
        }
        long next = e < ev.size() ? ev[e].sample : total;
        long n = std::min({next - pos, total - pos, 4096L});
        if (n <= 0) continue;
        fluid_synth_write_float(syn.synth, static_cast<int>(n), l.data(), 0, 1, r.data(), 0, 1);
        for (long i = 0; i < n; ++i) {
            out[2 * (pos + i)] = l[i];
            out[2 * (pos + i) + 1] = r[i];
        }
        pos += n;
    }
    return out;
}
}  // namespace

std::vector<float> RenderOnce(const Song& s, double tail) { return Render(s, 1, tail); }

std::vector<float> RenderLoop(const Song& s) {
    // Three passes; the middle one has the previous pass's tail at its start and runs
    // straight into the next one, which is exactly what the loop plays.
    std::vector<float> all = Render(s, 3, 0);
    const long len = std::lround(s.beats * 60.0 / s.bpm * kRate);
    std::vector<float> loop(all.begin() + 2 * len, all.begin() + 4 * len);
    // Bring the level to a common peak.
    float top = 0;
    for (float v : loop) top = std::max(top, std::fabs(v));
    if (top > 0)
        for (float& v : loop) v *= 0.9f / top;
    return loop;
}

void SaveOgg(const std::string& rel, const std::vector<float>& st, float quality) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 2, kRate, quality) != 0) throw std::runtime_error("vorbis setup");
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", rel.c_str());
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 7341);
    std::FILE* f = std::fopen(OutPath(rel).c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + rel);
    auto flush = [&](bool force) {
        ogg_page pg;
        while (force ? ogg_stream_flush(&os, &pg) : ogg_stream_pageout(&os, &pg)) {
            std::fwrite(pg.header, 1, pg.header_len, f);
            std::fwrite(pg.body, 1, pg.body_len, f);
        }
    };
    ogg_packet h, hc, hcode;
    vorbis_analysis_headerout(&vd, &vc, &h, &hc, &hcode);
    ogg_stream_packetin(&os, &h);
    ogg_stream_packetin(&os, &hc);
    ogg_stream_packetin(&os, &hcode);
    flush(true);
    auto drain = [&] {
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                flush(false);
            }
        }
    };
    const size_t frames = st.size() / 2;
    for (size_t done = 0; done < frames;) {
        size_t n = std::min<size_t>(4096, frames - done);
        float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
        for (size_t i = 0; i < n; ++i) {
            buf[0][i] = st[2 * (done + i)];
            buf[1][i] = st[2 * (done + i) + 1];
        }
        vorbis_analysis_wrote(&vd, static_cast<int>(n));
        done += n;
        drain();
    }
    vorbis_analysis_wrote(&vd, 0);
    drain();
    flush(true);
    std::fclose(f);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    Progress("music", rel);
}

}  // namespace assetgen
