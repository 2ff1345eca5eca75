#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <tuple>
#include <vector>

#include "game/board.h"
#include "temp_dir.h"

namespace {

constexpr int At(int col, int row) { return Board::Index(col, row); }
constexpr size_t kFileBytes = static_cast<size_t>(Board::kMapCount) * Board::kCellCount;

// Distance between two cells counted in steps, worked out independently of
// the board through cube coordinates of the odd-rows-right layout.
int HexDistance(int colA, int rowA, int colB, int rowB) {
    auto cubeX = [](int col, int row) { return col - (row - (row & 1)) / 2; };
    int dx = cubeX(colA, rowA) - cubeX(colB, rowB);
    int dz = rowA - rowB;
    return std::max({std::abs(dx), std::abs(dx + dz), std::abs(dz)});
}

std::vector<int> Ring(int col, int row, int radius) {
    std::vector<int> cells;
    Board::WalkRing(At(col, row), radius, [&](int cell) { cells.push_back(cell); });
    return cells;
}

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

TEST(BoardGeometry, CellAtPrefersTheLowerIndexAndMissesOutsideTheGrid) {
    // Cell 0's box is x 52..66, y 86..100; cell 1 starts at x 66, cell 38
    // (row 1) at x 59, y 98; the last cell's box ends at (584, 532).
    const std::tuple<int, int, int> hits[] = {{66, 90, 0},   {60, 99, 0},  {70, 99, 1},
                                              {67, 90, 1},   {60, 101, 38}, {51, 90, -1},
                                              {52, 85, -1},  {584, 532, Board::kCellCount - 1},
                                              {585, 532, -1}, {584, 533, -1}};
    for (auto [x, y, cell] : hits) EXPECT_EQ(Board::CellAt(x, y), cell) << x << "," << y;
    for (int cell = 0; cell < Board::kCellCount; ++cell)
        ASSERT_EQ(Board::CellAt(Board::CellX(cell) + 9, Board::CellY(cell) + 9), cell);
}

TEST(BoardGeometry, RingOfRadiusOneRunsClockwiseFromUpLeftAndSkipsOffBoard) {
    // Up-left, up-right, right, down-right, down-left, left, on an even and an
    // odd row; at the edges only the on-board cells, in the same order.
    EXPECT_EQ(Ring(5, 4, 1), (std::vector<int>{At(4, 3), At(5, 3), At(6, 4), At(5, 5), At(4, 5), At(4, 4)}));
    EXPECT_EQ(Ring(5, 3, 1), (std::vector<int>{At(5, 2), At(6, 2), At(6, 3), At(6, 4), At(5, 4), At(4, 3)}));
    EXPECT_TRUE(Ring(5, 3, 0).empty());
    EXPECT_EQ(Ring(0, 0, 1), (std::vector<int>{At(1, 0), At(0, 1)}));
    EXPECT_EQ(Ring(0, 10, 1), (std::vector<int>{At(0, 9), At(1, 10), At(0, 11)}));
    EXPECT_EQ(Ring(37, 35, 1), (std::vector<int>{At(37, 34), At(37, 36), At(36, 35)}));
}

TEST(BoardGeometry, RingsHoldExactlyTheCellsAtThatDistance) {
    const std::pair<int, int> centres[] = {{18, 18}, {0, 0}, {37, 36}, {3, 30}, {30, 7}};
    for (auto [col, row] : centres) {
        for (int radius = 1; radius <= 40; ++radius) {
            std::vector<int> walked = Ring(col, row, radius);
            std::set<int> unique(walked.begin(), walked.end()), expected;
            ASSERT_EQ(unique.size(), walked.size()) << "ring visits a cell twice";
            for (int cell = 0; cell < Board::kCellCount; ++cell) {
                if (HexDistance(col, row, Board::Column(cell), Board::Row(cell)) == radius) expected.insert(cell);
            }
            ASSERT_EQ(unique, expected) << "centre " << col << "," << row << " radius " << radius;
        }
    }
}

TEST(BoardGeometry, ExcludedCellsAreTheFixedNinetySeven) {
    std::vector<int> excluded;
    for (int cell = 0; cell < Board::kCellCount; ++cell) {
        if (Board::IsExcluded(cell)) excluded.push_back(cell);
    }
    ASSERT_EQ(excluded.size(), 97u);
    EXPECT_EQ(std::vector<int>(excluded.begin(), excluded.begin() + 27),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37,
                                38, 39, 40, 71}));
    EXPECT_EQ(std::vector<int>(excluded.end() - 6, excluded.end()),
              (std::vector<int>{1400, 1401, 1402, 1403, 1404, 1405}));
    EXPECT_TRUE(Board::IsExcluded(At(37, 20)) && !Board::IsExcluded(At(27, 36)));
}

TEST(BoardMaps, BytesAreSignedFramesAndNegativeOrMissingOnesAreSeaToDraw) {
    TempDir dir;
    Board board;
    for (Board::Map& map : board.maps) map.fill(Cell{0, 0, 0, 9});
    EXPECT_TRUE(board.LoadIslands());  // no file
    EXPECT_TRUE(DirtySeaFrom(board, 0, 0));

    // All of map 0 and the first ten cells of map 1, land but for two cells.
    std::string bytes(Board::kCellCount + 10, '\x03');
    bytes.replace(0, 4, "\x00\x7F\x80\xFE", 4);
    dir.Write("islands.dat", bytes);
    for (Board::Map& map : board.maps) map.fill(Cell{0, 0, 0, 9});
    EXPECT_TRUE(board.LoadIslands());
    const int expected[] = {0, 127, -1, -1};
    for (int cell = 0; cell < 4; ++cell) EXPECT_EQ(board.maps[0][cell].island, expected[cell]) << cell;
    EXPECT_EQ(board.maps[0][2].dirty, 1);
    EXPECT_TRUE(board.maps[0][Board::kCellCount - 1].island == 3 && board.maps[1][9].island == 3);
    EXPECT_TRUE(DirtySeaFrom(board, 1, 10));
}

TEST(BoardMaps, ClearCellsResetsOnlyTheMapInPlay) {
    auto fields = [](const Cell& c) { return std::make_tuple(c.state, c.kind, c.dirty, c.island); };
    Board board;
    board.mapIndex = 2;
    board.SelectMap();
    board.maps[0][50].kind = 3;
    board.cells[50] = Cell{6, 1, 0, -1};
    board.cells[51] = Cell{2, 0, 0, 4};
    board.roundCleared = 1;
    board.lastCell = 50;
    board.ClearCells();
    // Hidden sea is not drawn; land always is.
    EXPECT_EQ(fields(board.cells[50]), std::make_tuple(CellState::kHidden, 0, 0, -1));
    EXPECT_EQ(fields(board.cells[51]), std::make_tuple(CellState::kHidden, 0, 1, 4));
    EXPECT_EQ(std::make_pair(int{board.roundCleared}, board.lastCell), std::make_pair(0, -1));
    EXPECT_EQ(board.maps[0][50].kind, 3);
}
