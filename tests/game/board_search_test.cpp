#include <gtest/gtest.h>

#include <vector>

#include "game/board.h"
#include "game/random.h"
#include "recording_host.h"

namespace {

constexpr int At(int col, int row) { return Board::Index(col, row); }

// An all-sea board at the start of a game, with treasure put by hand.
class BoardSearch : public ::testing::Test {
protected:
    BoardSearch() {
        board.StartGame(25);
        board.ClearCells();
        board.treasureLeft = 0;
    }

    // Hides a kind in five cells of a row, from the given column on.
    std::vector<int> HideRow(int kind, int col, int row) {
        std::vector<int> line;
        for (int i = 0; i < 5; ++i) line.push_back(Hide(kind, At(col + i, row)));
        return line;
    }
    int Hide(int kind, int cell) {
        board.cells[cell].kind = kind;
        ++board.treasureLeft;
        return cell;
    }
    void SearchAll(const std::vector<int>& cells) {
        for (int cell : cells) board.Search(cell, host);
    }
    // Places a seeded round; returns its treasure cells kind by kind.
    std::vector<int> PlaceRound(uint32_t seed) {
        SeedRandom(seed);
        board.PlaceTreasures();
        std::vector<int> order;
        for (int kind = 1; kind <= 5; ++kind) {
            for (int cell = 0; cell < Board::kCellCount; ++cell) {
                if (board.cells[cell].kind == kind) order.push_back(cell);
            }
        }
        return order;
    }

    Board board;
    RecordingHost host;
};

}  // namespace

TEST_F(BoardSearch, RefusedClicksChangeNothing) {
    Hide(1, At(20, 20));
    board.cells[At(10, 10)].island = 5;
    board.Search(-1, host);
    EXPECT_TRUE(host.calls.empty());
    board.Search(0, host);  // excluded corner
    board.Search(At(10, 10), host);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"play negative", "play negative"}));
    EXPECT_EQ(board.lastCell, -1);
    EXPECT_EQ(board.turnsLeft, 25);
    EXPECT_EQ(board.cells[0].state, CellState::kHidden);

    // The last searched cell and found treasure are ignored without a sound.
    board.Search(At(20, 20), host);
    board.Search(At(5, 5), host);
    host.calls.clear();
    board.Search(At(5, 5), host);
    board.Search(At(20, 20), host);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(board.turnsLeft, 24);

    // Once another cell was searched, the earlier one starts a new wave.
    board.Search(At(7, 5), host);
    board.Search(At(5, 5), host);
    EXPECT_EQ(host.Count("play search"), 2);
    EXPECT_EQ(board.turnsLeft, 22);
    EXPECT_EQ(board.cells[At(7, 5)].state, CellState::kSwept);
}

TEST_F(BoardSearch, StreakValuesRiseToTheCapAndAWholeKindPaysThreeTurns) {
    auto line = HideRow(1, 10, 10);
    Hide(2, At(30, 30));
    board.Search(At(5, 20), host);
    int before = board.score;
    SearchAll(line);
    EXPECT_EQ(host.bonuses, (std::vector<int>{3}));
    EXPECT_EQ(host.Count("play 5treasure"), 1);
    EXPECT_EQ(board.turnsLeft, 24 + 3);
    board.Search(At(30, 30), host);
    EXPECT_EQ(host.pointsImages, (std::vector<int>{1, 2, 3, 4, 5, 5}));
    EXPECT_EQ(board.score - before, 125 + 150 + 175 + 200 + 200 + 200);
    EXPECT_EQ(host.Count("play 1treasure"), 6);

    // An empty search starts the streak again at 125.
    board.Search(At(5, 30), host);
    Hide(3, At(31, 31));
    board.Search(At(31, 31), host);
    EXPECT_EQ(host.pointsImages.back(), 1);
}

TEST_F(BoardSearch, WholeFirstRoundWithoutAnEmptySearchPays45) {
    auto order = PlaceRound(99);
    ASSERT_EQ(order.size(), 25u);
    SearchAll(std::vector<int>(order.begin(), order.end() - 1));
    EXPECT_EQ(board.roundCleared, 0);
    board.Search(order.back(), host);
    EXPECT_EQ(board.roundCleared, 1);
    EXPECT_EQ(board.treasureLeft, 0);
    EXPECT_EQ(host.bonuses, (std::vector<int>{3, 6, 9, 12, 15}));
    EXPECT_EQ(board.turnsLeft, 25 + 45);
    EXPECT_EQ(board.score, 125 + 150 + 175 + 200 * 22);
}

TEST_F(BoardSearch, KindCompletedAcrossAnEmptySearchPaysOnlyForOthers) {
    auto first = HideRow(1, 10, 10);
    auto second = HideRow(2, 10, 14);
    SearchAll({first[0], first[1]});
    board.Search(At(20, 30), host);  // empty: the streak breaks
    SearchAll({first[2], first[3], first[4]});
    EXPECT_TRUE(host.bonuses.empty());
    SearchAll(second);
    EXPECT_EQ(host.bonuses, (std::vector<int>{3}));
}

TEST_F(BoardSearch, StreakRunsAcrossRounds) {
    SearchAll(PlaceRound(5));
    ASSERT_EQ(board.roundCleared, 1);
    board.mapIndex = 1;
    board.SelectMap();
    board.ClearCells();
    board.PlaceTreasures();
    host.pointsImages.clear();
    host.bonuses.clear();
    for (int cell = 0; cell < Board::kCellCount; ++cell) {
        if (board.cells[cell].kind == 1) board.Search(cell, host);
    }
    EXPECT_EQ(host.pointsImages, (std::vector<int>{5, 5, 5, 5, 5}));
    // Kind 1 has now been found ten times in the streak and no longer counts;
    // the four other kinds completed in the first round still do.
    EXPECT_EQ(host.bonuses, (std::vector<int>{12}));
}

TEST_F(BoardSearch, TreasureNextToTheSearchedCellEndsTheWaveAtRadiusOne) {
    const int centre = At(10, 10);
    Hide(3, At(11, 10));
    board.cells[At(9, 11)].state = CellState::kSwept;
    board.Search(centre, host);

    EXPECT_EQ(board.cells[centre].state, CellState::kCurrent);
    Board::WalkRing(centre, 1, [&](int cell) {
        int expected = cell == At(9, 11) ? CellState::kSweptUnderWave : CellState::kWave;
        EXPECT_EQ(board.cells[cell].state, expected) << cell;
    });
    EXPECT_EQ(board.cells[At(12, 10)].state, CellState::kHidden);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"play search", "redraw", "present", "pause 50", "redraw",
                                                    "present", "pause 50", "stop search"}));
}

TEST_F(BoardSearch, WaveStopsOnlyAtUnfoundTreasureAndRevealsNothing) {
    const int centre = At(15, 15);
    Hide(1, At(16, 15));
    board.cells[At(16, 15)].state = CellState::kFoundBase + 1;  // found before
    Hide(2, At(18, 15));                                        // three steps right
    board.Search(centre, host);

    EXPECT_EQ(host.Count("pause 50"), 4);  // radii 0 to 3
    const std::pair<int, int> states[] = {{16, CellState::kFoundBase + 1}, {14, CellState::kSwept},
                                          {13, CellState::kSwept},         {12, CellState::kWave},
                                          {18, CellState::kWave},          {19, CellState::kHidden}};
    for (auto [col, state] : states) EXPECT_EQ(board.cells[At(col, 15)].state, state) << "column " << col;
    EXPECT_EQ(board.cells[At(18, 15)].kind, 2);
}

TEST_F(BoardSearch, WaveWithNoTreasureLeftSweepsTheBoardAndEnds) {
    board.Search(At(2, 10), host);
    EXPECT_EQ(host.calls.back(), "stop search");
    for (int cell = 0; cell < Board::kCellCount; ++cell) {
        if (cell != At(2, 10)) {
            ASSERT_EQ(board.cells[cell].state, CellState::kSwept) << cell;
        }
    }
}
