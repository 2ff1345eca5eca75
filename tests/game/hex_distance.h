#pragma once
// Distance between two cells counted in steps, worked out independently of
// the board through cube coordinates of the odd-rows-right layout.
#include <algorithm>
#include <cstdlib>

inline int HexDistance(int colA, int rowA, int colB, int rowB) {
    auto cubeX = [](int col, int row) { return col - (row - (row & 1)) / 2; };
    int dx = cubeX(colA, rowA) - cubeX(colB, rowB);
    int dz = rowA - rowB;
    int dy = -dx - dz;
    return std::max({std::abs(dx), std::abs(dy), std::abs(dz)});
}
