#include "display/blit.h"

namespace {

// Clips one axis of a blit: the destination span [d, d + size) against
// [0, limit), moving the source span [s, s + size) with it.
void ClipAxis(int32_t s, int32_t size, int32_t d, int32_t limit, int32_t* srcLow,
              int32_t* srcHigh, int32_t* dstLow, int32_t* dstHigh) {
    if (d < 0) {
        *dstLow = 0;
        *srcLow = s - d;
    } else {
        *dstLow = d;
        *srcLow = s;
    }
    if (d + size > limit) {
        *dstHigh = limit;
        *srcHigh = s + size - (d + size - limit);
    } else {
        *dstHigh = d + size;
        *srcHigh = s + size;
    }
}

}  // namespace

int32_t BlitRect(plat::Surface* source, int32_t sx, int32_t sy, int32_t w, int32_t h,
                 plat::Surface* destination, int32_t dx, int32_t dy, uint32_t flags) {
    // A layer or picture that failed to load is a null surface: nothing to draw.
    if (source == nullptr || destination == nullptr) return plat::DDERR_INVALIDPARAMS;
    plat::Rect src{}, dst{};
    ClipAxis(sx, w, dx, destination->Width(), &src.left, &src.right, &dst.left, &dst.right);
    ClipAxis(sy, h, dy, destination->Height(), &src.top, &src.bottom, &dst.top, &dst.bottom);
    const uint32_t bltFlags = flags == kKeyedBlit ? (plat::DDBLT_WAIT | plat::DDBLT_KEYSRC) : flags;
    return destination->Blt(&dst, source, &src, bltFlags);
}

int32_t BlitAt(plat::Surface* source, plat::Surface* destination, int32_t x, int32_t y,
               uint32_t flags) {
    if (source == nullptr) return plat::DDERR_INVALIDPARAMS;
    return BlitRect(source, 0, 0, source->Width(), source->Height(), destination, x, y, flags);
}

void CentreRect(plat::Surface* surface, int32_t x, int32_t y, int32_t w, int32_t h,
                plat::Rect* out) {
    const int32_t sw = surface->Width(), sh = surface->Height();
    out->left = x + (w / 2 - sw / 2);
    out->top = y + (h / 2 - sh / 2);
    out->right = out->left + sw;
    out->bottom = out->top + sh;
}
