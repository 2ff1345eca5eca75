// What the player sees of the game's progress besides the board: the status
// panel's numbers, round picture and completed-kind icons, the turn-bonus
// notice and the rising points of each find.
#include <cstdio>

#include "game/board_scene.h"
#include "game/game.h"
#include "runtime/frame_timer.h"
#include "scene/sprite_pool.h"
#include "sound/sound_manager.h"

namespace {
constexpr int32_t kFullVolume = 65535;
constexpr int32_t kCentre = 0;
constexpr int32_t kPointsPerKind = 5;
constexpr int32_t kFloatingOffsetX = -6;

constexpr int32_t kRoundNumberX = 706, kRoundNumberY = 370;
constexpr int32_t kScoreX = 755, kScoreY = 77;
constexpr int32_t kBestScoreX = 755, kBestScoreY = 16;
constexpr int32_t kTurnsX = 712, kTurnsY = 165;
constexpr int32_t kTurnsDigits = 3;
constexpr int32_t kRoundThumbX = 649, kRoundThumbY = 264;
constexpr int32_t kKindIconX = 674, kKindIconStep = 16, kKindIconY = 225;

// Signed 32-bit difference, so the comparison holds across the clock's wrap.
bool IsLater(uint32_t time, uint32_t than) { return static_cast<int32_t>(time - than) > 0; }
}  // namespace

void Game::DrawRoundThumb() {
    char name[64];
    std::snprintf(name, sizeof name, "round%dsmall.bmp", board.round + 1);
    if (Image* image = scene->FindImage(name)) {
        image->Draw(Page().dirtyRects->GetBackground(), kRoundThumbX, kRoundThumbY);
    }
}

void Game::DrawStatus(plat::Surface* surface) {
    NumberSprite* numbers = scene->numbers.get();
    if (numbers != nullptr) {
        numbers->SetAlign(NumberSprite::kAlignLeft);
        numbers->SetDigits(1);
        numbers->DrawNumber(board.round + 1, kRoundNumberX, kRoundNumberY, surface);
        numbers->SetAlign(NumberSprite::kAlignRight);
        numbers->DrawNumber(board.score, kScoreX, kScoreY, surface);
        numbers->DrawNumber(highScores.TopScore(), kBestScoreX, kBestScoreY, surface);
        numbers->SetDigits(kTurnsDigits);
        numbers->SetAlign(NumberSprite::kAlignCentre);
        numbers->DrawNumber(board.turnsLeft, kTurnsX, kTurnsY, surface);
    }
    DrawRoundThumb();
    for (int kind = 1; kind <= Board::kKinds; ++kind) {
        if (board.found[kind - 1] != Board::kCellsPerKind) continue;
        char name[32];
        std::snprintf(name, sizeof name, "g%d.bmp", kind);
        if (Image* icon = scene->FindImage(name)) {
            icon->Draw(BackPage(), kKindIconX + kKindIconStep * (kind - 1), kKindIconY);
        }
    }
    if (IsLater(board.bonusUntil, FrameTimer::Now())) g_SpritePool.UpdateAll(BackPage());
}

void Game::DrawHud(plat::Surface* surface) {
    DrawFloatingScores();
    DrawStatus(surface);
}

void Game::DrawFloatingScores() {
    if (floatingScores == nullptr) return;
    const uint32_t now = FrameTimer::Now();
    for (int32_t i = 0; i < floatingScores->Count(); ++i) floatingScores->Get(i)->Move();
    // Walk by index: a removal moves the next entry into this slot.
    for (int32_t i = 0; i < floatingScores->Count();) {
        FloatingScore* points = floatingScores->Get(i);
        if (IsLater(now, points->expiry)) {
            floatingScores->Remove(points);
            delete points;
        } else {
            ++i;
        }
    }
    for (int32_t i = 0; i < floatingScores->Count(); ++i) {
        floatingScores->Get(i)->Draw(BackPage());
    }
}

void Game::SpawnFloatingScore(int cell, int pointsImage) {
    if (floatingScores == nullptr || pointsImages == nullptr) return;
    const int32_t frame = (board.cells[cell].kind - 1) * kPointsPerKind + pointsImage - 1;
    // A points picture that did not load, or was cut into fewer frames,
    // shows nothing.
    if (frame < 0 || frame >= pointsImages->Count()) return;
    auto* points = new FloatingScore();
    points->page = &Page();
    points->AddSharedFrame(pointsImages->Get(frame));
    points->SetPosition(Board::CellX(cell) + kFloatingOffsetX, Board::CellY(cell));
    points->vx = 0;
    points->vy = FloatingScore::kRiseSpeed;
    points->expiry = FrameTimer::Now() + FloatingScore::kLifetimeMs;
    floatingScores->Add(points);
}

void Game::ShowTurnBonus(int bonus) {
    for (int i = 1; i <= BoardScene::kTurnBonusSprites; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "turnbonus%d.bmp", 3 * i);
        Sprite* sprite = g_SpritePool.Find(name);
        if (sprite == nullptr) continue;
        const int32_t shown = bonus / Board::kTurnsPerSet == i ? 1 : 0;
        sprite->SetVisible(shown);
        sprite->SetPlaying(shown);
    }
    board.bonusUntil = FrameTimer::Now() + kTurnBonusMs;
}

void Game::RedrawDirtyCells() { board.Redraw(false); }

void Game::PresentScene() { scene->Present(); }

void Game::Pause(uint32_t milliseconds) { scene->Pause(milliseconds); }

void Game::PlaySound(const char* name) { g_SoundManager.Play(name, kFullVolume, kCentre); }

void Game::StopSound(const char* name) { g_SoundManager.Stop(name); }
