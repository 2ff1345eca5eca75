#include "platform/headless/virtual_clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
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
    Recorder tens{&clock, {}}, twentyFives{&clock, {}};
    plat::TimerId a = clock.StartPeriodic(10, Record, &tens);
    clock.StartPeriodic(25, Record, &twentyFives);
    clock.Advance(55);
    EXPECT_EQ(clock.Now(), 55u);
    EXPECT_EQ(tens.times, (std::vector<uint32_t>{10, 20, 30, 40, 50}));
    EXPECT_EQ(twentyFives.times, (std::vector<uint32_t>{25, 50}));
    clock.StopPeriodic(a);
    clock.Sleep(10);  // sleeping moves virtual time
    EXPECT_EQ(std::make_pair(clock.Now(), tens.times.size()), std::make_pair(65u, size_t{5}));
    // Running, it moves by itself.
    clock.SetRunning(100);
    clock.Sleep(500);  // 5 ms of real time at 100x
    EXPECT_GE(clock.Now(), 565u);
    clock.SetRunning(0);
    uint32_t stopped = clock.Now();
    clock.Advance(0);
    EXPECT_EQ(clock.Now(), stopped);
}

TEST(VirtualClock, EveryCatchUpHeldRunsBeforeEachTenthOfASecondUntilRemoved) {
    plat::VirtualClock clock;
    Recorder first{&clock, {}}, second{&clock, {}};
    EXPECT_TRUE(clock.AddCatchUp(Record, &first));
    clock.AddCatchUp(Record, &first);  // held already: still one call a step
    clock.AddCatchUp(Record, &second);
    clock.Advance(250);
    EXPECT_EQ(first.times, (std::vector<uint32_t>{0, 100, 200}));
    EXPECT_EQ(second.times, first.times);
    clock.RemoveCatchUp(Record, &first);
    clock.Advance(100);
    EXPECT_EQ(std::make_pair(first.times.size(), second.times.back()), std::make_pair(size_t{3}, 250u));
    clock.RemoveCatchUp(Record, &second);

    // A removal waits for a call that is running, so its user may go.
    static std::atomic<int> stage{0};  // 1: the call runs, 2: it has returned
    auto slow = [](void*) {
        stage = 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        stage = 2;
    };
    clock.AddCatchUp(slow, nullptr);
    std::thread advancing([&clock] { clock.Advance(10); });
    while (stage == 0) std::this_thread::yield();
    clock.RemoveCatchUp(slow, nullptr);
    EXPECT_EQ(stage, 2);
    advancing.join();
}

}  // namespace
