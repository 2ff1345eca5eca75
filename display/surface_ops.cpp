#include "display/surface_ops.h"

#include <cstring>

#include "platform/qv.h"

plat::Surface* CreateSurface(int32_t width, int32_t height) {
    plat::DirectDraw* directDraw = QVGetLPDD();
    if (directDraw == nullptr) return nullptr;
    plat::Surface* surface = directDraw->CreateSurface(width, height);
    if (surface != nullptr) surface->SetColorKey(0);
    return surface;
}

uint32_t RGBToPixel(plat::Surface* surface, int32_t r, int32_t g, int32_t b) {
    int32_t rb = 0, gb = 0, bb = 0, ab = 0;
    QVGetRGBABits(surface->GetSurfaceDesc().format, &rb, &gb, &bb, &ab);
    if (rb == 8 && gb == 8 && bb == 8) {
        return (static_cast<uint32_t>(r) << 16) + (static_cast<uint32_t>(g) << 8) +
               static_cast<uint32_t>(b);
    }
    return ((static_cast<uint32_t>(r) >> (8 - rb)) << (gb + bb)) +
           ((static_cast<uint32_t>(g) >> (8 - gb)) << bb) + (static_cast<uint32_t>(b) >> (8 - bb));
}

void SetColorKeyRGB(plat::Surface* surface, int32_t r, int32_t g, int32_t b) {
    surface->SetColorKey(RGBToPixel(surface, r, g, b));
}

uint32_t GetPixel(plat::Surface* surface, int32_t x, int32_t y) {
    const plat::SurfaceDesc info = surface->GetSurfaceDesc();
    if (x < 0 || x > info.width - 1 || y < 0 || y > info.height - 1) return 0;
    plat::SurfaceDesc desc{};
    auto* pixels = static_cast<const uint8_t*>(LockSurface(surface, &desc));
    if (pixels == nullptr) return 0;
    uint32_t value = 0;
    switch (desc.format.bitsPerPixel) {
        case 8:
            value = pixels[desc.pitch * y + x];
            break;
        case 16:
            value = reinterpret_cast<const uint16_t*>(pixels)[(desc.pitch / 2) * y + x];
            break;
        case 24: {
            const uint8_t* p = pixels + desc.pitch * y + 3 * x;
            value = (p[0] | (p[1] << 8) | (p[2] << 16)) & 0xFFFFFF;
            break;
        }
        case 32:
            value = reinterpret_cast<const uint32_t*>(pixels)[(desc.pitch / 4) * y + x];
            break;
        default:
            break;
    }
    UnlockSurface(surface);
    return value;
}

void FillSurface(plat::Surface* surface, uint32_t colour) {
    surface->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL | plat::DDBLT_WAIT,
                 colour & 0xFFFF);
}

void GetSurfaceSize(plat::Surface* surface, int32_t* width, int32_t* height) {
    if (width) *width = surface->Width();
    if (height) *height = surface->Height();
}

void* LockSurface(plat::Surface* surface, plat::SurfaceDesc* desc) { return surface->Lock(desc); }

void UnlockSurface(plat::Surface* surface) { surface->Unlock(); }
