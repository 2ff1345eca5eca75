#include "game/autoplay.h"

#include "game/board_scene.h"
#include "game/game.h"
#include "game/search_strategy.h"
#include "platform/messages.h"
#include "scene/application.h"
#include "scene/button_list.h"

namespace {
// Frames between two actions: the messages of one are pumped and read by the
// game before the next is chosen.
constexpr int kFramesBetweenActions = 3;
// Panels are answered more calmly: the hall-of-fame notice takes no key and
// goes by itself.
constexpr int kFramesBetweenPanelKeys = 20;
constexpr int kIdleFramesToSettle = 3;
constexpr int32_t kTopUpBelow = 3;
// Beside the board and away from the buttons, where a right click does
// nothing but add turns.
constexpr int32_t kQuietX = 20, kQuietY = 300;
}  // namespace

void Autoplay::OnFrame(InputFeed& feed, plat::WindowHandle window) {
    // The flow passes through the idle state with a frame presented just
    // before an ending's panels: idle counts only once it lasts.
    const bool idle = g_Game.GetState() == GameState::Idle && !g_Game.panelShown;
    idleFrames_ = idle ? idleFrames_ + 1 : 0;
    if (releasePending_) {
        feed.Deliver(release_, window);
        releasePending_ = false;
        return;
    }
    if (framesToWait_ > 0) {
        --framesToWait_;
        return;
    }
    Act(feed, window);
}

void Autoplay::Click(int32_t x, int32_t y, bool right, InputFeed& feed, plat::WindowHandle window) {
    InputEvent event;
    event.x = x;
    event.y = y;
    event.right = right;
    event.kind = InputEvent::Kind::Move;
    feed.Deliver(event, window);
    event.kind = InputEvent::Kind::Press;
    feed.Deliver(event, window);
    event.kind = InputEvent::Kind::Release;
    release_ = event;
    releasePending_ = true;
    framesToWait_ = kFramesBetweenActions;
}

void Autoplay::Act(InputFeed& feed, plat::WindowHandle window) {
    if (closed_) return;
    // The splash: a click ends it.
    if (g_Application.Current() != &g_BoardScene) {
        Click(kQuietX, kQuietY, false, feed, window);
        return;
    }
    if (g_Game.searching) return;
    if (g_Game.panelShown) {
        InputEvent space;
        space.kind = InputEvent::Kind::Key;
        space.key = plat::VK_SPACE;
        feed.Deliver(space, window);
        framesToWait_ = kFramesBetweenPanelKeys;
        return;
    }
    const Board& board = g_Game.board;
    switch (g_Game.GetState()) {
        case GameState::Idle: {
            Button* newGame = g_BoardScene.buttons != nullptr ? g_BoardScene.buttons->Find("newgame") : nullptr;
            if (idleFrames_ < kIdleFramesToSettle) return;
            if (started_ >= games_ || newGame == nullptr) {
                InputEvent close;
                close.kind = InputEvent::Kind::Close;
                feed.Deliver(close, window);
                closed_ = true;
                return;
            }
            ++started_;
            Click(newGame->x + newGame->width / 2, newGame->y + newGame->height / 2, false, feed, window);
            return;
        }
        case GameState::Playing: {
            if (TopsUpTurns() && board.turnsLeft < kTopUpBelow) {
                Click(kQuietX, kQuietY, true, feed, window);
                return;
            }
            const int cell = ChooseSearch(board);
            if (cell >= 0) Click(Board::CellX(cell) + 9, Board::CellY(cell) + 8, false, feed, window);
            return;
        }
        default:
            return;  // the flow is waiting on its clock
    }
}
