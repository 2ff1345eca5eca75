#pragma once
// The music stream's own lock, shared by the files of the stream: it guards
// QVSound's stream record, its fill thread and the notification events, and
// is taken before the library's lock (SoundLock), never while holding it.
#include <mutex>

#include "sound/snd_sample.h"
#include "sound/sound_records.h"

namespace qvstream {

// Never destroyed: a fill thread that has let go of its handle may still be
// finishing when the program's static objects go.
std::mutex& StreamMutex();

class StreamLock {
public:
    StreamLock() : lock_(StreamMutex()) {}
    std::unique_lock<std::mutex>& Get() { return lock_; }

private:
    std::unique_lock<std::mutex> lock_;
};

// The stream is loaded and has its ring of chunks.
inline bool HasRing(const _SNDStream& s) {
    return (s.dwFlags & STREAM_LOADED) && s.pSample != nullptr && s.pSample->m_lpBuffer != nullptr;
}

}  // namespace qvstream
