// A round on the board: the treasure lines placed on open sea, and the
// searches for them with their waves, streaks and bonus turns.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <tuple>

#include "game/board.h"
#include "game/random.h"
#include "recording_host.h"

namespace {

constexpr int At(int col, int row) { return Board::Index(col, row); }

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

// Places a seeded round on a cleared board.
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
        ::PlaceRound(board, seed);
        std::vector<int> order;
        for (auto& [kind, cells] : CellsByKind(board)) order.insert(order.end(), cells.begin(), cells.end());
        return order;
    }

    Board board;
    RecordingHost host;
};

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
        ASSERT_TRUE(board.found == (std::array<int32_t, 5>{}) && board.waveStop == 0 && board.probe == 0);
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
            EXPECT_TRUE(board.treasureLeft == 0 && board.roundCleared == 1);
        }
    }
}

TEST_F(BoardSearch, RefusedClicksChangeNothing) {
    Hide(1, At(20, 20));
    board.cells[At(10, 10)].island = 5;
    board.Search(-1, host);
    EXPECT_TRUE(host.calls.empty());
    board.Search(0, host);  // excluded corner
    board.Search(At(10, 10), host);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"play negative", "play negative"}));
    EXPECT_EQ(std::make_tuple(board.lastCell, board.turnsLeft, board.cells[0].state),
              std::make_tuple(-1, 25, CellState::kHidden));

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
    EXPECT_TRUE(board.roundCleared == 1 && board.treasureLeft == 0);
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
    host = {};
    SearchAll(CellsByKind(board)[1]);
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
    for (int cell = 0; cell < Board::kCellCount; ++cell)
        ASSERT_TRUE(cell == At(2, 10) || board.cells[cell].state == CellState::kSwept) << cell;
}
