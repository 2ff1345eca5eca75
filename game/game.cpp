// The game flow: initialisation, the per-frame update with its buttons and
// states, the round advance, the two endings and the high-score entry.
#include "game/game.h"

#include "display/frames.h"
#include "game/board_scene.h"
#include "game/both_pages.h"
#include "game/player_store.h"
#include "platform/clock.h"
#include "platform/debug_log.h"
#include "platform/profile.h"
#include "platform/window.h"
#include "runtime/frame_timer.h"
#include "runtime/shell_state.h"
#include "scene/button_list.h"

Game g_Game;

namespace {
constexpr int32_t kPointsWidth = 24;
constexpr int32_t kPointsHeight = 12;
constexpr int32_t kLeftButton = 1;
constexpr int32_t kRightButton = 2;
constexpr const char* kHighScoreFile = "hiscore.dat";
constexpr const char* kSetupFile = ".\\setup.ini";
constexpr const char* kOptionsFile = "..\\options.ini";
}  // namespace

Game::~Game() { Unload(); }

void Game::Init() {
    Unload();
    failure = Status();
    if (!AllocateMaps()) return;
    PlaySound("reveal");
    if (pointsImages == nullptr) {
        pointsImages = new PtrList<plat::Surface>(1);
        NoteLeftOut(LoadFrames("scores.bmp", pointsImages, kPointsWidth, kPointsHeight, nullptr));
    }
    if (floatingScores == nullptr) floatingScores = new PtrList<FloatingScore>(1);
    ReadSettings();
    lastScore = 0;
    state = GameState::Idle;
    LoadPlayer(nullptr);
    board.SelectMap();
    board.ClearCells();
    board.tileSprite = scene != nullptr ? scene->tileset.get() : nullptr;
    board.islandSprite = scene != nullptr ? scene->islands.get() : nullptr;
    board.page = scene != nullptr ? scene->page : nullptr;
    failure = board.LoadIslands();
    if (!failure.Ok()) return;
    board.PlaceTreasures();
    highScores.Create(HighScoreTable::kGameEntries);
    highScores.Load(kHighScoreFile);
}

bool Game::AllocateMaps() {
    if (board.AllocateMaps()) return true;
    failure = Status::Failed("There is not enough memory for the island maps; the game cannot go on.");
    return false;
}

void Game::ReadSettings() {
    char value[256];
    plat::GetProfileString("default", "Reefhoards", "2", value, sizeof value, kSetupFile);
    setting = plat::LeadingInt(value);
    // The time limit is read and kept, but play has no time limit: the
    // countdown is stopped for good.
    plat::GetProfileString("default", "gametime", "200", value, sizeof value, kSetupFile);
    const int32_t limit = plat::LeadingInt(value);
    timing[0] = limit;
    timing[1] = limit;
    timing[2] = 30;
    timing[3] = 120;
    FrameTimer::SetSecondsLeft(limit);
    FrameTimer::StopCountdown();
}

void Game::Unload() {
    highScores.Free();
    // The floating scores show the points images' surfaces: they go first.
    if (floatingScores != nullptr) {
        floatingScores->DeleteAll();
        delete floatingScores;
        floatingScores = nullptr;
    }
    if (pointsImages != nullptr) {
        for (int32_t i = 0; i < pointsImages->Count(); ++i) pointsImages->Get(i)->Release();
        delete pointsImages;
        pointsImages = nullptr;
    }
}

void Game::LoadPlayer(char* description) {
    g_PlayerStore.SetPath(kOptionsFile);
    playerIndex = g_PlayerStore.ReadPlayerId();
    g_PlayerStore.LoadPlayer(playerIndex);
    SetTitleSuffix(g_PlayerStore.records[playerIndex].name);
    if (description != nullptr) g_PlayerStore.Describe(playerIndex, description);
}

FramePage& Game::Page() const { return *scene->page; }

plat::Surface* Game::BackPage() const { return scene->BackPage(); }

int Game::Update() {
    int32_t x = 0, y = 0, mouseButtons = 0;
    Page().mouse->Read(&x, &y, &mouseButtons, nullptr, nullptr);
    ButtonList* buttons = scene->buttons;
    buttons->PollAll(x, y, mouseButtons);
    buttons->RefreshAll();

    if (mouseButtons & kRightButton) board.turnsLeft += kTurnsPerRightClick;
    if (buttons->IsClicked("newgame")) {
        PlaySound("newgame");
        state = GameState::NewGame;
    }
    if (buttons->IsClicked("help") && ShowHelp() == 0) return kQuit;
    if (buttons->IsClicked("exit")) return kQuit;
    if (buttons->IsClicked("menu")) {
        PlaySound("click");
        if (g_Shell.launcherDir[0] != '\0') {
            // Whether the launcher started or not, the game hands over and ends.
            LaunchShelf();
            return kQuit;
        }
    }
    if (!RunState(x, y, mouseButtons)) return kQuit;

    previousButtons = mouseButtons;
    DrawHud(Page().dirtyRects->GetBackground());
    return kGoOn;
}

bool Game::RunState(int32_t mouseX, int32_t mouseY, int32_t mouseButtons) {
    switch (state) {
        case GameState::Idle:
            BlinkNewGameButton();
            // The clock moves in steps: the next blink is the step after kBlinkMs.
            RestIfStill(static_cast<int32_t>(kBlinkMs + FrameTimer::kStep) - FrameTimer::Elapsed(lastBlink));
            return true;
        case GameState::Playing:
            PlayTurn(mouseX, mouseY, mouseButtons);
            // A turn waits for the player: only input brings anything new.
            if (state == GameState::Playing) RestIfStill(INT32_MAX);
            return true;
        case GameState::NewGame:
            return StartNewGame();
        case GameState::RoundCleared:
            return !DeadlineReached() || AdvanceRound();
        case GameState::Victory:
            return !DeadlineReached() || FinishVictory();
        case GameState::GameOver:
            return !DeadlineReached() || FinishGameOver();
    }
    return true;
}

void Game::BlinkNewGameButton() {
    Button* button = scene->buttons->Find("newgame");
    if (button == nullptr || FrameTimer::Elapsed(lastBlink) <= static_cast<int32_t>(kBlinkMs)) return;
    blinkToggle = 1 - blinkToggle;
    button->SetFrameBase(blinkToggle);
    button->Redraw(BackPage());
    lastBlink = FrameTimer::Now();
}

void Game::RestIfStill(int32_t ms) {
    if ((floatingScores != nullptr && floatingScores->Count() > 0) || FrameTimer::Elapsed(board.bonusUntil) < 0) return;
    if (ms > 0) plat::NothingNewFor(static_cast<uint32_t>(ms));
}

void Game::PlayTurn(int32_t mouseX, int32_t mouseY, int32_t mouseButtons) {
    // A new press, or any change of the word while the left button is held.
    if ((mouseButtons & kLeftButton) && mouseButtons != previousButtons) {
        searching = true;
        board.Search(Board::CellAt(mouseX, mouseY), *this);
        searching = false;
    }
    if (board.roundCleared) {
        state = GameState::RoundCleared;
        board.Redraw(true);
        deadline = FrameTimer::Now() + kEndingWaitMs;
    }
    // Checked second: a last find that also uses the last turn ends the game.
    if (board.turnsLeft == 0) {
        state = GameState::GameOver;
        deadline = FrameTimer::Now() + kEndingWaitMs;
    }
}

bool Game::DeadlineReached() const { return FrameTimer::Elapsed(deadline) >= 0; }

bool Game::StartNewGame() {
    board.mapIndex = 0;
    Init();
    if (!failure.Ok()) return false;
    board.StartGame(kTurnsPerGame);
    state = GameState::Playing;
    RefreshWholeScreen(*Page().dirtyRects);
    board.Redraw(false);
    return ShowPanel(kRoundPanel) != 0;
}

bool Game::AdvanceRound() {
    if (++board.round == kRounds) {
        // The deadline stays: the tally starts in the next update.
        board.round = kRounds - 1;
        state = GameState::Victory;
        return true;
    }
    PlaySound("advance");
    RefreshWholeScreen(*Page().dirtyRects);
    board.score *= 2;
    ++board.mapIndex;
    board.SelectMap();
    board.ClearCells();
    board.PlaceTreasures();
    board.Redraw(true);
    DrawRoundThumb();
    state = GameState::Playing;
    return ShowPanel(kRoundPanel) != 0;
}

bool Game::FinishVictory() {
    // Every turn left becomes points, one at a time, with a fresh status.
    for (;;) {
        if (--board.turnsLeft < 0) break;
        PlaySound("1treasure");
        board.score += kTallyPointsPerTurn;
        DrawStatus(BackPage());
        plat::SleepMs(kTallyStepMs);
        PresentScene();
    }
    board.turnsLeft = 0;
    PlaySound("win");
    state = GameState::Idle;
    DrawStatus(BackPage());
    PresentScene();
    DrawStatus(BackPage());
    if (ShowPanel(kCongratulationsPanel) == 0) return false;
    return EnterHighScore();
}

bool Game::FinishGameOver() {
    PlaySound("gameover");
    DrawStatus(BackPage());
    if (ShowPanel(kGameOverPanel) == 0) return false;
    if (!EnterHighScore()) return false;
    state = GameState::Idle;
    return true;
}

bool Game::EnterHighScore() {
    char name[256] = "";
    LoadPlayer(name);
    lastScore = board.score;
    // A failed save is not shown to the player: the notice still shows.
    if (highScores.Offer(kHighScoreFile, name, lastScore) == 0) return true;
    return ShowHallOfFame() != 0;
}
