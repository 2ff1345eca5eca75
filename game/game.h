#pragma once
// Game: the flow of the treasure search from start-up to exit. It reads the
// game's settings, starts new games, turns clicks into searches, reacts to
// the four buttons, moves from round to round, ends a game in victory or game
// over, and records high scores. The board scene calls Init when it is
// entered and Update once per frame.
#include <cstdint>

#include "base/ptr_list.h"
#include "game/board.h"
#include "game/floating_score.h"
#include "game/game_base.h"
#include "game/high_score_table.h"
#include "game/search_host.h"
#include "platform/surface.h"
#include "scene/scene.h"

class BoardScene;
class DialogScene;

class Game : public GameBase, public SearchHost {
public:
    static constexpr int kGoOn = 5;
    static constexpr int kQuit = Scene::kQuit;
    static constexpr int32_t kTurnsPerGame = 25;
    static constexpr int32_t kTurnsPerRightClick = 25;
    static constexpr int32_t kRounds = 9;
    static constexpr int32_t kTallyPointsPerTurn = 10000;
    static constexpr uint32_t kTallyStepMs = 100;
    static constexpr uint32_t kEndingWaitMs = 1000;
    static constexpr uint32_t kBlinkMs = 500;
    static constexpr uint32_t kTurnBonusMs = 2000;
    static constexpr uint32_t kHallOfFameMs = 1000;

    // Which picture ShowPanel shows.
    enum Panel { kRoundPanel = 0, kGameOverPanel = 1, kCongratulationsPanel = 2 };

    Game() = default;
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The scene whose buttons, images, digits and presents the game uses.
    void Attach(BoardScene* boardScene) { scene = boardScene; }

    void Init() override;
    // Makes the board's maps if it has none yet; false, with failure saying
    // why, when there is no memory for them.
    bool AllocateMaps();
    void Unload() override;
    // kGoOn, or kQuit when the program is to end.
    int Update() override;

    // Reads the current player from the shared options file, shows the name
    // in the window caption and, given a buffer of 256, describes the player
    // into it.
    void LoadPlayer(char* description);
    // Each returns 1 to go on, 0 when the program is closing.
    int ShowPanel(Panel which);
    int ShowHallOfFame();
    int ShowHelp();

    void DrawRoundThumb();
    void DrawStatus(plat::Surface* surface);
    // Floating scores onto the back buffer, then the status onto surface.
    void DrawHud(plat::Surface* surface);
    void DrawFloatingScores();

    // What a search asks of the game.
    void RedrawDirtyCells() override;
    void PresentScene() override;
    void Pause(uint32_t milliseconds) override;
    void PlaySound(const char* name) override;
    void StopSound(const char* name) override;
    void SpawnFloatingScore(int cell, int pointsImage) override;
    void ShowTurnBonus(int bonus) override;

    int32_t setting = 0;  // "Reefhoards" of the setup file; stored only
    PtrList<plat::Surface>* pointsImages = nullptr;
    PtrList<FloatingScore>* floatingScores = nullptr;
    HighScoreTable highScores;
    // The maps are made by AllocateMaps, where running out of memory can be told.
    Board board{Board::MapsLater{}};
    // Why the game cannot go on (no memory for the maps, or for reading
    // islands.dat); the update that meets it ends the program.
    Status failure;
    // What the screen is busy with, for the built-in player: a search's
    // wave is running, or a modal panel is up.
    bool searching = false;
    bool panelShown = false;

private:
    // One state's work for this update; false when the program is closing.
    bool RunState(int32_t mouseX, int32_t mouseY, int32_t mouseButtons);
    void BlinkNewGameButton();
    // Tells the display that the board shows nothing new for ms unless input
    // comes; nothing while points float or the turn bonus shows.
    void RestIfStill(int32_t ms);
    void PlayTurn(int32_t mouseX, int32_t mouseY, int32_t mouseButtons);
    bool StartNewGame();
    bool AdvanceRound();
    bool FinishVictory();
    bool FinishGameOver();
    // Offers the final score to the table; false when the program is closing.
    bool EnterHighScore();
    bool DeadlineReached() const;
    // DoModal of the panel; false when the program is closing.
    bool RunModal(DialogScene& panel, const char* panelName, char* result);
    // A whole-screen restore with every cell drawn again, after a panel.
    void RestoreBoard();
    void ReadSettings();

    // The page of the attached scene, which everything the game draws goes
    // through: its back page is read at each use.
    FramePage& Page() const;
    plat::Surface* BackPage() const;

    BoardScene* scene = nullptr;
    int32_t previousButtons = 0;
    uint32_t deadline = 0;
    int32_t blinkToggle = 0;
    uint32_t lastBlink = 0;
};

extern Game g_Game;
