#pragma once
// The headless backend's clock: virtual milliseconds that move only when asked,
// so a test decides exactly how much time passes and a wait of seconds costs
// microseconds. Time moves when a test calls Advance, when the game sleeps, and
// by one frame period at every presented frame (see HeadlessVideo). Periodic
// timers fire inside Advance, on the advancing thread, in time order; while
// it holds catch-ups, time moves a tenth of a second at a time, each step after
// every catch-up has been called on the advancing thread. In
// running mode a thread of its own advances the clock at a multiple of real
// time instead, for runs that need the timers to tick by themselves.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/clock.h"

namespace plat {

class VirtualClock : public ClockDriver {
public:
    ~VirtualClock() override;
    uint32_t Now() override;
    void Sleep(uint32_t ms) override;
    TimerId StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) override;
    void StopPeriodic(TimerId id) override;
    bool AddCatchUp(CatchUp call, void* user) override;
    void RemoveCatchUp(CatchUp call, void* user) override;

    // Moves the clock forward by ms, firing every timer that falls due.
    // Timer callbacks must not call Advance themselves.
    void Advance(uint32_t ms);
    // speed 0 stops the clock thread; otherwise virtual time runs at speed
    // times real time, in steps of 10 ms.
    void SetRunning(uint32_t speed);
    bool IsRunning() const { return speed_.load(std::memory_order_relaxed) != 0; }
    // Test control: StartPeriodic refuses every timer, as a system that
    // cannot make one does.
    void SetTimersRefused(bool refused) { timersRefused_.store(refused, std::memory_order_relaxed); }

private:
    struct Timer {
        TimerId id;
        uint32_t period;
        uint32_t due;
        TimerCallback callback;
        void* user;
    };
    struct CatchUpEntry {
        CatchUp call;
        void* user;
        bool operator==(const CatchUpEntry&) const = default;
    };
    void RunThread();
    // Calls every catch-up held; false when there is none.
    bool RunCatchUps();
    void MoveTime(uint32_t ms);  // Advance's work for one step

    std::atomic<uint32_t> now_{0};
    std::mutex fireMutex_;  // held while time moves and callbacks run
    std::vector<Timer> timers_;
    TimerId nextId_ = 1;

    std::mutex catchUpMutex_;  // guards the two lists, never held during a call
    std::condition_variable catchUpReturned_;
    std::vector<CatchUpEntry> catchUps_;
    std::vector<CatchUpEntry> catchUpsRunning_;  // one row per call in progress
    std::atomic<bool> timersRefused_{false};
    std::atomic<uint32_t> speed_{0};
    std::mutex threadMutex_;
    std::condition_variable wake_;
    std::thread thread_;
};

// The headless backend's clock, for tests and tools to drive.
VirtualClock& HeadlessClock();

}  // namespace plat
