#pragma once
// The sound library's one lock. It serialises the threads that share the
// sample table, the event entries and g_Sound's switches: the caller's thread
// and the end-of-sample thread that starts chained samples. Every library
// operation holds it only while it runs (it is recursive because operations
// call one another), and it is never held while waiting for a library thread,
// so a chained sample starts as soon as the operation in progress returns.
// It is always taken before the sound device's own locks (the mixer's, the
// events'), never while holding one of them; neither the audio output nor a
// clock timer ever waits for it.
#include <mutex>

class SoundLock {
public:
    SoundLock() { Mutex().lock(); }
    ~SoundLock() { Mutex().unlock(); }
    SoundLock(const SoundLock&) = delete;
    SoundLock& operator=(const SoundLock&) = delete;

private:
    // Never destroyed: a library thread still running at exit is stopped
    // and joined by its owner's destruction, after the function's statics.
    static std::recursive_mutex& Mutex() {
        static auto* mutex = new std::recursive_mutex;
        return *mutex;
    }
};
