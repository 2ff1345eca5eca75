#pragma once
// The software mixer under the sound buffers, shared by both backends: it holds
// every secondary buffer as a voice, converts each voice's PCM to the output
// format with an SDL audio stream, applies its gains, sums them and limits the
// sum below full scale into 16-bit output, advances the play cursors and
// signals the voices' position and stop events.
// Render is called by the backend's output (the SDL audio callback or the
// headless timer); everything else by the game's threads. One mutex guards all
// voice state and is held only for short, allocation-free stretches in Render.
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/peak_limiter.h"
#include "platform/sdl_handles.h"
#include "platform/position_notify.h"

namespace plat {

struct PcmFormat {
    uint32_t rate = 22050;
    uint16_t channels = 2;
    uint16_t bits = 16;
    uint32_t FrameBytes() const { return channels * bits / 8u; }
    bool operator==(const PcmFormat&) const = default;
};

// One secondary buffer as the mixer sees it. The fields are guarded by the
// mixer's mutex, except data's bytes, which callers fill through Lock while
// the mixer reads other parts of them.
struct MixVoice {
    std::shared_ptr<std::vector<uint8_t>> data;  // shared with duplicates
    PcmFormat format;                            // of the data
    uint32_t frequency = 0;                      // playback rate; format.rate by default
    uint32_t cursor = 0;                         // next byte to consume
    bool playing = false;
    bool draining = false;  // ended; the converter still holds its last frames
    bool looping = false;
    float gainLeft = 1.0f;
    float gainRight = 1.0f;
    std::vector<PositionNotify> notifications;
    SdlAudioStreamPtr stream;
};

class Mixer {
public:
    Mixer() = default;
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // Output is always 16-bit signed; rate and channels (1 or 2) follow the
    // primary buffer. Rebuilds every voice's converter.
    bool SetOutputFormat(const PcmFormat& format);
    PcmFormat OutputFormat();

    // Registers a voice (making its converter); false when its format cannot
    // be converted. RemoveVoice stops it first, signalling as Stop does.
    bool AddVoice(MixVoice* voice);
    void RemoveVoice(MixVoice* voice);

    // A voice stopped part-way and played again continues without losing a
    // frame: what its converter held at the stop is mixed first.
    void Play(MixVoice& voice, bool looping);
    void Stop(MixVoice& voice);
    uint32_t Status(MixVoice& voice);
    uint32_t Position(MixVoice& voice);
    // Moves the cursor to the frame holding position, dropping what the
    // converter holds; the position the voice already stands at changes nothing.
    void SetPosition(MixVoice& voice, uint32_t position);
    void SetGains(MixVoice& voice, float left, float right);
    // 0 restores the data's own rate.
    bool SetFrequency(MixVoice& voice, uint32_t frequency);
    uint32_t Frequency(MixVoice& voice);
    void SetNotifications(MixVoice& voice, std::vector<PositionNotify> notifications);
    // Called, without the mixer's lock, each time a voice starts to play
    // (null: none): an output that rests while nothing plays wakes there.
    void SetPlayListener(void (*listener)(void* context), void* context);

    // Mixes the next frames of every playing voice into out (interleaved,
    // OutputFormat().channels per frame); false when no voice sounded in
    // them, all silence.
    bool Render(int16_t* out, uint32_t frames);

    // The write cursor lead over the play cursor, in source bytes.
    static constexpr uint32_t kFeedFrames = 256;

private:
    static constexpr uint32_t kBlockFrames = 1024;
    // A converter from the voice's data at frequency to output; made without
    // the mutex, so the audio callback never waits for an allocation.
    static SdlAudioStreamPtr MakeStream(const MixVoice& voice, uint32_t frequency,
                                        const PcmFormat& output);
    // MakeStream for the current output format; returns (with lock held) a
    // converter that matches it, or null (lock not held) when none can be made.
    SdlAudioStreamPtr MakeStreamThenLock(const MixVoice& voice, uint32_t frequency,
                                         std::unique_lock<std::mutex>& lock);
    void StopLocked(MixVoice& voice);
    void Feed(MixVoice& voice);
    void MixInto(MixVoice& voice, uint32_t frames);

    std::mutex mutex_;
    PcmFormat output_;
    std::vector<MixVoice*> voices_;
    void (*playListener_)(void*) = nullptr;
    void* playListenerContext_ = nullptr;
    PeakLimiter limiter_{PcmFormat{}.rate};
    float accumulator_[kBlockFrames * 2];  // in float, so no number of voices can wrap it
    int16_t converted_[kBlockFrames * 2];
};

}  // namespace plat
