#include "platform/surface.h"

#include <SDL.h>

namespace plat {

static_assert(Surface::kRgb565 == SDL_PIXELFORMAT_RGB565);

namespace {
bool Inside(const SDL_Rect& r, const SDL_Surface* s) {
    return r.w > 0 && r.h > 0 && r.x >= 0 && r.y >= 0 && r.x + r.w <= s->w && r.y + r.h <= s->h;
}

SDL_Rect ToSdl(const Rect* r, const SDL_Surface* whole) {
    if (r == nullptr) return SDL_Rect{0, 0, whole->w, whole->h};
    return SDL_Rect{r->left, r->top, r->right - r->left, r->bottom - r->top};
}
}  // namespace

Surface* Surface::Create(int32_t width, int32_t height, uint32_t sdlFormat) {
    if (width <= 0 || height <= 0) return nullptr;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height,
                                                    SDL_BITSPERPIXEL(sdlFormat), sdlFormat);
    return s ? new Surface(s) : nullptr;
}

Surface* Surface::Adopt(SDL_Surface* surface) { return surface ? new Surface(surface) : nullptr; }

Surface::~Surface() { SDL_FreeSurface(sdl_); }

int32_t Surface::Blt(const Rect* dstRect, Surface* source, const Rect* srcRect, uint32_t flags,
                     uint32_t fillColour) {
    SDL_Rect dst = ToSdl(dstRect, sdl_);
    if (!Inside(dst, sdl_)) return DDERR_INVALIDRECT;
    if (flags & DDBLT_COLORFILL) {
        return SDL_FillRect(sdl_, &dst, fillColour) == 0 ? DD_OK : DDERR_INVALIDPARAMS;
    }
    if (source == nullptr) return DDERR_INVALIDPARAMS;
    SDL_Rect src = ToSdl(srcRect, source->sdl_);
    if (!Inside(src, source->sdl_)) return DDERR_INVALIDRECT;

    // Plain copies: no blending, and the SDL key only while a keyed blit runs.
    SDL_SetSurfaceBlendMode(source->sdl_, SDL_BLENDMODE_NONE);
    if (flags & DDBLT_KEYSRC) {
        SDL_SetColorKey(source->sdl_, SDL_TRUE, source->colourKey_);
    } else {
        SDL_SetColorKey(source->sdl_, SDL_FALSE, 0);
    }
    int result = (src.w == dst.w && src.h == dst.h)
                     ? SDL_BlitSurface(source->sdl_, &src, sdl_, &dst)
                     : SDL_BlitScaled(source->sdl_, &src, sdl_, &dst);
    return result == 0 ? DD_OK : DDERR_INVALIDPARAMS;
}

void* Surface::Lock(SurfaceDesc* desc) {
    if (SDL_LockSurface(sdl_) != 0) return nullptr;
    if (desc) *desc = GetSurfaceDesc();
    return sdl_->pixels;
}

void Surface::Unlock() { SDL_UnlockSurface(sdl_); }

SurfaceDesc Surface::GetSurfaceDesc() const {
    const SDL_PixelFormat* f = sdl_->format;
    return SurfaceDesc{sdl_->w, sdl_->h, sdl_->pitch,
                       PixelFormat{f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask},
                       sdl_->pixels};
}

bool Surface::SaveBmp(const char* path) const { return SDL_SaveBMP(sdl_, path) == 0; }

int32_t Surface::Width() const { return sdl_->w; }
int32_t Surface::Height() const { return sdl_->h; }

void Surface::SwapPixels(Surface& other) {
    SDL_Surface* mine = sdl_;
    sdl_ = other.sdl_;
    other.sdl_ = mine;
}

}  // namespace plat
