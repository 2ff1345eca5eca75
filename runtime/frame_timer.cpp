#include "runtime/frame_timer.h"

#include "input/mouse.h"
#include "platform/debug_log.h"

std::atomic<uint32_t> FrameTimer::clock{0};
plat::TimerId FrameTimer::timerId = 0;
std::atomic<uint32_t> FrameTimer::lastTick{0};
std::atomic<int32_t> FrameTimer::secondAccumulator{0};
std::atomic<int32_t> FrameTimer::secondsLeft{0};
std::atomic<int32_t> FrameTimer::countdownRunning{1};

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;
void TimerCallback(void*) { FrameTimer::Tick(); }
}  // namespace

bool FrameTimer::Start() {
    if (timerId != 0) return true;
    timerId = plat::StartPeriodicTimer(kPeriodMs, TimerCallback, nullptr);
    if (timerId == 0) {
        DebugLog("Unable to use timers on this system\n");
        return false;
    }
    return true;
}

void FrameTimer::Stop() {
    if (timerId == 0) return;
    plat::StopPeriodicTimer(timerId);
    timerId = 0;
}

uint32_t FrameTimer::Now() { return clock.load(kRelaxed); }

int32_t FrameTimer::Elapsed(uint32_t since) { return static_cast<int32_t>(Now() - since); }

void FrameTimer::SetSecondsLeft(int32_t seconds) { secondsLeft.store(seconds, kRelaxed); }

int32_t FrameTimer::GetSecondsLeft() { return secondsLeft.load(kRelaxed); }

void FrameTimer::StopCountdown() { countdownRunning.store(0, kRelaxed); }

void FrameTimer::Tick() {
    const uint32_t now = clock.load(kRelaxed) + kStep;
    clock.store(now, kRelaxed);
    g_Mouse.Poll();
    const uint32_t delta = now - lastTick.load(kRelaxed);
    lastTick.store(now, kRelaxed);
    int32_t gathered = secondAccumulator.load(kRelaxed) + static_cast<int32_t>(delta);
    if (gathered >= kSecondThreshold) {
        gathered = 0;
        // The game thread may set the countdown at the same moment; a
        // compare-and-swap keeps either write from being lost.
        int32_t left = secondsLeft.load(kRelaxed);
        while (countdownRunning.load(kRelaxed) == 1 && left >= 1 &&
               !secondsLeft.compare_exchange_weak(left, left - 1, kRelaxed)) {
        }
    }
    secondAccumulator.store(gathered, kRelaxed);
}
