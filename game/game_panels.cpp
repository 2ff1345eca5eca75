// The modal panels of the game: the round and ending pictures, the
// hall-of-fame notice and the rules page.
#include <cstdio>

#include "display/dirty_rect_manager.h"
#include "game/board_scene.h"
#include "game/both_pages.h"
#include "game/game.h"
#include "platform/messages.h"
#include "runtime/frame_timer.h"
#include "scene/dialog_scene.h"

namespace {
constexpr int32_t kPanelX = 135, kPanelY = 153;
constexpr int32_t kHallOfFameX = 250, kHallOfFameY = 202;
}  // namespace

bool Game::RunModal(DialogScene& panel, const char* panelName, char* result) {
    panelShown = true;
    const int answered = panel.DoModal(result, panelName);
    panelShown = false;
    return answered != 0;
}

void Game::RestoreBoard() {
    RefreshWholeScreen(*Page().dirtyRects);
    board.Redraw(true);
}

int Game::ShowPanel(Panel which) {
    char file[64];
    switch (which) {
        case kRoundPanel: std::snprintf(file, sizeof file, "round%d.bmp", board.round + 1); break;
        case kGameOverPanel: std::snprintf(file, sizeof file, "gameover.bmp"); break;
        case kCongratulationsPanel: std::snprintf(file, sizeof file, "congrats.bmp"); break;
    }
    char result[256];
    {
        DialogScene panel(Page());
        panel.AddPanel(file, nullptr);
        panel.SetPosition(kPanelX, kPanelY);
        // A click anywhere on the picture, or the space bar, closes it.
        panel.AddDefaultButton();
        panel.SetHotKey(plat::VK_SPACE);
        if (!RunModal(panel, nullptr, result)) return 0;
    }
    RestoreBoard();
    return 1;
}

int Game::ShowHallOfFame() {
    PresentScene();
    DrawHud(BackPage());
    char result[256];
    {
        DialogScene notice(Page());
        notice.AddPanel("hallfamepop.bmp", nullptr);
        notice.SetPosition(kHallOfFameX, kHallOfFameY);
        // No button and no key: it goes by itself.
        notice.SetDeadline(FrameTimer::Now() + kHallOfFameMs);
        if (!RunModal(notice, nullptr, result)) return 0;
    }
    RestoreBoard();
    return 1;
}

int Game::ShowHelp() {
    FrameTimer::StopCountdown();
    PlaySound("click");
    DialogScene rules(Page());
    rules.AddPanel("title\\HowToPlay.bmp", nullptr);
    rules.AddDefaultButton();
    // No panel has this name, so the first is shown, centred.
    char result[256];
    if (!RunModal(rules, "rules", result)) return 0;
    DirtyRectManager& dirtyRects = *Page().dirtyRects;
    {
        BothPages both(dirtyRects);
        dirtyRects.AddRectFromEdges(rules.left, rules.top, rules.right, rules.bottom);
    }
    // The restore took the clean backdrop under the page: the cells drawn
    // there (islands, finds, sonar marks) go back on.
    board.Redraw(true);
    DrawHud(dirtyRects.GetBackground());
    return 1;
}
