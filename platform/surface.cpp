#include "platform/surface.h"

#include <SDL.h>

#include <memory>

#include "platform/key_runs.h"

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

Surface::Surface(SDL_Surface* surface) : sdl_(surface) {}

Surface::~Surface() { SDL_FreeSurface(sdl_); }

int32_t Surface::Blt(const Rect* dstRect, Surface* source, const Rect* srcRect, uint32_t flags,
                     uint32_t fillColour) {
    SDL_Rect dst = ToSdl(dstRect, sdl_);
    if (!Inside(dst, sdl_)) return DDERR_INVALIDRECT;
    PixelsChanging();
    if (flags & DDBLT_COLORFILL) {
        return SDL_FillRect(sdl_, &dst, fillColour) == 0 ? DD_OK : DDERR_INVALIDPARAMS;
    }
    if (source == nullptr) return DDERR_INVALIDPARAMS;
    SDL_Rect src = ToSdl(srcRect, source->sdl_);
    if (!Inside(src, source->sdl_)) return DDERR_INVALIDRECT;

    const bool keyed = (flags & DDBLT_KEYSRC) != 0;
    if (keyed && src.w == dst.w && src.h == dst.h) {
        if (const KeyRuns* runs = source->OpaqueRuns(sdl_)) {
            runs->Copy(source->sdl_, src.x, src.y, src.w, src.h, sdl_, dst.x, dst.y);
            return DD_OK;
        }
    }
    source->PrepareAsSource(keyed);
    int result = (src.w == dst.w && src.h == dst.h)
                     ? SDL_BlitSurface(source->sdl_, &src, sdl_, &dst)
                     : SDL_BlitScaled(source->sdl_, &src, sdl_, &dst);
    return result == 0 ? DD_OK : DDERR_INVALIDPARAMS;
}

void Surface::PrepareAsSource(bool keyed) {
    // Plain copies: no blending, and the SDL key only for keyed blits. SDL
    // rebuilds its blit tables whenever either changes, so they are set only
    // when they differ from the last blit's.
    const SdlKey wanted = keyed ? SdlKey{true, colourKey_} : SdlKey{false, 0};
    if (sdlKeyKnown_ && wanted.on == sdlKey_.on && wanted.value == sdlKey_.value) return;
    if (!sdlKeyKnown_) SDL_SetSurfaceBlendMode(sdl_, SDL_BLENDMODE_NONE);
    SDL_SetColorKey(sdl_, wanted.on ? SDL_TRUE : SDL_FALSE, wanted.value);
    sdlKey_ = wanted;
    sdlKeyKnown_ = true;
}

const KeyRuns* Surface::OpaqueRuns(const SDL_Surface* destination) {
    // Spans only pay for pictures that stay as they are: a surface drawn on
    // after its runs were built is blitted pixel by pixel from then on.
    if (runsState_ == RunsState::Changing) return nullptr;
    if (sdl_->format->BytesPerPixel != 2 || destination->format->format != sdl_->format->format ||
        sdl_->w > 65535) {
        return nullptr;
    }
    if (!runs_ || runs_->Key() != colourKey_) runs_ = std::make_unique<KeyRuns>(sdl_, colourKey_);
    runsState_ = RunsState::Built;
    return runs_.get();
}

void Surface::PixelsChanging() {
    if (runsState_ != RunsState::Built) return;
    runs_.reset();
    runsState_ = RunsState::Changing;
}

void* Surface::Lock(SurfaceDesc* desc) {
    PixelsChanging();
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
    PixelsChanging();
    other.PixelsChanging();
    SDL_Surface* mine = sdl_;
    sdl_ = other.sdl_;
    other.sdl_ = mine;
}

}  // namespace plat
