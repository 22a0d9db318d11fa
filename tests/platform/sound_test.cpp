#include "platform/session/clock.h"
#include "platform/session/run.h"
#include "platform/session/trace.h"
#include "platform/sound/device.h"
#include "platform/sound/sound.h"

#include <SDL.h>
#include <gtest/gtest.h>

#ifdef FK_HAVE_VORBISENC
#include <vorbis/vorbisenc.h>
#endif

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- building sound files by hand ----

void Put16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}
std::string Chunk(const char* id, const std::string& body) {
    std::string s(id, 4);
    Put32(s, static_cast<uint32_t>(body.size()));
    s += body;
    if (body.size() & 1) s += '\0';
    return s;
}
std::string Fmt(int tag, int channels, int rate, int bits, int blockAlign = -1) {
    std::string f;
    Put16(f, tag);
    Put16(f, channels);
    Put32(f, rate);
    int align = blockAlign >= 0 ? blockAlign : channels * ((bits + 7) / 8);
    Put32(f, rate * align);
    Put16(f, align);
    Put16(f, bits);
    return Chunk("fmt ", f);
}
std::string Riff(const std::string& chunks) {
    std::string s = "RIFF";
    Put32(s, static_cast<uint32_t>(chunks.size() + 4));
    return s + "WAVE" + chunks;
}
std::string Wav(int tag, int channels, int rate, int bits, const std::string& data) {
    return Riff(Fmt(tag, channels, rate, bits) + Chunk("data", data));
}
std::string Pcm16(const std::vector<int16_t>& v) {
    std::string s;
    for (int16_t x : v) Put16(s, static_cast<uint16_t>(x));
    return s;
}

TSoundPtr Load(const std::string& bytes, int flags = 0) {
    return LoadSoundFromMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), flags, "t.wav");
}

// A sound made directly: frames of a constant stereo value.
TSoundPtr Constant(int64_t frames, int rate, int16_t l, int16_t r, int flags = 0) {
    auto s = std::make_shared<TSound>();
    s->rate = rate;
    s->flags = flags;
    s->source = "const";
    for (int64_t i = 0; i < frames; ++i) {
        s->samples.push_back(l);
        s->samples.push_back(r);
    }
    return s;
}

std::vector<int16_t> Mix(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    audio::Mix(out.data(), frames);
    return out;
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        clockseam::UseVirtualClock();
        audio::Init(true);
    }
    void TearDown() override {
        audio::Shutdown();
        rig::CaptureTrace(false);
        clockseam::UseRealClock();
    }
};

}  // namespace

// ---------------------------------------------------------------- WAV

TEST(WavDecode, SampleFormatsBecomeStereo16) {
    // 16-bit stereo keeps every value and the file's rate.
    auto s = Load(Wav(1, 2, 22050, 16, Pcm16({-32768, 32767, 5, -6})), SOUND_LOOP);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->rate, 22050);
    EXPECT_EQ(s->flags, SOUND_LOOP);
    EXPECT_EQ(s->source, "t.wav");
    EXPECT_EQ(s->samples, (std::vector<int16_t>{-32768, 32767, 5, -6}));

    // 8-bit is unsigned around 128; mono is copied to both sides.
    s = Load(Wav(1, 1, 8000, 8, std::string("\x00\x80\xff", 3)));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->samples, (std::vector<int16_t>{-32768, -32768, 0, 0, 32512, 32512}));

    // 24 and 32-bit keep their top 16 bits.
    s = Load(Wav(1, 1, 44100, 24, std::string("\x00\x34\x12\xff\xff\x80", 6)));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->samples, (std::vector<int16_t>{0x1234, 0x1234, -32513, -32513}));
    s = Load(Wav(1, 1, 44100, 32, std::string("\x00\x00\x34\x12", 4)));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->samples[0], 0x1234);

    // Float is scaled to full range and clamped; NaN is silence.
    std::string f;
    for (float v : {1.0f, -1.0f, 0.5f, 4.0f, NAN}) {
        uint32_t u;
        std::memcpy(&u, &v, 4);
        Put32(f, u);
    }
    s = Load(Wav(3, 1, 48000, 32, f));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->samples, (std::vector<int16_t>{32767, 32767, -32767, -32767, 16384, 16384, 32767, 32767, 0, 0}));
}

TEST(WavDecode, ChunkLayoutVariants) {
    // Extensible format carrying PCM, an odd-sized chunk before fmt (padded), data before
    // fmt, and a trailing partial frame that is dropped.
    std::string ext;
    Put16(ext, 0xFFFE);
    Put16(ext, 2);
    Put32(ext, 11025);
    Put32(ext, 11025 * 4);
    Put16(ext, 4);
    Put16(ext, 16);
    Put16(ext, 22);
    Put16(ext, 16);
    Put32(ext, 3);
    ext += std::string("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 16);
    std::string data = Pcm16({100, -100, 200, -200}) + "\x07";
    auto s = Load(Riff(Chunk("LIST", "abc") + Chunk("data", data) + Chunk("fmt ", ext)));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->rate, 11025);
    EXPECT_EQ(s->samples, (std::vector<int16_t>{100, -100, 200, -200}));

    // An empty data chunk is a sound with no frames; it plays as already finished.
    s = Load(Wav(1, 2, 44100, 16, ""));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->FrameCount(), 0);
}

TEST(WavDecode, TruncatedOrMalformedLoadsAsNothing) {
    const std::string good = Wav(1, 2, 44100, 16, Pcm16({1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(Load(good));
    for (size_t n = 0; n < good.size(); ++n) EXPECT_FALSE(Load(good.substr(0, n))) << "prefix " << n;

    const std::string data = Chunk("data", Pcm16({1, 2}));
    EXPECT_FALSE(Load(Riff(data)));                                   // no fmt
    EXPECT_FALSE(Load(Riff(Fmt(1, 2, 44100, 16))));                   // no data
    EXPECT_FALSE(Load(Riff(Fmt(2, 2, 44100, 16) + data)));            // ADPCM
    EXPECT_FALSE(Load(Riff(Fmt(1, 0, 44100, 16) + data)));            // no channels
    EXPECT_FALSE(Load(Riff(Fmt(1, 9, 44100, 16) + data)));            // too many channels
    EXPECT_FALSE(Load(Riff(Fmt(1, 2, 0, 16) + data)));                // rate 0
    EXPECT_FALSE(Load(Riff(Fmt(1, 2, 44100, 0) + data)));             // 0 bits
    EXPECT_FALSE(Load(Riff(Fmt(1, 2, 44100, 40) + data)));            // 5-byte ints
    EXPECT_FALSE(Load(Riff(Fmt(3, 2, 44100, 16) + data)));            // 16-bit float
    EXPECT_FALSE(Load(Riff(Fmt(1, 2, 44100, 16, 2) + data)));         // frame larger than block
    EXPECT_FALSE(Load(Riff(Chunk("fmt ", "short") + data)));          // fmt too small
    std::string huge = Riff(Fmt(1, 2, 44100, 16)) + "data";
    Put32(huge, 0xFFFFFFFF);
    EXPECT_FALSE(Load(huge + "ab"));
    EXPECT_FALSE(Load("RIFX" + good.substr(4)));
    EXPECT_FALSE(Load(good.substr(0, 8) + "AVI " + good.substr(12)));
    EXPECT_FALSE(Load("garbage that is no sound at all"));
    EXPECT_FALSE(LoadSoundFromMemory(nullptr, 0));
}

TEST(WavDecode, LoadSoundReadsFilesByPath) {
    const std::string path = std::string(FK_TEST_WORK) + "/sound_test_tone.wav";
    const std::string bytes = Wav(1, 1, 44100, 16, Pcm16({7, 8, 9}));
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    auto s = LoadSound(path, 2);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->source, path);
    EXPECT_EQ(s->flags, 2);
    EXPECT_EQ(s->FrameCount(), 3);
    EXPECT_FALSE(LoadSound(path + ".missing"));
    EXPECT_FALSE(LoadSound(FK_TEST_WORK));  // a directory
}

// ---------------------------------------------------------------- Ogg Vorbis

#ifdef FK_HAVE_VORBISENC
namespace {

// Encodes channel c of the frame i as gen(c, i), floats in -1..1.
template <class Gen>
std::string EncodeOgg(int channels, int rate, int frames, Gen gen) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, rate, 0.5f) != 0) return {};
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 1234);
    std::string out;
    ogg_page og;
    auto page = [&] {
        out.append(reinterpret_cast<const char*>(og.header), og.header_len);
        out.append(reinterpret_cast<const char*>(og.body), og.body_len);
    };
    ogg_packet hdr, comm, code;
    vorbis_analysis_headerout(&vd, &vc, &hdr, &comm, &code);
    ogg_stream_packetin(&os, &hdr);
    ogg_stream_packetin(&os, &comm);
    ogg_stream_packetin(&os, &code);
    while (ogg_stream_flush(&os, &og)) page();

    int done = 0;
    bool eos = false;
    while (!eos) {
        if (done < frames) {
            int n = std::min(1024, frames - done);
            float** buf = vorbis_analysis_buffer(&vd, n);
            for (int c = 0; c < channels; ++c)
                for (int i = 0; i < n; ++i) buf[c][i] = gen(c, done + i);
            vorbis_analysis_wrote(&vd, n);
            done += n;
        } else {
            vorbis_analysis_wrote(&vd, 0);
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &og)) {
                    page();
                    if (ogg_page_eos(&og)) eos = true;
                }
            }
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
}

double Rms(const TSound& s, int side) {
    double sum = 0;
    for (int64_t i = 0; i < s.FrameCount(); ++i) sum += std::pow(s.samples[2 * i + side], 2);
    return std::sqrt(sum / static_cast<double>(s.FrameCount()));
}

const double kTwoPi = 6.283185307179586;

}  // namespace

TEST(OggDecode, TonesKeepLengthRateAndSides) {
    // Left: a 440 Hz tone of amplitude 0.5; right: silence.
    const int frames = 11025;
    std::string ogg = EncodeOgg(2, 22050, frames, [](int c, int i) {
        return c == 0 ? 0.5f * static_cast<float>(std::sin(kTwoPi * 440 * i / 22050.0)) : 0.0f;
    });
    ASSERT_FALSE(ogg.empty());
    auto s = LoadSoundFromMemory(reinterpret_cast<const uint8_t*>(ogg.data()), ogg.size(), 3, "m.ogg");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->rate, 22050);
    EXPECT_EQ(s->flags, 3);
    EXPECT_EQ(s->FrameCount(), frames);
    EXPECT_NEAR(Rms(*s, 0), 0.5 * 32767 / std::sqrt(2.0), 600);
    EXPECT_LT(Rms(*s, 1), 300);

    // Mono plays on both sides alike.
    ogg = EncodeOgg(1, 44100, 4410, [](int, int i) {
        return 0.3f * static_cast<float>(std::sin(kTwoPi * 1000 * i / 44100.0));
    });
    s = LoadSoundFromMemory(reinterpret_cast<const uint8_t*>(ogg.data()), ogg.size());
    ASSERT_TRUE(s);
    EXPECT_EQ(s->FrameCount(), 4410);
    for (int64_t i = 0; i < s->FrameCount(); ++i) ASSERT_EQ(s->samples[2 * i], s->samples[2 * i + 1]);
    EXPECT_GT(Rms(*s, 0), 0.3 * 32767 / std::sqrt(2.0) - 600);
}

// A long Ogg Vorbis sound (music) keeps its file's bytes, not its samples, and a stream
// gives the same frames however it is read: in order, or jumping (a loop's start, a
// slowed rate going back over a window's edge).
TEST(OggDecode, LongSoundsAreStreamedFrameForFrame) {
    const int frames = 20 * 44100 + 5000;
    std::string ogg = EncodeOgg(2, 44100, frames, [](int c, int i) {
        return (c == 0 ? 0.5f : 0.2f) * static_cast<float>(std::sin(kTwoPi * 440 * i / 44100.0));
    });
    auto s = LoadSoundFromMemory(reinterpret_cast<const uint8_t*>(ogg.data()), ogg.size());
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->samples.empty());
    ASSERT_TRUE(s->encoded);
    EXPECT_EQ(s->FrameCount(), frames);

    std::vector<int16_t> inOrder;
    TSoundStream a(*s);
    double sum[2] = {0, 0};
    for (int64_t i = 0; i < frames; ++i) {
        int16_t l, r;
        a.Frame(i, l, r);
        inOrder.push_back(l);
        inOrder.push_back(r);
        sum[0] += double(l) * l;
        sum[1] += double(r) * r;
    }
    EXPECT_NEAR(std::sqrt(sum[0] / frames), 0.5 * 32767 / std::sqrt(2.0), 600);
    EXPECT_NEAR(std::sqrt(sum[1] / frames), 0.2 * 32767 / std::sqrt(2.0), 600);

    TSoundStream b(*s);
    for (int64_t i : {int64_t(frames - 1), int64_t(0), int64_t(16383), int64_t(16384), int64_t(16383), int64_t(500000),
                      int64_t(123), int64_t(frames - 2), int64_t(frames - 1), int64_t(0)}) {
        int16_t l, r;
        b.Frame(i, l, r);
        EXPECT_EQ(l, inOrder[size_t(2 * i)]) << i;
        EXPECT_EQ(r, inOrder[size_t(2 * i + 1)]) << i;
    }
}

TEST(OggDecode, TruncatedOrDamagedLoadsAsNothing) {
    std::string ogg = EncodeOgg(2, 44100, 44100, [](int c, int i) {
        return 0.4f * static_cast<float>(std::sin(kTwoPi * (300 + 100 * c) * i / 44100.0));
    });
    ASSERT_TRUE(LoadSoundFromMemory(reinterpret_cast<const uint8_t*>(ogg.data()), ogg.size()));
    for (size_t cut : {size_t(4), size_t(30), size_t(200), ogg.size() / 3, ogg.size() / 2, ogg.size() - 1}) {
        EXPECT_FALSE(LoadSoundFromMemory(reinterpret_cast<const uint8_t*>(ogg.data()), cut)) << "cut at " << cut;
    }
    // A damaged byte in the middle of the audio fails the page checksum: a hole.
    std::string bad = ogg;
    bad[bad.size() / 2] ^= 0x5A;
    EXPECT_FALSE(LoadSoundFromMemory(reinterpret_cast<const uint8_t*>(bad.data()), bad.size()));
    // Damaged headers.
    bad = ogg;
    for (size_t i = 28; i < 60; ++i) bad[i] = 0;
    EXPECT_FALSE(LoadSoundFromMemory(reinterpret_cast<const uint8_t*>(bad.data()), bad.size()));
    const std::string junk = "OggS" + std::string(100, '\x01');
    EXPECT_FALSE(LoadSoundFromMemory(reinterpret_cast<const uint8_t*>(junk.data()), junk.size()));
}
#endif  // FK_HAVE_VORBISENC

// ---------------------------------------------------------------- channels (silent mixer)

TEST_F(SoundTest, NonLoopingChannelEndsExactlyAtItsLength) {
    auto tenth = Constant(4410, 44100, 1000, 1000);  // 100 ms
    auto c = PlaySound(tenth);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->Playing(), 1);
    Delay(99);
    EXPECT_EQ(c->Playing(), 1);
    Delay(1);
    EXPECT_EQ(c->Playing(), 0);
    Delay(1000);
    EXPECT_EQ(c->Playing(), 0);

    // The sound's own rate sets its length: 2205 frames at 22050 Hz are 100 ms too,
    // and rate 2 ends it in half the time.
    auto slow = Constant(2205, 22050, 1, 1);
    c = PlaySound(slow);
    Delay(99);
    EXPECT_EQ(c->Playing(), 1);
    Delay(1);
    EXPECT_EQ(c->Playing(), 0);

    c = PlaySound(tenth);
    c->SetRate(2);
    Delay(49);
    EXPECT_EQ(c->Playing(), 1);
    Delay(1);
    EXPECT_EQ(c->Playing(), 0);

    // A rate change midway: 50 ms at 1 then 25 ms at 2.
    c = PlaySound(tenth);
    Delay(50);
    c->SetRate(2);
    Delay(24);
    EXPECT_EQ(c->Playing(), 1);
    Delay(1);
    EXPECT_EQ(c->Playing(), 0);
}

TEST_F(SoundTest, LoopingPauseAndStop) {
    auto loop = Constant(4410, 44100, 1000, 1000, SOUND_LOOP);
    auto c = PlaySound(loop);
    Delay(10000);
    EXPECT_EQ(c->Playing(), 1);
    EXPECT_GE(c->position, 0);
    EXPECT_LT(c->position, 4410);

    // A paused channel still counts as playing and does not move.
    auto once = Constant(4410, 44100, 1000, 1000);
    auto d = PlaySound(once);
    Delay(40);
    d->SetPaused(true);
    Delay(5000);
    EXPECT_EQ(d->Playing(), 1);
    EXPECT_DOUBLE_EQ(d->position, 1764);
    d->SetPaused(false);
    Delay(59);
    EXPECT_EQ(d->Playing(), 1);
    Delay(1);
    EXPECT_EQ(d->Playing(), 0);

    // Stop ends a looping channel at once and for good; stopping twice is harmless.
    c->Stop();
    EXPECT_EQ(c->Playing(), 0);
    c->Stop();
    c->SetPaused(false);
    Delay(100);
    EXPECT_EQ(c->Playing(), 0);

    // Rate 0 holds a channel where it is.
    auto e = PlaySound(once);
    e->SetRate(0);
    Delay(1000);
    EXPECT_EQ(e->Playing(), 1);
}

TEST_F(SoundTest, ChannelNumbersNullSoundsAndEmptySounds) {
    EXPECT_FALSE(PlaySound(nullptr));
    auto s = Constant(100, 44100, 0, 0);
    EXPECT_EQ(PlaySound(s)->id, 1);
    EXPECT_EQ(PlaySound(s)->id, 2);
    auto empty = Constant(0, 44100, 0, 0, SOUND_LOOP);
    auto c = PlaySound(empty);
    EXPECT_EQ(c->id, 3);
    EXPECT_EQ(c->Playing(), 0);
    Mix(64);  // must not divide by the empty length
    audio::Init(true);
    EXPECT_EQ(PlaySound(s)->id, 1);
}

TEST_F(SoundTest, SilentMixerFollowsTheRealClockWithoutVirtualTime) {
    clockseam::UseRealClock();
    auto shortOne = PlaySound(Constant(2205, 44100, 0, 0));    // 50 ms
    auto longOne = PlaySound(Constant(441000, 44100, 0, 0));   // 10 s
    EXPECT_EQ(longOne->Playing(), 1);
    Delay(80);
    EXPECT_EQ(shortOne->Playing(), 0);
    EXPECT_EQ(longOne->Playing(), 1);
    EXPECT_GT(longOne->position, 80 * 44.1 - 1);
}

// ---------------------------------------------------------------- mixing

TEST_F(SoundTest, VolumePanAndClamping) {
    auto a = PlaySound(Constant(1000, 44100, 10000, -8000));
    a->SetVolume(0.5f);
    auto out = Mix(4);
    EXPECT_EQ(out[0], 5000);
    EXPECT_EQ(out[1], -4000);
    a->Stop();
    Mix(1000);

    // Pan is a balance: full left silences the right, half right halves the left.
    auto b = PlaySound(Constant(1000, 44100, 10000, 10000));
    b->SetPan(-1);
    out = Mix(2);
    EXPECT_EQ(out[0], 10000);
    EXPECT_EQ(out[1], 0);
    b->Stop();
    Mix(1000);
    auto c = PlaySound(Constant(1000, 44100, 10000, 10000));
    c->SetPan(0.5f);
    out = Mix(2);
    EXPECT_EQ(out[0], 5000);
    EXPECT_EQ(out[1], 10000);
    c->Stop();
    Mix(1000);

    // Out-of-range settings are held to their ranges.
    auto d = PlaySound(Constant(1000, 44100, 10000, 10000));
    d->SetVolume(3);
    d->SetPan(-7);
    EXPECT_FLOAT_EQ(d->Volume(), 1);
    EXPECT_FLOAT_EQ(d->pan, -1);
    d->Stop();
    Mix(1000);

    // Sums beyond 16 bits are limited instead of wrapping.
    PlaySound(Constant(1000, 44100, 30000, -30000));
    PlaySound(Constant(1000, 44100, 30000, -30000));
    out = Mix(2);
    EXPECT_EQ(out[0], 32767);
    EXPECT_EQ(out[1], -32767);
}

// A tone of the given peak, frequency and length at 44100 Hz (the same on both sides).
static TSoundPtr Tone(double peak, double hz, int frames) {
    auto s = std::make_shared<TSound>();
    s->source = "tone";
    for (int i = 0; i < frames; ++i) {
        auto v = static_cast<int16_t>(std::lrint(peak * std::sin(2 * M_PI * hz * i / 44100.0)));
        s->samples.push_back(v);
        s->samples.push_back(v);
    }
    return s;
}

TEST_F(SoundTest, LimiterLeavesSingleSoundsExactAndKeepsStacksCleanAndInRange) {
    // Alone at full scale (both extremes included): sample for sample.
    auto full = std::make_shared<TSound>();
    uint32_t seed = 7;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        auto v = static_cast<int16_t>(seed >> 16);
        if (i % 97 == 0) v = (i / 97) % 2 ? 32767 : -32768;
        full->samples.push_back(v);
        full->samples.push_back(static_cast<int16_t>(-(v / 2)));
    }
    PlaySound(full);
    std::vector<int16_t> heard;
    for (int block = 0; block < 20; ++block)
        for (int16_t v : Mix(1024)) heard.push_back(v);
    heard.resize(full->samples.size());
    EXPECT_EQ(heard, full->samples);

    // Three tones at 0.7 of full scale (a peak of 2.1x): never beyond 16 bits, and no
    // corners: once the limiter has settled the output is the sum scaled by a steady gain.
    audio::Init(true);
    for (int k = 0; k < 3; ++k) PlaySound(Tone(0.7 * 32767, 220, 44100));
    const auto one = Tone(0.7 * 32767, 220, 44100)->samples;
    std::vector<int16_t> stacked;
    for (int block = 0; block < 20; ++block)
        for (int16_t v : Mix(1024)) stacked.push_back(v);
    int16_t peak = 0;
    for (int16_t v : stacked) peak = std::max<int16_t>(peak, static_cast<int16_t>(std::abs(v)));
    EXPECT_LE(peak, 32767);
    EXPECT_GT(peak, 30000);  // limited, not ducked to a whisper
    double lo = 1e9, hi = 0;
    for (size_t i = 2 * 4410; i < stacked.size(); i += 2) {
        const double sum = 3.0 * one[i];
        if (std::abs(sum) < 20000) continue;  // ratios near zero crossings are rounding
        double g = stacked[i] / sum;
        lo = std::min(lo, g);
        hi = std::max(hi, g);
    }
    EXPECT_GT(lo, 0.4);
    EXPECT_LT(hi - lo, 0.02);  // a clamped wave would swing from 1 down to 0.48

    // When the stack ends the limiter comes back to rest: a later lone sound is exact.
    audio::Init(true);
    for (int k = 0; k < 3; ++k) PlaySound(Tone(0.7 * 32767, 220, 2000));
    Mix(1024);
    Mix(1024);
    Mix(44100);
    PlaySound(full);
    heard.clear();
    for (int block = 0; block < 20; ++block)
        for (int16_t v : Mix(1024)) heard.push_back(v);
    heard.resize(full->samples.size());
    EXPECT_EQ(heard, full->samples);
}

TEST_F(SoundTest, VolumeChangesAndStopGlideWithoutClicks) {
    auto c = PlaySound(Constant(44100, 44100, 20000, 20000));
    Mix(100);
    c->SetVolume(0);
    auto out = Mix(400);
    EXPECT_GT(out[0], 19000);  // no jump to the new level
    for (int i = 1; i < 400; ++i) EXPECT_LE(out[2 * i], out[2 * i - 2]);
    EXPECT_EQ(out[2 * 399], 0);  // and it arrives within a few milliseconds

    // Stop fades from full level to nothing, then the voice leaves the mixer.
    auto d = PlaySound(Constant(44100, 44100, 20000, 20000));
    Mix(100);
    d->Stop();
    out = Mix(400);
    EXPECT_GT(out[0], 19000);
    EXPECT_EQ(out[2 * 399], 0);
    for (int i = 1; i < 400; ++i) ASSERT_LE(out[2 * i], out[2 * i - 2]);
    // The held channel c sits at volume 0 and d is gone: silence.
    for (int16_t v : Mix(64)) EXPECT_EQ(v, 0);
}

TEST_F(SoundTest, PausedVoiceIsSilentAndResumesWhereItWas) {
    std::vector<int16_t> ramp;
    for (int i = 0; i < 4000; ++i) {
        ramp.push_back(static_cast<int16_t>(i));
        ramp.push_back(static_cast<int16_t>(-i));
    }
    auto s = std::make_shared<TSound>();
    s->samples = ramp;
    auto c = PlaySound(s);
    Mix(500);
    c->SetPaused(true);
    Mix(500);  // fades out
    double held = c->position;
    for (int16_t v : Mix(300)) EXPECT_EQ(v, 0);
    EXPECT_DOUBLE_EQ(c->position, held);
    c->SetPaused(false);
    auto out = Mix(300);
    EXPECT_DOUBLE_EQ(c->position, held + 300);
    EXPECT_GT(out[2 * 299], 0);
}

TEST_F(SoundTest, ResamplingInterpolatesAndLoopsWrap) {
    // 22050 Hz into the 44100 Hz mix: every other output frame lies halfway.
    auto s = std::make_shared<TSound>();
    s->rate = 22050;
    s->samples = {0, 0, 1000, -1000, 2000, -2000, 3000, -3000};
    PlaySound(s);
    auto out = Mix(8);
    EXPECT_EQ(out, (std::vector<int16_t>{0, 0, 500, -500, 1000, -1000, 1500, -1500, 2000, -2000, 2500, -2500,
                                         3000, -3000, 3000, -3000}));

    // A looping sound wraps to its start, and interpolates across the seam.
    audio::Init(true);
    auto loop = std::make_shared<TSound>();
    loop->flags = SOUND_LOOP;
    loop->samples = {100, 100, 200, 200, 300, 300};
    PlaySound(loop);
    out = Mix(7);
    EXPECT_EQ(out, (std::vector<int16_t>{100, 100, 200, 200, 300, 300, 100, 100, 200, 200, 300, 300, 100, 100}));
    audio::Init(true);
    loop->rate = 22050;
    PlaySound(loop);
    out = Mix(7);
    EXPECT_EQ(out[2 * 5], 200);  // halfway from the last frame back to the first
    EXPECT_EQ(out[2 * 6], 100);
}

TEST_F(SoundTest, FireAndForgetChannelsPlayToTheirEnd) {
    PlaySound(Constant(100, 44100, 1234, 1234));
    auto out = Mix(150);
    EXPECT_EQ(out[2 * 99], 1234);
    EXPECT_EQ(out[2 * 100], 0);
}

// ---------------------------------------------------------------- trace

TEST_F(SoundTest, PlaysAndChannelChangesAreTraced) {
    rig::CaptureTrace(true);
    auto s = Constant(4410, 44100, 0, 0);
    s->source = "sfx/dado.wav";
    auto c = PlaySound(s);
    c->SetVolume(0.4f);
    c->SetPan(-0.25f);
    c->SetRate(1.5f);
    c->SetPaused(true);
    c->SetPaused(false);
    c->Stop();
    const auto& t = rig::CapturedTrace();
    ASSERT_EQ(t.size(), 7u);
    const std::string flip = "{\"flip\":" + std::to_string(session::FlipCount() + 1) + ",";
    EXPECT_EQ(t[0], flip + "\"op\":\"sound\",\"src\":\"sfx/dado.wav\",\"channel\":1,\"volume\":1}");
    EXPECT_EQ(t[1], flip + "\"op\":\"channel\",\"channel\":1,\"volume\":0.4}");
    EXPECT_EQ(t[2], flip + "\"op\":\"channel\",\"channel\":1,\"pan\":-0.25}");
    EXPECT_EQ(t[3], flip + "\"op\":\"channel\",\"channel\":1,\"rate\":1.5}");
    EXPECT_EQ(t[4], flip + "\"op\":\"channel\",\"channel\":1,\"pause\":1}");
    EXPECT_EQ(t[5], flip + "\"op\":\"channel\",\"channel\":1,\"pause\":0}");
    EXPECT_EQ(t[6], flip + "\"op\":\"channel\",\"channel\":1,\"stop\":1}");
}

// ---------------------------------------------------------------- the device

TEST(SoundDevice, TheCallbackPlaysChannelsToTheirEnd) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);  // never a real sound card in tests
    clockseam::UseRealClock();
    audio::Init(false);
    ASSERT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);  // the device opened (its subsystem stays up)
    auto shortOne = PlaySound(Constant(2205, 44100, 500, 500));  // 50 ms
    auto loop = PlaySound(Constant(441, 44100, 500, 500, SOUND_LOOP));
    loop->SetVolume(0.5f);
    loop->SetRate(1.5f);
    for (int waited = 0; waited < 5000 && shortOne->Playing(); waited += 10) Delay(10);
    EXPECT_EQ(shortOne->Playing(), 0);
    EXPECT_EQ(loop->Playing(), 1);
    loop->Stop();
    EXPECT_EQ(loop->Playing(), 0);
    audio::Shutdown();
}
