#pragma once
// One window of the sdl backend: its SDL objects and what the video driver
// and the input translation both ask of it.
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/picture_placement.h"
#include "platform/sdl_handles.h"
#include "platform/video_driver.h"

namespace plat {

// The SDL objects of one window, owned through its native pointer; the
// texture and renderer go before the window.
struct NativeWindow {
    SdlWindowPtr window;
    SdlRendererPtr renderer;
    SdlTexturePtr texture;
    int32_t pageWidth = 0, pageHeight = 0;
    bool altAlone = false;  // Alt went down and no other key since
    // What the window shows now, row by row: a page that matches it is not
    // uploaded or presented again.
    std::vector<uint16_t> shown;
    bool stale = true;  // the window needs a full picture (new, resized, exposed)
    bool textureFilled = false;  // the texture has had a whole page
    // Where the window's frame was and how big the window was before it went
    // full screen, to go back to.
    SDL_Rect windowed{};
};

inline NativeWindow& Native(Window& w) { return *static_cast<NativeWindow*>(w.native); }

// The picture's place in window units (what mouse events use) or in the
// renderer's output pixels (more than window units on a HiDPI display).
PicturePlacement PlacementInWindow(NativeWindow& n);
PicturePlacement PlacementInPixels(NativeWindow& n);
// Whole multiples stay sharp; other scales are smoothed.
void ChooseScaleMode(NativeWindow& n);

bool IsFullScreen(NativeWindow& n);
// Full screen on the window's display, and back to the window it was, with or
// without a window manager.
void EnterFullScreen(NativeWindow& n);
void LeaveFullScreen(NativeWindow& n);

}  // namespace plat
