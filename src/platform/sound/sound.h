#pragma once
// Sounds decoded fully at load (WAV, short Ogg Vorbis) and played on channels by our own
// mixer; a long Ogg Vorbis sound (the music) is checked whole at load but keeps only its
// file's bytes, and is decoded again while it plays (TSoundStream): the three tracks
// decoded would hold more than 30 MB. Without a sound device (or headless) the mixer runs silently and advances
// with the virtual clock, so channel state stays deterministic.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum SoundFlags : int { SOUND_LOOP = 1, SOUND_HARDWARE = 2 };

class TSound {
public:
    std::string source;          // file name (trace)
    int flags = 0;
    int rate = 44100;            // frames per second
    std::vector<int16_t> samples;  // interleaved stereo; empty when streamed
    // A streamed sound: its Ogg Vorbis file, and its length in frames.
    std::shared_ptr<const std::vector<uint8_t>> encoded;
    int64_t encodedFrames = 0;
    int64_t FrameCount() const {
        return encoded ? encodedFrames : static_cast<int64_t>(samples.size() / 2);
    }
};
using TSoundPtr = std::shared_ptr<TSound>;

// Decodes a streamed sound while a voice plays it (sound implementation only: the mixer
// keeps one per voice). Reading frames in order decodes each once; going back (a loop's
// start) seeks.
class TSoundStream {
public:
    explicit TSoundStream(const TSound& sound);
    ~TSoundStream();
    TSoundStream(const TSoundStream&) = delete;
    TSoundStream& operator=(const TSoundStream&) = delete;
    // Frame i (0 <= i < FrameCount); silence when the stream cannot give it.
    void Frame(int64_t i, int16_t& left, int16_t& right);

private:
    struct State;
    std::unique_ptr<State> st;
};

class TChannel;
using TChannelPtr = std::shared_ptr<TChannel>;

// nullptr when missing, truncated or malformed; the file is then reported once on
// standard error (ReportBadFile).
TSoundPtr LoadSound(const std::string& path, int flags = 0);
// The same from bytes in memory, reporting nothing: on failure *problem (when given)
// says what is wrong in a few words ("WAV cut short", ...).
TSoundPtr LoadSoundFromMemory(const uint8_t* data, size_t size, int flags = 0, const std::string& name = {},
                              std::string* problem = nullptr);
// Starts reading and decoding the files on a worker thread, in order; the next LoadSound
// of each name takes the result (waiting for it if needed) instead of decoding again.
void PrefetchSounds(const std::vector<std::string>& paths);
// A new channel playing the sound from its start; nullptr for a null sound.
TChannelPtr PlaySound(const TSoundPtr& sound);
// Frozen, every channel falls silent and holds its place (its Playing stays as it was),
// new ones included; unfrozen, they go on from there. The pause panel's silence.
void FreezeSound(bool frozen);

class TChannel {
public:
    void Stop();
    void SetPaused(bool paused);
    void SetVolume(float volume);  // 0..1
    void SetPan(float pan);        // -1 left .. 1 right
    void SetDepth(float depth);
    void SetRate(float rate);      // 1 = normal
    // 1 while audible (started, not stopped, not at the end of a non-looping sound).
    // A paused channel counts as playing: it is heard again when unpaused.
    int Playing();
    float Volume() const { return volume; }
    int id = 0;  // channel number (trace)

    // Mixer state (sound implementation only).
    TSoundPtr sound;
    double position = 0;  // in frames
    float volume = 1, pan = 0, depth = 0, rate = 1;
    bool paused = false, stopped = false, finished = false;
};
