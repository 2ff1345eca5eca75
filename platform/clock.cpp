#include "platform/clock.h"

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

}  // namespace plat
