#pragma once
// Off-screen surfaces of the display's format: creation, pixel values from RGB,
// colour keys, single pixels, fills, sizes and locking.
#include <cstdint>

#include "platform/surface.h"

// A new off-screen surface made through the display (QVGetLPDD), with colour
// key 0; null when it cannot be made.
plat::Surface* CreateSurface(int32_t width, int32_t height);
// The pixel value of an RGB colour (channels 0..255) in the surface's format:
// red high, green middle, blue low, no gaps.
uint32_t RGBToPixel(plat::Surface* surface, int32_t r, int32_t g, int32_t b);
// Makes the colour the surface's source colour key.
void SetColorKeyRGB(plat::Surface* surface, int32_t r, int32_t g, int32_t b);
// The raw pixel at (x, y) for 8, 16, 24 and 32 bits per pixel; 0 outside the
// surface (and for other depths, or when the surface cannot be locked).
uint32_t GetPixel(plat::Surface* surface, int32_t x, int32_t y);
// Fills the whole surface with the raw colour (its low 16 bits).
void FillSurface(plat::Surface* surface, uint32_t colour);
void GetSurfaceSize(plat::Surface* surface, int32_t* width, int32_t* height);
// Locks the whole surface; the address of its first pixel.
void* LockSurface(plat::Surface* surface, plat::SurfaceDesc* desc);
void UnlockSurface(plat::Surface* surface);
