#include "platform/sdl/sdl_window.h"
#include "platform/window.h"

#include <SDL.h>

namespace plat {

PicturePlacement PlacementInWindow(NativeWindow& n) {
    int w = 0, h = 0;
    SDL_GetWindowSize(n.window.get(), &w, &h);
    return PlacePicture(w, h, n.pageWidth, n.pageHeight, PictureScaling());
}

PicturePlacement PlacementInPixels(NativeWindow& n) {
    int w = 0, h = 0;
    if (n.renderer == nullptr || SDL_GetRendererOutputSize(n.renderer.get(), &w, &h) != 0) {
        SDL_GetWindowSize(n.window.get(), &w, &h);
    }
    return PlacePicture(w, h, n.pageWidth, n.pageHeight, PictureScaling());
}

void ChooseScaleMode(NativeWindow& n) {
    if (!n.texture) return;
    const bool whole = PlacementInPixels(n).WholeScale();
    SDL_SetTextureScaleMode(n.texture.get(), whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
}

bool IsFullScreen(NativeWindow& n) {
    return (SDL_GetWindowFlags(n.window.get()) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

// SDL asks the window manager for full screen and from then on takes the
// window to be the display's size. Without a window manager nobody answers:
// the window kept its size while SDL drew for the whole display (the picture's
// top-left part alone showed), and SDL kept that size on the way back. So the
// window is first made to cover the display itself, which needs no window
// manager, and on the way back is given its frame's place and its size again
// (a window manager restores what it saw last, the covering window).
void EnterFullScreen(NativeWindow& n) {
    if (IsFullScreen(n)) return;
    SDL_Window* window = n.window.get();
    int top = 0, left = 0;
    SDL_GetWindowBordersSize(window, &top, &left, nullptr, nullptr);
    SDL_GetWindowPosition(window, &n.windowed.x, &n.windowed.y);
    n.windowed.x -= left;
    n.windowed.y -= top;
    SDL_GetWindowSize(window, &n.windowed.w, &n.windowed.h);
    SDL_Rect display{};
    const int index = SDL_GetWindowDisplayIndex(window);
    if (index >= 0 && SDL_GetDisplayBounds(index, &display) == 0) {
        SDL_SetWindowPosition(window, display.x, display.y);
        SDL_SetWindowSize(window, display.w, display.h);
    }
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void LeaveFullScreen(NativeWindow& n) {
    if (!IsFullScreen(n)) return;
    SDL_Window* window = n.window.get();
    SDL_SetWindowFullscreen(window, 0);
    if (n.windowed.w > 0 && n.windowed.h > 0) {
        SDL_SetWindowSize(window, n.windowed.w, n.windowed.h);
        SDL_SetWindowPosition(window, n.windowed.x, n.windowed.y);
    }
}

}  // namespace plat
