#pragma once
// The real-time clock: steady time since start-up, and periodic timers each on
// a thread of its own that sleeps until its next deadline (no busy wait).
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/clock.h"
#include "platform/joining_thread.h"

namespace plat {

class RealClock : public ClockDriver {
public:
    RealClock();
    ~RealClock() override;
    uint32_t Now() override;
    void Sleep(uint32_t ms) override;
    TimerId StartPeriodic(uint32_t periodMs, TimerCallback callback, void* user) override;
    void StopPeriodic(TimerId id) override;

private:
    // Letting a timer go stops its thread and waits for it; the thread is
    // the last member, so it has ended before the flag it reads goes.
    struct Timer {
        TimerId id;
        std::atomic<bool> stop{false};
        JoiningThread thread;
    };
    std::chrono::steady_clock::time_point start_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Timer>> timers_;
    TimerId nextId_ = 1;
};

}  // namespace plat
