#include "runtime/frame_timer.h"

#include <chrono>
#include <thread>
#include <utility>

#include "headless_shell.h"

namespace {

class FrameTimerTest : public HeadlessShell {
protected:
    void TearDown() override {
        FrameTimer::Stop();
        HeadlessShell::TearDown();
    }
};

TEST_F(FrameTimerTest, ClockAdvancesTenAtATimeAndKeepsItsValueOverAStop) {
    ASSERT_TRUE(FrameTimer::Start());
    const uint32_t start = FrameTimer::Now();
    plat::HeadlessClock().Advance(1000);
    EXPECT_EQ(FrameTimer::Elapsed(start), 1000);
    plat::HeadlessClock().Advance(5);
    EXPECT_EQ(FrameTimer::Elapsed(start), 1000);
    FrameTimer::Stop();
    FrameTimer::Stop();  // harmless
    plat::HeadlessClock().Advance(100);
    EXPECT_EQ(FrameTimer::Elapsed(start), 1000);
}

TEST_F(FrameTimerTest, CountdownFallsOncePerSecondStopsAtZeroAndFreezesWhenStopped) {
    FrameTimer::SetSecondsLeft(3);
    ASSERT_TRUE(FrameTimer::Start());
    // Each row: ms to advance, then the seconds left.
    for (auto [ms, left] : {std::pair{990, 3}, {10, 2}, {5000, 0}}) {
        plat::HeadlessClock().Advance(ms);
        EXPECT_EQ(FrameTimer::GetSecondsLeft(), left) << ms;
    }
    // Stopped, it freezes but can still be set.
    FrameTimer::SetSecondsLeft(10);
    FrameTimer::StopCountdown();
    plat::HeadlessClock().Advance(3000);
    EXPECT_EQ(FrameTimer::GetSecondsLeft(), 10);
    FrameTimer::SetSecondsLeft(4);
    plat::HeadlessClock().Advance(3000);
    EXPECT_EQ(FrameTimer::GetSecondsLeft(), 4);
}

TEST_F(FrameTimerTest, RealTimerTicksOnItsOwnThread) {
    plat::UseBackend(plat::Backend::Real);  // the real clock; no display is needed
    FrameTimer::SetSecondsLeft(1);
    ASSERT_TRUE(FrameTimer::Start());
    const uint32_t start = FrameTimer::Now();
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (FrameTimer::Elapsed(start) < 50 && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    FrameTimer::Stop();
    const int32_t elapsed = FrameTimer::Elapsed(start);
    EXPECT_TRUE(elapsed >= 50 && elapsed % 10 == 0) << elapsed;
}

}  // namespace
