#include <gtest/gtest.h>

#include <string>

#include "game/board.h"
#include "temp_dir.h"

namespace {

constexpr size_t kFileBytes = static_cast<size_t>(Board::kMapCount) * Board::kCellCount;

bool EveryCellIsDirtySea(const Board& board, int fromMap, int fromCell) {
    for (int m = fromMap; m < Board::kMapCount; ++m) {
        for (int i = m == fromMap ? fromCell : 0; i < Board::kCellCount; ++i) {
            const Cell& cell = board.maps[m][i];
            if (cell.island != -1 || cell.dirty != 1) return false;
        }
    }
    return true;
}

}  // namespace

TEST(BoardMaps, MissingFileGivesAllSea) {
    TempDir dir;
    Board board;
    board.maps[3][100].island = 7;
    board.LoadIslands();
    EXPECT_TRUE(EveryCellIsDirtySea(board, 0, 0));
}

TEST(BoardMaps, FullFileFillsEveryMapInOrder) {
    TempDir dir;
    std::string bytes(kFileBytes, '\xFF');
    bytes[0] = 0;
    bytes[Board::kCellCount + 5] = 12;
    bytes[kFileBytes - 1] = 127;
    dir.Write("islands.dat", bytes);
    Board board;
    board.LoadIslands();
    EXPECT_EQ(board.maps[0][0].island, 0);
    EXPECT_EQ(board.maps[1][5].island, 12);
    EXPECT_EQ(board.maps[199][Board::kCellCount - 1].island, 127);
    EXPECT_EQ(board.maps[0][1].island, -1);
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
    EXPECT_TRUE(EveryCellIsDirtySea(board, 1, 10));
}

TEST(BoardMaps, BytesWithoutAnIslandPictureAreSea) {
    TempDir dir;
    std::string bytes(kFileBytes, '\xFF');
    bytes[0] = '\x80';
    bytes[1] = '\xFE';
    bytes[2] = '\x7F';
    bytes[3] = '\x00';
    dir.Write("islands.dat", bytes);
    Board board;
    board.LoadIslands();
    EXPECT_EQ(board.maps[0][0].island, -1);
    EXPECT_EQ(board.maps[0][1].island, -1);
    EXPECT_EQ(board.maps[0][2].island, 127);
    EXPECT_EQ(board.maps[0][3].island, 0);
    EXPECT_FALSE(board.IsIsland(0));
    EXPECT_TRUE(board.IsIsland(3));
}

TEST(BoardMaps, ClearCellsResetsTheMapInPlay) {
    Board board;
    board.mapIndex = 2;
    board.SelectMap();
    ASSERT_EQ(board.cells, board.maps[2].data());
    board.maps[0][50].kind = 3;
    board.cells[50] = Cell{6, 1, 0, -1};
    board.cells[51] = Cell{2, 0, 0, 4};
    board.roundCleared = 1;
    board.lastCell = 50;
    board.ClearCells();
    EXPECT_EQ(board.cells[50].state, CellState::kHidden);
    EXPECT_EQ(board.cells[50].kind, 0);
    EXPECT_EQ(board.cells[50].dirty, 0);  // sea is not drawn while hidden
    EXPECT_EQ(board.cells[51].dirty, 1);  // land is always drawn
    EXPECT_EQ(board.cells[51].island, 4);
    EXPECT_EQ(board.roundCleared, 0);
    EXPECT_EQ(board.lastCell, -1);
    EXPECT_EQ(board.maps[0][50].kind, 3);  // other maps are left alone
}
