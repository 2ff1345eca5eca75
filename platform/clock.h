#pragma once
// Time for everything above the platform layer: a millisecond tick count, a
// sleep and periodic timers that call back on a thread of their own. The sdl
// backend runs them on real time; the headless backend on a virtual clock that
// tests drive (see platform/headless/virtual_clock.h).
#include <cstdint>

namespace plat {

using TimerCallback = void (*)(void* user);
using TimerId = uint32_t;  // 0 means no timer
using CatchUp = void (*)();

class ClockDriver {
public:
    virtual ~ClockDriver() = default;
    virtual uint32_t Now() = 0;
    virtual void Sleep(uint32_t ms) = 0;
    virtual TimerId StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) = 0;
    virtual void StopPeriodic(TimerId id) = 0;
    // A clock that moves only when the program moves it calls catchUp before
    // each step of time (holding none of its locks), so that a thread serving
    // the timers' output (the music's fill thread) has caught up and what
    // they play does not depend on how the threads were scheduled. Real time
    // waits for no one: the default ignores it.
    virtual void SetCatchUp(CatchUp) {}
};

void SetClockDriver(ClockDriver* driver);
ClockDriver& Clock();

// Milliseconds since the clock started (wraps after 49 days, like the tick count).
inline uint32_t TickCount() { return Clock().Now(); }
inline void SleepMs(uint32_t ms) { Clock().Sleep(ms); }
// Calls callback(user) every periodMs on the timer's own thread until stopped.
inline TimerId StartPeriodicTimer(uint32_t periodMs, TimerCallback callback, void* user) {
    return Clock().StartPeriodic(periodMs, callback, user);
}
// Stops the timer and waits until its callback is no longer running.
inline void StopPeriodicTimer(TimerId id) { Clock().StopPeriodic(id); }

}  // namespace plat
