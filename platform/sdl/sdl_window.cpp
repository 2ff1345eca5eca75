#include "platform/sdl/sdl_window.h"

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

}  // namespace plat
