#pragma once
// Time for everything above the platform layer: a millisecond tick count, a
// sleep and periodic timers that call back on a thread of their own. The sdl
// backend runs them on real time; the headless backend on a virtual clock that
// tests drive (see platform/headless/virtual_clock.h).
#include <atomic>
#include <cstdint>
#include <functional>

namespace plat {

using TimerCallback = void (*)(void* user);
using TimerId = uint32_t;  // 0 means no timer
using CatchUp = void (*)(void* user);

class ClockDriver {
public:
    virtual ~ClockDriver() = default;
    virtual uint32_t Now() = 0;
    virtual void Sleep(uint32_t ms) = 0;
    virtual TimerId StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) = 0;
    virtual void StopPeriodic(TimerId id) = 0;
    // A clock that moves only when the program moves it calls every catch-up
    // it holds before each step of time (holding none of its locks), so that
    // the threads serving the timers' output (the WAV music's fill thread,
    // the MP3 player's feeder) have caught up and what they play does not
    // depend on how the threads were scheduled. Adding a catch-up it holds
    // already changes nothing; AddCatchUp is true when the clock will call
    // it. Removing one returns once no call of it is running, so its user may
    // go (not to be removed from inside itself). Real time waits for no one:
    // the defaults ignore them.
    virtual bool AddCatchUp(CatchUp, void* /*user*/) { return false; }
    virtual void RemoveCatchUp(CatchUp, void* /*user*/) {}
};

void SetClockDriver(ClockDriver* driver);
ClockDriver& Clock();

// A catch-up's wait: until caughtUp() holds, a second at most. A wait that
// runs out sets givenUp, and until caughtUp() holds again later waits only
// look, so that a thread kept from running for good does not hold up every
// step of time.
void WaitToCatchUp(const std::function<bool()>& caughtUp, std::atomic<bool>& givenUp);

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
