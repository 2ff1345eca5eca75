#pragma once
// The display flips between two pages, and a restore reported while drawing
// one page reaches only that page. What is drawn into the background layer
// once (board cells, a full refresh after a panel) must reach both pages, or
// the stale page would alternate with the fresh one. While a BothPages
// object lives, every restore is reported for both pages.
#include "display/dirty_rect_manager.h"

class BothPages {
public:
    explicit BothPages(DirtyRectManager& dirtyRects) : dirtyRects_(dirtyRects), saved_(dirtyRects.bothPages) {
        dirtyRects_.bothPages = 1;
    }
    ~BothPages() { dirtyRects_.bothPages = saved_; }
    BothPages(const BothPages&) = delete;
    BothPages& operator=(const BothPages&) = delete;

private:
    DirtyRectManager& dirtyRects_;
    int32_t saved_;
};

// The backdrop copied over the whole background, and the whole screen
// restored from it on both pages.
inline void RefreshWholeScreen(DirtyRectManager& dirtyRects) {
    BothPages both(dirtyRects);
    dirtyRects.RefreshAll();
}
