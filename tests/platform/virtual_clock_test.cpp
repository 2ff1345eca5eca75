#include "platform/headless/virtual_clock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Recorder {
    plat::VirtualClock* clock;
    std::vector<uint32_t> times;
};

void Record(void* user) {
    auto* r = static_cast<Recorder*>(user);
    r->times.push_back(r->clock->Now());
}

TEST(VirtualClock, TimersFireInsideAdvanceAtTheirDueTimes) {
    plat::VirtualClock clock;
    Recorder tens{&clock, {}};
    Recorder twentyFives{&clock, {}};
    plat::TimerId a = clock.StartPeriodic(10, Record, &tens);
    clock.StartPeriodic(25, Record, &twentyFives);
    clock.Advance(55);
    EXPECT_EQ(clock.Now(), 55u);
    EXPECT_EQ(tens.times, (std::vector<uint32_t>{10, 20, 30, 40, 50}));
    EXPECT_EQ(twentyFives.times, (std::vector<uint32_t>{25, 50}));
    clock.StopPeriodic(a);
    clock.Sleep(10);  // sleeping moves virtual time
    EXPECT_EQ(clock.Now(), 65u);
    EXPECT_EQ(tens.times.size(), 5u);
    // Running, it moves by itself.
    clock.SetRunning(100);
    clock.Sleep(500);  // 5 ms of real time at 100x
    EXPECT_GE(clock.Now(), 565u);
    clock.SetRunning(0);
    uint32_t stopped = clock.Now();
    clock.Advance(0);
    EXPECT_EQ(clock.Now(), stopped);
}

}  // namespace
