#pragma once
// Sound buffers in the manner of DirectSound, over our own mixer: a device with
// a primary buffer whose format sets the mix format, and secondary buffers of
// 8- or 16-bit PCM at any rate that are filled through Lock and Unlock, played
// once or looping, stopped, positioned and duplicated, and that signal
// auto-reset events when the play cursor reaches chosen offsets or when they
// stop. Results are 0 (kSoundOk) or a negative error code, as with DirectSound.
#include <atomic>
#include <cstdint>

#include "platform/kernel.h"
#include "platform/position_notify.h"
#include "platform/window_handle.h"

namespace plat {

using SoundResult = int32_t;
constexpr SoundResult kSoundOk = 0;
constexpr SoundResult kSoundErrInvalidParam = static_cast<int32_t>(0x80070057);
constexpr SoundResult kSoundErrGeneric = static_cast<int32_t>(0x80004005);
constexpr SoundResult kSoundErrOutOfMemory = static_cast<int32_t>(0x8007000E);
constexpr SoundResult kSoundErrAllocated = static_cast<int32_t>(0x8878000A);
constexpr SoundResult kSoundErrControlUnavail = static_cast<int32_t>(0x8878001E);
constexpr SoundResult kSoundErrInvalidCall = static_cast<int32_t>(0x88780032);
constexpr SoundResult kSoundErrPrioLevelNeeded = static_cast<int32_t>(0x88780046);
constexpr SoundResult kSoundErrNoDriver = static_cast<int32_t>(0x88780078);
inline bool SoundFailed(SoundResult result) { return result < 0; }

constexpr uint16_t kWaveFormatPcm = 1;
struct WaveFormat {
    uint16_t wFormatTag;
    uint16_t nChannels;
    uint32_t nSamplesPerSec;
    uint32_t nAvgBytesPerSec;
    uint16_t nBlockAlign;
    uint16_t wBitsPerSample;
    uint16_t cbSize;
};

// Buffer capability flags.
constexpr uint32_t kBufferPrimary = 0x1;
constexpr uint32_t kBufferStatic = 0x2;
constexpr uint32_t kBufferCtrlFrequency = 0x20;
constexpr uint32_t kBufferCtrlPan = 0x40;
constexpr uint32_t kBufferCtrlVolume = 0x80;
constexpr uint32_t kBufferCtrlPositionNotify = 0x100;

struct BufferDesc {
    uint32_t dwSize;  // sizeof(BufferDesc)
    uint32_t dwFlags;
    uint32_t dwBufferBytes;  // 0 for the primary buffer
    uint32_t dwReserved;
    const WaveFormat* lpwfxFormat;  // null for the primary buffer
};

// Device capability flags and record.
constexpr uint32_t kCapsPrimaryMono = 0x1;
constexpr uint32_t kCapsPrimaryStereo = 0x2;
constexpr uint32_t kCapsPrimary8Bit = 0x4;
constexpr uint32_t kCapsPrimary16Bit = 0x8;
struct DeviceCaps {
    uint32_t dwSize;  // sizeof(DeviceCaps)
    uint32_t dwFlags;
    uint32_t dwMinSecondarySampleRate;
    uint32_t dwMaxSecondarySampleRate;
};

constexpr uint32_t kCoopNormal = 1;
constexpr uint32_t kCoopPriority = 2;
constexpr uint32_t kCoopExclusive = 3;

constexpr uint32_t kPlayLooping = 0x1;
constexpr uint32_t kStatusPlaying = 0x1;
constexpr uint32_t kStatusLooping = 0x4;
constexpr uint32_t kLockEntireBuffer = 0x2;

constexpr int32_t kVolumeMin = -10000;  // silence
constexpr int32_t kVolumeMax = 0;
constexpr int32_t kPanLeft = -10000;
constexpr int32_t kPanRight = 10000;
constexpr uint32_t kFrequencyMin = 100;
constexpr uint32_t kFrequencyMax = 200000;

class AudioOutput;
class Mixer;
struct MixVoice;
class SoundBuffer;
class SoundDevice;

// The notification facet of a buffer made with kBufferCtrlPositionNotify. It
// lives as long as its buffer.
class SoundNotify {
public:
    // Replaces the buffer's notification positions (count 0 removes them all);
    // allowed while the buffer plays.
    SoundResult SetNotificationPositions(uint32_t count, const PositionNotify* positions);

private:
    friend class SoundBuffer;
    explicit SoundNotify(SoundBuffer& buffer) : buffer_(buffer) {}
    SoundBuffer& buffer_;
};

class SoundBuffer {
public:
    // Gives pointers into the buffer's bytes from offset on; a range that runs
    // past the end continues at the start in the second region, which then
    // requires audio2. The bytes may be written while the buffer plays.
    SoundResult Lock(uint32_t offset, uint32_t bytes, void** audio1, uint32_t* bytes1,
                     void** audio2, uint32_t* bytes2, uint32_t flags);
    SoundResult Unlock(void* audio1, uint32_t bytes1, void* audio2, uint32_t bytes2);

    // Plays from the current position, once or (kPlayLooping) for ever.
    SoundResult Play(uint32_t flags);
    SoundResult Stop();
    SoundResult GetStatus(uint32_t* status);
    // The play cursor is the byte the mixer consumes next; the write cursor is
    // reported one mix block ahead of it while playing.
    SoundResult GetCurrentPosition(uint32_t* play, uint32_t* write);
    SoundResult SetCurrentPosition(uint32_t position);

    // Hundredths of a decibel, kVolumeMin..kVolumeMax; honoured on every buffer.
    SoundResult SetVolume(int32_t volume);
    SoundResult GetVolume(int32_t* volume);
    // Hundredths of a decibel of attenuation of the far side: positive values
    // quieten the left channel. Refused without kBufferCtrlPan.
    SoundResult SetPan(int32_t pan);
    SoundResult GetPan(int32_t* pan);
    // Playback rate in Hz, 0 for the data's own. Refused without kBufferCtrlFrequency.
    SoundResult SetFrequency(uint32_t frequency);
    SoundResult GetFrequency(uint32_t* frequency);

    // Primary buffer only: the format the device mixes to.
    SoundResult SetFormat(const WaveFormat* format);
    SoundResult GetFormat(WaveFormat* format);

    // The notification facet, or null when the buffer was made without
    // kBufferCtrlPositionNotify.
    SoundNotify* QueryNotify();

    // Stops the buffer (signalling its stop notifications) and destroys it.
    void Release();

private:
    friend class SoundDevice;
    friend class SoundNotify;
    SoundBuffer(SoundDevice& device, uint32_t flags);
    ~SoundBuffer();
    bool IsPrimary() const { return (flags_ & kBufferPrimary) != 0; }

    SoundDevice& device_;
    uint32_t flags_;
    MixVoice* voice_ = nullptr;  // secondary buffers only
    SoundNotify notify_;
    void ApplyGains();
    std::atomic<int32_t> volume_{0};
    std::atomic<int32_t> pan_{0};
};

class SoundDevice {
public:
    SoundResult SetCooperativeLevel(WindowHandle window, uint32_t level);
    SoundResult GetCaps(DeviceCaps* caps);
    // A primary buffer (kBufferPrimary, no size, no format) or a secondary
    // buffer of dwBufferBytes bytes of the given PCM format. Without the
    // memory for it, kSoundErrOutOfMemory (as for a duplicate).
    SoundResult CreateSoundBuffer(const BufferDesc* desc, SoundBuffer** buffer);
    // A new buffer that shares the original's bytes and format, with its own
    // position, state and volume and no notifications.
    SoundResult DuplicateSoundBuffer(SoundBuffer* original, SoundBuffer** duplicate);
    SoundResult Compact();
    // Destroys the device; its buffers must have been released.
    void Release();

private:
    friend SoundResult CreateSoundDevice(SoundDevice** device);
    friend class SoundBuffer;
    friend class SoundNotify;
    SoundDevice();
    ~SoundDevice();
    // Starts or stops the backend's audio output, driven by the primary buffer.
    SoundResult StartOutput();
    void StopOutput();
    // A new secondary buffer playing voice, which it takes over (and frees on
    // failure); kSoundErrOutOfMemory when there is no memory for it.
    SoundResult AddVoiceBuffer(MixVoice* voice, uint32_t flags, SoundBuffer** buffer);

    Mixer* mixer_;
    uint32_t cooperativeLevel_ = 0;
    AudioOutput* output_ = nullptr;  // while the primary buffer plays
    WaveFormat primaryFormat_;
};

// Opens the current backend's audio output; one device at a time.
SoundResult CreateSoundDevice(SoundDevice** device);
// The device that is open, for other players of sound (the MP3 music) to
// make their buffers on; null when there is none.
SoundDevice* OpenSoundDevice();
// Counts the devices opened so far: a buffer made while it read n belongs to
// a device that is gone once it reads anything else.
uint32_t SoundDeviceGeneration();

// Players that keep buffers of their own on the open device (the MP3 music)
// hear of the device's release before anything of it goes, on the releasing
// thread: they stop their threads and release their buffers there. A callback
// may remove itself; removing one waits for a call of it in progress.
using DeviceClosingCallback = void (*)(void* user);
void AddDeviceClosingCallback(DeviceClosingCallback callback, void* user);
void RemoveDeviceClosingCallback(DeviceClosingCallback callback, void* user);

}  // namespace plat
