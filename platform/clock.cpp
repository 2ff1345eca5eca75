#include "platform/clock.h"

#include <chrono>
#include <thread>

#include "platform/backend.h"

namespace plat {

namespace {
ClockDriver* g_clock = nullptr;
}

void SetClockDriver(ClockDriver* driver) { g_clock = driver; }

ClockDriver& Clock() {
    // Code that runs before start-up chose a backend (a test, a tool) gets the
    // environment's choice.
    if (g_clock == nullptr) CurrentBackend();
    return *g_clock;
}

void WaitToCatchUp(const std::function<bool()>& caughtUp, std::atomic<bool>& givenUp) {
    for (int wait = 0; wait < 10000; ++wait) {
        if (caughtUp()) {
            givenUp.store(false, std::memory_order_relaxed);
            return;
        }
        if (givenUp.load(std::memory_order_relaxed)) return;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    givenUp.store(true, std::memory_order_relaxed);
}

}  // namespace plat
