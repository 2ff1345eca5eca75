#pragma once
// The sea map the player searches: 200 island maps of a 38 x 37 hex grid,
// the cells of the map in play with its five hidden treasure lines, and the
// counters of the running game.
//
// Cells are numbered row by row: index = row * 38 + col. Odd rows sit half a
// cell to the right of even rows.
#include <array>
#include <cstdint>
#include <vector>

#include "game/cell.h"
#include "platform/surface.h"

class SearchHost;
class Sprite;

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

class Board {
public:
    static constexpr int kColumns = 38;
    static constexpr int kRows = 37;
    static constexpr int kCellCount = kColumns * kRows;  // 1,406
    static constexpr int kMapCount = 200;
    static constexpr int kExcludedCount = 97;
    static constexpr int kKinds = 5;
    static constexpr int kCellsPerKind = 5;
    static constexpr int kFindCap = 200;
    static constexpr int kTurnsPerSet = 3;
    static constexpr uint32_t kWavePauseMs = 50;
    // Turns an empty search costs.
    static constexpr int kSearchCost = 1;

    using Map = std::array<Cell, kCellCount>;

    Board();
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // Geometry; none of it needs a map.
    static constexpr int Column(int cell) { return cell % kColumns; }
    static constexpr int Row(int cell) { return cell / kColumns; }
    static constexpr int Index(int col, int row) { return row * kColumns + col; }
    static constexpr bool OnBoard(int col, int row) { return col >= 0 && col < kColumns && row >= 0 && row < kRows; }
    // Top-left screen pixel of the cell's tile in the 800 x 600 picture.
    static constexpr int CellX(int cell) { return (Row(cell) % 2 ? 57 : 50) + Column(cell) * 14; }
    static constexpr int CellY(int cell) { return 84 + Row(cell) * 12; }
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

    bool IsIsland(int cell) const { return cells[cell].island != -1; }

    // Applies a ring-walk mode to one cell; the cell becomes dirty whenever
    // its state is written. Modes: CellState::kWave (front of a wave),
    // CellState::kSwept (behind the front), CellState::kHidden (placement).
    void SetCellState(int cell, int32_t mode);
    // Walks the ring of the given radius clockwise from its top-left corner,
    // skipping off-board positions; with probe set, an unfound treasure cell
    // on the ring sets waveStop. Returns the number of on-board cells visited.
    int MarkRing(int centre, int radius, int32_t mode);

    // Reads "islands.dat" into the island field of every map.
    void LoadIslands();
    void SelectMap() { cells = maps[mapIndex].data(); }
    void ClearCells();
    void StartGame(int turns);
    // Hides one straight line of five open-sea cells per treasure kind.
    void PlaceTreasures();
    // Handles a click on a cell (-1 for a click outside the grid).
    void Search(int cell, SearchHost& host);

    // Draws the dirty cells (every visible cell when all is set) into the
    // background layer and clears their dirty flags. Hidden sea is never
    // drawn: the background shows there.
    void Redraw(bool all);
    // Draws one cell with the given frame of its sprite (tiles for sea,
    // islands for land); excluded cells and missing frames draw nothing.
    void DrawCell(int cell, int32_t frame, plat::Surface* surface);

    int32_t score = 0;
    int32_t findValue = 100;
    int32_t findStep = 25;
    int32_t findBase = 100;
    int32_t turnsLeft = 0;
    int32_t treasureLeft = 0;
    int32_t round = 0;
    uint8_t roundCleared = 0;
    uint8_t waveStop = 0;
    uint8_t probe = 0;
    int32_t mapIndex = 0;
    std::vector<Map> maps;
    Cell* cells = nullptr;  // always maps[mapIndex]
    int32_t lastCell = -1;
    std::array<int32_t, kKinds> found{};  // per kind: cells found this round
    std::array<int32_t, kKinds> chain{};  // per kind: cells found since the last empty search
    Sprite* tileSprite = nullptr;         // sea cells' frames, one per CellState
    Sprite* islandSprite = nullptr;       // land cells' frames, one per island number
    uint32_t bonusUntil = 0;              // clock time until which the turn bonus shows

private:
    void ScoreFind(int cell, SearchHost& host);
    void RunWave(int cell, SearchHost& host);
    bool LineFits(int start, HexDirection direction) const;
    void PlaceLine(int start, HexDirection direction, int kind);
    bool PlaceAnyFittingLine(int kind);
    void ScatterKind(int kind);
};

template <class Visit>
void Board::WalkRing(int centre, int radius, Visit&& visit) {
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
