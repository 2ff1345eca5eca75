#include <gtest/gtest.h>

#include <string>

#include "game/board.h"
#include "temp_dir.h"

namespace {

constexpr size_t kFileBytes = static_cast<size_t>(Board::kMapCount) * Board::kCellCount;

// True when every cell from (map, cell) to the end of the last map is sea
// waiting to be drawn.
bool DirtySeaFrom(const Board& board, int map, int cell) {
    for (size_t i = static_cast<size_t>(map) * Board::kCellCount + cell; i < kFileBytes; ++i) {
        const Cell& c = board.maps[i / Board::kCellCount][i % Board::kCellCount];
        if (c.island != -1 || c.dirty != 1) return false;
    }
    return true;
}

}  // namespace

TEST(BoardMaps, MissingFileGivesAllSea) {
    TempDir dir;
    Board board;
    board.maps[3][100].island = 7;
    board.LoadIslands();
    EXPECT_TRUE(DirtySeaFrom(board, 0, 0));
}

TEST(BoardMaps, BytesAreSignedFramesAndNegativeOnesAreSea) {
    TempDir dir;
    std::string bytes(kFileBytes, '\xFF');
    bytes[0] = '\x00';
    bytes[1] = '\x7F';
    bytes[2] = '\x80';
    bytes[3] = '\xFE';
    bytes[Board::kCellCount + 5] = 12;
    dir.Write("islands.dat", bytes);
    Board board;
    board.LoadIslands();
    EXPECT_EQ(board.maps[0][0].island, 0);
    EXPECT_EQ(board.maps[0][1].island, 127);
    EXPECT_EQ(board.maps[0][2].island, -1);
    EXPECT_EQ(board.maps[0][3].island, -1);
    EXPECT_EQ(board.maps[1][5].island, 12);
    EXPECT_EQ(board.maps[199][0].dirty, 1);
}

TEST(BoardMaps, ShortFileLeavesTheMissingCellsSea) {
    TempDir dir;
    // All of map 0 and the first ten cells of map 1 are land.
    dir.Write("islands.dat", std::string(Board::kCellCount + 10, '\x03'));
    Board board;
    for (Board::Map& map : board.maps) map.fill(Cell{0, 0, 0, 9});
    board.LoadIslands();
    EXPECT_EQ(board.maps[0][Board::kCellCount - 1].island, 3);
    EXPECT_EQ(board.maps[1][9].island, 3);
    EXPECT_TRUE(DirtySeaFrom(board, 1, 10));
}

TEST(BoardMaps, ClearCellsResetsOnlyTheMapInPlay) {
    Board board;
    board.mapIndex = 2;
    board.SelectMap();
    board.maps[0][50].kind = 3;
    board.cells[50] = Cell{6, 1, 0, -1};
    board.cells[51] = Cell{2, 0, 0, 4};
    board.roundCleared = 1;
    board.lastCell = 50;
    board.ClearCells();
    EXPECT_EQ(board.cells[50].state, CellState::kHidden);
    EXPECT_EQ(board.cells[50].kind, 0);
    EXPECT_EQ(board.cells[50].dirty, 0);  // hidden sea is not drawn
    EXPECT_EQ(board.cells[51].dirty, 1);  // land always is
    EXPECT_EQ(board.cells[51].island, 4);
    EXPECT_EQ(board.roundCleared, 0);
    EXPECT_EQ(board.lastCell, -1);
    EXPECT_EQ(board.maps[0][50].kind, 3);
}
