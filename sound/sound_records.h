#pragma once
// The records the sound library shares between its files and its threads:
// the music stream's record with its flag bits, and the entries of the
// end-of-sample event table. They name a sample slot only by pointer.
#include <cstdint>

#include "platform/kernel.h"
#include "platform/sound_device.h"

class SNDSample;

// Bits of _SNDStream::dwFlags.
constexpr uint32_t STREAM_LOADED = 0x1;     // LoadStream succeeded
constexpr uint32_t STREAM_PLAYING = 0x2;    // PlayStream started the ring
constexpr uint32_t STREAM_LOOP = 0x4;       // at the end of the data, go on from its start
constexpr uint32_t STREAM_PAUSED = 0x8;     // paused by PauseStream
constexpr uint32_t STREAM_FILLING = 0x10;   // the fill thread serves the stream
constexpr uint32_t STREAM_ENDING = 0x20;    // the ring's next stop ends the stream
constexpr uint32_t STREAM_PRIMED = 0x80000000;  // the fill thread has had its first notification

constexpr int kStreamChunks = 8;
// Position entries of a stream: the chunk starts, then the stop.
constexpr int kStreamEvents = kStreamChunks + 1;
// _SNDStream::dwLastChunk while the end of the data is not in the ring.
constexpr uint32_t kNoStreamChunk = 0xFFFFFFFF;

using StreamNextFunc = void (*)(uint32_t id);

// The one music stream: a WAV file played through a ring of eight
// quarter-second chunks that the fill thread refills as each one is played.
// Shared with the fill thread: read it under QVSound::LockStreamInfo.
struct _SNDStream {
    uint32_t dwFlags;
    plat::FileHandle hFile;
    uint32_t dwDataStart;    // file offset of the first PCM byte
    uint32_t dwChunkBytes;   // a quarter second, whole frames
    uint32_t dwBufferBytes;  // the ring: eight chunks
    uint32_t dwRemaining;    // PCM bytes not yet read into the ring
    SNDSample* pSample;      // the slot that holds the ring and the file's format
    StreamNextFunc pNextFunc;
    plat::SoundNotify* lpNotify;
    plat::PositionNotify Positions[kStreamEvents];
    // The chunk to refill once the play cursor has left it. Notifications
    // arrive lowest event first, so a fill thread that fell behind cannot
    // take the order of its work from them.
    uint32_t dwNextChunk;
    // The chunk that holds the last byte of data of a stream that does not
    // loop; the stream ends once the cursor has left it. kNoStreamChunk before.
    uint32_t dwLastChunk;
};

// One entry of the event table: an auto-reset event and the sample whose end
// it signals (null: the entry is free). Entry 0 is the end-of-sample thread's
// quit signal and is never lent.
struct _SNDEvent {
    plat::EventHandle hEvent;
    SNDSample* pSample;
};
