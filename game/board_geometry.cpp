#include "game/board_geometry.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

struct ColumnSpan {
    int row;
    int first;
    int last;
};

// The cells cut off at the corners and edges of the sea picture, by row.
constexpr ColumnSpan kExcludedSpans[] = {
    {0, 0, 9},    {0, 25, 37},  {1, 0, 2},    {1, 33, 37},  {2, 0, 1},   {2, 34, 37},
    {3, 0, 0},    {3, 35, 37},  {4, 0, 0},    {6, 0, 0},    {8, 0, 0},   {9, 37, 37},
    {14, 0, 0},   {15, 0, 0},   {16, 0, 0},   {19, 37, 37}, {20, 0, 0},  {20, 37, 37},
    {21, 37, 37}, {27, 37, 37}, {29, 37, 37}, {30, 0, 0},   {30, 37, 37}, {31, 36, 37},
    {32, 0, 0},   {32, 36, 37}, {33, 0, 0},   {33, 35, 37}, {34, 0, 1},  {34, 35, 37},
    {35, 0, 2},   {35, 33, 37}, {36, 0, 5},   {36, 20, 26}, {36, 32, 37},
};

constexpr auto kExcludedCells = [] {
    std::array<int, BoardGeometry::kExcludedCount> cells{};
    size_t n = 0;
    for (const ColumnSpan& span : kExcludedSpans) {
        for (int col = span.first; col <= span.last; ++col) cells[n++] = BoardGeometry::Index(col, span.row);
    }
    return cells;
}();

constexpr bool ExcludedTableIsComplete() {
    int total = 0;
    for (const ColumnSpan& span : kExcludedSpans) total += span.last - span.first + 1;
    return total == BoardGeometry::kExcludedCount;
}
static_assert(ExcludedTableIsComplete());
static_assert(std::is_sorted(kExcludedCells.begin(), kExcludedCells.end()));

}  // namespace

int BoardGeometry::CellAt(int x, int y) {
    for (int cell = 0; cell < kCellCount; ++cell) {
        const int left = CellX(cell) + kHitInset;
        const int top = CellY(cell) + kHitInset;
        if (x >= left && x < left + kHitSize && y >= top && y < top + kHitSize) return cell;
    }
    return -1;
}

bool BoardGeometry::IsExcluded(int cell) {
    return std::binary_search(kExcludedCells.begin(), kExcludedCells.end(), cell);
}

void BoardGeometry::Step(int& col, int& row, HexDirection direction) {
    bool oddRow = row % 2 != 0;
    switch (direction) {
        case HexDirection::Right: ++col; break;
        case HexDirection::Left: --col; break;
        case HexDirection::UpLeft: if (!oddRow) --col; --row; break;
        case HexDirection::UpRight: if (oddRow) ++col; --row; break;
        case HexDirection::DownRight: if (oddRow) ++col; ++row; break;
        case HexDirection::DownLeft: if (!oddRow) --col; ++row; break;
    }
}
