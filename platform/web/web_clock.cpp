#include "platform/web/web_clock.h"

#include <emscripten.h>

#include "platform/headless/virtual_clock.h"
#include "platform/web/web_tasks.h"

namespace plat {

namespace {
// The one real-time clock with timers the page's program wakes up to.
WebClock* g_timed = nullptr;
void FireTimed() {
    if (g_timed != nullptr) g_timed->FireDueTimers();
}
}  // namespace

WebClock::WebClock() : start_(emscripten_get_now()) {}

WebClock::~WebClock() {
    if (g_timed == this) {
        SetWakeHook(nullptr);
        g_timed = nullptr;
    }
}

uint32_t WebClock::Now() { return static_cast<uint32_t>(emscripten_get_now() - start_); }

void WebClock::Sleep(uint32_t ms) { YieldToBrowser(ms); }

void WebClock::FireDueTimers() {
    if (firing_) return;  // a callback that sleeps
    firing_ = true;
    const double now = emscripten_get_now();
    // By index and id: a callback may start or stop timers.
    for (size_t i = 0; i < timers_.size(); ++i) {
        const TimerId id = timers_[i].id;
        // Deadlines advance by whole periods, so the ticks do not drift.
        while (i < timers_.size() && timers_[i].id == id && timers_[i].deadline <= now) {
            timers_[i].deadline += timers_[i].period;
            timers_[i].callback(timers_[i].user);
        }
    }
    firing_ = false;
}

TimerId WebClock::StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) {
    if (periodMs == 0 || callback == nullptr) return 0;
    timers_.push_back({nextId_, static_cast<double>(periodMs), emscripten_get_now() + periodMs, callback, user});
    g_timed = this;
    SetWakeHook(FireTimed);
    return nextId_++;
}

void WebClock::StopPeriodic(TimerId id) {
    // Callbacks run on the page's program, between its waits: none is running
    // beside this.
    std::erase_if(timers_, [id](const Timer& t) { return t.id == id; });
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
