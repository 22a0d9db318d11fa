// Loading sounds: a small WAV reader of our own and Ogg Vorbis through libvorbisfile,
// both decoded into interleaved stereo 16-bit frames at the file's own rate (the mixer
// resamples while playing): fully at load, or, for a long Ogg Vorbis sound, checked whole
// at load and decoded again while it plays (TSoundStream). Every length, count and offset read from the bytes
// is checked before use; a truncated or malformed file loads as nothing.
#include "platform/base/file_report.h"
#include "platform/base/text.h"
#include "platform/sound/sound.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <future>
#include <limits>
#include <map>
#include <mutex>
#include <string>

namespace {

// Longest sound we accept (frames): about 12 minutes at 44100 Hz, 128 MB decoded.
// Keeps a hostile Ogg stream from decoding into gigabytes.
constexpr int64_t kMaxFrames = int64_t(1) << 25;
constexpr uint32_t kMaxRate = 768000;
// Ogg Vorbis sounds longer than this (frames) are streamed: the music tracks, not the
// effects.
constexpr int64_t kStreamFrames = 20 * 44100;
// Frames a stream decodes ahead at a time.
constexpr size_t kStreamWindow = 16384;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int16_t FloatToS16(double v) {
    if (!(v == v)) return 0;  // NaN
    v = std::clamp(v * 32767.0, -32768.0, 32767.0);
    return static_cast<int16_t>(std::lrint(v));
}

// ---------------------------------------------------------------- WAV

enum WavFormat : uint16_t { WAV_PCM = 1, WAV_FLOAT = 3, WAV_EXTENSIBLE = 0xFFFE };

// One sample of the data chunk as a signed 16-bit value.
int16_t WavSample(const uint8_t* p, int bytes, bool isFloat) {
    if (isFloat) {
        if (bytes == 4) {
            float f;
            uint32_t u = U32(p);
            std::memcpy(&f, &u, 4);
            return FloatToS16(f);
        }
        uint64_t u = U32(p) | (static_cast<uint64_t>(U32(p + 4)) << 32);
        double d;
        std::memcpy(&d, &u, 8);
        return FloatToS16(d);
    }
    switch (bytes) {
    case 1: return static_cast<int16_t>((p[0] - 128) * 256);
    case 2: return static_cast<int16_t>(U16(p));
    case 3: return static_cast<int16_t>(U16(p + 1));  // top 16 bits of 24
    default: return static_cast<int16_t>(U16(p + 2));  // top 16 bits of 32
    }
}

TSoundPtr DecodeWav(const uint8_t* d, size_t n, std::string& why) {
    if (n < 12 || std::memcmp(d, "RIFF", 4) != 0 || std::memcmp(d + 8, "WAVE", 4) != 0) {
        why = "not a WAV sound (no RIFF WAVE header)";
        return nullptr;
    }
    // Bytes after the RIFF chunk (some writers append tags) are not ours to read.
    size_t end = n;
    uint32_t riffSize = U32(d + 4);
    if (riffSize >= 4 && static_cast<uint64_t>(riffSize) + 8 < n) end = riffSize + 8;

    const uint8_t* fmt = nullptr;
    uint32_t fmtSize = 0;
    const uint8_t* data = nullptr;
    size_t dataSize = 0;
    size_t p = 12;
    while (end - p >= 8) {
        const uint8_t* id = d + p;
        uint32_t size = U32(d + p + 4);
        p += 8;
        if (size > end - p) {  // a chunk running past the end: truncated
            why = "WAV cut short";
            return nullptr;
        }
        if (std::memcmp(id, "fmt ", 4) == 0 && !fmt) {
            fmt = d + p;
            fmtSize = size;
        } else if (std::memcmp(id, "data", 4) == 0 && !data) {
            data = d + p;
            dataSize = size;
        }
        p += size;
        if ((size & 1) && p < end) ++p;  // chunks are word aligned
    }
    if (!fmt || !data || fmtSize < 16) {
        why = !data ? "WAV without sound data" : "WAV without a usable format chunk";
        return nullptr;
    }

    uint16_t tag = U16(fmt);
    uint32_t channels = U16(fmt + 2);
    uint32_t rate = U32(fmt + 4);
    uint32_t blockAlign = U16(fmt + 12);
    uint32_t bits = U16(fmt + 14);
    if (tag == WAV_EXTENSIBLE) {
        if (fmtSize < 40) {
            why = "WAV without a usable format chunk";
            return nullptr;
        }
        tag = U16(fmt + 24);  // first two bytes of the sub-format GUID
    }
    bool isFloat = tag == WAV_FLOAT;
    int bytes = static_cast<int>((bits + 7) / 8);
    uint32_t packed = channels * static_cast<uint32_t>(bytes);
    // Some writers leave blockAlign 0; a smaller non-zero one cannot hold a frame.
    uint32_t stride = blockAlign == 0 ? packed : blockAlign;
    if ((tag != WAV_PCM && !isFloat) || channels < 1 || channels > 8 || rate < 1 || rate > kMaxRate ||
        (isFloat ? (bits != 32 && bits != 64) : (bits < 1 || bytes > 4)) || stride < packed) {
        why = "WAV encoding not supported (format " + std::to_string(tag) + ", " + std::to_string(channels) +
              " channels, " + std::to_string(rate) + " Hz, " + std::to_string(bits) + " bits)";
        return nullptr;
    }

    int64_t frames = static_cast<int64_t>(dataSize / stride);
    if (frames > kMaxFrames) {
        why = "sound too long";
        return nullptr;
    }

    auto sound = std::make_shared<TSound>();
    sound->rate = static_cast<int>(rate);
    sound->samples.resize(static_cast<size_t>(frames) * 2);
    int16_t* out = sound->samples.data();
    const uint8_t* frame = data;
    for (int64_t i = 0; i < frames; ++i, frame += stride) {
        int16_t l = WavSample(frame, bytes, isFloat);
        int16_t r = channels > 1 ? WavSample(frame + bytes, bytes, isFloat) : l;
        *out++ = l;
        *out++ = r;
    }
    return sound;
}

// ---------------------------------------------------------------- Ogg Vorbis

struct MemoryFile {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

size_t MemRead(void* dst, size_t size, size_t count, void* source) {
    auto* m = static_cast<MemoryFile*>(source);
    if (size == 0 || count == 0) return 0;
    size_t want = count > (m->size - m->pos) / size ? (m->size - m->pos) / size : count;
    std::memcpy(dst, m->data + m->pos, want * size);
    m->pos += want * size;
    return want;
}

int MemSeek(void* source, ogg_int64_t offset, int whence) {
    auto* m = static_cast<MemoryFile*>(source);
    ogg_int64_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? static_cast<ogg_int64_t>(m->pos)
                       : whence == SEEK_END ? static_cast<ogg_int64_t>(m->size)
                                            : -1;
    if (base < 0) return -1;
    if (offset < -base || offset > static_cast<ogg_int64_t>(m->size) - base) return -1;
    m->pos = static_cast<size_t>(base + offset);
    return 0;
}

long MemTell(void* source) { return static_cast<long>(static_cast<MemoryFile*>(source)->pos); }

// Walks the Ogg pages: every page must be whole and the last one must close its
// stream, otherwise the file was cut short. Bytes after the last page are ignored.
bool OggComplete(const uint8_t* d, size_t n) {
    size_t p = 0;
    bool any = false, lastEos = false;
    while (n - p >= 4 && std::memcmp(d + p, "OggS", 4) == 0) {
        if (n - p < 27) return false;
        size_t segments = d[p + 26];
        if (n - p - 27 < segments) return false;
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i) body += d[p + 27 + i];
        size_t pageSize = 27 + segments + body;
        if (n - p < pageSize) return false;
        lastEos = (d[p + 5] & 0x04) != 0;
        any = true;
        p += pageSize;
    }
    return any && lastEos;
}

// The channel heard on the right: Vorbis orders 3 and 5+ channels as left, centre,
// right, ...
int RightChannel(int channels) {
    return channels == 1 ? 0 : (channels == 3 || channels >= 5) ? 2 : 1;
}

TSoundPtr DecodeOgg(const uint8_t* d, size_t n, std::string& why) {
    if (!OggComplete(d, n)) {
        why = "Ogg cut short";
        return nullptr;
    }
    MemoryFile mem{d, n, 0};
    ov_callbacks callbacks{MemRead, MemSeek, nullptr, MemTell};
    OggVorbis_File vf;
    if (ov_open_callbacks(&mem, &vf, nullptr, 0, callbacks) != 0) {
        why = "not an Ogg Vorbis sound";
        return nullptr;
    }

    auto sound = std::make_shared<TSound>();
    bool ok = true;
    bool streamed = false;
    int64_t frames = 0;
    const vorbis_info* info = ov_info(&vf, -1);
    if (!info || info->channels < 1 || info->rate < 1 || info->rate > static_cast<long>(kMaxRate)) {
        ok = false;
    } else {
        sound->rate = static_cast<int>(info->rate);
        ogg_int64_t total = ov_pcm_total(&vf, -1);
        // One stream of one rate throughout, so that a seek lands on the frame asked.
        streamed = total > kStreamFrames && ov_streams(&vf) == 1;
        if (total > 0 && total <= kMaxFrames && !streamed) sound->samples.reserve(static_cast<size_t>(total) * 2);
    }
    while (ok) {
        float** pcm = nullptr;
        int link = 0;
        long got = ov_read_float(&vf, &pcm, 4096, &link);
        if (got == 0) break;
        if (got < 0) {  // a hole or a bad packet: the stream is damaged
            ok = false;
            break;
        }
        const vorbis_info* li = ov_info(&vf, link);
        if (!li || li->channels < 1 || !pcm) {
            ok = false;
            break;
        }
        if (frames + got > kMaxFrames) {
            ok = false;
            break;
        }
        frames += got;
        if (streamed) continue;  // checked and counted; decoded again while it plays
        const int right = RightChannel(li->channels);
        for (long i = 0; i < got; ++i) {
            sound->samples.push_back(FloatToS16(pcm[0][i]));
            sound->samples.push_back(FloatToS16(pcm[right][i]));
        }
    }
    ov_clear(&vf);
    if (!ok || frames == 0) {
        why = ok ? "Ogg Vorbis without sound" : "damaged Ogg Vorbis";
        return nullptr;
    }
    if (streamed) {
        sound->encoded = std::make_shared<const std::vector<uint8_t>>(d, d + n);
        sound->encodedFrames = frames;
    }
    sound->samples.shrink_to_fit();
    return sound;
}

}  // namespace

struct TSoundStream::State {
    std::shared_ptr<const std::vector<uint8_t>> bytes;
    MemoryFile mem{nullptr, 0, 0};
    OggVorbis_File vf{};
    bool open = false;
    std::vector<int16_t> window;  // frames [start, start + window.size() / 2)
    int64_t start = 0;
    int64_t next = 0;  // the frame the decoder gives next
    int16_t beforeL = 0, beforeR = 0;  // frame start - 1, kept across a refill
    bool haveBefore = false;

    // Decodes a window from frame `from`; false when nothing came.
    bool Fill(int64_t from) {
        if (!open) return false;
        if (!window.empty() && from == start + static_cast<int64_t>(window.size() / 2)) {
            beforeL = window[window.size() - 2];
            beforeR = window[window.size() - 1];
            haveBefore = true;
        } else {
            haveBefore = false;
        }
        if (from != next) {
            if (ov_pcm_seek(&vf, from) != 0) return false;
            next = from;
        }
        window.clear();
        start = from;
        while (window.size() / 2 < kStreamWindow) {
            float** pcm = nullptr;
            int link = 0;
            const long got = ov_read_float(&vf, &pcm, static_cast<int>(kStreamWindow - window.size() / 2), &link);
            const vorbis_info* li = got > 0 ? ov_info(&vf, link) : nullptr;
            if (!li || !pcm) break;
            const int right = RightChannel(li->channels);
            for (long i = 0; i < got; ++i) {
                window.push_back(FloatToS16(pcm[0][i]));
                window.push_back(FloatToS16(pcm[right][i]));
            }
            next += got;
        }
        return !window.empty();
    }
};

TSoundStream::TSoundStream(const TSound& sound) : st(std::make_unique<State>()) {
    if (!sound.encoded) return;
    st->bytes = sound.encoded;
    st->mem = MemoryFile{st->bytes->data(), st->bytes->size(), 0};
    ov_callbacks callbacks{MemRead, MemSeek, nullptr, MemTell};
    st->open = ov_open_callbacks(&st->mem, &st->vf, nullptr, 0, callbacks) == 0;
    st->window.reserve(kStreamWindow * 2);
}

TSoundStream::~TSoundStream() {
    if (st->open) ov_clear(&st->vf);
}

void TSoundStream::Frame(int64_t i, int16_t& left, int16_t& right) {
    State& s = *st;
    if (s.haveBefore && i == s.start - 1) {
        left = s.beforeL;
        right = s.beforeR;
        return;
    }
    int64_t at = i - s.start;
    if (at < 0 || at >= static_cast<int64_t>(s.window.size() / 2)) {
        if (!s.Fill(i)) {
            left = right = 0;
            return;
        }
        at = 0;
    }
    left = s.window[static_cast<size_t>(2 * at)];
    right = s.window[static_cast<size_t>(2 * at + 1)];
}

TSoundPtr LoadSoundFromMemory(const uint8_t* data, size_t size, int flags, const std::string& name,
                              std::string* problem) {
    std::string why;
    TSoundPtr sound;
    if (!data || size == 0)
        why = "empty file";
    else if (size >= 4 && std::memcmp(data, "RIFF", 4) == 0)
        sound = DecodeWav(data, size, why);
    else if (size >= 4 && std::memcmp(data, "OggS", 4) == 0)
        sound = DecodeOgg(data, size, why);
    else
        why = "not a WAV or Ogg Vorbis sound";
    if (!sound) {
        if (problem) *problem = why.empty() ? "unusable sound" : why;
        return nullptr;
    }
    sound->flags = flags;
    sound->source = name;
    return sound;
}

namespace {

// A decoded file, or what is wrong with it in a few words.
struct Decoded {
    TSoundPtr sound;
    std::string problem;
};

// Reads and decodes a whole file; no sound when missing, unreadable or malformed.
Decoded DecodeFile(const std::string& path) {
    std::FILE* f = std::fopen(NativePath(path).c_str(), "rb");
    if (!f) return {nullptr, "missing"};
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return {nullptr, "could not be read"};
    Decoded d;
    d.sound = LoadSoundFromMemory(bytes.data(), bytes.size(), 0, path, &d.problem);
    return d;
}

// What tells one file from another under the same name: where it is, its size and time.
std::string FileIdentity(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path native = fs::absolute(NativePath(path), ec);
    if (ec) return {};
    const auto size = fs::file_size(native, ec);
    if (ec) return native.string() + " missing";
    const auto time = fs::last_write_time(native, ec);
    if (ec) return native.string() + " missing";
    return native.string() + " " + std::to_string(size) + " " +
           std::to_string(time.time_since_epoch().count());
}

struct Ahead {
    std::string identity;  // of the file when the decoding was asked for
    std::shared_future<Decoded> sound;
};

// Sounds being decoded ahead on the worker, by file name; each is taken once, and only
// while the file is still the one that was decoded.
struct Prefetched {
    std::mutex lock;
    std::map<std::string, Ahead> sounds;
    std::vector<std::future<void>> workers;  // waited for at exit, before the map goes
    ~Prefetched() {
        for (auto& w : workers) w.wait();
    }
};

Prefetched& Prefetch() {
    static Prefetched p;
    return p;
}

}  // namespace

void PrefetchSounds(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    auto promises = std::make_shared<std::vector<std::promise<Decoded>>>(paths.size());
    Prefetched& p = Prefetch();
    {
        std::lock_guard<std::mutex> hold(p.lock);
        for (size_t i = 0; i < paths.size(); ++i)
            p.sounds[paths[i]] = Ahead{FileIdentity(paths[i]), (*promises)[i].get_future().share()};
    }
    // One worker, the files in the order given: the first is ready soonest.
    p.workers.push_back(std::async(std::launch::async, [paths, promises] {
        for (size_t i = 0; i < paths.size(); ++i) (*promises)[i].set_value(DecodeFile(paths[i]));
    }));
}

TSoundPtr LoadSound(const std::string& path, int flags) {
    Ahead ahead;
    {
        Prefetched& p = Prefetch();
        std::lock_guard<std::mutex> hold(p.lock);
        auto it = p.sounds.find(path);
        if (it != p.sounds.end()) {
            ahead = it->second;
            p.sounds.erase(it);
        }
    }
    Decoded decoded;
    if (ahead.sound.valid()) {
        decoded = ahead.sound.get();  // waited for even when unused: the worker reads in order
        if (ahead.identity != FileIdentity(path)) decoded = DecodeFile(path);
    } else {
        decoded = DecodeFile(path);
    }
    // Reported here, on the game's thread, never from the worker.
    if (!decoded.sound) ReportBadFile(path, decoded.problem);
    TSoundPtr sound = decoded.sound;
    if (sound) sound->flags = flags;
    return sound;
}
