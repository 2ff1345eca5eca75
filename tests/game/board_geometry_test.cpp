#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/board.h"
#include "hex_distance.h"

namespace {

std::vector<int> Ring(int col, int row, int radius) {
    std::vector<int> cells;
    Board::WalkRing(Board::Index(col, row), radius, [&](int cell) { cells.push_back(cell); });
    return cells;
}

}  // namespace

TEST(BoardGeometry, CellAtPrefersTheLowerIndexAndMissesOutsideTheGrid) {
    // Cell 0's box is x 52..66, y 86..100; cell 1 starts at x 66 and cell 38
    // (row 1) at x 59, y 98.
    EXPECT_EQ(Board::CellAt(66, 90), 0);
    EXPECT_EQ(Board::CellAt(60, 99), 0);
    EXPECT_EQ(Board::CellAt(70, 99), 1);
    EXPECT_EQ(Board::CellAt(67, 90), 1);
    EXPECT_EQ(Board::CellAt(60, 101), 38);
    // Outside the grid.
    EXPECT_EQ(Board::CellAt(51, 90), -1);
    EXPECT_EQ(Board::CellAt(52, 85), -1);
    // The last cell's box ends at (584, 532) inclusive.
    EXPECT_EQ(Board::CellAt(584, 532), Board::kCellCount - 1);
    EXPECT_EQ(Board::CellAt(585, 532), -1);
    EXPECT_EQ(Board::CellAt(584, 533), -1);
}

TEST(BoardGeometry, CentreOfEveryTileHitsThatCell) {
    for (int cell = 0; cell < Board::kCellCount; ++cell) {
        ASSERT_EQ(Board::CellAt(Board::CellX(cell) + 9, Board::CellY(cell) + 9), cell);
    }
}

TEST(BoardGeometry, RingOfRadiusOneRunsClockwiseFromUpLeftAndSkipsOffBoard) {
    auto at = [](int col, int row) { return Board::Index(col, row); };
    // The six neighbours, up-left, up-right, right, down-right, down-left,
    // left, on an even and an odd row.
    EXPECT_EQ(Ring(5, 4, 1), (std::vector<int>{at(4, 3), at(5, 3), at(6, 4), at(5, 5), at(4, 5), at(4, 4)}));
    EXPECT_EQ(Ring(5, 3, 1), (std::vector<int>{at(5, 2), at(6, 2), at(6, 3), at(6, 4), at(5, 4), at(4, 3)}));
    EXPECT_TRUE(Ring(5, 3, 0).empty());
    // At the edge only the on-board cells, in the same order.
    EXPECT_EQ(Ring(0, 0, 1), (std::vector<int>{at(1, 0), at(0, 1)}));
    EXPECT_EQ(Ring(0, 10, 1), (std::vector<int>{at(0, 9), at(1, 10), at(0, 11)}));
    EXPECT_EQ(Ring(37, 35, 1), (std::vector<int>{at(37, 34), at(37, 36), at(36, 35)}));
}

TEST(BoardGeometry, RingsHoldExactlyTheCellsAtThatDistance) {
    const std::pair<int, int> centres[] = {{18, 18}, {0, 0}, {37, 36}, {3, 30}, {30, 7}};
    for (auto [col, row] : centres) {
        for (int radius = 1; radius <= 40; ++radius) {
            std::vector<int> walked = Ring(col, row, radius);
            std::set<int> unique(walked.begin(), walked.end());
            ASSERT_EQ(unique.size(), walked.size()) << "ring visits a cell twice";
            std::set<int> expected;
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
    std::vector<int> head(excluded.begin(), excluded.begin() + 27);
    EXPECT_EQ(head, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 25, 26, 27, 28, 29, 30, 31,
                                      32, 33, 34, 35, 36, 37, 38, 39, 40, 71}));
    std::vector<int> tail(excluded.end() - 6, excluded.end());
    EXPECT_EQ(tail, (std::vector<int>{1400, 1401, 1402, 1403, 1404, 1405}));
    EXPECT_TRUE(Board::IsExcluded(Board::Index(37, 20)));
    EXPECT_FALSE(Board::IsExcluded(Board::Index(27, 36)));
}
