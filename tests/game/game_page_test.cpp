// The game on a page and a clock the test makes: a Game and its BoardScene
// entered on two surfaces of the test's own, restored through the test's own
// manager, played through the test's own mouse on the headless virtual
// clock, without the program's start-up.
#include "display/dirty_rect_manager.h"
#include "game/random.h"
#include "game_fixture.h"
#include "runtime/frame_timer.h"
#include "surface_test_util.h"

namespace {

// The test's two pages: a flip shows the back page by swapping it with the
// shown one and lets one frame of virtual time pass, as the display does.
OwnedSurface g_back, g_shown;
int g_flips = 0;

int FlipTestPages() {
    g_back->SwapPixels(*g_shown);
    ++g_flips;
    plat::HeadlessClock().Advance(FrameTimer::kPeriodMs);
    return 0;
}

class GamePageTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        LinkGameFolder(Dir().Path() / "game", {});
        std::filesystem::current_path(Dir().Path() / "game");
        // The display's device makes the surfaces pictures are cut into;
        // its own pages go unused.
        OpenDisplay();
        ASSERT_TRUE(FrameTimer::Start());
        SeedRandom(1);
        g_back.reset(FilledSurface(800, 600, 0));
        g_shown.reset(FilledSurface(800, 600, 0));
        page.back = g_back.get();
        page.dirtyRects = &dirtyRects;
        page.mouse = &mouse;
        page.flip = FlipTestPages;
        scene.Enter(nullptr, &page);
        ASSERT_TRUE(scene.MissingPicture()) << scene.MissingPicture().Why();
    }
    void TearDown() override {
        scene.Leave();
        FrameTimer::Stop();
        HeadlessShell::TearDown();
    }
    // A press and its release at (x, y), one frame each.
    void Click(int32_t x, int32_t y) {
        mouse.SetPosition(x, y);
        mouse.SetLeftButton(1);
        scene.Run(1);
        mouse.SetLeftButton(0);
        scene.Run(1);
    }
    void ClickCell(int cell) { Click(Board::CellX(cell) + 9, Board::CellY(cell) + 8); }
    static uint16_t ShownAt(int cell) {
        return PixelAt(g_shown.get(), Board::CellX(cell) + 7, Board::CellY(cell) + 8);
    }

    DirtyRectManager dirtyRects;
    Mouse mouse;
    FramePage page;
    Game game;
    BoardScene scene{game};
};

TEST_F(GamePageTest, SearchesAndFindsShowOnTheGivenPage) {
    // A new game, its round panel closed by the space bar at its first pass.
    plat::HeadlessDisplay().SetKeyDown(plat::VK_SPACE, true);
    const Button* newGame = scene.buttons->Find("newgame");
    Click(newGame->x + newGame->width / 2, newGame->y + newGame->height / 2);
    plat::HeadlessDisplay().SetKeyDown(plat::VK_SPACE, false);
    ASSERT_EQ(game.GetState(), GameState::Playing);
    for (int i = 0; i < 2; ++i) scene.Run(1);  // the pages show the board again, the panel gone from both

    // An empty search plays its wave out on this page, ring by ring, and
    // leaves its mark on the cell shown there.
    const int quiet = QuietSeaCellOf(game.board);
    const uint16_t hidden = ShownAt(quiet);
    const int flips = g_flips;
    ClickCell(quiet);
    EXPECT_TRUE(g_flips - flips > 10 && game.board.turnsLeft < Game::kTurnsPerGame);
    EXPECT_NE(ShownAt(quiet), hidden);

    game.board.bonusUntil = FrameTimer::Now() + 1000;  // the turn bonus up too
    ClickCell(TreasureCellsOf(game.board)[0]);
    EXPECT_GT(game.board.score, 0);
    // Cells, digits, floating scores and the turn bonus all went to the page's manager.
    EXPECT_EQ(g_DirtyRects.lists[0]->Count() + g_DirtyRects.lists[1]->Count(), 0);
}

}  // namespace
