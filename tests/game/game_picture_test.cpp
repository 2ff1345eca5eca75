// What the player sees of a game, read from the presented page: the status
// numbers, the completed-kind icons, a wave's front ring, both display pages.
#include <filesystem>
#include <string>
#include <vector>

#include "display/dirty_rect_manager.h"
#include "display/frames.h"
#include "game_fixture.h"
#include "runtime/frame_timer.h"
#include "surface_test_util.h"

namespace {

using Pixels = std::vector<uint16_t>;

Pixels Copy(plat::Surface* s) {
    Pixels pixels;
    for (int y = 0; y < s->Height(); ++y) {
        for (int x = 0; x < s->Width(); ++x) pixels.push_back(PixelAt(s, x, y));
    }
    return pixels;
}

// Whether the screen at (x, y) shows the picture's non-transparent pixels.
bool Shows(plat::Surface* screen, int x, int y, plat::Surface* picture) {
    for (int py = 0; py < picture->Height(); ++py) {
        for (int px = 0; px < picture->Width(); ++px) {
            const uint16_t expected = PixelAt(picture, px, py);
            if (expected != kBlue565 && PixelAt(screen, x + px, y + py) != expected) return false;
        }
    }
    return true;
}

class GamePictureTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_EQ(LoadFrames("NumberFont.bmp", &digits, 13, 20, nullptr), 1);
        ASSERT_EQ(LoadFrames("tileset.bmp", &tiles, 14, 17, nullptr), 1);
    }
    void TearDown() override {
        for (PtrList<plat::Surface>* list : {&digits, &tiles}) {
            for (int i = 0; i < list->Count(); ++i) list->Get(i)->Release();
        }
        GameTest::TearDown();
    }
    PtrList<plat::Surface> digits, tiles;
};

TEST_F(GamePictureTest, StatusShowsTurnsAsThreeDigitsAndScoresRightAligned) {
    StartGame();
    g_Game.board.turnsLeft = 7;
    g_Game.board.score = 1234;
    Frames(2);
    // Each row: x, y and the digit shown there. Turns: three digits of pitch 13
    // centred on 712; the score's last digit at 755; the round, left-aligned.
    const int shown[][3] = {{693, 165, 0}, {706, 165, 0}, {719, 165, 7}, {755, 77, 4}, {755 - 3 * 13, 77, 1}, {706, 370, 1}};
    for (auto [x, y, digit] : shown) EXPECT_TRUE(Shows(Shown(), x, y, digits.Get(digit))) << x << "," << y;
}

TEST_F(GamePictureTest, CompletedKindsShowTheirIcons) {
    StartGame();
    g_Game.board.found = {5, 0, 5, 0, 0};
    Frames(2);
    Image* first = g_BoardScene.FindImage("g1.bmp");
    Image* second = g_BoardScene.FindImage("g2.bmp");
    Image* third = g_BoardScene.FindImage("g3.bmp");
    ASSERT_TRUE(first && second && third);
    EXPECT_TRUE(Shows(Shown(), 674, 225, first->GetSurface()));
    EXPECT_FALSE(Shows(Shown(), 690, 225, second->GetSurface()));
    EXPECT_TRUE(Shows(Shown(), 706, 225, third->GetSurface()));
}

TEST_F(GamePictureTest, WaveLeavesItsFrontRingInTheWaveColour) {
    StartGame();
    const int searched = QuietSeaCell();
    ClickCell(searched);
    Frames(2);
    int front = 0;
    for (int i = 0; i < Board::kCellCount; ++i) {
        const Cell& cell = g_Game.board.cells[i];
        if (cell.state != CellState::kWave || cell.island != -1 || Board::IsExcluded(i)) continue;
        ++front;
        EXPECT_EQ(PixelAt(Shown(), Board::CellX(i) + 7, Board::CellY(i) + 8),
                  PixelAt(tiles.Get(CellState::kWave), 7, 8))
            << "cell " << i;
    }
    EXPECT_GT(front, 6);
    EXPECT_TRUE(Shows(Shown(), Board::CellX(searched), Board::CellY(searched),
                      tiles.Get(CellState::kCurrent)));
}

TEST_F(GamePictureTest, BothPagesShowTheBoardAfterAPanelCloses) {
    StartGame();
    Frame();
    const Pixels first = Copy(Shown());
    Frame();
    const Pixels second = Copy(Shown());
    EXPECT_TRUE(first == second);
    // An island cell of the first map is drawn on the page shown.
    for (int i = 0; i < Board::kCellCount; ++i) {
        if (!g_Game.board.IsIsland(i) || Board::IsExcluded(i)) continue;
        EXPECT_NE(PixelAt(Shown(), Board::CellX(i) + 7, Board::CellY(i) + 8),
                  PixelAt(g_DirtyRects.GetBackdrop(), Board::CellX(i) + 7, Board::CellY(i) + 8));
        break;
    }
}

void ClickMiddle(void* window) {
    auto* w = static_cast<plat::WindowHandle>(window);
    const intptr_t middle = plat::MakeLParam(400, 300);
    plat::PostMessage(w, plat::WM_MOUSEMOVE, 0, middle);
    plat::PostMessage(w, plat::WM_LBUTTONDOWN, 0, middle);
    plat::PostMessage(w, plat::WM_LBUTTONUP, 0, middle);
}

TEST_F(GamePictureTest, HelpShowsTheRulesUntilClickedThenTheBoardAsItWas) {
    StartGame();
    ClickCell(TreasureCells()[0]);
    ClickCell(QuietSeaCell());
    Frames(150);  // the find's points have risen away
    const Pixels before = Copy(Shown());

    const uint32_t start = FrameTimer::Now();
    const plat::TimerId clicker = plat::StartPeriodicTimer(500, ClickMiddle, g_Shell.window);
    EXPECT_EQ(ClickButton("help"), 1);
    plat::StopPeriodicTimer(clicker);
    EXPECT_GE(FrameTimer::Elapsed(start), 500);
    EXPECT_EQ(g_Game.GetState(), GameState::Playing);
    // The page under the rules, islands, the find and the wave's marks, on
    // both pages.
    for (int page = 0; page < 2; ++page) {
        Frame();
        EXPECT_TRUE(Copy(Shown()) == before) << "page " << page;
    }
}

}  // namespace
