// The built-in player's choice of cells: it follows a found line, and over
// hundreds of seeded games on the real maps every search it makes is one the
// rules accept, while the board's counters keep their invariants.
#include "game/search_strategy.h"

#include <gtest/gtest.h>

#include <numeric>

#include "game/random.h"
#include "recording_host.h"
#include "temp_dir.h"

namespace {

TEST(SearchStrategy, FollowsAFoundLineToItsEndsAndInwardFromTheEdge) {
    Board board;
    board.ClearCells();
    const int first = Board::Index(10, 10);
    board.cells[first].state = CellState::kFoundBase + 2;
    const int next = ChooseSearch(board);
    EXPECT_TRUE(std::abs(Board::Row(next) - 10) <= 1 && std::abs(Board::Column(next) - 10) <= 1);
    // A second find to its right fixes the line: the choice lies on it.
    board.cells[Board::Index(11, 10)].state = CellState::kFoundBase + 2;
    EXPECT_EQ(ChooseSearch(board), Board::Index(12, 10));
    board.cells[Board::Index(12, 10)].state = CellState::kSwept;
    EXPECT_EQ(ChooseSearch(board), Board::Index(9, 10));

    // On the left edge the cells beside the finds lie off the board: followed inward.
    board.ClearCells();
    for (int col : {0, 1}) board.cells[Board::Index(col, 10)].state = CellState::kFoundBase + 1;
    EXPECT_EQ(ChooseSearch(board), Board::Index(2, 10));
}

TEST(SearchStrategy, WithoutCluesItProbesTheMiddleAndThenTheLastWavesRing) {
    Board board;
    board.ClearCells();
    const int middle = ChooseSearch(board);
    EXPECT_TRUE(std::abs(Board::Row(middle) - 18) <= 1 && std::abs(Board::Column(middle) - 19) <= 1) << middle;
    board.lastCell = Board::Index(5, 20);
    board.cells[board.lastCell].state = CellState::kCurrent;
    for (int cell : {Board::Index(30, 30), Board::Index(6, 20)}) board.cells[cell].state = CellState::kWave;
    EXPECT_EQ(ChooseSearch(board), Board::Index(6, 20));
}

// Plays whole games on the model as the game flow does, with the player's
// choices: rounds advance with the score doubled, a game ends after nine
// rounds or at zero turns.
class Soak : public ::testing::Test {
protected:
    void SetUp() override {
        LinkOrCopy(std::filesystem::path(REEF_GAME_FOLDER) / "islands.dat", dir.Path() / "islands.dat");
        EXPECT_TRUE(board.LoadIslands());
    }
    // Stops at the first search that breaks a rule, with a fatal failure recorded.
    void PlayGame(uint32_t seed, int* rounds) {
        SeedRandom(seed);
        board.StartGame(25);
        board.mapIndex = 0;
        for (*rounds = 0; *rounds < 9; ++*rounds) {
            board.SelectMap();
            board.ClearCells();
            board.PlaceTreasures();
            for (int32_t lastScore = board.score; !board.roundCleared && board.turnsLeft > 0; lastScore = board.score) {
                const int cell = ChooseSearch(board);
                const int before = board.cells[cell].state;
                board.Search(cell, host);
                host.calls.clear();
                ASSERT_TRUE(board.lastCell == cell && board.cells[cell].state != before) << "cell " << cell << " refused";
                ASSERT_TRUE(board.score >= lastScore && board.turnsLeft >= 0);
                ASSERT_EQ(board.treasureLeft, 25 - std::accumulate(board.found.begin(), board.found.end(), 0));
            }
            if (board.turnsLeft == 0) return;
            board.score *= 2, ++board.round, ++board.mapIndex;
        }
    }
    TempDir dir;
    Board board;
    RecordingHost host;
};

TEST_F(Soak, HundredsOfGamesKeepTheRules) {
    int roundsCleared = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        int rounds = 0;
        SCOPED_TRACE(seed);
        ASSERT_NO_FATAL_FAILURE(PlayGame(seed, &rounds));
        roundsCleared += rounds;
    }
    // Without extra turns the player still clears a round now and then: one in ten games.
    EXPECT_GT(roundsCleared, 30);
}

}  // namespace
