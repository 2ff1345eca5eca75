#include "platform/mixer.h"
#include "platform/sound_device.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace plat {

namespace {
void SignalStop(const MixVoice& voice) {
    for (const PositionNotify& n : voice.notifications) {
        if (n.dwOffset == kNotifyOffsetStop) SignalEvent(n.hEventNotify);
    }
}

// Signals the offsets the cursor passed when it moved from `from` to `to`
// (from < offset <= to); offset 0 counts as reached when the cursor wraps.
void SignalCrossed(const MixVoice& voice, uint32_t from, uint32_t to, bool wrapped) {
    for (const PositionNotify& n : voice.notifications) {
        if (n.dwOffset == kNotifyOffsetStop) continue;
        if ((n.dwOffset > from && n.dwOffset <= to) || (wrapped && n.dwOffset == 0)) {
            SignalEvent(n.hEventNotify);
        }
    }
}

uint32_t PlayableBytes(const MixVoice& voice) {
    uint32_t frame = voice.format.FrameBytes();
    uint32_t size = static_cast<uint32_t>(voice.data->size());
    return frame == 0 ? 0 : size - size % frame;
}
}  // namespace

Mixer::~Mixer() {
    for (MixVoice* voice : voices_) voice->stream.reset();
}

SdlAudioStreamPtr Mixer::MakeStream(const MixVoice& voice, uint32_t frequency,
                                    const PcmFormat& output) {
    SDL_AudioFormat source = voice.format.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    SdlAudioStreamPtr stream(
        SDL_NewAudioStream(source, static_cast<Uint8>(voice.format.channels),
                           static_cast<int>(frequency), AUDIO_S16SYS,
                           static_cast<Uint8>(output.channels), static_cast<int>(output.rate)));
    if (stream == nullptr) return nullptr;
    // One feed's worth passed through now grows the converter's work buffers
    // here rather than in the audio callback.
    static const uint8_t kSilence[kFeedFrames * 4] = {};
    SDL_AudioStreamPut(stream.get(), kSilence,
                       static_cast<int>(kFeedFrames * voice.format.FrameBytes()));
    SDL_AudioStreamClear(stream.get());
    return stream;
}

bool Mixer::SetOutputFormat(const PcmFormat& format) {
    if (format.channels < 1 || format.channels > 2 || format.rate == 0) return false;
    std::lock_guard lock(mutex_);
    output_ = format;
    output_.bits = 16;
    limiter_.Reset(output_.rate);
    bool allConverted = true;
    for (MixVoice* voice : voices_) {
        SdlAudioStreamPtr stream = MakeStream(*voice, voice->frequency, output_);
        if (stream == nullptr) {
            allConverted = false;
            continue;
        }
        voice->stream = std::move(stream);
    }
    return allConverted;
}

PcmFormat Mixer::OutputFormat() {
    std::lock_guard lock(mutex_);
    return output_;
}

bool Mixer::AddVoice(MixVoice* voice) {
    if (voice->format.bits != 8 && voice->format.bits != 16) return false;
    if (voice->frequency == 0) voice->frequency = voice->format.rate;
    std::unique_lock<std::mutex> lock;
    SdlAudioStreamPtr stream = MakeStreamThenLock(*voice, voice->frequency, lock);
    if (stream == nullptr) return false;
    voice->stream = std::move(stream);
    voices_.push_back(voice);
    return true;
}

SdlAudioStreamPtr Mixer::MakeStreamThenLock(const MixVoice& voice, uint32_t frequency,
                                            std::unique_lock<std::mutex>& lock) {
    for (;;) {
        const PcmFormat output = OutputFormat();
        SdlAudioStreamPtr stream = MakeStream(voice, frequency, output);
        if (stream == nullptr) return nullptr;
        lock = std::unique_lock(mutex_);
        if (output_ == output) return stream;
        // The output format changed meanwhile: make the converter again (this
        // one is freed outside the lock).
        lock.unlock();
    }
}

void Mixer::RemoveVoice(MixVoice* voice) {
    SdlAudioStreamPtr stream;  // freed outside the lock
    {
        std::lock_guard lock(mutex_);
        StopLocked(*voice);
        voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
        stream = std::move(voice->stream);
    }
}

void Mixer::Play(MixVoice& voice, bool looping) {
    std::unique_lock lock(mutex_);
    voice.looping = looping;
    if (voice.playing) return;
    // A voice stopped part-way still holds, in its converter, the frames it
    // had taken before its cursor: they play first, so that a stop and a play
    // continue exactly where the sound stopped. The tail of a voice that
    // ended is dropped instead.
    if (voice.draining) SDL_AudioStreamClear(voice.stream.get());
    voice.draining = false;
    voice.playing = true;
    void (*listener)(void*) = playListener_;
    void* context = playListenerContext_;
    lock.unlock();
    if (listener != nullptr) listener(context);
}

void Mixer::SetPlayListener(void (*listener)(void* context), void* context) {
    std::lock_guard lock(mutex_);
    playListener_ = listener;
    playListenerContext_ = context;
}

void Mixer::Stop(MixVoice& voice) {
    std::lock_guard lock(mutex_);
    StopLocked(voice);
}

void Mixer::StopLocked(MixVoice& voice) {
    if (voice.draining && voice.stream != nullptr) SDL_AudioStreamClear(voice.stream.get());
    voice.draining = false;
    if (!voice.playing) return;
    // The converter keeps what it holds (see Play).
    voice.playing = false;
    SignalStop(voice);
}

uint32_t Mixer::Status(MixVoice& voice) {
    std::lock_guard lock(mutex_);
    if (!voice.playing) return 0;
    return kStatusPlaying | (voice.looping ? kStatusLooping : 0);
}

uint32_t Mixer::Position(MixVoice& voice) {
    std::lock_guard lock(mutex_);
    return voice.cursor;
}

void Mixer::SetPosition(MixVoice& voice, uint32_t position) {
    std::lock_guard lock(mutex_);
    uint32_t frame = voice.format.FrameBytes();
    uint32_t cursor = std::min(position - position % frame, PlayableBytes(voice));
    if (cursor == PlayableBytes(voice)) cursor = 0;
    // Setting the position a voice already stands at changes nothing: a
    // paused voice resumed at its saved position keeps its converted frames.
    if (cursor == voice.cursor && !voice.draining) return;
    voice.cursor = cursor;
    SDL_AudioStreamClear(voice.stream.get());
    voice.draining = false;
}

void Mixer::SetGains(MixVoice& voice, float left, float right) {
    std::lock_guard lock(mutex_);
    voice.gainLeft = left;
    voice.gainRight = right;
}

bool Mixer::SetFrequency(MixVoice& voice, uint32_t frequency) {
    const uint32_t wanted = frequency == 0 ? voice.format.rate : frequency;
    std::unique_lock<std::mutex> lock;
    SdlAudioStreamPtr stream = MakeStreamThenLock(voice, wanted, lock);
    if (stream == nullptr) return false;
    std::swap(voice.stream, stream);
    voice.frequency = wanted;
    lock.unlock();
    stream.reset();  // the old converter, freed outside the lock
    return true;
}

uint32_t Mixer::Frequency(MixVoice& voice) {
    std::lock_guard lock(mutex_);
    return voice.frequency;
}

void Mixer::SetNotifications(MixVoice& voice, std::vector<PositionNotify> notifications) {
    std::lock_guard lock(mutex_);
    voice.notifications.swap(notifications);
    // The previous list is freed here, after the lock is released.
}

void Mixer::Feed(MixVoice& voice) {
    uint32_t playable = PlayableBytes(voice);
    if (playable == 0) {
        StopLocked(voice);
        return;
    }
    uint32_t bytes = std::min(kFeedFrames * voice.format.FrameBytes(), playable - voice.cursor);
    if (SDL_AudioStreamPut(voice.stream.get(), voice.data->data() + voice.cursor,
                           static_cast<int>(bytes)) != 0) {
        StopLocked(voice);  // the converter refused: stop rather than spin
        return;
    }
    uint32_t from = voice.cursor;
    voice.cursor += bytes;
    if (voice.cursor < playable) {
        SignalCrossed(voice, from, voice.cursor, false);
        return;
    }
    voice.cursor = 0;
    if (voice.looping) {
        SignalCrossed(voice, from, playable, true);
        return;
    }
    SignalCrossed(voice, from, playable, false);
    // A one-shot buffer ends here; what the converter still holds is mixed
    // over the next blocks.
    SDL_AudioStreamFlush(voice.stream.get());
    voice.playing = false;
    voice.draining = true;
    SignalStop(voice);
}

void Mixer::MixInto(MixVoice& voice, uint32_t frames) {
    const int wanted = static_cast<int>(frames * output_.channels * sizeof(int16_t));
    while (voice.playing && SDL_AudioStreamAvailable(voice.stream.get()) < wanted) Feed(voice);
    int got = SDL_AudioStreamGet(voice.stream.get(), converted_, wanted);
    if (voice.draining && SDL_AudioStreamAvailable(voice.stream.get()) == 0) voice.draining = false;
    if (got <= 0) return;
    const int samples = got / static_cast<int>(sizeof(int16_t));
    if (output_.channels == 2) {
        for (int i = 0; i < samples; i += 2) {
            accumulator_[i] += converted_[i] * voice.gainLeft;
            accumulator_[i + 1] += converted_[i + 1] * voice.gainRight;
        }
    } else {
        const float gain = (voice.gainLeft + voice.gainRight) / 2;
        for (int i = 0; i < samples; ++i) {
            accumulator_[i] += converted_[i] * gain;
        }
    }
}

bool Mixer::Render(int16_t* out, uint32_t frames) {
    std::lock_guard lock(mutex_);
    bool sounded = false;
    while (frames > 0) {
        const uint32_t block = std::min(frames, kBlockFrames);
        const uint32_t samples = block * output_.channels;
        std::fill(accumulator_, accumulator_ + samples, 0.0f);
        for (MixVoice* voice : voices_) {
            if (!voice->playing && !voice->draining) continue;
            sounded = true;
            MixInto(*voice, block);
        }
        limiter_.Process(accumulator_, out, block, output_.channels);
        out += samples;
        frames -= block;
    }
    return sounded;
}

}  // namespace plat
