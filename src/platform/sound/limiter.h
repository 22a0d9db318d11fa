#pragma once
// The mixer's output limiter: keeps the sum of stacked voices inside 16 bits without
// the harsh corners of clamping. A block that never leaves the 16-bit range, with the
// limiter at rest, passes through untouched, so a sound playing alone comes out
// sample for sample as it was recorded.
#include <cstdint>
#include <vector>

class TLimiter {
public:
    TLimiter() { Reset(44100); }
    // rate: frames per second of the stream (sets the ramp and recovery lengths).
    void Reset(int rate);
    // Turns a block of interleaved stereo sums (any size) into 16-bit samples.
    void Process(const float* mix, int16_t* out, int frames);
    // The gain in force after the last block (1 = at rest).
    float Gain() const { return gain; }

private:
    int attackFrames = 88;      // gain starts easing down this long before a peak
    int holdFrames = 882;       // the gain stays put this long after a peak
    float releaseStep = 0.0f;   // per-frame share of the way back to 1
    float gain = 1.0f;
    int holdLeft = 0;
    std::vector<float> needed;  // per frame: the gain that brings the frame into range
    std::vector<float> ceiling; // per frame: the most gain allowed by peaks ahead
};
