// The game flow played through window messages on the headless shell: new
// games, searches, rounds, the two endings, the high-score entry, the buttons
// and the panels.
#include <cerrno>
#include <cstdlib>

#include "game/high_score_write.h"
#include "game_fixture.h"
#include "input/mouse.h"
#include "runtime/frame_timer.h"
#include "scene/sprite_pool.h"
#include "score_table.h"
#include "sound/sound_manager.h"

namespace {

using GameFlowTest = GameTest;

// Every state of the game flow, each test run once in each.
class GameStateTest : public GameTest, public testing::WithParamInterface<GameState> {
protected:
    // A game under way: a sonar mark, every treasure of round 5 found, and
    // the one-second wait that follows still to run, so that a state that
    // waits stays as it is through the next updates.
    void PlayARound() {
        StartGame();
        g_Game.board.round = g_Game.board.mapIndex = 4;
        ClickCell(QuietSeaCell());
        FindAllTreasure();
        ASSERT_GT(g_Game.board.score, 0);
    }
    // One update that starts in the state under test and reads the message.
    void FrameInState(uint32_t message, int32_t x = 0, int32_t y = 0) {
        Post(message, x, y);
        g_Game.SetState(GetParam());
        Frame();
    }
};

TEST_P(GameStateTest, NewGameStartsFreshInTheSameUpdate) {
    PlayARound();
    const std::vector<int> firstTreasure = TreasureCells();
    const Button& newGame = *g_BoardScene.buttons->Find("newgame");
    const int32_t x = newGame.x + newGame.width / 2, y = newGame.y + newGame.height / 2;
    Post(plat::WM_MOUSEMOVE, x, y);
    Post(plat::WM_LBUTTONDOWN, x, y);
    Frame();
    HoldSpace();
    FrameInState(plat::WM_LBUTTONUP, x, y);

    Board& board = g_Game.board;
    EXPECT_EQ(g_Game.GetState(), GameState::Playing);
    EXPECT_EQ(std::vector<int32_t>({board.mapIndex, board.round, board.turnsLeft, board.score, board.lastCell}),
              std::vector<int32_t>({0, 0, 25, 0, -1}));
    EXPECT_EQ(TreasureCells().size(), 25u);
    EXPECT_NE(TreasureCells(), firstTreasure);
    for (int i = 0; i < Board::kCellCount; ++i) {
        if (board.IsIsland(i)) continue;
        EXPECT_EQ(board.cells[i].state, CellState::kHidden) << "cell " << i;
    }
}

TEST_P(GameStateTest, EachRightButtonPressAddsTwentyFiveTurns) {
    PlayARound();
    const int32_t turns = g_Game.board.turnsLeft;
    HoldSpace();
    FrameInState(plat::WM_RBUTTONDOWN);
    Post(plat::WM_RBUTTONUP);  // a release adds nothing
    Frame();
    // A new game starts with its own turns, whatever was added before.
    EXPECT_EQ(g_Game.board.turnsLeft, GetParam() == GameState::NewGame ? Game::kTurnsPerGame : turns + 25);
}

std::string StateName(const testing::TestParamInfo<GameState>& info) {
    static const char* const names[] = {"Idle", "Playing", "NewGame", "RoundCleared", "Victory", "GameOver"};
    return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(EveryState, GameStateTest,
                         testing::Values(GameState::Idle, GameState::Playing, GameState::NewGame,
                                         GameState::RoundCleared, GameState::Victory, GameState::GameOver),
                         StateName);

TEST_F(GameFlowTest, RoundIsClearedOnTheLastFindAndTheNextStartsASecondLaterDoubled) {
    StartGame();
    const std::vector<int> treasure = TreasureCells();
    for (size_t i = 0; i + 1 < treasure.size(); ++i) ClickCell(treasure[i]);
    EXPECT_EQ(g_Game.GetState(), GameState::Playing);
    ClickCell(treasure.back());
    EXPECT_EQ(g_Game.GetState(), GameState::RoundCleared);
    // One streak: 125 + 150 + 175 + 200 and 21 finds of 200.
    EXPECT_EQ(std::make_pair(g_Game.board.score, g_Game.board.turnsLeft), std::make_pair(4850, 25 + 45));

    const uint32_t cleared = FrameTimer::Now();
    HoldSpace();
    ASSERT_TRUE(RunUntil(GameState::Playing));
    EXPECT_NEAR(FrameTimer::Elapsed(cleared), 1050, 50);
    EXPECT_EQ(std::vector<int32_t>({g_Game.board.round, g_Game.board.mapIndex, g_Game.board.score}),
              std::vector<int32_t>({1, 1, 9700}));
    EXPECT_EQ(TreasureCells().size(), 25u);
    EXPECT_EQ(g_Game.board.found, (std::array<int32_t, 5>{}));
}

TEST_F(GameFlowTest, VictoryTalliesTurnsIntoPointsAndEntersTheHighScores) {
    StartGame();
    g_Game.board.round = 8;
    FindAllTreasure();
    HoldSpace();
    ASSERT_TRUE(RunUntil(GameState::Victory));
    const int32_t before = g_Game.board.score;
    const int32_t turns = g_Game.board.turnsLeft;
    ASSERT_EQ(turns, 70);
    const uint32_t start = FrameTimer::Now();
    // The tally, the congratulations panel and the hall-of-fame notice run in one update.
    ASSERT_TRUE(RunUntil(GameState::Idle, 200));
    EXPECT_GE(FrameTimer::Elapsed(start), static_cast<int32_t>(turns * 100));
    EXPECT_EQ(g_Game.board.turnsLeft, 0);
    EXPECT_EQ(g_Game.board.score, before + 10000 * turns);
    EXPECT_EQ(g_Game.GetLastScore(), g_Game.board.score);
    ScoreTable saved;
    ASSERT_EQ(saved.Load("hiscore.dat"), 1);
    EXPECT_EQ(std::make_pair(saved.entries[0].score, std::string(saved.entries[0].name)),
              std::make_pair(g_Game.board.score, std::string("Player1:::Y")));
}

// Writes the first 1000 bytes, then finds the disk full: the save fails part way.
ssize_t FullDiskWrite(int fd, const void* data, size_t size) {
    static size_t total = 0;
    if (total >= 1000) {
        errno = ENOSPC;
        return -1;
    }
    const size_t n = std::min(size, 1000 - total);
    total += n;
    return ::write(fd, data, n);
}

class HighScoreSaveFailureTest : public GameTest {
protected:
    void SetUp() override {
        // The debug log is read from the environment at its first message.
        setenv("REEF_DEBUG_LOG", "1", 1);
        GameTest::SetUp();
    }
    void TearDown() override {
        g_HighScoreWrite = ::write;
        GameTest::TearDown();
    }
};

TEST_F(HighScoreSaveFailureTest, AFailedSaveKeepsTheOldTableAndIsSaidAndLogged) {
    ASSERT_EQ(ScoreTable({{"Ann:::Y", 100}}).Save("hiscore.dat"), 1);
    const std::string before = ReadText("hiscore.dat");
    g_HighScoreWrite = FullDiskWrite;

    PlayToGameOver(true);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(RunUntil(GameState::Idle));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(g_Game.highScores.TopScore(), 125);  // the game's own table took it
    EXPECT_EQ(ReadText("hiscore.dat"), before);
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        EXPECT_EQ(entry.path().filename().string().find("hiscore.dat.tmp"), std::string::npos);
    }
    const std::string line = "hiscore.dat could not be saved (No space left on device); it keeps the table it had";
    EXPECT_NE(said.find("reefhoard: " + line), std::string::npos) << said;
    EXPECT_NE(ReadText("debug.log").find(line), std::string::npos) << ReadText("debug.log");
}

TEST_F(GameFlowTest, MenuWithoutALauncherGoesOnAndWithOneHandsOverAsExitDoes) {
    EXPECT_EQ(g_Game.GetState(), GameState::Idle);  // entered on the idle board
    EXPECT_EQ(ClickButton("menu"), 1);
    EXPECT_EQ(g_Game.GetState(), GameState::Idle);
    SetLauncherDir((Dir().Path() / "shelf").c_str());
    for (const char* button : {"menu", "exit"}) EXPECT_EQ(ClickButton(button), Game::kQuit) << button;
}

TEST_F(GameFlowTest, EnteringTheBoardLoadsItsSpritesImagesAndSounds) {
    std::vector<std::string> sprites, images, sounds;
    for (int i = 0; i < g_SpritePool.sprites->Count(); ++i) sprites.push_back(g_SpritePool.sprites->Get(i)->name);
    // The two backgrounds come first.
    for (int i = 2; i < g_BoardScene.images->Count(); ++i) images.push_back(g_BoardScene.images->Get(i)->name);
    for (int i = 0; i < g_SoundManager.soundList->Count(); ++i) sounds.push_back(g_SoundManager.soundList->Get(i)->name);
    EXPECT_EQ(sprites, (std::vector<std::string>{"turnbonus3.bmp", "turnbonus6.bmp", "turnbonus9.bmp",
                                                 "turnbonus12.bmp", "turnbonus15.bmp"}));
    EXPECT_EQ(images, (std::vector<std::string>{"round1small.bmp", "round2small.bmp", "round3small.bmp",
                                                "round4small.bmp", "round5small.bmp", "round6small.bmp",
                                                "round7small.bmp", "round8small.bmp", "round9small.bmp",
                                                "g1.bmp", "g2.bmp", "g3.bmp", "g4.bmp", "g5.bmp"}));
    EXPECT_EQ(sounds, (std::vector<std::string>{"search", "1treasure", "2treasure", "3treasure", "4treasure",
                                                "5treasure", "advance", "negative", "gameover", "win",
                                                "newgame"}));
}

TEST_F(GameFlowTest, CaptionNamesTheCurrentPlayer) {
    SetDisplayTitle("Reef Hoard");
    Dir().Write("options.ini", "[setup]\nplayerid=2\n[Player3]\nname=Ann\n");
    StartGame();
    EXPECT_EQ(plat::DescribeWindow(g_Shell.window).title, "Reef Hoard - Ann");
}

TEST_F(GameFlowTest, ASecondNewGameReadsTheMapsAndTheHighScoresAgain) {
    StartGame();
    const int cell = QuietSeaCell();
    ASSERT_EQ(g_Game.board.cells[cell].island, -1);
    // Another map file and another table, as if another program wrote them.
    std::string maps(Board::kMapCount * Board::kCellCount, '\xFF');
    maps[cell] = 5;
    std::filesystem::remove("islands.dat");  // a link into the build's game folder
    WriteText("islands.dat", maps);
    ASSERT_EQ(ScoreTable({{"someone", 4321}}).Save("hiscore.dat"), 1);

    StartGame();
    EXPECT_EQ(std::make_pair(g_Game.board.cells[cell].island, g_Game.highScores.TopScore()), std::make_pair(5, 4321));
}

TEST_F(GameFlowTest, PanelClosesOnTheSpaceBarAndOnAClick) {
    HoldSpace();
    EXPECT_EQ(g_Game.ShowPanel(Game::kRoundPanel), 1);
    HoldSpace(false);
    // A click anywhere on the picture, queued before the panel opens.
    for (uint32_t message : {plat::WM_MOUSEMOVE, plat::WM_LBUTTONDOWN, plat::WM_LBUTTONUP}) Post(message, 300, 300);
    EXPECT_EQ(g_Game.ShowPanel(Game::kGameOverPanel), 1);
}

TEST_F(GameFlowTest, ClosingTheWindowDuringAPanelEndsTheProgramCleanly) {
    const plat::TimerId closer = plat::StartPeriodicTimer(300, PostClose, g_Shell.window);
    ClickButton("newgame");
    plat::StopPeriodicTimer(closer);
    EXPECT_FALSE(plat::IsWindow(g_Shell.window));
    EXPECT_TRUE(g_BoardScene.buttons == nullptr && g_Game.pointsImages == nullptr);
}

}  // namespace
