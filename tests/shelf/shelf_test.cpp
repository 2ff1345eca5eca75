#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "game/high_score_table.h"
#include "headless_shell.h"
#include "platform/process.h"
#include "runtime/shell_state.h"
#include "shelf/game_launch.h"
#include "shelf/shelf_scene.h"

namespace {
namespace fs = std::filesystem;

// The launcher works in the game's folder, "game" here, with the shared
// options file one folder up.
class Shelf : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        fs::create_directory("game");
        fs::current_path("game");
    }
    void EnterScene() {
        OpenDisplay();
        QVGetDDInfo(&g_Shell.primary, &g_Shell.backBuffer);
        g_ShelfScene.Enter(nullptr, g_Shell.backBuffer);
    }
    void TearDown() override {
        g_ShelfScene.Leave();
        HeadlessShell::TearDown();
    }
};

TEST_F(Shelf, OptionsWriteTheGamesKeysAndKeepEveryOtherLine) {
    Dir().Write("options.ini", "; my own notes\r\n[setup]\r\nplayerid=0\r\nmusic=Y\r\n[mine]\r\nkey=value\r\n");
    Dir().Write("game/setup.ini", "[setup]\r\nfullscreen=0\r\nx=12\r\n");
    EnterScene();
    g_ShelfScene.ShowPage(ShelfScene::Page::Options);
    for (const char* button : {"music", "effects", "fullscreen", "sharp"}) g_ShelfScene.Activate(button);
    EXPECT_EQ(ReadText(Dir().Path() / "options.ini"),
              "; my own notes\r\n[setup]\r\nplayerid=0\r\nmusic=N\r\nSFX=N\r\n[mine]\r\nkey=value\r\n");
    EXPECT_EQ(ReadText("setup.ini"), "[setup]\r\nfullscreen=1\r\nx=12\r\nscale=sharp\r\n");
    // Switched back on, from what the file says now.
    g_ShelfScene.Activate("music");
    EXPECT_NE(ReadText(Dir().Path() / "options.ini").find("music=Y"), std::string::npos);
}

TEST_F(Shelf, KeysMoveTheFocusPressButtonsAndEscapeGoesBackBeforeItQuits) {
    EnterScene();
    const auto key = [](int code) { return g_ShelfScene.OnMessage(nullptr, plat::WM_KEYUP, code, 0); };
    key(plat::VK_TAB);
    key(plat::VK_RETURN);  // the second button: Options
    EXPECT_EQ(g_ShelfScene.CurrentPage(), ShelfScene::Page::Options);
    EXPECT_EQ(key(plat::VK_ESCAPE), 0);  // taken: back to the menu, the window stays
    EXPECT_EQ(g_ShelfScene.CurrentPage(), ShelfScene::Page::Menu);
    key(plat::VK_UP);
    key(plat::VK_UP);
    key(plat::VK_RETURN);  // from the first button up past the last, Quit, to How to Play
    EXPECT_EQ(g_ShelfScene.CurrentPage(), ShelfScene::Page::HowToPlay);
    key(plat::VK_ESCAPE);
    EXPECT_EQ(key(plat::VK_ESCAPE), 1);  // on the menu it is the window's: it closes
}

TEST_F(Shelf, HallOfFameShowsTheSavedTableInOrderAndMarksTheCurrentPlayer) {
    Dir().Write("options.ini", "[setup]\r\nplayerid=1\r\n[Player2]\r\nname=Ada Lovelace\r\n");
    HighScoreTable table;
    table.Create(HighScoreTable::kGameEntries);
    table.Insert("Ada Lovelace:London:ada@example.org:Y", 500);
    table.Insert("Bob:::Y", 900);
    table.Insert("Ada Lovelace:::N", 100);
    ASSERT_EQ(table.Save("hiscore.dat"), 1);
    EnterScene();
    g_ShelfScene.ShowPage(ShelfScene::Page::HallOfFame);
    const std::vector<HallOfFameRow>& rows = g_ShelfScene.HallRows();
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(std::make_tuple(rows[0].name, rows[0].score, rows[0].current), std::make_tuple("Bob", 900, false));
    EXPECT_EQ(std::make_tuple(rows[1].name, rows[1].score, rows[1].current),
              std::make_tuple("Ada Lovelace", 500, true));
    EXPECT_TRUE(rows[2].current);
    EXPECT_EQ(rows[3].name, "");
    EXPECT_FALSE(rows[3].current);

    fs::remove("hiscore.dat");
    g_ShelfScene.ShowPage(ShelfScene::Page::HallOfFame);
    EXPECT_EQ(g_ShelfScene.HallRows().size(), 20u);
    EXPECT_EQ(g_ShelfScene.HallRows()[0].name, "");
}

TEST_F(Shelf, PlayStartsTheGameInItsFolderWithTheLaunchersFolder) {
    EXPECT_EQ(LaunchGame(), "");  // no game program anywhere
    Dir().Write("game/reefhoard", "#!/bin/sh\nprintf '%s %s' \"$1\" \"$(pwd)\" > answer.tmp && mv answer.tmp answer\n");
    fs::permissions("reefhoard", fs::perms::owner_all);
    const std::string launcher = plat::ProgramFolder();
    EXPECT_EQ(LaunchGame(), (Dir().Path() / "game/reefhoard").string() + " " + launcher);
    for (int i = 0; i < 500 && !fs::exists("answer"); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(ReadText("answer"), launcher + " " + fs::canonical(".").string());
}

}  // namespace
