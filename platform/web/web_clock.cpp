#include "platform/web/web_clock.h"

#include <emscripten.h>
#include <emscripten/threading.h>

#include <chrono>
#include <thread>

#include "platform/headless/virtual_clock.h"

namespace plat {

void YieldToBrowser(uint32_t ms) {
    if (emscripten_is_main_runtime_thread()) {
        emscripten_sleep(ms);
    } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

uint32_t PacedVirtualClock::Now() { return HeadlessClock().Now(); }

void PacedVirtualClock::Sleep(uint32_t ms) {
    HeadlessClock().Advance(ms);
    YieldToBrowser(ms);
}

TimerId PacedVirtualClock::StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) {
    return HeadlessClock().StartPeriodic(periodMs, callback, user);
}

void PacedVirtualClock::StopPeriodic(TimerId id) { HeadlessClock().StopPeriodic(id); }

}  // namespace plat
