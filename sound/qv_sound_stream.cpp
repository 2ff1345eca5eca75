// The music stream: one WAV file played through a ring of eight
// quarter-second chunks, refilled from the file by a low-priority fill thread
// as the play cursor leaves each chunk; looping, pausing, the end of a stream
// that does not loop, the next-stream function, and fades.
//
// Locking: the stream's own lock guards g_StreamInfo, g_FillThread and the
// notification events. It is taken before the library's lock (SoundLock),
// never while holding it; the fill thread reads the file holding only the
// stream's lock, and no thread is waited for while the stream's lock is held.
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <utility>

#include "platform/clock.h"
#include "sound/qv_sound.h"
#include "sound/snd_sample.h"
#include "sound/sound_lock.h"
#include "sound/stream_lock.h"

plat::ThreadHandle QVSound::g_FillThread = nullptr;
uint32_t QVSound::g_FillThreadID = 0;
_SNDStream QVSound::g_StreamInfo = {};
plat::EventHandle QVSound::g_NotifyEvents[kStreamEvents] = {};

namespace {

using qvstream::HasRing;
using qvstream::StreamLock;
using qvstream::StreamMutex;

constexpr int kStopEvent = kStreamChunks;

// Never destroyed, like the stream's lock it is used with.
std::condition_variable& StreamChanged() {
    static auto* changed = new std::condition_variable;
    return *changed;
}

// Guarded by the stream's lock: fill threads that have not returned yet, and
// a count of streams torn down, so that a waiter can tell its stream has gone
// even when a next-stream function has loaded another one since.
int g_fillThreadsAlive = 0;
uint32_t g_streamsEnded = 0;

// On a fill thread: its own handle, and whether it still serves the stream
// (until its teardown). Null and false on every other thread.
thread_local plat::ThreadHandle t_fillThread = nullptr;
thread_local bool t_servesStream = false;
// How deep this thread holds the stream's record through LockStreamInfo.
thread_local int t_streamInfoHeld = 0;

// The fill thread has refilled every chunk the cursor has left, or has
// nothing to do. Called with the stream's lock held.
bool FillHasCaughtUp() {
    const _SNDStream& s = QVSound::g_StreamInfo;
    if (g_fillThreadsAlive == 0 || !HasRing(s) || !(s.dwFlags & STREAM_PLAYING) || (s.dwFlags & STREAM_ENDING))
        return true;
    uint32_t cursor = 0;
    if (plat::SoundFailed(s.pSample->m_lpBuffer->GetCurrentPosition(&cursor, nullptr))) return true;
    return s.dwNextChunk == std::min<uint32_t>(cursor / s.dwChunkBytes, kStreamChunks - 1);
}

// Set when the fill thread last failed to catch up within the wait's bound.
std::atomic<bool> g_fillGivenUp{false};

// The clock's catch-up (plat::ClockDriver::AddCatchUp): under a clock that
// moves only when the program moves it, the ring's chunks are refilled before
// they play however the fill thread is scheduled, so a recording of the music
// is the same on a busy machine as on an idle one. Not on the fill thread nor
// on a thread holding the stream's record (each would wait for itself), and
// never for long: a fill thread that has not caught up within a second is not
// waited for again until it has.
void CatchUpWithFill(void*) {
    if (t_fillThread != nullptr || t_streamInfoHeld > 0) return;
    plat::WaitToCatchUp(
        [] {
            StreamLock lock;
            return FillHasCaughtUp();
        },
        g_fillGivenUp);
}

void CloseStreamEvents() {
    for (int i = 0; i < kStreamEvents; ++i) {
        if (QVSound::g_NotifyEvents[i] != nullptr) plat::CloseEvent(QVSound::g_NotifyEvents[i]);
        QVSound::g_NotifyEvents[i] = nullptr;
        QVSound::g_StreamInfo.Positions[i].hEventNotify = nullptr;
    }
}

// Clears the stream's record; the next-stream function is the caller's
// setting and stays.
void ClearStreamKeepingNext() {
    _SNDStream& s = QVSound::g_StreamInfo;
    const StreamNextFunc next = s.pNextFunc;
    s = _SNDStream{};
    s.pNextFunc = next;
    s.dwLastChunk = kNoStreamChunk;
}

}  // namespace

void QVSound::LockStreamInfo() {
    StreamMutex().lock();
    ++t_streamInfoHeld;
}
void QVSound::UnlockStreamInfo() {
    --t_streamInfoHeld;
    StreamMutex().unlock();
}

int QVSound::MusicEnabled() {
    SoundLock lock;
    return m_bMusicEnabled;
}

int QVSound::LoadStream(const char* path, uint32_t id) {
    if (MusicEnabled() == 0) return 0;
    StreamLock lock;
    _SNDStream& s = g_StreamInfo;
    if (s.dwFlags & STREAM_LOADED) return 0;  // one stream at a time

    // The file is read and the ring made in a record of this thread's own;
    // it goes into a pool slot, under the library's lock, once it is whole,
    // so that nobody scanning the pool meets a slot half made.
    SNDSample made{};
    plat::FileHandle file = made.OpenSoundFile(path);
    // Undoes everything taken so far. The fill thread is started last, so
    // there is never a thread to stop here.
    auto fail = [&] {
        CloseStreamEvents();
        if (made.m_lpBuffer != nullptr) made.m_lpBuffer->Release();
        if (file != plat::InvalidFileHandle()) g_pCloseFile(file);
        return 0;
    };
    if (file == plat::InvalidFileHandle()) return fail();

    // A quarter second in whole frames. The reader accepts only 8 or 16 bits
    // and one or two channels, and the products are 64-bit, so nothing here
    // overflows; the device refuses rates it cannot play.
    const uint64_t frame = static_cast<uint64_t>(made.m_nBitsPerSample) * made.m_nChannels / 8;
    const uint64_t bytesPerSecond = static_cast<uint32_t>(made.m_nSamplesPerSec) * frame;
    uint64_t chunk = bytesPerSecond * 2000 / 8000;
    if (chunk % frame != 0) chunk += frame - chunk % frame;
    const uint64_t ring = chunk * kStreamChunks;
    if (chunk == 0 || ring > 0x0FFFFFFF || made.m_nDataBytes < frame) return fail();
    if ((made.m_nFlags & SND_LOOP) &&
        int64_t{made.m_nLoopEnd} - made.m_nLoopStart < static_cast<int64_t>(chunk)) {
        return fail();
    }
    if (!made.AllocDSBuffer(static_cast<uint32_t>(ring))) return fail();
    plat::SoundNotify* notify = made.m_lpBuffer->QueryNotify();
    if (notify == nullptr) return fail();
    for (int i = 0; i < kStreamEvents; ++i) {
        g_NotifyEvents[i] = plat::CreateAutoResetEvent();
        if (g_NotifyEvents[i] == nullptr) return fail();
        s.Positions[i].dwOffset =
            i < kStreamChunks ? static_cast<uint32_t>(i * chunk) : plat::kNotifyOffsetStop;
        s.Positions[i].hEventNotify = g_NotifyEvents[i];
    }
    SNDSample* slot = nullptr;
    {
        SoundLock library;
        slot = AllocSample();
        if (slot == nullptr) return fail();
        made.m_nFlags |= SND_INUSE | SND_STREAM;
        if (id != 0xFFFFFFFF) made.m_nID = id;
        *slot = made;
    }
    notify->SetNotificationPositions(kStreamEvents, s.Positions);

    s.dwDataStart = plat::SeekFile(file, 0, plat::SeekFrom::Current);
    s.dwFlags = STREAM_LOADED | STREAM_FILLING;
    s.pSample = slot;
    s.hFile = file;
    s.lpNotify = notify;
    s.dwChunkBytes = static_cast<uint32_t>(chunk);
    s.dwBufferBytes = static_cast<uint32_t>(ring);
    init_stream_buffer();

    // The thread's first look at the stream waits for this lock, so it finds
    // everything in place, its own handle included.
    g_FillThread = plat::StartThread(FillStream, nullptr, plat::ThreadPriority::Lowest,
                                     &g_FillThreadID);
    if (g_FillThread == nullptr) {
        notify->SetNotificationPositions(0, nullptr);
        ClearStreamKeepingNext();
        FreeSample(slot);  // releases the ring
        made.m_lpBuffer = nullptr;
        return fail();
    }
    ++g_fillThreadsAlive;
    plat::Clock().AddCatchUp(CatchUpWithFill, nullptr);
    StreamChanged().notify_all();
    return 1;
}

void QVSound::init_stream_buffer() {
    _SNDStream& s = g_StreamInfo;
    if (!HasRing(s)) return;
    s.dwNextChunk = 0;
    s.dwLastChunk = kNoStreamChunk;
    s.dwRemaining = 0;
    if (plat::SeekFile(s.hFile, static_cast<int32_t>(s.dwDataStart), plat::SeekFrom::Begin) ==
        s.dwDataStart) {
        s.dwRemaining = s.pSample->m_nDataBytes;
    }
    // Chunk by chunk, as the fill thread does: a file shorter than the ring
    // goes on from its start when the stream loops, and is followed by
    // silence when it does not.
    for (uint32_t chunk = 0; chunk < kStreamChunks; ++chunk) fill_stream_chunk(chunk);
}

void QVSound::fill_stream_chunk(uint32_t chunk) {
    _SNDStream& s = g_StreamInfo;
    void* region = nullptr;
    uint32_t bytes = 0;
    if (plat::SoundFailed(s.pSample->m_lpBuffer->Lock(chunk * s.dwChunkBytes, s.dwChunkBytes,
                                                      &region, &bytes, nullptr, nullptr, 0)) ||
        bytes == 0) {
        return;
    }
    // A new buffer is all zero, which is loud for unsigned 8-bit data.
    const int silence = s.pSample->m_nBitsPerSample == 8 ? 0x80 : 0x00;
    const bool loops = (s.dwFlags & STREAM_LOOP) != 0;
    auto* out = static_cast<uint8_t*>(region);
    uint32_t left = bytes;
    bool holdsData = false;
    // A file shorter than a chunk starts again as often as the chunk needs;
    // one that delivers nothing after starting again gives silence instead
    // of a spinning thread.
    bool readSinceRewind = true;
    while (left > 0) {
        if (s.dwRemaining == 0) {
            if (loops && readSinceRewind &&
                plat::SeekFile(s.hFile, static_cast<int32_t>(s.dwDataStart),
                               plat::SeekFrom::Begin) == s.dwDataStart) {
                s.dwRemaining = s.pSample->m_nDataBytes;
                readSinceRewind = false;
                continue;
            }
            std::memset(out, silence, left);
            break;
        }
        uint32_t got = 0;
        plat::ReadFileBytes(s.hFile, out, std::min(left, s.dwRemaining), &got);
        if (got == 0) {
            // The file delivers no more than it did: its data ends here.
            s.dwRemaining = 0;
            continue;
        }
        out += got;
        left -= got;
        s.dwRemaining -= got;
        holdsData = true;
        readSinceRewind = true;
    }
    s.pSample->m_lpBuffer->Unlock(region, bytes, nullptr, 0);
    if (!loops && s.dwRemaining == 0 && s.dwLastChunk == kNoStreamChunk) {
        // The data ran out in this chunk, or exactly at the end of the one before.
        s.dwLastChunk = holdsData ? chunk : (chunk + kStreamChunks - 1) % kStreamChunks;
    }
}

int QVSound::PlayStream(int flags) {
    if (MusicEnabled() == 0) return 1;
    StreamLock lock;
    _SNDStream& s = g_StreamInfo;
    if (!HasRing(s) || (s.dwFlags & STREAM_PLAYING)) return 1;
    s.dwFlags |= static_cast<uint32_t>(flags) & STREAM_LOOP;
    // A looping file whose end is already in the ring is read again, going on
    // from its start this time.
    if ((s.dwFlags & STREAM_LOOP) && s.dwLastChunk != kNoStreamChunk) init_stream_buffer();
    // From offset 0, which is not reported until the ring wraps: the first
    // notification (chunk 1) therefore means that chunk 0 has played.
    plat::SoundBuffer* ring = s.pSample->m_lpBuffer;
    ring->SetCurrentPosition(0);
    ring->Play(plat::kPlayLooping);
    s.dwFlags |= STREAM_PLAYING;
    return 1;
}

void QVSound::refill_played_chunks() {
    _SNDStream& s = g_StreamInfo;
    if (!HasRing(s) || !(s.dwFlags & STREAM_PLAYING) || (s.dwFlags & STREAM_ENDING)) return;
    s.dwFlags |= STREAM_PRIMED;
    plat::SoundBuffer* ring = s.pSample->m_lpBuffer;
    uint32_t cursor = 0;
    if (plat::SoundFailed(ring->GetCurrentPosition(&cursor, nullptr))) return;
    // Every chunk before the one the cursor is in has played; refill them in
    // ring order. A notification that arrives late, or twice, finds nothing
    // left to do.
    const uint32_t playing = std::min<uint32_t>(cursor / s.dwChunkBytes, kStreamChunks - 1);
    while (s.dwNextChunk != playing) {
        if (s.dwNextChunk == s.dwLastChunk) {
            // The last data has played: stop, and the stop ends the stream.
            s.dwFlags |= STREAM_ENDING;
            ring->Stop();
            return;
        }
        fill_stream_chunk(s.dwNextChunk);
        s.dwNextChunk = (s.dwNextChunk + 1) % kStreamChunks;
    }
}

bool QVSound::stream_has_ended() {
    _SNDStream& s = g_StreamInfo;
    if (!HasRing(s) || (s.dwFlags & STREAM_ENDING)) return true;
    // Every stop is reported, a pause's included; a stream paused, or paused
    // and resumed before this thread woke, goes on.
    if ((s.dwFlags & STREAM_PAUSED) || !(s.dwFlags & STREAM_PLAYING)) return false;
    uint32_t status = 0;
    s.pSample->m_lpBuffer->GetStatus(&status);
    return (status & plat::kStatusPlaying) == 0;  // stopped by something else
}

uint32_t QVSound::FillStream(void*) {
    plat::EventHandle events[kStreamEvents];
    {
        StreamLock lock;
        t_fillThread = g_FillThread;
        t_servesStream = true;
        std::copy(std::begin(g_NotifyEvents), std::end(g_NotifyEvents), events);
    }
    // The events stay open until this thread closes them in CleanupStream.
    for (;;) {
        const int signalled = plat::WaitForAnyEvent(kStreamEvents, events);
        StreamLock lock;
        if (signalled >= 0 && signalled < kStreamChunks) {
            refill_played_chunks();
            continue;
        }
        // A wait on these events cannot fail; if it did, waiting again would spin.
        if (signalled == kStopEvent && !stream_has_ended()) continue;
        break;
    }
    CleanupStream();
    StreamLock lock;
    t_fillThread = nullptr;
    --g_fillThreadsAlive;
    StreamChanged().notify_all();
    return 0;
}

int QVSound::CleanupStream() {
    if (!t_servesStream) {
        end_stream(false);
        return 1;
    }
    t_servesStream = false;
    uint32_t id = 0;
    StreamNextFunc next = nullptr;
    {
        StreamLock lock;
        _SNDStream& s = g_StreamInfo;
        if (HasRing(s)) {
            // Nothing may signal the events once they are closed.
            s.lpNotify->SetNotificationPositions(0, nullptr);
            CloseStreamEvents();
            id = s.pSample->m_nID;
            g_Sound.FreeSample(s.pSample);  // stops and releases the ring, clears the slot
            if (s.hFile != nullptr) g_pCloseFile(s.hFile);
            next = s.pNextFunc;
            ClearStreamKeepingNext();
        }
        s.dwFlags &= ~STREAM_FILLING;
        ++g_streamsEnded;
        // A StopStream waiting to join this thread has taken its handle;
        // otherwise nobody will join it, and it lets go of the handle itself.
        if (g_FillThread == t_fillThread && t_fillThread != nullptr) {
            plat::DetachThread(g_FillThread);
            g_FillThread = nullptr;
            g_FillThreadID = 0;
        }
        StreamChanged().notify_all();
    }
    // Outside the lock: the function may load and play the next stream.
    if (next != nullptr) next(id);
    return 1;
}

void QVSound::end_stream(bool evenUnplayed) {
    plat::ThreadHandle thread = nullptr;
    {
        StreamLock lock;
        _SNDStream& s = g_StreamInfo;
        if (!HasRing(s) || (!evenUnplayed && !(s.dwFlags & STREAM_PLAYING))) return;
        s.dwFlags |= STREAM_ENDING;
        s.pSample->m_lpBuffer->Stop();
        // A paused or never played ring is stopped already and reports nothing.
        plat::SignalEvent(g_NotifyEvents[kStopEvent]);
        thread = g_FillThread;
        g_FillThread = nullptr;
        g_FillThreadID = 0;
        if (thread == nullptr) {
            // Another caller is joining the thread: wait for the teardown.
            const uint32_t ended = g_streamsEnded;
            StreamChanged().wait(lock.Get(), [ended] { return g_streamsEnded != ended; });
            return;
        }
    }
    // Returns once the thread has torn the stream down and its next-stream
    // function has returned.
    plat::JoinThread(thread);
}

void QVSound::shut_streams() {
    StreamNextFunc next = nullptr;
    {
        StreamLock lock;
        next = g_StreamInfo.pNextFunc;
        g_StreamInfo.pNextFunc = nullptr;
    }
    for (;;) {
        end_stream(true);
        StreamLock lock;
        // A thread already past its teardown may still be inside the
        // next-stream function it read before, loading another stream.
        StreamChanged().wait(lock.Get(), [] {
            return g_fillThreadsAlive == 0 || (g_StreamInfo.dwFlags & STREAM_LOADED);
        });
        if (g_fillThreadsAlive == 0) {
            g_StreamInfo.pNextFunc = next;
            return;
        }
    }
}
