#include "platform/headless/virtual_clock.h"

#include <algorithm>
#include <chrono>

namespace plat {

VirtualClock& HeadlessClock() {
    static VirtualClock clock;
    return clock;
}

VirtualClock::~VirtualClock() { SetRunning(0); }

uint32_t VirtualClock::Now() { return now_.load(std::memory_order_acquire); }

void VirtualClock::Sleep(uint32_t ms) {
    if (!IsRunning()) {
        Advance(ms);
        return;
    }
    // The clock thread moves time; wait in real time until it has passed.
    uint32_t start = Now();
    while (IsRunning() && Now() - start < ms) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

TimerId VirtualClock::StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) {
    if (periodMs == 0 || callback == nullptr || timersRefused_.load(std::memory_order_relaxed)) return 0;
    std::lock_guard lock(fireMutex_);
    TimerId id = nextId_++;
    timers_.push_back({id, periodMs, Now() + periodMs, callback, user});
    return id;
}

void VirtualClock::StopPeriodic(TimerId id) {
    std::lock_guard lock(fireMutex_);
    timers_.erase(std::remove_if(timers_.begin(), timers_.end(),
                                 [id](const Timer& t) { return t.id == id; }),
                  timers_.end());
}

bool VirtualClock::AddCatchUp(CatchUp call, void* user) {
    std::lock_guard lock(catchUpMutex_);
    const CatchUpEntry entry{call, user};
    if (std::find(catchUps_.begin(), catchUps_.end(), entry) == catchUps_.end()) catchUps_.push_back(entry);
    return true;
}

void VirtualClock::RemoveCatchUp(CatchUp call, void* user) {
    const CatchUpEntry entry{call, user};
    std::unique_lock lock(catchUpMutex_);
    std::erase(catchUps_, entry);
    catchUpReturned_.wait(lock, [&] {
        return std::find(catchUpsRunning_.begin(), catchUpsRunning_.end(), entry) == catchUpsRunning_.end();
    });
}

void VirtualClock::Advance(uint32_t ms) {
    // With a catch-up held, time moves a tenth of a second at a time, each
    // step after the catch-ups, which run outside every lock of the clock:
    // one may wait for a thread that is itself starting or stopping a timer.
    constexpr uint32_t kCatchUpStepMs = 100;
    do {
        const uint32_t step = RunCatchUps() ? std::min(ms, kCatchUpStepMs) : ms;
        MoveTime(step);
        ms -= step;
    } while (ms > 0);
}

bool VirtualClock::RunCatchUps() {
    std::vector<CatchUpEntry> held;
    {
        std::lock_guard lock(catchUpMutex_);
        held = catchUps_;
    }
    for (const CatchUpEntry& entry : held) {
        {
            std::lock_guard lock(catchUpMutex_);
            // One removed meanwhile may belong to something that is gone.
            if (std::find(catchUps_.begin(), catchUps_.end(), entry) == catchUps_.end()) continue;
            catchUpsRunning_.push_back(entry);
        }
        entry.call(entry.user);
        std::lock_guard lock(catchUpMutex_);
        catchUpsRunning_.erase(std::find(catchUpsRunning_.begin(), catchUpsRunning_.end(), entry));
        catchUpReturned_.notify_all();
    }
    return !held.empty();
}

void VirtualClock::MoveTime(uint32_t ms) {
    std::lock_guard lock(fireMutex_);
    const uint32_t target = Now() + ms;
    for (;;) {
        // The earliest timer due at or before the target, by wrap-safe distance.
        Timer* next = nullptr;
        for (Timer& t : timers_) {
            if (static_cast<int32_t>(target - t.due) < 0) continue;
            if (next == nullptr || static_cast<int32_t>(t.due - next->due) < 0) next = &t;
        }
        if (next == nullptr) break;
        now_.store(next->due, std::memory_order_release);
        next->due += next->period;
        next->callback(next->user);
    }
    now_.store(target, std::memory_order_release);
}

void VirtualClock::SetRunning(uint32_t speed) {
    std::unique_lock lock(threadMutex_);
    speed_.store(speed, std::memory_order_relaxed);
    if (speed != 0 && !thread_.joinable()) {
        thread_ = std::thread([this] { RunThread(); });
    } else if (speed == 0 && thread_.joinable()) {
        wake_.notify_all();
        lock.unlock();
        thread_.join();
        lock.lock();
        thread_ = std::thread();
    }
}

void VirtualClock::RunThread() {
    constexpr uint32_t kStepMs = 10;
    std::unique_lock lock(threadMutex_);
    for (;;) {
        uint32_t speed = speed_.load(std::memory_order_relaxed);
        if (speed == 0) return;
        auto pause = std::chrono::microseconds(kStepMs * 1000 / speed);
        if (wake_.wait_for(lock, pause, [this] { return speed_.load() == 0; })) return;
        lock.unlock();
        Advance(kStepMs);
        lock.lock();
    }
}

}  // namespace plat
