#pragma once
// The last stage of the mixer: keeps the summed voices below full scale
// however many sound at once. A peak limiter with an instant attack, a short
// hold and a smooth release: while the mix stays under the ceiling the gain is
// exactly 1, so a quiet mix comes out bit for bit as summed; a louder peak sets
// the gain to the ceiling over that peak at once, so no sample leaves above
// the ceiling, and the gain then returns to 1 over a few tenths of a second.
// It looks no samples ahead, so what is played keeps its timing, and the same
// input always gives the same output. A few operations a frame.
#include <cstdint>

namespace plat {

class PeakLimiter {
public:
    // 1 dB below full scale: room for the overshoot of the sound device's
    // resampling, and seldom reached by the game's own mix.
    static constexpr float kCeiling = 29205.0f;

    explicit PeakLimiter(uint32_t rate) { Reset(rate); }

    // Sets the timing for a sample rate and forgets any gain reduction.
    void Reset(uint32_t rate);
    // Limits frames of interleaved summed samples (any size) into 16-bit output.
    void Process(const float* sums, int16_t* out, uint32_t frames, uint16_t channels);

private:
    float envelope_ = 0;      // the peak the gain follows
    uint32_t holdLeft_ = 0;   // frames before the envelope starts to fall
    uint32_t holdFrames_ = 0;
    float release_ = 0;       // the envelope's fall per frame
};

}  // namespace plat
