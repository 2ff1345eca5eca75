#include "platform/sound_device.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "platform/audio_output.h"
#include "platform/mixer.h"

namespace plat {

namespace {
struct ClosingCallback {
    DeviceClosingCallback callback;
    void* user;
    bool operator==(const ClosingCallback&) const = default;
};
// Recursive, so that a callback may remove itself. Never destroyed: a player
// may outlive the program's static objects.
std::recursive_mutex& g_closingMutex = *new std::recursive_mutex;
std::vector<ClosingCallback>& g_closingCallbacks = *new std::vector<ClosingCallback>;

std::atomic<bool> g_deviceExists{false};
std::atomic<SoundDevice*> g_openDevice{nullptr};
std::atomic<uint32_t> g_deviceGeneration{0};

constexpr uint32_t kMinBufferBytes = 4;
constexpr uint32_t kMaxBufferBytes = 0x0FFFFFFF;

bool ValidPcmFormat(const WaveFormat* format) {
    return format != nullptr && format->wFormatTag == kWaveFormatPcm &&
           (format->nChannels == 1 || format->nChannels == 2) &&
           (format->wBitsPerSample == 8 || format->wBitsPerSample == 16) &&
           format->nSamplesPerSec >= kFrequencyMin && format->nSamplesPerSec <= kFrequencyMax &&
           format->nBlockAlign == format->nChannels * format->wBitsPerSample / 8;
}

PcmFormat ToPcm(const WaveFormat& format) {
    return {format.nSamplesPerSec, format.nChannels, format.wBitsPerSample};
}

// Amplitude factor of an attenuation in hundredths of a decibel; the bottom
// of the scale is silence.
float DecibelGain(int32_t hundredths) {
    if (hundredths <= kVolumeMin) return 0.0f;
    return static_cast<float>(std::pow(10.0, hundredths / 2000.0));
}
}  // namespace

// ---- SoundNotify ----------------------------------------------------------

SoundResult SoundNotify::SetNotificationPositions(uint32_t count,
                                                  const PositionNotify* positions) {
    MixVoice* voice = buffer_.voice_;
    if (count > 0 && positions == nullptr) return kSoundErrInvalidParam;
    const uint32_t size = static_cast<uint32_t>(voice->data->size());
    std::vector<PositionNotify> list;
    for (uint32_t i = 0; i < count; ++i) {
        const PositionNotify& n = positions[i];
        if (n.hEventNotify == nullptr) return kSoundErrInvalidParam;
        if (n.dwOffset != kNotifyOffsetStop && n.dwOffset >= size) return kSoundErrInvalidParam;
        list.push_back(n);
    }
    buffer_.device_.mixer_->SetNotifications(*voice, std::move(list));
    return kSoundOk;
}

// ---- SoundBuffer ----------------------------------------------------------

SoundBuffer::SoundBuffer(SoundDevice& device, uint32_t flags)
    : device_(device), flags_(flags), notify_(*this) {}

SoundBuffer::~SoundBuffer() { delete voice_; }

SoundResult SoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** audio1, uint32_t* bytes1,
                              void** audio2, uint32_t* bytes2, uint32_t flags) {
    if (IsPrimary()) return kSoundErrInvalidCall;
    if (audio1 == nullptr || bytes1 == nullptr) return kSoundErrInvalidParam;
    std::vector<uint8_t>& data = *voice_->data;
    const uint32_t size = static_cast<uint32_t>(data.size());
    if (flags & kLockEntireBuffer) {
        offset = 0;
        bytes = size;
    }
    if (offset >= size || bytes == 0 || bytes > size) return kSoundErrInvalidParam;
    const uint32_t first = std::min(bytes, size - offset);
    const uint32_t second = bytes - first;
    if (second > 0 && (audio2 == nullptr || bytes2 == nullptr)) return kSoundErrInvalidParam;
    *audio1 = data.data() + offset;
    *bytes1 = first;
    if (audio2 != nullptr) *audio2 = second > 0 ? data.data() : nullptr;
    if (bytes2 != nullptr) *bytes2 = second;
    return kSoundOk;
}

SoundResult SoundBuffer::Unlock(void*, uint32_t, void*, uint32_t) {
    // Lock hands out the buffer's own bytes, so there is nothing to copy back.
    return IsPrimary() ? kSoundErrInvalidCall : kSoundOk;
}

SoundResult SoundBuffer::Play(uint32_t flags) {
    if (IsPrimary()) {
        // The primary buffer can only play looping; playing it runs the output.
        if ((flags & kPlayLooping) == 0) return kSoundErrInvalidParam;
        return device_.StartOutput();
    }
    device_.mixer_->Play(*voice_, (flags & kPlayLooping) != 0);
    return kSoundOk;
}

SoundResult SoundBuffer::Stop() {
    if (IsPrimary()) {
        device_.StopOutput();
    } else {
        device_.mixer_->Stop(*voice_);
    }
    return kSoundOk;
}

SoundResult SoundBuffer::GetStatus(uint32_t* status) {
    if (status == nullptr) return kSoundErrInvalidParam;
    if (IsPrimary()) {
        *status = device_.output_ != nullptr ? kStatusPlaying | kStatusLooping : 0;
    } else {
        *status = device_.mixer_->Status(*voice_);
    }
    return kSoundOk;
}

SoundResult SoundBuffer::GetCurrentPosition(uint32_t* play, uint32_t* write) {
    if (IsPrimary()) return kSoundErrInvalidCall;
    const uint32_t size = static_cast<uint32_t>(voice_->data->size());
    const uint32_t cursor = device_.mixer_->Position(*voice_);
    const bool playing = device_.mixer_->Status(*voice_) != 0;
    if (play != nullptr) *play = cursor;
    if (write != nullptr) {
        *write = playing ? (cursor + Mixer::kFeedFrames * voice_->format.FrameBytes()) % size
                         : cursor;
    }
    return kSoundOk;
}

SoundResult SoundBuffer::SetCurrentPosition(uint32_t position) {
    if (IsPrimary()) return kSoundErrInvalidCall;
    if (position >= voice_->data->size()) return kSoundErrInvalidParam;
    device_.mixer_->SetPosition(*voice_, position);
    return kSoundOk;
}

void SoundBuffer::ApplyGains() {
    if (IsPrimary()) return;
    const float gain = DecibelGain(volume_.load());
    const int32_t pan = pan_.load();
    const float left = pan > 0 ? DecibelGain(-pan) : 1.0f;
    const float right = pan < 0 ? DecibelGain(pan) : 1.0f;
    device_.mixer_->SetGains(*voice_, gain * left, gain * right);
}

SoundResult SoundBuffer::SetVolume(int32_t volume) {
    if (volume < kVolumeMin || volume > kVolumeMax) return kSoundErrInvalidParam;
    volume_.store(volume);
    ApplyGains();
    return kSoundOk;
}

SoundResult SoundBuffer::GetVolume(int32_t* volume) {
    if (volume == nullptr) return kSoundErrInvalidParam;
    *volume = volume_.load();
    return kSoundOk;
}

SoundResult SoundBuffer::SetPan(int32_t pan) {
    if ((flags_ & kBufferCtrlPan) == 0) return kSoundErrControlUnavail;
    if (pan < kPanLeft || pan > kPanRight) return kSoundErrInvalidParam;
    pan_.store(pan);
    ApplyGains();
    return kSoundOk;
}

SoundResult SoundBuffer::GetPan(int32_t* pan) {
    if (pan == nullptr) return kSoundErrInvalidParam;
    *pan = pan_.load();
    return kSoundOk;
}

SoundResult SoundBuffer::SetFrequency(uint32_t frequency) {
    if (IsPrimary() || (flags_ & kBufferCtrlFrequency) == 0) return kSoundErrControlUnavail;
    if (frequency != 0 && (frequency < kFrequencyMin || frequency > kFrequencyMax)) {
        return kSoundErrInvalidParam;
    }
    return device_.mixer_->SetFrequency(*voice_, frequency) ? kSoundOk : kSoundErrGeneric;
}

SoundResult SoundBuffer::GetFrequency(uint32_t* frequency) {
    if (IsPrimary()) return kSoundErrInvalidCall;
    if (frequency == nullptr) return kSoundErrInvalidParam;
    *frequency = device_.mixer_->Frequency(*voice_);
    return kSoundOk;
}

SoundResult SoundBuffer::SetFormat(const WaveFormat* format) {
    if (!IsPrimary()) return kSoundErrInvalidCall;
    if (!ValidPcmFormat(format)) return kSoundErrInvalidParam;
    device_.primaryFormat_ = *format;
    // The output runs at the mix format and sizes its blocks by it: stop it
    // before the format changes, and reopen it at the new one.
    const bool running = device_.output_ != nullptr;
    if (running) device_.StopOutput();
    if (!device_.mixer_->SetOutputFormat(ToPcm(*format))) {
        if (running) device_.StartOutput();
        return kSoundErrGeneric;
    }
    return running ? device_.StartOutput() : kSoundOk;
}

SoundResult SoundBuffer::GetFormat(WaveFormat* format) {
    if (format == nullptr) return kSoundErrInvalidParam;
    if (IsPrimary()) {
        *format = device_.primaryFormat_;
        return kSoundOk;
    }
    const PcmFormat& pcm = voice_->format;
    const uint16_t align = static_cast<uint16_t>(pcm.FrameBytes());
    *format = {kWaveFormatPcm, pcm.channels, pcm.rate, pcm.rate * align, align, pcm.bits, 0};
    return kSoundOk;
}

SoundNotify* SoundBuffer::QueryNotify() {
    if (IsPrimary() || (flags_ & kBufferCtrlPositionNotify) == 0) return nullptr;
    return &notify_;
}

void SoundBuffer::Release() {
    if (voice_ != nullptr) device_.mixer_->RemoveVoice(voice_);
    delete this;
}

// ---- SoundDevice ----------------------------------------------------------

SoundDevice::SoundDevice() : mixer_(new Mixer) {
    // The usual default of a freshly opened device: 22050 Hz, 8-bit stereo.
    primaryFormat_ = {kWaveFormatPcm, 2, 22050, 44100, 2, 8, 0};
    mixer_->SetOutputFormat(ToPcm(primaryFormat_));
}

SoundDevice::~SoundDevice() {
    StopOutput();
    delete mixer_;
}

SoundResult CreateSoundDevice(SoundDevice** device) {
    if (device == nullptr) return kSoundErrInvalidParam;
    *device = nullptr;
    if (g_deviceExists.exchange(true)) return kSoundErrAllocated;
    if (!CurrentAudioOutput().Available()) {
        g_deviceExists.store(false);
        return kSoundErrNoDriver;
    }
    *device = new SoundDevice;
    g_openDevice.store(*device);
    ++g_deviceGeneration;
    return kSoundOk;
}

SoundDevice* OpenSoundDevice() { return g_openDevice.load(); }

uint32_t SoundDeviceGeneration() { return g_deviceGeneration.load(); }

void AddDeviceClosingCallback(DeviceClosingCallback callback, void* user) {
    std::lock_guard lock(g_closingMutex);
    g_closingCallbacks.push_back({callback, user});
}

void RemoveDeviceClosingCallback(DeviceClosingCallback callback, void* user) {
    std::lock_guard lock(g_closingMutex);
    std::erase(g_closingCallbacks, ClosingCallback{callback, user});
}

void SoundDevice::Release() {
    {
        // Held through the calls, so that nobody removes a callback (and
        // destroys what it points at) while it runs.
        std::lock_guard lock(g_closingMutex);
        const std::vector<ClosingCallback> callbacks = g_closingCallbacks;
        for (const ClosingCallback& c : callbacks) {
            // One removed by an earlier callback is not called.
            if (std::find(g_closingCallbacks.begin(), g_closingCallbacks.end(), c) !=
                g_closingCallbacks.end()) {
                c.callback(c.user);
            }
        }
    }
    g_openDevice.store(nullptr);
    ++g_deviceGeneration;
    delete this;
    g_deviceExists.store(false);
}

SoundResult SoundDevice::SetCooperativeLevel(WindowHandle window, uint32_t level) {
    if (window == nullptr || level < kCoopNormal || level > 4) return kSoundErrInvalidParam;
    cooperativeLevel_ = level;
    return kSoundOk;
}

SoundResult SoundDevice::GetCaps(DeviceCaps* caps) {
    if (caps == nullptr || caps->dwSize != sizeof(DeviceCaps)) return kSoundErrInvalidParam;
    caps->dwFlags = kCapsPrimaryMono | kCapsPrimaryStereo | kCapsPrimary8Bit | kCapsPrimary16Bit;
    caps->dwMinSecondarySampleRate = kFrequencyMin;
    caps->dwMaxSecondarySampleRate = kFrequencyMax;
    return kSoundOk;
}

SoundResult SoundDevice::CreateSoundBuffer(const BufferDesc* desc, SoundBuffer** buffer) {
    if (buffer == nullptr) return kSoundErrInvalidParam;
    *buffer = nullptr;
    if (desc == nullptr || desc->dwSize != sizeof(BufferDesc)) return kSoundErrInvalidParam;
    if (cooperativeLevel_ == 0) return kSoundErrPrioLevelNeeded;
    const bool primary = (desc->dwFlags & kBufferPrimary) != 0;
    if (primary && (desc->dwBufferBytes != 0 || desc->lpwfxFormat != nullptr)) return kSoundErrInvalidParam;
    if (!primary && (!ValidPcmFormat(desc->lpwfxFormat) || desc->dwBufferBytes < kMinBufferBytes ||
                     desc->dwBufferBytes > kMaxBufferBytes)) {
        return kSoundErrInvalidParam;
    }
    try {
        if (primary) {
            *buffer = new SoundBuffer(*this, desc->dwFlags);
            return kSoundOk;
        }
        auto voice = std::make_unique<MixVoice>();
        voice->data = std::make_shared<std::vector<uint8_t>>(desc->dwBufferBytes);
        voice->format = ToPcm(*desc->lpwfxFormat);
        return AddVoiceBuffer(voice.release(), desc->dwFlags, buffer);
    } catch (const std::bad_alloc&) {
        return kSoundErrOutOfMemory;
    }
}

SoundResult SoundDevice::AddVoiceBuffer(MixVoice* voice, uint32_t flags, SoundBuffer** buffer) {
    // The buffer owns the voice before the mixer hears of it, so whatever
    // fails, one delete frees both and the mixer never keeps a freed voice.
    SoundBuffer* made = nullptr;
    try {
        made = new SoundBuffer(*this, flags);
    } catch (const std::bad_alloc&) {
        delete voice;
        return kSoundErrOutOfMemory;
    }
    made->voice_ = voice;
    SoundResult result = kSoundErrInvalidParam;
    try {
        if (mixer_->AddVoice(voice)) result = kSoundOk;
    } catch (const std::bad_alloc&) {
        result = kSoundErrOutOfMemory;
    }
    if (result != kSoundOk) {
        delete made;
        return result;
    }
    *buffer = made;
    return kSoundOk;
}

SoundResult SoundDevice::DuplicateSoundBuffer(SoundBuffer* original, SoundBuffer** duplicate) {
    if (duplicate == nullptr) return kSoundErrInvalidParam;
    *duplicate = nullptr;
    if (original == nullptr || original->IsPrimary()) return kSoundErrInvalidParam;
    auto* voice = new (std::nothrow) MixVoice;
    if (voice == nullptr) return kSoundErrOutOfMemory;
    voice->data = original->voice_->data;
    voice->format = original->voice_->format;
    voice->frequency = mixer_->Frequency(*original->voice_);
    SoundBuffer* made = nullptr;
    if (const SoundResult result = AddVoiceBuffer(voice, original->flags_, &made); result != kSoundOk) return result;
    made->volume_.store(original->volume_.load());
    made->pan_.store(original->pan_.load());
    made->ApplyGains();
    *duplicate = made;
    return kSoundOk;
}

SoundResult SoundDevice::Compact() { return kSoundOk; }

SoundResult SoundDevice::StartOutput() {
    if (output_ != nullptr) return kSoundOk;
    AudioOutput& output = CurrentAudioOutput();
    if (!output.Start(*mixer_)) return kSoundErrGeneric;
    output_ = &output;
    return kSoundOk;
}

void SoundDevice::StopOutput() {
    if (output_ == nullptr) return;
    output_->Stop();
    output_ = nullptr;
}

}  // namespace plat
