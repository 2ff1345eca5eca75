#include "platform/surface.h"

#include <SDL.h>

#include <memory>
#include <utility>

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
    return Adopt(SdlSurfacePtr(SDL_CreateRGBSurfaceWithFormat(0, width, height,
                                                              SDL_BITSPERPIXEL(sdlFormat), sdlFormat)));
}

Surface* Surface::Adopt(SdlSurfacePtr surface) {
    return surface ? new Surface(std::move(surface)) : nullptr;
}

Surface::Surface(SdlSurfacePtr surface) : sdl_(std::move(surface)) {}

Surface::~Surface() = default;

int32_t Surface::Blt(const Rect* dstRect, Surface* source, const Rect* srcRect, uint32_t flags,
                     uint32_t fillColour) {
    SDL_Rect dst = ToSdl(dstRect, sdl_.get());
    if (!Inside(dst, sdl_.get())) return DDERR_INVALIDRECT;
    PixelsChanging();
    if (flags & DDBLT_COLORFILL) {
        return SDL_FillRect(sdl_.get(), &dst, fillColour) == 0 ? DD_OK : DDERR_INVALIDPARAMS;
    }
    if (source == nullptr) return DDERR_INVALIDPARAMS;
    SDL_Rect src = ToSdl(srcRect, source->sdl_.get());
    if (!Inside(src, source->sdl_.get())) return DDERR_INVALIDRECT;

    const bool keyed = (flags & DDBLT_KEYSRC) != 0;
    if (keyed && src.w == dst.w && src.h == dst.h) {
        if (const KeyRuns* runs = source->OpaqueRuns(sdl_.get())) {
            runs->Copy(source->sdl_.get(), src.x, src.y, src.w, src.h, sdl_.get(), dst.x, dst.y);
            return DD_OK;
        }
    }
    source->PrepareAsSource(keyed);
    int result = (src.w == dst.w && src.h == dst.h)
                     ? SDL_BlitSurface(source->sdl_.get(), &src, sdl_.get(), &dst)
                     : SDL_BlitScaled(source->sdl_.get(), &src, sdl_.get(), &dst);
    return result == 0 ? DD_OK : DDERR_INVALIDPARAMS;
}

void Surface::PrepareAsSource(bool keyed) {
    // Plain copies: no blending, and the SDL key only for keyed blits. SDL
    // rebuilds its blit tables whenever either changes, so they are set only
    // when they differ from the last blit's.
    const SdlKey wanted = keyed ? SdlKey{true, colourKey_} : SdlKey{false, 0};
    if (sdlKeyKnown_ && wanted.on == sdlKey_.on && wanted.value == sdlKey_.value) return;
    if (!sdlKeyKnown_) SDL_SetSurfaceBlendMode(sdl_.get(), SDL_BLENDMODE_NONE);
    SDL_SetColorKey(sdl_.get(), wanted.on ? SDL_TRUE : SDL_FALSE, wanted.value);
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
    if (!runs_ || runs_->Key() != colourKey_) runs_ = std::make_unique<KeyRuns>(sdl_.get(), colourKey_);
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
    if (SDL_LockSurface(sdl_.get()) != 0) return nullptr;
    if (desc) *desc = GetSurfaceDesc();
    return sdl_->pixels;
}

void Surface::Unlock() { SDL_UnlockSurface(sdl_.get()); }

SurfaceDesc Surface::GetSurfaceDesc() const {
    const SDL_PixelFormat* f = sdl_->format;
    return SurfaceDesc{sdl_->w, sdl_->h, sdl_->pitch,
                       PixelFormat{f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask},
                       sdl_->pixels};
}

bool Surface::SaveBmp(const char* path) const { return SDL_SaveBMP(sdl_.get(), path) == 0; }

int32_t Surface::Width() const { return sdl_->w; }
int32_t Surface::Height() const { return sdl_->h; }

void Surface::SwapPixels(Surface& other) {
    PixelsChanging();
    other.PixelsChanging();
    std::swap(sdl_, other.sdl_);
}

}  // namespace plat
