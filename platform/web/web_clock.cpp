#include "platform/web/web_clock.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>
#include <cmath>

#include "platform/headless/virtual_clock.h"
#include "platform/web/web_tasks.h"

namespace plat {

WebClock::WebClock() : start_(emscripten_get_now()) {}

WebClock::~WebClock() {
    for (auto& timer : timers_) emscripten_clear_timeout(timer->browserTimer);
}

uint32_t WebClock::Now() { return static_cast<uint32_t>(emscripten_get_now() - start_); }

void WebClock::Sleep(uint32_t ms) { YieldToBrowser(ms); }

void WebClock::Schedule(Timer& timer) {
    const double wait = std::max(0.0, timer.deadline - emscripten_get_now());
    timer.browserTimer = emscripten_set_timeout(Fire, std::ceil(wait), &timer);
}

void WebClock::Fire(void* raw) {
    Timer& timer = *static_cast<Timer*>(raw);
    // Deadlines advance by whole periods, so the ticks do not drift even when
    // the browser calls late (a busy page, a hidden tab).
    const double now = emscripten_get_now();
    while (timer.deadline <= now) {
        timer.callback(timer.user);
        timer.deadline += timer.period;
    }
    Schedule(timer);
}

TimerId WebClock::StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) {
    if (periodMs == 0 || callback == nullptr) return 0;
    auto timer = std::make_unique<Timer>();
    timer->id = nextId_++;
    timer->period = periodMs;
    timer->deadline = emscripten_get_now() + periodMs;
    timer->callback = callback;
    timer->user = user;
    Schedule(*timer);
    timers_.push_back(std::move(timer));
    return timers_.back()->id;
}

void WebClock::StopPeriodic(TimerId id) {
    // Callbacks run on the page's thread, between its waits: none is running now.
    auto it = std::find_if(timers_.begin(), timers_.end(), [id](const auto& t) { return t->id == id; });
    if (it == timers_.end()) return;
    emscripten_clear_timeout((*it)->browserTimer);
    timers_.erase(it);
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
