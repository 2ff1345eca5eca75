#pragma once
// The sea map the player searches: 200 island maps of a 38 x 37 hex grid,
// the cells of the map in play with its five hidden treasure lines, and the
// counters of the running game. The grid's geometry is in game/board_geometry.h.
#include <array>
#include <cstdint>
#include <vector>

#include "base/status.h"
#include "game/board_geometry.h"
#include "game/cell.h"
#include "platform/surface.h"

class SearchHost;
class Sprite;
struct FramePage;

class Board : public BoardGeometry {
public:
    static constexpr int kKinds = 5;
    static constexpr int kFindCap = 200;
    static constexpr int kTurnsPerSet = 3;
    static constexpr uint32_t kWavePauseMs = 50;
    // Turns an empty search costs.
    static constexpr int kSearchCost = 1;

    using Map = std::array<Cell, kCellCount>;

    // A board with its maps; throws std::bad_alloc without the memory.
    Board();
    // A board whose maps AllocateMaps makes later: the game's own board is
    // made before the program starts, where no failure could be reported.
    struct MapsLater {};
    explicit Board(MapsLater) {}
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    bool IsIsland(int cell) const { return cells[cell].island != -1; }

    // Applies a ring-walk mode to one cell; the cell becomes dirty whenever
    // its state is written. Modes: CellState::kWave (front of a wave),
    // CellState::kSwept (behind the front), CellState::kHidden (placement).
    void SetCellState(int cell, int32_t mode);
    // Walks the ring of the given radius clockwise from its top-left corner,
    // skipping off-board positions; with probe set, an unfound treasure cell
    // on the ring sets waveStop. Returns the number of on-board cells visited.
    int MarkRing(int centre, int radius, int32_t mode);

    // Makes the 200 maps when the board has none yet and selects the map in
    // play; false when there is no memory for them.
    bool AllocateMaps();
    // Reads "islands.dat" into the island field of every map; without the
    // file every map is open sea. Failed when the file is there but could not
    // be opened for lack of memory: all-sea maps would be a different game.
    Status LoadIslands();
    void SelectMap() { cells = maps[mapIndex].data(); }
    void ClearCells();
    void StartGame(int turns);
    // Hides one straight line of five open-sea cells per treasure kind.
    void PlaceTreasures();
    // Handles a click on a cell (-1 for a click outside the grid).
    void Search(int cell, SearchHost& host);

    // Draws the dirty cells (every visible cell when all is set) into the
    // page's background layer and clears their dirty flags. Hidden sea is
    // never drawn: the background shows there.
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
    Cell* cells = nullptr;  // always maps[mapIndex]; null until there are maps
    int32_t lastCell = -1;
    std::array<int32_t, kKinds> found{};  // per kind: cells found this round
    std::array<int32_t, kKinds> chain{};  // per kind: cells found since the last empty search
    Sprite* tileSprite = nullptr;         // sea cells' frames, one per CellState
    Sprite* islandSprite = nullptr;       // land cells' frames, one per island number
    FramePage* page = nullptr;            // the board scene's, whose background the cells go into
    uint32_t bonusUntil = 0;              // clock time until which the turn bonus shows

private:
    void ScoreFind(int cell, SearchHost& host);
    void RunWave(int cell, SearchHost& host);
    bool LineFits(int start, HexDirection direction) const;
    void PlaceLine(int start, HexDirection direction, int kind);
    bool PlaceAnyFittingLine(int kind);
    void ScatterKind(int kind);
};
