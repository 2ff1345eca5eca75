// What the player sees of a game, read from the presented page: the status
// numbers, the completed-kind icons, the turn-bonus notice, a wave's front
// ring, the panels, the blinking new-game button, both display pages.
#include <cstdio>
#include <list>

#include "display/dirty_rect_manager.h"
#include "display/frames.h"
#include "display/image.h"
#include "game_fixture.h"
#include "runtime/frame_timer.h"
#include "surface_test_util.h"

namespace {

// Whether the screen at (x, y) shows the picture's non-transparent pixels.
bool Shows(plat::Surface* screen, int x, int y, plat::Surface* picture) {
    const std::vector<uint16_t> shown = Pixels(screen), wanted = Pixels(picture);
    for (int py = 0; py < picture->Height(); ++py) {
        for (int px = 0; px < picture->Width(); ++px) {
            const uint16_t expected = wanted[py * picture->Width() + px];
            const int sx = x + px, sy = y + py;
            if (expected == kBlue565) continue;
            if (sx < 0 || sy < 0 || sx >= screen->Width() || sy >= screen->Height()) return false;
            if (shown[sy * screen->Width() + sx] != expected) return false;
        }
    }
    return true;
}

class GamePictureTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        digits = &Strip("NumberFont.bmp", 10);
        tiles = &Strip("tileset.bmp", 11);
    }
    void TearDown() override {
        for (PtrList<plat::Surface>& frames : strips) {
            for (int i = 0; i < frames.Count(); ++i) frames.Get(i)->Release();
        }
        GameTest::TearDown();
    }
    // The file's picture cut into that many frames side by side, kept until
    // the test ends.
    PtrList<plat::Surface>& Strip(const char* file, int count) {
        PtrList<plat::Surface>& frames = strips.emplace_back();
        Image picture(file);
        plat::Surface* whole = picture.GetSurface();
        EXPECT_NE(whole, nullptr) << file;
        if (whole != nullptr) {
            EXPECT_TRUE(SliceFrames(whole, &frames, whole->Width() / count, whole->Height(), nullptr));
        }
        return frames;
    }
    // Frames until the clock has passed that time.
    void RunTo(uint32_t time) {
        while (FrameTimer::Elapsed(time) < 0) Frame();
    }
    std::list<PtrList<plat::Surface>> strips;
    PtrList<plat::Surface>* digits = nullptr;
    PtrList<plat::Surface>* tiles = nullptr;
};

TEST_F(GamePictureTest, StatusShowsTurnsAsThreeDigitsAndScoresRightAligned) {
    StartGame();
    g_Game.board.turnsLeft = 7;
    g_Game.board.score = 1234;
    Frames(2);
    // Each row: x, y and the digit shown there. Turns: three digits of pitch 13
    // centred on 712; the score's last digit at 755; the round, left-aligned.
    const int shown[][3] = {{693, 165, 0}, {706, 165, 0}, {719, 165, 7}, {755, 77, 4}, {755 - 3 * 13, 77, 1}, {706, 370, 1}};
    for (auto [x, y, digit] : shown) EXPECT_TRUE(Shows(Shown(), x, y, digits->Get(digit))) << x << "," << y;
}

TEST_F(GamePictureTest, CompletedKindsShowTheirIcons) {
    StartGame();
    g_Game.board.found = {5, 0, 5, 0, 0};
    Frames(2);
    for (int kind = 0; kind < 3; ++kind) {
        Image* icon = g_BoardScene.FindImage(("g" + std::to_string(kind + 1) + ".bmp").c_str());
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(Shows(Shown(), 674 + 16 * kind, 225, icon->GetSurface()), kind != 1) << kind;
    }
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
                  PixelAt(tiles->Get(CellState::kWave), 7, 8))
            << "cell " << i;
    }
    EXPECT_GT(front, 6);
    EXPECT_TRUE(Shows(Shown(), Board::CellX(searched), Board::CellY(searched),
                      tiles->Get(CellState::kCurrent)));
}

TEST_F(GamePictureTest, BothPagesShowTheBoardAfterAPanelCloses) {
    StartGame();
    Frame();
    const std::vector<uint16_t> first = Pixels(Shown());
    Frame();
    EXPECT_TRUE(Pixels(Shown()) == first);
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
    for (uint32_t message : {plat::WM_MOUSEMOVE, plat::WM_LBUTTONDOWN, plat::WM_LBUTTONUP})
        plat::PostMessage(w, message, 0, plat::MakeLParam(400, 300));
}

TEST_F(GamePictureTest, HelpShowsTheRulesUntilClickedThenTheBoardAsItWas) {
    StartGame();
    ClickCell(TreasureCells()[0]);
    ClickCell(QuietSeaCell());
    Frames(150);  // the find's points have risen away
    const std::vector<uint16_t> before = Pixels(Shown());

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
        EXPECT_TRUE(Pixels(Shown()) == before) << "page " << page;
    }
}

TEST_F(GamePictureTest, RoundPanelShowsThePictureOfItsRound) {
    HoldSpace();
    for (int round = 0; round < Game::kRounds; ++round) {
        g_Game.board.round = round;
        ASSERT_EQ(g_Game.ShowPanel(Game::kRoundPanel), 1);
        char file[32];
        std::snprintf(file, sizeof file, "round%d.bmp", round + 1);
        EXPECT_TRUE(Shows(Shown(), 135, 153, Strip(file, 1).Get(0))) << file;
    }
}

TEST_F(GamePictureTest, TurnBonusShowsOnlyItsOwnSpriteForTwoSecondsFromTheLastAward) {
    std::vector<PtrList<plat::Surface>*> pictures;  // of the awards 3, 6, 9, 12, 15
    for (int award = 3; award <= 15; award += 3) {
        pictures.push_back(&Strip(("turnbonus" + std::to_string(award) + ".bmp").c_str(), 2));
    }
    // The awards whose picture, either of its two frames, the page shows.
    auto shown = [&] {
        std::vector<int> awards;
        for (size_t i = 0; i < pictures.size(); ++i) {
            if (Shows(Shown(), 662, 139, pictures[i]->Get(0)) || Shows(Shown(), 662, 139, pictures[i]->Get(1))) {
                awards.push_back(3 * static_cast<int>(i + 1));
            }
        }
        return awards;
    };
    StartGame();
    const uint32_t start = FrameTimer::Now();
    g_Game.ShowTurnBonus(6);
    RunTo(start + 1950);
    EXPECT_EQ(shown(), std::vector<int>{6});
    RunTo(start + 2050);
    EXPECT_EQ(shown(), std::vector<int>{});

    g_Game.ShowTurnBonus(6);
    RunTo(start + 3000);
    g_Game.ShowTurnBonus(12);  // within the first award's two seconds
    RunTo(start + 4950);
    EXPECT_EQ(shown(), std::vector<int>{12});
    RunTo(start + 5050);
    EXPECT_EQ(shown(), std::vector<int>{});
}

TEST_F(GamePictureTest, IdleNewGameButtonAlternatesItsPictureEvery500Ms) {
    Button* button = g_BoardScene.buttons->Find("newgame");
    ASSERT_NE(button, nullptr);
    auto picture = [&] {
        const std::vector<uint16_t> page = Pixels(Shown());
        std::vector<uint16_t> area;
        for (int y = button->y; y < button->y + button->height; ++y) {
            area.insert(area.end(), page.begin() + y * 800 + button->x, page.begin() + y * 800 + button->x + button->width);
        }
        return area;
    };
    Frames(30);  // past start-up's first pages
    std::vector<std::vector<uint16_t>> pictures{picture()};
    // The clock of each frame that changed the picture, and of each frame
    // with the time its present was told nothing new comes before.
    std::vector<uint32_t> changes;
    std::vector<std::pair<uint32_t, uint32_t>> foretold;
    for (const uint32_t start = FrameTimer::Now(); FrameTimer::Elapsed(start) < 2100;) {
        const uint32_t at = FrameTimer::Now();
        Frame();
        foretold.emplace_back(at, at + plat::HeadlessDisplay().LastPresentQuietMs());
        if (picture() == pictures.back()) continue;
        pictures.push_back(picture());
        changes.push_back(at);
    }
    ASSERT_EQ(changes.size(), 4u);
    // More than 500 ms: the first frame after, at 10 ms a frame.
    for (size_t i = 1; i < changes.size(); ++i) EXPECT_EQ(changes[i] - changes[i - 1], 510u) << i;
    // Two pictures in turn.
    EXPECT_TRUE(pictures[0] == pictures[2] && pictures[1] == pictures[3] && pictures[0] != pictures[1]);
    // Each frame's present may rest until the next blink, and no longer.
    for (const auto& [at, until] : foretold) {
        const auto next = std::upper_bound(changes.begin(), changes.end(), at);
        if (next != changes.end()) {
            EXPECT_EQ(until, *next) << at;
        }
    }
}

TEST_F(GamePictureTest, BoardRestsOnlyWhileNothingMovesOrIsDue) {
    auto restsAfterFrame = [this] {
        Frame();
        return plat::HeadlessDisplay().LastPresentQuietMs() > 0;
    };
    Frames(30);
    EXPECT_TRUE(restsAfterFrame());
    g_Game.board.cells[0].kind = 1;
    g_Game.SpawnFloatingScore(0, 1);
    ASSERT_EQ(g_Game.floatingScores->Count(), 1);
    EXPECT_FALSE(restsAfterFrame());
    RunTo(FrameTimer::Now() + FloatingScore::kLifetimeMs + 20);
    ASSERT_EQ(g_Game.floatingScores->Count(), 0);
    EXPECT_TRUE(restsAfterFrame());
    g_Game.ShowTurnBonus(3);
    EXPECT_FALSE(restsAfterFrame());
    // A turn waits for the player's click; the press that ends the game has
    // the ending's deadline to keep.
    RunTo(FrameTimer::Now() + 2000);
    StartGame();
    EXPECT_TRUE(restsAfterFrame());
    g_Game.board.turnsLeft = 1;
    const int cell = QuietSeaCell();
    Post(plat::WM_MOUSEMOVE, Board::CellX(cell) + 9, Board::CellY(cell) + 8);
    Post(plat::WM_LBUTTONDOWN, Board::CellX(cell) + 9, Board::CellY(cell) + 8);
    EXPECT_FALSE(restsAfterFrame());
    EXPECT_EQ(g_Game.GetState(), GameState::GameOver);
}

// The times of the presented pages that showed the hall-of-fame notice.
struct NoticeWatch {
    plat::Surface* notice = nullptr;
    std::vector<uint32_t> shownAt;
};

void WatchNotice(void* user) {
    auto* watch = static_cast<NoticeWatch*>(user);
    if (Shows(plat::HeadlessDisplay().LastPresented(), 250, 202, watch->notice)) {
        watch->shownAt.push_back(FrameTimer::Now());
    }
}

TEST_F(GamePictureTest, HallOfFameNoticeShowsForASecondOnlyWhenTheScoreEntersTheTable) {
    static NoticeWatch watch;  // outlives the window, whose last pages are watched too
    watch.notice = Strip("hallfamepop.bmp", 1).Get(0);
    plat::SetPresentHook(WatchNotice, &watch);
    for (bool findFirst : {true, false}) {
        watch.shownAt.clear();
        PlayToGameOver(findFirst);  // the notice has no key: it shows its time
        ASSERT_TRUE(RunUntil(GameState::Idle));
        // From the first page that showed it to the last; -1 when none did.
        const int64_t shownFor =
            watch.shownAt.empty() ? -1 : int64_t{watch.shownAt.back() - watch.shownAt.front()};
        // A score of 0 does not enter.
        EXPECT_NEAR(shownFor, findFirst ? 1000 : -1, findFirst ? 20 : 0) << findFirst;
    }
    plat::SetPresentHook(nullptr, nullptr);
}

}  // namespace
