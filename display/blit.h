#pragma once
// Blits clipped against the destination, and centring a surface in a box.
#include <cstdint>

#include "platform/surface.h"

// Flags value that means "wait, and leave out the source's colour key".
inline constexpr uint32_t kKeyedBlit = static_cast<uint32_t>(-1);

// Copies the w by h block at (sx, sy) of source to (dx, dy) of destination,
// clipped to the destination; flags -1 (kKeyedBlit) is a keyed blit, any other
// value is passed as it is. The source block itself must lie inside the
// source. A block wholly outside the destination draws nothing and gives the
// refusal. Returns the blit's result (DD_OK or an error); a null source or
// destination draws nothing and gives DDERR_INVALIDPARAMS.
int32_t BlitRect(plat::Surface* source, int32_t sx, int32_t sy, int32_t w, int32_t h,
                 plat::Surface* destination, int32_t dx, int32_t dy, uint32_t flags);
// BlitRect of the whole source with its top left corner at (x, y).
int32_t BlitAt(plat::Surface* source, plat::Surface* destination, int32_t x, int32_t y,
               uint32_t flags);
// The rectangle of the surface's size centred in the box (x, y, w, h).
void CentreRect(plat::Surface* surface, int32_t x, int32_t y, int32_t w, int32_t h,
                plat::Rect* out);
