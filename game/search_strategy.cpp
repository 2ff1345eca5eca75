#include "game/search_strategy.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace {

// In opposite pairs: d and d ^ 1 point away from each other.
constexpr HexDirection kDirections[] = {
    HexDirection::Right,     HexDirection::Left,    HexDirection::UpLeft,
    HexDirection::DownRight, HexDirection::UpRight, HexDirection::DownLeft,
};

int Opposite(int d) { return d ^ 1; }

// A cell that may still hide treasure, as far as the screen tells: open sea
// in play that no wave has swept and no search has emptied or found.
bool MayHideTreasure(const Board& board, int cell) {
    if (cell < 0 || Board::IsExcluded(cell) || board.IsIsland(cell)) return false;
    const int32_t state = board.cells[cell].state;
    return state == CellState::kHidden || state == CellState::kWave;
}

// The cell one step from cell, or -1 off the board.
int Neighbour(int cell, HexDirection direction) {
    int col = Board::Column(cell), row = Board::Row(cell);
    Board::Step(col, row, direction);
    return Board::OnBoard(col, row) ? Board::Index(col, row) : -1;
}

// The found kind a cell shows, 0 for none and off the board (-1).
int FoundKind(const Board& board, int cell) {
    if (cell < 0) return 0;
    const int32_t state = board.cells[cell].state;
    return state > CellState::kFoundBase ? state - CellState::kFoundBase : 0;
}

// Follows found cells of the kind from start in the direction; the first
// cell past them, or -1.
int PastTheLine(const Board& board, int start, HexDirection direction, int kind) {
    int cell = start;
    for (int steps = 0; steps < Board::kCellsPerKind; ++steps) {
        cell = Neighbour(cell, direction);
        if (cell < 0) return -1;
        if (FoundKind(board, cell) != kind) return MayHideTreasure(board, cell) ? cell : -1;
    }
    return -1;
}

int ExtendLine(const Board& board, int kind, const std::vector<int>& foundCells) {
    // Two finds side by side fix the line: try past both of its ends.
    for (int cell : foundCells) {
        for (int d = 0; d < 6; ++d) {
            if (FoundKind(board, Neighbour(cell, kDirections[d])) != kind) continue;
            for (HexDirection way : {kDirections[d], kDirections[Opposite(d)]}) {
                const int next = PastTheLine(board, cell, way, kind);
                if (next != -1) return next;
            }
        }
    }
    // Otherwise any direction may carry the line; a neighbour on a front
    // ring is more likely to.
    int fallback = -1;
    for (int cell : foundCells) {
        for (HexDirection d : kDirections) {
            const int next = Neighbour(cell, d);
            if (!MayHideTreasure(board, next)) continue;
            if (board.cells[next].state == CellState::kWave) return next;
            if (fallback == -1) fallback = next;
        }
    }
    return fallback;
}

int HexDistanceSquaredToMiddle(int cell) {
    const int dx = 2 * Board::Column(cell) + Board::Row(cell) % 2 - Board::kColumns;
    const int dy = 2 * (Board::Row(cell) - Board::kRows / 2);
    return dx * dx + dy * dy;
}

}  // namespace

int ChooseSearch(const Board& board) {
    std::array<std::vector<int>, Board::kKinds> foundCells;
    for (int cell = 0; cell < Board::kCellCount; ++cell) {
        if (const int kind = FoundKind(board, cell)) foundCells[kind - 1].push_back(cell);
    }
    for (int kind = 1; kind <= Board::kKinds; ++kind) {
        const std::vector<int>& cells = foundCells[kind - 1];
        if (cells.empty() || cells.size() >= Board::kCellsPerKind) continue;
        const int next = ExtendLine(board, kind, cells);
        if (next != -1) return next;
    }
    // The last search's wave stopped on a ring holding treasure: the front
    // cells nearest the searched cell are that ring.
    int best = -1, bestDistance = 0;
    if (board.lastCell >= 0) {
        const int lastCol = Board::Column(board.lastCell), lastRow = Board::Row(board.lastCell);
        for (int cell = 0; cell < Board::kCellCount; ++cell) {
            if (!MayHideTreasure(board, cell) || board.cells[cell].state != CellState::kWave) continue;
            const int distance = std::abs(Board::Column(cell) - lastCol) + std::abs(Board::Row(cell) - lastRow);
            if (best == -1 || distance < bestDistance) {
                best = cell;
                bestDistance = distance;
            }
        }
    }
    if (best != -1) return best;
    for (int cell = 0; cell < Board::kCellCount; ++cell) {
        if (!MayHideTreasure(board, cell)) continue;
        if (best == -1 || HexDistanceSquaredToMiddle(cell) < HexDistanceSquaredToMiddle(best)) best = cell;
    }
    return best;
}
