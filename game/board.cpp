#include "game/board.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "platform/paths.h"

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
    std::array<int, Board::kExcludedCount> cells{};
    size_t n = 0;
    for (const ColumnSpan& span : kExcludedSpans) {
        for (int col = span.first; col <= span.last; ++col) cells[n++] = Board::Index(col, span.row);
    }
    return cells;
}();

constexpr bool ExcludedTableIsComplete() {
    int total = 0;
    for (const ColumnSpan& span : kExcludedSpans) total += span.last - span.first + 1;
    return total == Board::kExcludedCount;
}
static_assert(ExcludedTableIsComplete());
static_assert(std::is_sorted(kExcludedCells.begin(), kExcludedCells.end()));

constexpr long kIslandFileBytes = static_cast<long>(Board::kMapCount) * Board::kCellCount;

// An island byte read as a signed value: 0..127 is land drawn with that
// frame; -1 is open sea. Other negative bytes have no picture to draw, so
// they are open sea as well rather than invisible land that refuses clicks.
int32_t IslandFromByte(unsigned char byte) {
    return byte < 0x80 ? static_cast<int32_t>(byte) : -1;
}

}  // namespace

Board::Board() : maps(kMapCount) { SelectMap(); }

int Board::CellAt(int x, int y) {
    for (int cell = 0; cell < kCellCount; ++cell) {
        int left = CellX(cell) + 2;
        int top = CellY(cell) + 2;
        if (x >= left && x <= left + 14 && y >= top && y <= top + 14) return cell;
    }
    return -1;
}

bool Board::IsExcluded(int cell) {
    return std::binary_search(kExcludedCells.begin(), kExcludedCells.end(), cell);
}

void Board::Step(int& col, int& row, HexDirection direction) {
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

void Board::SetCellState(int cell, int32_t mode) {
    using namespace CellState;
    const int32_t state = cells[cell].state;
    const bool untouchedOrFront = state == kHidden || state == kCurrent || state == kWave;
    int32_t next = state;
    bool write = false;
    if (mode == kWave) {
        // A wave front lights up sea it passes; swept sea shows it is under
        // the front. Found treasure never changes.
        write = untouchedOrFront || state == kSwept;
        next = state == kSwept ? kSweptUnderWave : kWave;
    } else if (mode == kSwept) {
        write = untouchedOrFront || state == kSweptUnderWave;
        next = kSwept;
    } else if (mode == kHidden) {
        write = state <= kFoundBase && state != kSwept && state != kSweptUnderWave;
        next = kHidden;
    }
    if (write) {
        cells[cell].state = next;
        cells[cell].dirty = 1;
    }
}

int Board::MarkRing(int centre, int radius, int32_t mode) {
    int visited = 0;
    WalkRing(centre, radius, [&](int cell) {
        const Cell& c = cells[cell];
        if (probe && c.kind != 0 && c.state <= CellState::kFoundBase) waveStop = 1;
        SetCellState(cell, mode);
        ++visited;
    });
    return visited;
}

void Board::LoadIslands() {
    // Cells beyond the end of a short file stay open sea, as do all of them
    // when there is no memory to read the file into.
    std::vector<unsigned char> bytes;
    try {
        bytes.assign(kIslandFileBytes, 0xFF);
    } catch (const std::bad_alloc&) {
        for (Map& map : maps) {
            for (Cell& cell : map) {
                cell.island = -1;
                cell.dirty = 1;
            }
        }
        return;
    }
    if (std::FILE* file = plat::OpenFile("islands.dat", "rb")) {
        std::fread(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    for (int m = 0; m < kMapCount; ++m) {
        for (int i = 0; i < kCellCount; ++i) {
            Cell& cell = maps[m][i];
            cell.island = IslandFromByte(bytes[static_cast<size_t>(m) * kCellCount + i]);
            cell.dirty = 1;
        }
    }
}

void Board::ClearCells() {
    for (int i = 0; i < kCellCount; ++i) {
        Cell& cell = cells[i];
        cell.state = CellState::kHidden;
        cell.kind = 0;
        cell.dirty = cell.island != -1 ? 1 : 0;
    }
    roundCleared = 0;
    lastCell = -1;
}

void Board::StartGame(int turns) {
    turnsLeft = turns;
    round = 0;
    findStep = 25;
    findBase = 100;
    findValue = findBase;
    score = 0;
    chain.fill(0);
}
