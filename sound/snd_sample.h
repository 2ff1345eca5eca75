#pragma once
// One slot of the sound library's sample pool: the format of a loaded WAV
// file, its sound buffer and its playback state. A plain record that lives in
// the pool's zero-filled block (all zero is an empty slot).
#include <cstdint>

#include "base/status.h"
#include "platform/kernel.h"
#include "platform/sound_device.h"

// Bits of SNDSample::m_nFlags.
constexpr uint32_t SND_INUSE = 0x1;        // the slot holds a sample
constexpr uint32_t SND_RESERVED = 0x2;     // handed out by FindSample, not played yet
constexpr uint32_t SND_DUPE = 0x4;         // a duplicate made to overlap a busy sound
constexpr uint32_t SND_LOOP = 0x8;         // the file has a sampler loop: play looping
constexpr uint32_t SND_FORMAT = 0x10;      // the format chunk was read
constexpr uint32_t SND_PAUSED = 0x100;     // paused by PauseSample
constexpr uint32_t SND_STREAM = 0x200;     // the music stream's ring: not for lookups by ID
constexpr uint32_t SND_EVENTARMED = 0x400; // the end event is armed for m_pNext

// The 8-byte header in front of every RIFF chunk, as it lies in the file.
struct _ChunkHeader {
    uint32_t dwID;
    uint32_t dwSize;  // payload bytes, without the header or a pad byte
};

class SNDSample {
public:
    // Clears every field except m_EndNotify, which keeps its last contents.
    void Reset();

    // ---- WAV file reading ----
    // Opens a PCM WAV file through the library's open hook and fills the
    // format fields; the handle stands at the first PCM byte. Failed, naming
    // the file, when it cannot be opened or is not a readable PCM WAV file.
    Status OpenSoundFile(const char* path, plat::FileHandle* file);
    // Reads the format, sampler and data chunk headers; failed with what is
    // wrong when the file is not a playable PCM WAV file.
    Status IsWavFile(plat::FileHandle file);
    static int FindRiffChunk(plat::FileHandle file, uint32_t id, _ChunkHeader* header,
                             uint32_t start);
    // Makes m_lpBuffer: bytes long, or m_nDataBytes long for 0.
    int AllocDSBuffer(uint32_t bytes);
    // Reads the whole file into a new buffer.
    Status LoadSample(const char* path, uint32_t id);

    // ---- Playback ----
    SNDSample* DupeSample();
    // Appends next to the end of first's chain; returns the head.
    static SNDSample* ChainSample(SNDSample* first, SNDSample* next);
    int PlaySample(int32_t volume, int32_t pan);
    int StopSample();
    int PauseSample();
    int UnPauseSample();
    int SamplePlaying();
    // The buffer's status bits, or kSoundErrInvalidParam without a buffer.
    int32_t GetSampleStatus();
    int SetVolume(int32_t volume);
    int SetPan(int32_t pan);
    int SetPitch(int32_t frequency);

    uint32_t m_nFlags;
    uint32_t m_nID;
    uint32_t m_nDataBytes;
    int32_t m_nSamplesPerSec;
    int32_t m_nBitsPerSample;
    int32_t m_nChannels;
    int32_t m_nSavedPos;
    int32_t m_nVolume;
    int32_t m_nPan;
    int32_t m_nPitch;
    int32_t m_nLoopStart;
    int32_t m_nLoopEnd;
    int32_t m_nLoopCount;
    plat::SoundBuffer* m_lpBuffer;
    plat::PositionNotify m_EndNotify;
    SNDSample* m_pNext;

private:
    friend class QVSound;
    // Plays the buffer from its current position, looping for SND_LOOP.
    int StartBuffer();
};
