#pragma once
// Where the cells of the 38 x 37 hex grid lie, which of them are never in
// play and how to step between them: what the board and the asset tools
// share. None of it needs a map.
//
// Cells are numbered row by row: index = row * 38 + col. Odd rows sit half a
// cell to the right of even rows.

// The six steps between neighbouring cells; the numbering is the one the
// treasure placement draws from.
enum class HexDirection : int {
    Right = 0,
    Left = 1,
    UpLeft = 2,
    UpRight = 3,
    DownRight = 4,
    DownLeft = 5,
};

struct BoardGeometry {
    static constexpr int kColumns = 38;
    static constexpr int kRows = 37;
    static constexpr int kCellCount = kColumns * kRows;  // 1,406
    static constexpr int kMapCount = 200;
    static constexpr int kExcludedCount = 97;
    // A treasure lies on this many cells in a straight line.
    static constexpr int kCellsPerKind = 5;

    // Cells lie this many pixels apart along a row and between rows; odd rows
    // sit half a column further right.
    static constexpr int kColumnPitch = 14;
    static constexpr int kRowPitch = 12;
    // A cell's hit box: a square this many pixels across, inset from the
    // tile corner by kHitInset in both directions.
    static constexpr int kHitInset = 2;
    static constexpr int kHitSize = 15;

    static constexpr int Column(int cell) { return cell % kColumns; }
    static constexpr int Row(int cell) { return cell / kColumns; }
    static constexpr int Index(int col, int row) { return row * kColumns + col; }
    static constexpr bool OnBoard(int col, int row) { return col >= 0 && col < kColumns && row >= 0 && row < kRows; }
    // Top-left screen pixel of the cell's tile in the 800 x 600 picture.
    static constexpr int CellX(int cell) {
        return 50 + (Row(cell) % 2 ? kColumnPitch / 2 : 0) + Column(cell) * kColumnPitch;
    }
    static constexpr int CellY(int cell) { return 84 + Row(cell) * kRowPitch; }
    // Lowest index whose hit box (tile corner + 2 to + 16, bounds included)
    // holds the point, or -1. Neighbouring boxes overlap.
    static int CellAt(int x, int y);
    // The 97 corner and edge cells that are never part of play.
    static bool IsExcluded(int cell);
    // Moves (col, row) one step; the result may lie off the board.
    static void Step(int& col, int& row, HexDirection direction);
    // Calls visit(cell) for each on-board cell of the ring of this radius
    // around the centre, clockwise from the ring's top-left corner. The walk
    // goes on through off-board positions; radius 0 visits nothing.
    template <class Visit>
    static void WalkRing(int centre, int radius, Visit&& visit);
};

template <class Visit>
void BoardGeometry::WalkRing(int centre, int radius, Visit&& visit) {
    constexpr HexDirection kSides[] = {
        HexDirection::Right, HexDirection::DownRight, HexDirection::DownLeft,
        HexDirection::Left,  HexDirection::UpLeft,    HexDirection::UpRight,
    };
    int col = Column(centre);
    int row = Row(centre);
    for (int i = 0; i < radius; ++i) Step(col, row, HexDirection::UpLeft);
    for (HexDirection side : kSides) {
        for (int i = 0; i < radius; ++i) {
            if (OnBoard(col, row)) visit(Index(col, row));
            Step(col, row, side);
        }
    }
}
