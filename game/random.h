#pragma once
// The game's random generator: the classic 15-bit linear congruential
// generator, so that one seed places the same treasure on every machine.
#include <cstdint>

void SeedRandom(uint32_t seed);
// Next value in 0..32767.
int32_t Random15();
