#pragma once
// Deterministic randomness for the generators: the same seed gives the same
// pictures, sounds and maps on every build.
#include <cstdint>

class ToolRandom {
public:
    explicit ToolRandom(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint32_t Next();
    // Uniform in [0, 1).
    float Unit() { return (Next() >> 8) * (1.0f / 16777216.0f); }
    float Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

private:
    uint64_t state_;
};

// Smooth value noise in [0, 1] over the plane, one lattice point per unit.
float ValueNoise(float x, float y, uint32_t seed);
// Several octaves of ValueNoise, each twice as fine and half as strong.
float FractalNoise(float x, float y, uint32_t seed, int octaves);
// A fixed pseudo-random value in [0, 1) for a lattice point.
float HashUnit(int x, int y, uint32_t seed);
