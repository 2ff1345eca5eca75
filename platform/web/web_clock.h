#pragma once
// The web backend's clocks. WebClock is real time on the page's one thread:
// its sleep hands the thread to the browser until the time has passed
// (ASYNCIFY, web_tasks.h), so the game's blocking loops stay as they are and
// an idle page costs nothing, and its periodic timers are the browser's, each
// calling back once per period that has passed, late ones back to back, so
// their ticks keep to real time as the desktop's timer threads do.
// PacedVirtualClock runs the headless backend's virtual clock for scripted
// runs (--replay, --autoplay), so that a run in the browser is the same run as
// a headless one; its sleeps wait the same real time, and the display moves
// it one frame period per presented frame.
#include <cstdint>
#include <memory>
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

private:
    struct Timer {
        TimerId id = 0;
        double period = 0;
        double deadline = 0;
        TimerCallback callback = nullptr;
        void* user = nullptr;
        long browserTimer = 0;
    };
    static void Fire(void* timer);
    static void Schedule(Timer& timer);
    double start_;
    std::vector<std::unique_ptr<Timer>> timers_;
    TimerId nextId_ = 1;
};

class PacedVirtualClock : public ClockDriver {
public:
    uint32_t Now() override;
    void Sleep(uint32_t ms) override;
    TimerId StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) override;
    void StopPeriodic(TimerId id) override;
};

}  // namespace plat
