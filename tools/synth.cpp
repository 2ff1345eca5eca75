#include "tools/synth.h"

#include <algorithm>
#include <cmath>

#include "tools/tool_random.h"

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

float MidiToHz(float midi) { return 440.0f * std::pow(2.0f, (midi - 69.0f) / 12.0f); }

AudioTrack::AudioTrack(int channels, double seconds, bool circular)
    : channels_(channels),
      frames_(static_cast<size_t>(seconds * kRate)),
      circular_(circular),
      samples_(frames_ * channels, 0.0f) {}

void AudioTrack::Mix(long frame, float value, float pan) {
    if (circular_) {
        frame %= static_cast<long>(frames_);
        if (frame < 0) frame += static_cast<long>(frames_);
    } else if (frame < 0 || frame >= static_cast<long>(frames_)) {
        return;
    }
    if (channels_ == 1) {
        samples_[frame] += value;
        return;
    }
    // Constant-power pan.
    const float angle = (pan + 1.0f) * 0.25f * static_cast<float>(kTwoPi) / 2.0f;
    samples_[frame * 2] += value * std::cos(angle);
    samples_[frame * 2 + 1] += value * std::sin(angle);
}

void AudioTrack::Add(const Note& note) {
    const long first = std::lround(note.start * kRate);
    const long count = std::lround((note.length + note.release) * kRate);
    static const std::vector<Partial> kSine{Partial{}};
    const std::vector<Partial>& partials = note.partials.empty() ? kSine : note.partials;
    std::vector<double> phases(partials.size(), 0.0);
    const double glide = note.freq_end > 0 ? std::log(note.freq_end / note.freq) / note.length : 0.0;
    for (long i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        float env = note.attack > 0 ? std::min(1.0f, static_cast<float>(t / note.attack)) : 1.0f;
        if (t > note.length) env *= std::max(0.0f, 1.0f - static_cast<float>((t - note.length) / note.release));
        double freq = note.freq * std::exp(glide * std::min(t, note.length));
        if (note.vibrato > 0) freq *= 1.0 + note.vibrato * std::sin(kTwoPi * 5.0 * t);
        float value = 0;
        for (size_t p = 0; p < partials.size(); ++p) {
            const Partial& partial = partials[p];
            phases[p] += kTwoPi * freq * partial.ratio / kRate;
            float level = partial.level;
            if (note.decay > 0) level *= std::exp(-static_cast<float>(t) / (note.decay * partial.decay_scale));
            value += level * static_cast<float>(std::sin(phases[p]));
        }
        Mix(first + i, value * env * note.amp, note.pan);
    }
}

void AudioTrack::Add(const NoiseBurst& burst) {
    ToolRandom random(burst.seed);
    const long first = std::lround(burst.start * kRate);
    const long count = std::lround(burst.length * kRate);
    float low = 0, previous = 0;
    for (long i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float white = random.Unit() * 2.0f - 1.0f;
        low += (white - low) * 0.15f;               // one-pole low-pass
        const float high = white - previous;        // first difference: high-pass
        previous = white;
        const float value = low * 2.5f * (1.0f - burst.brightness) + high * 0.5f * burst.brightness;
        const float env = std::min(1.0f, t / 0.002f) * std::exp(-t / burst.decay);
        Mix(first + i, value * env * burst.amp, burst.pan);
    }
}

void AudioTrack::Echo(double delay, float feedback, float mix, bool ping_pong) {
    const size_t lag = static_cast<size_t>(delay * kRate);
    std::vector<float> dry = samples_;
    std::vector<float> line(lag * channels_, 0.0f);
    size_t cursor = 0;
    // A circular track goes round three times so the echo's tail from the end
    // of the loop has reached its start; the last pass is kept.
    const int passes = circular_ ? 3 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        for (size_t f = 0; f < frames_; ++f) {
            float held[2] = {line[cursor * channels_], line[cursor * channels_ + channels_ - 1]};
            for (int c = 0; c < channels_; ++c) {
                const float delayed = held[ping_pong && channels_ == 2 ? 1 - c : c];
                samples_[f * channels_ + c] = dry[f * channels_ + c] + delayed * mix;
                line[cursor * channels_ + c] = dry[f * channels_ + c] + delayed * feedback;
            }
            cursor = (cursor + 1) % lag;
        }
        if (!circular_) break;
    }
}

std::vector<int16_t> AudioTrack::ToPcm(float peak, float drive) const {
    float loudest = 1e-6f;
    for (float s : samples_) loudest = std::max(loudest, std::fabs(s));
    const float scale = drive * peak * 32767.0f / loudest;
    return Convert(scale, LimitingGain(scale, peak * 32767.0f));
}

std::vector<int16_t> AudioTrack::ToPcmAtLevel(float rms, float ceiling) const {
    double sum = 0;
    for (float s : samples_) sum += double(s) * s;
    const double own = std::sqrt(sum / std::max<size_t>(samples_.size(), 1));
    const float scale = static_cast<float>(rms * 32767.0 / std::max(own, 1e-9));
    return Convert(scale, LimitingGain(scale, ceiling * 32767.0f));
}

std::vector<float> AudioTrack::LimitingGain(float scale, float ceiling) const {
    // The gain each frame needs on its own; then its minimum over the frames
    // within `reach` either side, averaged over the same span. Every average
    // takes in only minima that include the frame itself, so the smooth gain
    // never exceeds what the frame needs, and it moves over 2 x reach.
    const long reach = kRate / 50;
    const long n = static_cast<long>(frames_);
    auto at = [&](long f) {  // the needed gain, past the ends wrapped or 1
        if (f < 0 || f >= n) {
            if (!circular_) return 1.0f;
            f = (f % n + n) % n;
        }
        float peak = 0;
        for (int c = 0; c < channels_; ++c) peak = std::max(peak, std::fabs(samples_[f * channels_ + c] * scale));
        return peak > ceiling ? ceiling / peak : 1.0f;
    };
    // Sliding minimum over [f - reach, f + reach] for f in [-reach, n + reach).
    std::vector<float> minimum(n + 2 * reach);
    std::vector<long> window;  // frames whose needs rise from front to back
    size_t front = 0;
    std::vector<float> need(n + 4 * reach);
    for (long f = -2 * reach; f < n + 2 * reach; ++f) need[f + 2 * reach] = at(f);
    for (long i = 0; i < static_cast<long>(need.size()); ++i) {
        while (window.size() > front && need[window.back()] >= need[i]) window.pop_back();
        window.push_back(i);
        if (window[front] <= i - (2 * reach + 1)) ++front;
        if (i >= 2 * reach) minimum[i - 2 * reach] = need[window[front]];
    }
    std::vector<float> gain(n);
    double sum = 0;
    for (long i = 0; i < 2 * reach + 1; ++i) sum += minimum[i];
    for (long f = 0; f < n; ++f) {
        gain[f] = static_cast<float>(sum / (2 * reach + 1));
        if (f + 1 < n) sum += minimum[f + 2 * reach + 1] - minimum[f];
    }
    return gain;
}

std::vector<int16_t> AudioTrack::Convert(float scale, const std::vector<float>& gain) const {
    // A one-shot track fades out over its last 40 ms, so a cut echo tail cannot click.
    const size_t fade = circular_ ? 0 : std::min(frames_ / 4, static_cast<size_t>(kRate / 25));
    std::vector<int16_t> out(samples_.size());
    for (size_t i = 0; i < samples_.size(); ++i) {
        const size_t frame = i / channels_;
        const size_t left = frames_ - frame;
        const float tail = left <= fade ? static_cast<float>(left - 1) / fade : 1.0f;
        out[i] = static_cast<int16_t>(
            std::clamp(std::lround(samples_[i] * scale * gain[frame] * tail), -32767L, 32767L));
    }
    return out;
}
