#pragma once
// A small additive synthesizer for the sound effects and the music: notes
// made of sine partials under an envelope, noise bursts and an echo, mixed
// into a floating-point track that becomes 16-bit PCM at the end.
#include <cstddef>
#include <cstdint>
#include <vector>

// One sine component of a note, at ratio x the note's frequency.
struct Partial {
    float ratio = 1.0f;
    float level = 1.0f;
    float decay_scale = 1.0f;  // multiplies the note's decay time for this partial
};

struct Note {
    double start = 0;      // seconds
    double length = 0.2;   // seconds before the release begins
    float freq = 440.0f;
    float freq_end = 0;    // non-zero: glides exponentially to this by the end of length
    float amp = 0.3f;
    float attack = 0.005f; // seconds
    float decay = 0;       // exponential decay time constant in seconds, 0 for a held note
    float release = 0.05f; // seconds of fade after length
    float pan = 0;         // -1 left .. 1 right
    float vibrato = 0;     // depth as a fraction of the frequency, at 5 Hz
    std::vector<Partial> partials;  // none: a plain sine
};

struct NoiseBurst {
    double start = 0;
    double length = 0.1;
    float amp = 0.2f;
    float decay = 0.05f;
    float brightness = 0.5f;  // 0 dull (low-passed) .. 1 hissing (high-passed)
    float pan = 0;
    uint32_t seed = 1;
};

class AudioTrack {
public:
    static constexpr int kRate = 22050;

    // A circular track wraps everything past its end to its start, so it
    // loops without a seam.
    AudioTrack(int channels, double seconds, bool circular = false);

    void Add(const Note& note);
    void Add(const NoiseBurst& burst);
    // Feedback echo; on a circular track it runs around the loop until it settles.
    void Echo(double delay, float feedback, float mix, bool ping_pong);
    // Scales to the given peak (0..1) times drive and converts to interleaved
    // 16-bit samples; with a drive above 1 the loudest moments are held under
    // the peak by the smooth gain below.
    std::vector<int16_t> ToPcm(float peak, float drive) const;
    // Scales to the given RMS level (0..1 of full scale) and converts, holding
    // the few peaks that would pass the ceiling (0..1) under it with a smooth
    // gain that looks ahead, so the track is loud without clipping.
    std::vector<int16_t> ToPcmAtLevel(float rms, float ceiling) const;

    int Channels() const { return channels_; }
    size_t Frames() const { return frames_; }

private:
    void Mix(long frame, float value, float pan);
    // The gain per frame that keeps samples_ times scale under ceiling.
    std::vector<float> LimitingGain(float scale, float ceiling) const;
    std::vector<int16_t> Convert(float scale, const std::vector<float>& gain) const;

    int channels_;
    size_t frames_;
    bool circular_;
    std::vector<float> samples_;
};

float MidiToHz(float midi);
