// The mixer: every playing channel is a voice mixed into the SDL audio device (44100 Hz
// stereo 16-bit, or whatever rate the device insists on) with its volume, pan and rate.
// Without a device the same voices advance silently: by the virtual clock when the rig
// runs one (AdvanceByClock), by the real clock otherwise (caught up whenever the game asks
// about a channel), so Playing() means the same thing with or without sound.
//
// Choices a reader may not expect:
// - A paused channel counts as playing: it is still held and is heard again when unpaused.
// - Stop takes effect at once for Playing(); the device still fades the voice out over a
//   few milliseconds so that no click is heard.
// - Volume and pan changes glide over the same few milliseconds for the same reason.
// - Pan is a balance: the centre keeps both sides at full volume, the far side fades out.
// - Stacked voices that sum beyond 16 bits are brought down by a limiter (limiter.h),
//   not clamped; a sum that stays in range passes untouched.
#include "platform/sound/sound.h"

#include "platform/sound/device.h"

#include "platform/session/clock.h"
#include "platform/session/journal.h"
#include "platform/session/trace.h"
#include "platform/sound/limiter.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include <algorithm>
#include <cstring>
#include <atomic>
#include <charconv>
#include <cmath>
#include <memory>

namespace {

constexpr int kWantedRate = 44100;
constexpr double kRampSeconds = 0.005;  // fades on stop, pause, volume and pan changes
constexpr float kMaxRate = 64.0f;

struct Voice {
    TChannelPtr channel;  // the mixer keeps a channel alive until it ends
    float gainL = 0, gainR = 0;
    bool started = false;
    std::unique_ptr<TSoundStream> stream;  // a streamed sound's decoder, made on first mix
};

struct Mixer {
    SDL_AudioDeviceID device = 0;
    int deviceRate = kWantedRate;
    std::vector<Voice> voices;
    int nextId = 1;
    // Silent mixer on the real clock: the clock value the voices were last advanced to.
    bool haveLastMs = false;
    uint32_t lastMs = 0;
    std::vector<float> mixBuffer;
    TLimiter limiter;  // keeps stacked voices inside 16 bits
    bool frozen = false;  // every voice silent and held where it is (FreezeSound)
    // A program ending without audio::Shutdown must not leave the callback running on
    // a mixer that is being destroyed.
    ~Mixer() {
        if (device) SDL_CloseAudioDevice(device);
    }
};

void AdvanceByClock(int ms);

Mixer& M() {
    static Mixer mixer;
    // Voices exist only once the mixer does: from then on the virtual clock moves them.
    static const bool listening = (clockseam::SetAdvanceListener(&AdvanceByClock), true);
    (void)listening;
    return mixer;
}

// Holds the device's callback off while the game thread touches channel state.
class DeviceLock {
public:
    DeviceLock() : device(M().device) {
        if (device) SDL_LockAudioDevice(device);
    }
    ~DeviceLock() {
        if (device) SDL_UnlockAudioDevice(device);
    }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    SDL_AudioDeviceID device;
};

bool Loops(const TChannel& c) { return (c.sound->flags & SOUND_LOOP) != 0; }

// Moves a channel forward by a number of frames of its sound; marks the end of a
// non-looping sound.
void AdvanceFrames(TChannel& c, double frames) {
    auto n = static_cast<double>(c.sound->FrameCount());
    if (n <= 0) {
        c.finished = true;
        return;
    }
    c.position += frames;
    if (Loops(c)) {
        if (c.position >= n) c.position = std::fmod(c.position, n);
    } else if (c.position >= n - 1e-6) {  // 1e-6: rounding of summed millisecond steps
        c.position = n;
        c.finished = true;
    }
}

bool Done(const Voice& v) { return v.channel->stopped || v.channel->finished; }

// Silent mixer: every voice moves by ms of sound time.
void AdvanceSilent(uint32_t ms) {
    if (M().frozen) return;
    auto& voices = M().voices;
    for (auto& v : voices) {
        TChannel& c = *v.channel;
        if (c.stopped || c.finished || c.paused) continue;
        AdvanceFrames(c, static_cast<double>(ms) * c.rate * c.sound->rate / 1000.0);
    }
    std::erase_if(voices, Done);
}

// The virtual clock moved by ms: without a device, every voice moves with it.
void AdvanceByClock(int ms) {
    Mixer& m = M();
    if (m.device || ms <= 0) return;
    m.haveLastMs = false;  // the virtual clock drives; re-base if the real one takes over
    AdvanceSilent(static_cast<uint32_t>(ms));
}

// Without a device and on the real clock, voices follow the real time that passed.
void CatchUp() {
    Mixer& m = M();
    if (m.device || clockseam::IsVirtual()) return;
    auto now = static_cast<uint32_t>(clockseam::MachineMillisecs());
    if (m.haveLastMs && now != m.lastMs) AdvanceSilent(now - m.lastMs);
    m.haveLastMs = true;
    m.lastMs = now;
}

// Mixes every voice into out (interleaved stereo) and advances them; callback side.
std::atomic<bool> muted{false};

void MixVoices(int16_t* out, int frames) {
    Mixer& m = M();
    m.mixBuffer.assign(static_cast<size_t>(frames) * 2, 0.0f);
    float* acc = m.mixBuffer.data();
    const float ramp = static_cast<float>(1.0 / (kRampSeconds * m.deviceRate));
    auto toward = [ramp](float cur, float target) {
        return cur + std::clamp(target - cur, -ramp, ramp);
    };

    for (auto& v : m.voices) {
        TChannel& c = *v.channel;
        const TSound& s = *c.sound;
        const int64_t n = s.FrameCount();
        if (n == 0) {
            c.finished = true;
            continue;
        }
        const int16_t* smp = s.samples.data();
        if (s.encoded && !v.stream) v.stream = std::make_unique<TSoundStream>(s);
        TSoundStream* stream = v.stream.get();
        const bool loop = Loops(c);
        const bool silent = c.stopped || c.paused || m.frozen;
        const float tl = silent ? 0.0f : c.volume * std::min(1.0f, 1.0f - c.pan);
        const float tr = silent ? 0.0f : c.volume * std::min(1.0f, 1.0f + c.pan);
        if (!v.started) {  // a new voice starts at its level: the sound's own attack
            v.gainL = tl;
            v.gainR = tr;
            v.started = true;
        }
        const double step = static_cast<double>(c.rate) * s.rate / m.deviceRate;
        const double nd = static_cast<double>(n);
        for (int i = 0; i < frames; ++i) {
            v.gainL = toward(v.gainL, tl);
            v.gainR = toward(v.gainR, tr);
            if (silent && v.gainL == 0.0f && v.gainR == 0.0f) break;  // faded out: hold
            auto i0 = static_cast<int64_t>(c.position);
            if (i0 >= n) i0 = n - 1;
            int64_t i1 = i0 + 1 < n ? i0 + 1 : (loop ? 0 : i0);
            auto frac = static_cast<float>(c.position - static_cast<double>(i0));
            float l, r;
            if (stream) {
                int16_t l0, r0, l1, r1;
                stream->Frame(i0, l0, r0);
                stream->Frame(i1, l1, r1);
                l = l0 + (l1 - l0) * frac;
                r = r0 + (r1 - r0) * frac;
            } else {
                l = smp[2 * i0] + (smp[2 * i1] - smp[2 * i0]) * frac;
                r = smp[2 * i0 + 1] + (smp[2 * i1 + 1] - smp[2 * i0 + 1]) * frac;
            }
            acc[2 * i] += l * v.gainL;
            acc[2 * i + 1] += r * v.gainR;
            c.position += step;
            if (c.position >= nd) {
                if (loop) {
                    c.position = std::fmod(c.position, nd);
                } else {
                    c.position = nd;
                    c.finished = true;
                    break;
                }
            }
        }
    }
    // A stopped voice leaves once its fade has reached silence.
    std::erase_if(m.voices, [](const Voice& v) {
        return v.channel->finished || (v.channel->stopped && v.gainL == 0.0f && v.gainR == 0.0f);
    });
    m.limiter.Process(acc, out, frames);
}

void SDLCALL AudioCallback(void*, Uint8* stream, int len) {
    MixVoices(reinterpret_cast<int16_t*>(stream), len / 4);
    // Voices move on while muted, so sound comes back where the game is.
    if (muted.load(std::memory_order_relaxed)) std::memset(stream, 0, static_cast<size_t>(len));
}

// Float values as the game wrote them (0.4f traces as 0.4, not 0.4000000059604645).
double Traced(float v) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    double d = v;
    std::from_chars(buf, res.ptr, d);
    return d;
}

void TraceChannel(const TChannel& c, const char* op, double value) {
    if (!rig::Tracing()) return;
    rig::Record("channel").add("channel", c.id).add(op, value).emit();
}

}  // namespace

TChannelPtr PlaySound(const TSoundPtr& sound) {
    if (!sound) return nullptr;
    CatchUp();
    auto c = std::make_shared<TChannel>();
    c->sound = sound;
    {
        DeviceLock lock;
        Mixer& m = M();
        c->id = m.nextId++;
        if (sound->FrameCount() == 0)
            c->finished = true;
        else
            m.voices.push_back(Voice{c, 0, 0, false, nullptr});
    }
    if (rig::Tracing())
        rig::Record("sound").add("src", sound->source).add("channel", c->id).add("volume", Traced(c->volume)).emit();
    return c;
}

void FreezeSound(bool frozen) {
    CatchUp();
    {
        DeviceLock lock;
        M().frozen = frozen;
    }
    if (rig::Tracing()) rig::Record("mixer").add("frozen", frozen ? 1 : 0).emit();
}

void TChannel::Stop() {
    CatchUp();
    {
        DeviceLock lock;
        stopped = true;  // the voice leaves the mixer after its fade (or the next silent step)
    }
    TraceChannel(*this, "stop", 1);
}

void TChannel::SetPaused(bool on) {
    CatchUp();
    {
        DeviceLock lock;
        paused = on;
    }
    TraceChannel(*this, "pause", on ? 1 : 0);
}

void TChannel::SetVolume(float v) {
    if (!(v == v)) v = 0;  // NaN
    v = std::clamp(v, 0.0f, 1.0f);
    {
        DeviceLock lock;
        volume = v;
    }
    TraceChannel(*this, "volume", Traced(v));
}

void TChannel::SetPan(float p) {
    if (!(p == p)) p = 0;
    p = std::clamp(p, -1.0f, 1.0f);
    {
        DeviceLock lock;
        pan = p;
    }
    TraceChannel(*this, "pan", Traced(p));
}

// Depth (front/back placement) is kept and traced; a stereo mix has nothing to do with it.
void TChannel::SetDepth(float d) {
    if (!(d == d)) d = 0;
    {
        DeviceLock lock;
        depth = d;
    }
    TraceChannel(*this, "depth", Traced(d));
}

void TChannel::SetRate(float r) {
    if (!(r == r)) r = 1;
    r = std::clamp(r, 0.0f, kMaxRate);
    CatchUp();  // time so far ran at the old rate
    {
        DeviceLock lock;
        rate = r;
    }
    TraceChannel(*this, "rate", Traced(r));
}

// Game logic reads this (music restarts when it ends): an outside fact for the journal.
int TChannel::Playing() {
    if (!sound) return 0;
    return journal::Playing(id, [this] {
        CatchUp();
        DeviceLock lock;
        return stopped || finished ? 0 : 1;
    });
}

namespace {
// While SDL looks for a sound device, ALSA's library writes lines of its own on standard
// error ("cannot find card '0'", eight of them on a machine without sound) that tell a
// player nothing; the game says it in one line instead. Standard error points at
// /dev/null for that moment only.
class QuietStderr {
   public:
    QuietStderr() {
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        const int nul = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved < 0 || nul < 0 || dup2(nul, STDERR_FILENO) < 0) Restore();
        if (nul >= 0) close(nul);
    }
    ~QuietStderr() { Restore(); }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

   private:
    void Restore() {
        if (saved < 0) return;
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        saved = -1;
    }
    int saved = -1;
};
}  // namespace

namespace audio {

void Init(bool silent) {
    Shutdown();
    Mixer& m = M();
    m.nextId = 1;
    m.haveLastMs = false;
    m.deviceRate = kWantedRate;
    m.limiter.Reset(m.deviceRate);
    if (silent) return;
    std::string why;
    {
        QuietStderr quiet;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
            SDL_AudioSpec want{};
            want.freq = kWantedRate;
            want.format = AUDIO_S16SYS;
            want.channels = 2;
            want.samples = 1024;
            want.callback = AudioCallback;
            SDL_AudioSpec have{};
            m.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
            if (m.device) m.deviceRate = have.freq > 0 ? have.freq : kWantedRate;
            else SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        if (!m.device) why = SDL_GetError();
    }
    if (!m.device) {  // no sound card: the game says so once and goes on silently
        std::printf("Sin sonido: no hay dispositivo de audio (%s)\n", why.empty() ? "SDL no dice por que" : why.c_str());
        std::fflush(stdout);
        return;
    }
    m.limiter.Reset(m.deviceRate);
    SDL_PauseAudioDevice(m.device, 0);
}

void Shutdown() {
    Mixer& m = M();
    if (m.device) {
        SDL_CloseAudioDevice(m.device);
        m.device = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    // Channels the game still holds no longer sound.
    for (auto& v : m.voices) v.channel->stopped = true;
    m.voices.clear();
    m.haveLastMs = false;
}

void SetMuted(bool mute) { muted.store(mute, std::memory_order_relaxed); }

void Mix(int16_t* out, int frames) {
    if (!out || frames <= 0) return;
    DeviceLock lock;
    MixVoices(out, frames);
}

}  // namespace audio
