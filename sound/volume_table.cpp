// The library's volume curve in hundredths of a decibel: entry i is
// 1000 x log2(i / 16384), truncated toward zero, never below -10000, so each
// doubling of i adds 10 dB and the top entries are 0.
#include <cmath>

#include "sound/qv_sound.h"

namespace {
std::array<int16_t, 16384> BuildVolumeTable() {
    std::array<int16_t, 16384> table{};
    table[0] = -10000;
    for (int i = 1; i < 16384; ++i) {
        // log2(i) - 14 is exact for powers of two, where the curve meets whole steps.
        const double value = std::trunc(1000.0 * (std::log2(static_cast<double>(i)) - 14.0));
        table[i] = static_cast<int16_t>(value < -10000.0 ? -10000.0 : value);
    }
    return table;
}
}  // namespace

const std::array<int16_t, 16384> QVSound::g_VolumeTable = BuildVolumeTable();
