#pragma once
// The web backend's clocks. WebClock is the desktop's real-time clock (timer
// threads are Web Workers here) whose sleep on the page's main thread hands
// the thread back to the browser until the time has passed (ASYNCIFY), so the
// game's blocking loops stay as they are and an idle page costs nothing.
// PacedVirtualClock runs the headless backend's virtual clock for scripted
// runs (--replay, --autoplay), so that a run in the browser is the same run as
// a headless one; its sleeps wait the same real time, and the display moves
// it one frame period per presented frame.
#include <cstdint>

#include "platform/clock.h"
#include "platform/sdl/real_clock.h"

namespace plat {

// Gives the browser the calling thread for ms milliseconds: on the main
// thread through ASYNCIFY, on a worker by sleeping.
void YieldToBrowser(uint32_t ms);

class WebClock : public RealClock {
public:
    void Sleep(uint32_t ms) override { YieldToBrowser(ms); }
};

class PacedVirtualClock : public ClockDriver {
public:
    uint32_t Now() override;
    void Sleep(uint32_t ms) override;
    TimerId StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) override;
    void StopPeriodic(TimerId id) override;
};

}  // namespace plat
