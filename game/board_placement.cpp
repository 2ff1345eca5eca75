// Hiding the round's treasure: one straight line of five open-sea cells per
// kind, drawn at random.
#include <cstddef>
#include <vector>

#include "game/board.h"
#include "game/random.h"

namespace {

// Random lines are drawn up to this many times per kind. An ordinary map
// accepts a line within a few draws, so seeded games never get near it; it
// only stops a crowded map from drawing for ever.
constexpr int kRandomLineAttempts = 10000;

constexpr int kDirectionCount = 6;

struct Line {
    int start;
    HexDirection direction;
};

}  // namespace

void Board::PlaceTreasures() {
    // A round starts with no wave in progress: the flags the last wave of the
    // previous round left set are cleared.
    waveStop = 0;
    probe = 0;
    treasureLeft = 0;
    for (int kind = 1; kind <= kKinds; ++kind) {
        found[kind - 1] = 0;
        bool placed = false;
        for (int attempt = 0; attempt < kRandomLineAttempts && !placed; ++attempt) {
            int start = Random15() % kCellCount;
            auto direction = static_cast<HexDirection>(Random15() % kDirectionCount);
            placed = LineFits(start, direction);
            if (placed) PlaceLine(start, direction, kind);
        }
        if (!placed && !PlaceAnyFittingLine(kind)) ScatterKind(kind);
    }
    // A map with no open sea at all hides nothing; the round is over at once.
    if (treasureLeft == 0) roundCleared = 1;
}

bool Board::LineFits(int start, HexDirection direction) const {
    int col = Column(start);
    int row = Row(start);
    for (int i = 0; i < kCellsPerKind; ++i) {
        if (!OnBoard(col, row)) return false;
        int cell = Index(col, row);
        if (cells[cell].kind != 0 || IsExcluded(cell) || IsIsland(cell)) return false;
        Step(col, row, direction);
    }
    return true;
}

void Board::PlaceLine(int start, HexDirection direction, int kind) {
    int col = Column(start);
    int row = Row(start);
    for (int i = 0; i < kCellsPerKind; ++i) {
        int cell = Index(col, row);
        SetCellState(cell, CellState::kHidden);
        cells[cell].kind = kind;
        Step(col, row, direction);
    }
    treasureLeft += kCellsPerKind;
}

// The random draws found no line: pick one among all lines that still fit.
bool Board::PlaceAnyFittingLine(int kind) {
    std::vector<Line> fitting;
    for (int start = 0; start < kCellCount; ++start) {
        for (int d = 0; d < kDirectionCount; ++d) {
            auto direction = static_cast<HexDirection>(d);
            if (LineFits(start, direction)) fitting.push_back({start, direction});
        }
    }
    if (fitting.empty()) return false;
    const Line& line = fitting[static_cast<std::size_t>(Random15()) % fitting.size()];
    PlaceLine(line.start, line.direction, kind);
    return true;
}

// No line of five fits anywhere: hide the kind's cells on single free sea
// cells instead, as many as there are, so that the round can still be won.
void Board::ScatterKind(int kind) {
    std::vector<int> free;
    for (int cell = 0; cell < kCellCount; ++cell) {
        if (cells[cell].kind == 0 && !IsExcluded(cell) && !IsIsland(cell)) free.push_back(cell);
    }
    for (int i = 0; i < kCellsPerKind && !free.empty(); ++i) {
        std::size_t pick = static_cast<std::size_t>(Random15()) % free.size();
        int cell = free[pick];
        free.erase(free.begin() + static_cast<long>(pick));
        SetCellState(cell, CellState::kHidden);
        cells[cell].kind = kind;
        ++treasureLeft;
    }
}
