#include "platform/peak_limiter.h"

#include <algorithm>
#include <cmath>

namespace plat {

namespace {
// The held peak outlasts a period of the lowest tones, so the gain does not
// ripple with the waveform; the release is slow enough not to be heard as
// pumping and quick enough that the music returns right after a loud effect.
constexpr double kHoldSeconds = 0.02;
constexpr double kReleaseSeconds = 0.08;
}  // namespace

void PeakLimiter::Reset(uint32_t rate) {
    envelope_ = 0;
    holdLeft_ = 0;
    holdFrames_ = static_cast<uint32_t>(kHoldSeconds * rate);
    release_ = static_cast<float>(std::exp(-1.0 / (kReleaseSeconds * rate)));
}

void PeakLimiter::Process(const float* sums, int16_t* out, uint32_t frames, uint16_t channels) {
    for (uint32_t f = 0; f < frames; ++f, sums += channels, out += channels) {
        float peak = 0;
        for (uint16_t c = 0; c < channels; ++c) peak = std::max(peak, std::fabs(sums[c]));
        if (peak >= envelope_) {
            envelope_ = peak;
            holdLeft_ = holdFrames_;
        } else if (holdLeft_ > 0) {
            --holdLeft_;
        } else {
            // Below the ceiling the envelope only needs to follow the peak,
            // which also keeps it from decaying into denormal numbers.
            envelope_ = envelope_ > kCeiling ? std::max(peak, envelope_ * release_) : peak;
        }
        const float gain = envelope_ > kCeiling ? kCeiling / envelope_ : 1.0f;
        for (uint16_t c = 0; c < channels; ++c) out[c] = static_cast<int16_t>(std::lround(sums[c] * gain));
    }
}

}  // namespace plat
