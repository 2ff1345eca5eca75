#include "game/random.h"

#include <atomic>

namespace {
// Only the GUI thread draws numbers; the atomic keeps a seed set from another
// thread (a test harness) well defined.
std::atomic<uint32_t> g_randomState{1};
}

void SeedRandom(uint32_t seed) { g_randomState.store(seed, std::memory_order_relaxed); }

int32_t Random15() {
    uint32_t state = g_randomState.load(std::memory_order_relaxed) * 214013u + 2531011u;
    g_randomState.store(state, std::memory_order_relaxed);
    return static_cast<int32_t>((state >> 16) & 0x7FFF);
}
