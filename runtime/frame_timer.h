#pragma once
// The frame clock: milliseconds in steps of 10, advanced every 10 ms on the
// timer's own thread, the time base of every timed thing in the game; beside
// it the seconds countdown of the game's time limit. The timer also gives the
// mouse its chance to poll.
#include <atomic>
#include <cstdint>

#include "platform/clock.h"

class FrameTimer {
public:
    // Starts the periodic timer; without one the clock stays where it is.
    static bool Start();
    // Stops it; harmless when it is not running.
    static void Stop();
    static uint32_t Now();
    // clock - since, with 32-bit wrap-around.
    static int32_t Elapsed(uint32_t since);
    static void SetSecondsLeft(int32_t seconds);
    static int32_t GetSecondsLeft();
    // Freezes the countdown for good; SetSecondsLeft still changes it.
    static void StopCountdown();

    // One tick of the timer (what the timer thread runs every 10 ms).
    static void Tick();

    static constexpr uint32_t kPeriodMs = 10;
    static constexpr uint32_t kStep = 10;
    static constexpr int32_t kSecondThreshold = 999;

private:
    // Written by the timer thread, read by the game's: atomics keep that
    // defined; relaxed order is enough for single values.
    static std::atomic<uint32_t> clock;
    static plat::TimerId timerId;
    static std::atomic<uint32_t> lastTick;
    static std::atomic<int32_t> secondAccumulator;
    static std::atomic<int32_t> secondsLeft;
    static std::atomic<int32_t> countdownRunning;
};
