#include "platform/sdl/real_clock.h"

#include <exception>
#include <thread>

namespace plat {

RealClock::RealClock() : start_(std::chrono::steady_clock::now()) {}

RealClock::~RealClock() {
    std::vector<TimerId> ids;
    {
        std::lock_guard lock(mutex_);
        for (auto& t : timers_) ids.push_back(t->id);
    }
    for (TimerId id : ids) StopPeriodic(id);
}

uint32_t RealClock::Now() {
    auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void RealClock::Sleep(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

TimerId RealClock::StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) {
    if (periodMs == 0 || callback == nullptr) return 0;
    std::lock_guard lock(mutex_);
    // A system out of threads or memory gives no timer, as a refused
    // multimedia timer does, rather than an exception through the caller.
    try {
        auto timer = std::make_unique<Timer>();
        timer->id = nextId_;
        Timer* raw = timer.get();
        timers_.reserve(timers_.size() + 1);
        auto tick = [raw, periodMs, callback, user] {
            // Deadlines advance by whole periods, so the ticks do not drift
            // even when one callback runs late.
            auto period = std::chrono::milliseconds(periodMs);
            auto deadline = std::chrono::steady_clock::now() + period;
            while (!raw->stop.load(std::memory_order_acquire)) {
                std::this_thread::sleep_until(deadline);
                if (raw->stop.load(std::memory_order_acquire)) break;
                callback(user);
                deadline += period;
            }
        };
        auto stop = [raw] { raw->stop.store(true, std::memory_order_release); };
        timer->thread = JoiningThread(tick, stop, ThreadPriority::Normal);
        if (!timer->thread) return 0;
        timers_.push_back(std::move(timer));  // cannot throw: room was reserved
        return nextId_++;
    } catch (const std::exception&) {
        return 0;
    }
}

void RealClock::StopPeriodic(TimerId id) {
    std::unique_ptr<Timer> timer;
    {
        std::lock_guard lock(mutex_);
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if ((*it)->id == id) {
                timer = std::move(*it);
                timers_.erase(it);
                break;
            }
        }
    }
    // Going here, outside the lock, stops the timer's thread and waits for it.
}

}  // namespace plat
