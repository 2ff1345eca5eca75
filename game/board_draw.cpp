// Drawing the board's cells into the background layer, where they stay under
// everything else and are restored with the background.
#include "display/dirty_rect_manager.h"
#include "game/board.h"
#include "game/both_pages.h"
#include "runtime/frame_page.h"
#include "scene/sprite.h"

void Board::Redraw(bool all) {
    DirtyRectManager& dirtyRects = DirtyRectsOf(page);
    plat::Surface* background = dirtyRects.GetBackground();
    if (background == nullptr) return;
    // Each cell is drawn into the background once; its restore must show it
    // on both display pages.
    BothPages both(dirtyRects);
    for (int i = 0; i < kCellCount; ++i) {
        Cell& cell = cells[i];
        if (!all && cell.dirty == 0) continue;
        if (cell.island != -1) {
            DrawCell(i, cell.island, background);
        } else if (cell.state != CellState::kHidden) {
            DrawCell(i, cell.state, background);
        } else {
            continue;
        }
        cell.dirty = 0;
    }
}

void Board::DrawCell(int cell, int32_t frame, plat::Surface* surface) {
    if (IsExcluded(cell)) return;
    Sprite* sprite = IsIsland(cell) ? islandSprite : tileSprite;
    if (sprite == nullptr) return;
    // A frame the picture does not have (a missing picture, or a map byte
    // beyond the island frames) draws nothing rather than a wrong tile.
    sprite->SetFrameIndex(frame);
    sprite->SetPosition(CellX(cell), CellY(cell));
    sprite->Draw(surface);
}
