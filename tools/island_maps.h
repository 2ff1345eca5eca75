#pragma once
// The 200 island maps of "islands.dat": one signed byte per cell, -1 for
// open sea, otherwise the frame of the island picture that draws the land.
#include <array>
#include <cstdint>
#include <vector>

#include "game/board_geometry.h"

using IslandMap = std::array<int8_t, BoardGeometry::kCellCount>;

// Frames 0 to 62 are coast pieces: bit d of the frame number is set when the
// neighbour in HexDirection d is land as well. A cell with land all round
// uses one of the inland frames that follow.
inline constexpr int kInlandFirstFrame = 63;
inline constexpr int kInlandFrameCount = 9;
inline constexpr int kIslandFrameCount = kInlandFirstFrame + kInlandFrameCount;

// Maps 0 to 8 are the nine rounds, their land growing a little from one to
// the next; the others vary at random within the same range.
std::vector<IslandMap> MakeIslandMaps();
// How many (start, direction) pairs give five on-board, non-excluded,
// open-sea cells in a row: the treasure placement's chance of success is
// this out of BoardGeometry::kCellCount x 6.
int CountOpenLines(const std::vector<bool>& land);
