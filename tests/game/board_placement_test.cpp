#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <vector>

#include "game/board.h"
#include "game/random.h"
#include "recording_host.h"

namespace {

std::map<int, std::vector<int>> CellsByKind(const Board& board) {
    std::map<int, std::vector<int>> byKind;
    for (int cell = 0; cell < Board::kCellCount; ++cell) {
        if (board.cells[cell].kind != 0) byKind[board.cells[cell].kind].push_back(cell);
    }
    return byKind;
}

// The sorted cells of the line drawn from start, or nothing when it leaves the
// board or crosses an excluded cell.
std::vector<int> OpenLineFrom(int start, int direction) {
    std::vector<int> cells;
    int col = Board::Column(start), row = Board::Row(start);
    for (int i = 0; i < 5; ++i, Board::Step(col, row, static_cast<HexDirection>(direction))) {
        if (!Board::OnBoard(col, row) || Board::IsExcluded(Board::Index(col, row))) return {};
        cells.push_back(Board::Index(col, row));
    }
    std::sort(cells.begin(), cells.end());
    return cells;
}

// Cells in index order form a straight line of five when they are the line
// drawn from the first of them in one of the six directions.
bool IsStraightLine(const std::vector<int>& cells) {
    for (int direction = 0; direction < 6; ++direction) {
        if (!cells.empty() && OpenLineFrom(cells[0], direction) == cells) return true;
    }
    return false;
}

void PlaceRound(Board& board, uint32_t seed) {
    board.ClearCells();
    SeedRandom(seed);
    board.PlaceTreasures();
}

// Land on every cell of map 0 except the given ones.
void MakeLandExcept(Board& board, const std::vector<int>& sea) {
    for (Cell& cell : board.maps[0]) cell.island = 1;
    for (int cell : sea) board.maps[0][cell].island = -1;
}

}  // namespace

TEST(BoardPlacement, HidesFiveStraightLinesOnOpenSeaReproducibly) {
    Board board;
    // Scattered land so that lines must avoid it.
    for (int cell = 0; cell < Board::kCellCount; ++cell) {
        if ((Board::Column(cell) * 7 + Board::Row(cell) * 3) % 11 == 0) board.maps[0][cell].island = 2;
    }
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        // Left over from a wave that ended on treasure.
        board.found.fill(5);
        board.waveStop = 1;
        board.probe = 1;
        PlaceRound(board, seed);
        ASSERT_EQ(board.treasureLeft, 25);
        auto byKind = CellsByKind(board);
        ASSERT_EQ(byKind.size(), 5u);
        for (auto& [kind, cells] : byKind) {
            ASSERT_TRUE(IsStraightLine(cells)) << "seed " << seed << " kind " << kind;
            for (int cell : cells) ASSERT_FALSE(board.IsIsland(cell));
        }
        ASSERT_EQ(board.found, (std::array<int32_t, 5>{}));
        ASSERT_EQ(board.waveStop, 0);
        ASSERT_EQ(board.probe, 0);
    }
    PlaceRound(board, 4242);
    const auto first = CellsByKind(board);
    PlaceRound(board, 4243);
    EXPECT_NE(CellsByKind(board), first);
    PlaceRound(board, 4242);
    EXPECT_EQ(CellsByKind(board), first);
}

TEST(BoardPlacement, EachAttemptDrawsStartThenDirection) {
    // Find a seed whose first drawn line fits and one whose first line does
    // not but whose second does; the first kind must lie on the line drawn.
    bool checked[2] = {false, false};
    for (uint32_t seed = 1; seed < 1000 && !(checked[0] && checked[1]); ++seed) {
        SeedRandom(seed);
        std::vector<int> lines[2];
        for (auto& line : lines) {
            int start = Random15() % Board::kCellCount;
            line = OpenLineFrom(start, Random15() % 6);
        }
        int expected = !lines[0].empty() ? 0 : !lines[1].empty() ? 1 : -1;
        if (expected < 0 || checked[expected]) continue;
        Board board;
        PlaceRound(board, seed);
        ASSERT_EQ(CellsByKind(board)[1], lines[expected]) << "seed " << seed;
        checked[expected] = true;
    }
    EXPECT_TRUE(checked[0] && checked[1]);
}

TEST(BoardPlacement, MapsWithoutRoomForFiveLinesStillHideWinnableTreasureOnSea) {
    // One row segment of five sea cells and twelve lone sea cells: the first
    // kind takes the line and the others share the lone cells.
    std::vector<int> oneLine;
    for (int col = 10; col < 15; ++col) oneLine.push_back(Board::Index(col, 10));
    for (int row : {20, 24})
        for (int col = 5; col < 29; col += 4) oneLine.push_back(Board::Index(col, row));
    // Every other cell of every other row: no line, and 25 and more lone cells.
    std::vector<int> noLine;
    for (int row = 4; row < 34; row += 2)
        for (int col = 4; col < 34; col += 2) noLine.push_back(Board::Index(col, row));
    struct Case { std::vector<int> sea; int treasure; };
    for (const auto& [sea, treasure] : {Case{oneLine, 17}, Case{noLine, 25}, Case{{}, 0}}) {
        for (uint32_t seed = 1; seed <= 5; ++seed) {
            SCOPED_TRACE(testing::Message() << sea.size() << " sea cells, seed " << seed);
            Board board;
            board.StartGame(25);
            MakeLandExcept(board, sea);
            PlaceRound(board, seed);
            auto byKind = CellsByKind(board);
            ASSERT_EQ(board.treasureLeft, treasure);
            if (treasure == 17) {
                EXPECT_EQ(byKind[1], std::vector<int>(sea.begin(), sea.begin() + 5));
            }
            for (auto& [kind, cells] : byKind) {
                EXPECT_TRUE(treasure != 25 || cells.size() == 5u) << "kind " << kind;
                for (int cell : cells) ASSERT_FALSE(board.IsIsland(cell)) << cell;
            }
            // An empty search still ends its wave, and every hidden cell can be
            // found; with no sea at all the round ends at once.
            EXPECT_EQ(board.roundCleared, treasure == 0 ? 1 : 0);
            RecordingHost host;
            const auto empty = std::find_if(sea.begin(), sea.end(), [&](int c) { return board.cells[c].kind == 0; });
            if (empty != sea.end()) board.Search(*empty, host);
            EXPECT_EQ(host.Count("stop search"), empty != sea.end() ? 1 : 0);
            for (auto& [kind, cells] : byKind)
                for (int cell : cells) board.Search(cell, host);
            EXPECT_EQ(board.treasureLeft, 0);
            EXPECT_EQ(board.roundCleared, 1);
        }
    }
}
