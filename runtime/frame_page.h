#pragma once
// FramePage: what a scene draws and shows one frame with. The back page, the
// background-restore manager the frame's restores run through, the mouse (the
// state a scene reads and the pointer drawn on the page) and the flip that
// shows the page.
//
// The shell keeps one (g_Shell.page) and sets its back page whenever it makes
// or forgets its pages: null while there are none (before start-up, after the
// window has gone). A scene keeps a pointer to this holder and reads `back`
// each time it draws, never a copy of the surface pointer, which would go on
// pointing at a released surface once the shell made its pages again.
//
// Sprites, buttons and the board's cells report what they draw to the
// manager of the page they were handed (a button gets its scene's through
// Scene::AddButton; the board scene hands its page to its sprites, the board
// and the floating scores), so a page made for a test may bring its own
// manager as well as its own surfaces, mouse and flip. The mouse pointer,
// drawn below this layer, reports to g_DirtyRects.
#include <cstdint>

#include "display/dirty_rect_manager.h"
#include "input/mouse.h"
#include "platform/qv.h"
#include "platform/surface.h"

struct FramePage {
    plat::Surface* back = nullptr;
    DirtyRectManager* dirtyRects = &g_DirtyRects;
    Mouse* mouse = &g_Mouse;
    // Shows the back page, which then holds the picture of two frames ago.
    int (*flip)() = QVFlip;
};

// The manager what is drawn for the page reports to. A sprite or button that
// no scene has handed a page yet reports to the program's own.
inline DirtyRectManager& DirtyRectsOf(const FramePage* page) {
    return page != nullptr ? *page->dirtyRects : g_DirtyRects;
}
