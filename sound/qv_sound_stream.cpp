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
#include <string>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/debug_log.h"
#include "sound/qv_sound.h"
#include "sound/snd_sample.h"
#include "sound/sound_lock.h"
#include "sound/stream_lock.h"

plat::JoiningThread QVSound::g_FillThread;
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

// Fill threads whose streams ended by themselves: a thread cannot join
// itself, so each leaves itself here, and is joined once it has returned by
// the next fill thread to end or by Exit. One still inside its next-stream
// function is not waited for, as that function may be waiting for the
// stream it started. Guarded by the stream's lock; joined outside it.
struct EndedFillThread {
    plat::JoiningThread thread;
    bool returned = false;
};
std::vector<EndedFillThread> g_endedFillThreads;

// On a fill thread: its own thread's Id, and whether it still serves the
// stream (until its teardown). 0 and false on every other thread.
thread_local uint32_t t_fillThread = 0;
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
    if (t_fillThread != 0 || t_streamInfoHeld > 0) return;
    plat::WaitToCatchUp(
        [] {
            StreamLock lock;
            return FillHasCaughtUp();
        },
        g_fillGivenUp);
}

// Tells the fill thread its stream is ending: the stop it is woken by is
// then the end, whatever else the ring did. Called with the stream's lock held.
void SignalStreamEnd() {
    _SNDStream& s = QVSound::g_StreamInfo;
    s.dwFlags |= STREAM_ENDING;
    s.pSample->m_lpBuffer->Stop();
    // A paused or never played ring is stopped already and reports nothing.
    plat::SignalEvent(QVSound::g_NotifyEvents[kStopEvent]);
}

// The fill thread's stop, called by its owner: ends the stream it serves,
// unless that has been torn down already (the thread is then on its way out,
// or inside the next-stream function, which returns by itself). The owner
// joins it, so the thread must not leave itself as ended.
void StopFillThread(uint32_t stream) {
    StreamLock lock;
    if (g_streamsEnded != stream) return;
    QVSound::g_FillThreadID = 0;
    if (HasRing(QVSound::g_StreamInfo)) SignalStreamEnd();
}

// Takes the ended fill threads that have returned, to be joined outside the
// stream's lock.
std::vector<plat::JoiningThread> TakeReturnedFillThreads() {
    std::vector<plat::JoiningThread> returned;
    for (auto it = g_endedFillThreads.begin(); it != g_endedFillThreads.end();) {
        if (!it->returned) {
            ++it;
            continue;
        }
        returned.push_back(std::move(it->thread));
        it = g_endedFillThreads.erase(it);
    }
    return returned;
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
    plat::FileHandle file = plat::InvalidFileHandle();
    const Status opened = made.OpenSoundFile(path, &file);
    // Undoes everything taken so far and notes why the music is left out.
    // The fill thread is started last, so there is never a thread to stop here.
    auto fail = [&](const std::string& why) {
        CloseStreamEvents();
        if (made.m_lpBuffer != nullptr) made.m_lpBuffer->Release();
        if (file != plat::InvalidFileHandle()) g_pCloseFile(file);
        NoteLeftOut(Status::Failed(std::string(path) + ": " + why));
        return 0;
    };
    if (!opened) {
        NoteLeftOut(opened);
        return 0;
    }

    // A quarter second in whole frames. The reader accepts only 8 or 16 bits
    // and one or two channels, and the products are 64-bit, so nothing here
    // overflows; the device refuses rates it cannot play.
    const uint64_t frame = static_cast<uint64_t>(made.m_nBitsPerSample) * made.m_nChannels / 8;
    const uint64_t bytesPerSecond = static_cast<uint32_t>(made.m_nSamplesPerSec) * frame;
    uint64_t chunk = bytesPerSecond * 2000 / 8000;
    if (chunk % frame != 0) chunk += frame - chunk % frame;
    const uint64_t ring = chunk * kStreamChunks;
    if (chunk == 0 || ring > 0x0FFFFFFF || made.m_nDataBytes < frame) {
        return fail("no whole frame of music, or a rate too high to stream");
    }
    if ((made.m_nFlags & SND_LOOP) &&
        int64_t{made.m_nLoopEnd} - made.m_nLoopStart < static_cast<int64_t>(chunk)) {
        return fail("a loop shorter than a quarter second");
    }
    if (!made.AllocDSBuffer(static_cast<uint32_t>(ring))) return fail("no sound buffer for the ring");
    plat::SoundNotify* notify = made.m_lpBuffer->QueryNotify();
    if (notify == nullptr) return fail("no position notification");
    for (int i = 0; i < kStreamEvents; ++i) {
        g_NotifyEvents[i] = plat::CreateAutoResetEvent();
        if (g_NotifyEvents[i] == nullptr) return fail("no event for the ring");
        s.Positions[i].dwOffset =
            i < kStreamChunks ? static_cast<uint32_t>(i * chunk) : plat::kNotifyOffsetStop;
        s.Positions[i].hEventNotify = g_NotifyEvents[i];
    }
    SNDSample* slot = nullptr;
    {
        SoundLock library;
        slot = AllocSample();
        if (slot == nullptr) return fail("no free sample slot");
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
    const uint32_t stream = g_streamsEnded;
    g_FillThread = plat::JoiningThread([] { FillStream(nullptr); },
                                       [stream] { StopFillThread(stream); },
                                       plat::ThreadPriority::Lowest);
    g_FillThreadID = g_FillThread.Id();
    if (!g_FillThread) {
        notify->SetNotificationPositions(0, nullptr);
        ClearStreamKeepingNext();
        FreeSample(slot);  // releases the ring
        made.m_lpBuffer = nullptr;
        return fail("the fill thread could not be started");
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
        t_fillThread = g_FillThreadID;
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
    for (EndedFillThread& ended : g_endedFillThreads) {
        if (ended.thread.Id() == t_fillThread) ended.returned = true;
    }
    t_fillThread = 0;
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
    std::vector<plat::JoiningThread> returned;  // joined on the way out
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
        // A StopStream waiting to join this thread has taken it; otherwise
        // the stream ended by itself, and the thread leaves itself to be
        // joined later.
        returned = TakeReturnedFillThreads();
        if (g_FillThreadID == t_fillThread && t_fillThread != 0) {
            g_endedFillThreads.push_back({std::move(g_FillThread), false});
            g_FillThreadID = 0;
        }
        StreamChanged().notify_all();
    }
    returned.clear();
    // Outside the lock: the function may load and play the next stream.
    if (next != nullptr) next(id);
    return 1;
}

void QVSound::end_stream(bool evenUnplayed) {
    plat::JoiningThread thread;
    {
        StreamLock lock;
        _SNDStream& s = g_StreamInfo;
        if (!HasRing(s) || (!evenUnplayed && !(s.dwFlags & STREAM_PLAYING))) return;
        SignalStreamEnd();
        thread = std::move(g_FillThread);
        g_FillThreadID = 0;
        if (!thread) {
            // Another caller is joining the thread: wait for the teardown.
            const uint32_t streams = g_streamsEnded;
            StreamChanged().wait(lock.Get(), [streams] { return g_streamsEnded != streams; });
            return;
        }
    }
    // Going here, outside the lock, joins the thread: this returns once the
    // stream has been torn down and its next-stream function has returned.
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
            std::vector<plat::JoiningThread> returned = TakeReturnedFillThreads();
            lock.Get().unlock();
            return;  // every fill thread has returned; these are joined on the way out
        }
    }
}
