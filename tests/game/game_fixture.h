#pragma once
// The whole game on the headless shell: the generated game files linked into
// a scratch folder, start-up with a fixed seed, the board scene entered, and
// helpers that play as a person would, through window messages.
#include "game/board_scene.h"
#include "game/game.h"
#include "game_folder.h"
#include "headless_shell.h"
#include "runtime/message_pump.h"
#include "runtime/shell_state.h"
#include "scene/application.h"
#include "scene/button_list.h"
#include "shell/start_up.h"

// The round's treasure cells, in index order.
inline std::vector<int> TreasureCellsOf(const Board& board) {
    std::vector<int> cells;
    for (int i = 0; i < Board::kCellCount; ++i) {
        if (board.cells[i].kind != 0) cells.push_back(i);
    }
    return cells;
}

// A sea cell that holds nothing and has no treasure next to it.
inline int QuietSeaCellOf(const Board& board) {
    for (int i = 0; i < Board::kCellCount; ++i) {
        if (Board::IsExcluded(i) || board.IsIsland(i) || board.cells[i].kind != 0) continue;
        bool treasureNear = false;
        Board::WalkRing(i, 1, [&](int n) { treasureNear |= board.cells[n].kind != 0; });
        if (!treasureNear && Board::Row(i) > 3 && Board::Column(i) > 3) return i;
    }
    return -1;
}

class GameTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        // The game's folder sits one below the test's, so that "..\options.ini"
        // is the test's own.
        // The splash's and credits' five-second waits are of no use here.
        omitted.insert(omitted.end(), {"TovaliSplash.bmp", "TovaliCredit.bmp"});
        LinkGameFolder(Dir().Path() / "game", omitted);
        std::filesystem::current_path(Dir().Path() / "game");
        g_Shell.seedGiven = true;
        g_Shell.seed = 1;
        ASSERT_TRUE(StartUp(nullptr, nullptr, "", 0));
        g_Application.SetDisplay(g_Shell.directDraw, &g_Shell.page);
        g_Application.AddScene(&g_BoardScene);
        g_Application.SelectScene("treasure");
    }
    void TearDown() override {
        plat::HeadlessDisplay().SetKeyDown(plat::VK_SPACE, false);
        if (plat::IsWindow(g_Shell.window)) plat::DestroyWindow(g_Shell.window);
        HeadlessShell::TearDown();
    }

    // One pass of the main loop; the scene's result (7 ends the program).
    int Frame() {
        if (PumpMessages() == 1) return Game::kQuit;
        return g_Application.RunFrame(1);
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
    static void Post(uint32_t message, int32_t x = 0, int32_t y = 0) {
        plat::PostMessage(g_Shell.window, message, 0, plat::MakeLParam(x, y));
    }
    // A press and its release at (x, y), one frame each; the result of the
    // frame that saw the release.
    int Click(int32_t x, int32_t y) {
        Post(plat::WM_MOUSEMOVE, x, y);
        Post(plat::WM_LBUTTONDOWN, x, y);
        Frame();
        Post(plat::WM_LBUTTONUP, x, y);
        return Frame();
    }
    // A point that only this cell's hit box holds.
    int ClickCell(int cell) { return Click(Board::CellX(cell) + 9, Board::CellY(cell) + 8); }
    int ClickButton(const char* name) {
        Button* button = g_BoardScene.buttons->Find(name);
        EXPECT_NE(button, nullptr) << name;
        if (button == nullptr) return 0;
        return Click(button->x + button->width / 2, button->y + button->height / 2);
    }
    // Every panel closes at its first pass, as if the space bar were held.
    static void HoldSpace(bool down = true) { plat::HeadlessDisplay().SetKeyDown(plat::VK_SPACE, down); }
    // A new game with its round panel closed by the space bar.
    void StartGame() {
        HoldSpace();
        ClickButton("newgame");
        HoldSpace(false);
        ASSERT_EQ(g_Game.GetState(), GameState::Playing);
    }
    // A new game brought to its end on its last turn, after one find (125
    // points) or none, with the game-over panel set to close at its first pass.
    void PlayToGameOver(bool findFirst) {
        StartGame();
        if (findFirst) ClickCell(TreasureCells()[0]);
        g_Game.board.turnsLeft = 1;
        ClickCell(QuietSeaCell());
        EXPECT_EQ(g_Game.GetState(), GameState::GameOver);
        HoldSpace();
    }
    // Runs frames until the game is in that state, at most limit frames.
    bool RunUntil(GameState state, int limit = 400) {
        for (int i = 0; i < limit && g_Game.GetState() != state; ++i) Frame();
        return g_Game.GetState() == state;
    }
    static std::vector<int> TreasureCells() { return TreasureCellsOf(g_Game.board); }
    // Finds every treasure of the round in one streak.
    void FindAllTreasure() {
        for (int cell : TreasureCells()) ClickCell(cell);
    }
    static int QuietSeaCell() { return QuietSeaCellOf(g_Game.board); }
    // Files the test's game folder lacks, set before SetUp.
    std::vector<std::string> omitted;

    static plat::Surface* Shown() { return plat::HeadlessDisplay().LastPresented(); }
};
