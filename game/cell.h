#pragma once
// One cell of an island map: what is drawn there and what is hidden there.
#include <cstdint>

// Display states of a sea cell. The value is also the frame of the tileset
// image that draws it; found treasure uses frames 6 to 10 (kind + 5).
namespace CellState {
inline constexpr int32_t kHidden = -1;        // untouched sea, not drawn
inline constexpr int32_t kCurrent = 0;        // the empty cell searched last
inline constexpr int32_t kSwept = 2;          // searched or passed over by a wave
inline constexpr int32_t kSweptUnderWave = 3; // swept cell under a wave front
inline constexpr int32_t kWave = 4;           // front ring of a sonar wave
inline constexpr int32_t kFoundBase = 5;      // found treasure: kFoundBase + kind
}  // namespace CellState

struct Cell {
    int32_t state = CellState::kHidden;
    int32_t kind = 0;     // treasure kind 1..5, 0 for none
    int32_t dirty = 0;    // non-zero: must be drawn again
    int32_t island = -1;  // -1 open sea, else the island image frame of this land cell
};
static_assert(sizeof(Cell) == 16);
