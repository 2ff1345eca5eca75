#pragma once
// The web backend's clocks. WebClock is real time on the page's one thread:
// its sleep hands the thread to the browser until the time has passed
// (ASYNCIFY, web_tasks.h), so the game's blocking loops stay as they are.
// Its periodic timers call back on the page's program each time it has the
// thread back, once per period that has passed since (late ones back to
// back), so their ticks keep to real time as the desktop's timer threads do,
// while the browser wakes the page only for the program's own waits: nothing
// but the program reads what the timers count, and it reads it only when it
// runs.
// PacedVirtualClock runs the headless backend's virtual clock for scripted
// runs (--replay, --autoplay), so that a run in the browser is the same run as
// a headless one; its sleeps wait the same real time, and the display moves
// it one frame period per presented frame.
#include <cstdint>
#include <vector>

#include "platform/clock.h"

namespace plat {

class WebClock : public ClockDriver {
public:
    WebClock();
    ~WebClock() override;
    uint32_t Now() override;
    void Sleep(uint32_t ms) override;
    TimerId StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) override;
    void StopPeriodic(TimerId id) override;

    // Calls back every timer whose deadlines have passed.
    void FireDueTimers();

private:
    struct Timer {
        TimerId id = 0;
        double period = 0;
        double deadline = 0;
        TimerCallback callback = nullptr;
        void* user = nullptr;
    };
    double start_;
    std::vector<Timer> timers_;
    TimerId nextId_ = 1;
    bool firing_ = false;
};

class PacedVirtualClock : public ClockDriver {
public:
    uint32_t Now() override;
    void Sleep(uint32_t ms) override;
    TimerId StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) override;
    void StopPeriodic(TimerId id) override;
};

}  // namespace plat
