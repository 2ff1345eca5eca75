#pragma once
// Small helpers for tests that look at pixels of 16-bit surfaces.
#include <SDL.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/surface.h"

// A new RGB565 surface filled with one raw colour.
inline plat::Surface* FilledSurface(int w, int h, uint16_t colour) {
    plat::Surface* s = plat::Surface::Create(w, h);
    s->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL, colour);
    return s;
}

// A surface released when the test is done with it.
struct SurfaceRelease {
    void operator()(plat::Surface* s) const { s->Release(); }
};
using OwnedSurface = std::unique_ptr<plat::Surface, SurfaceRelease>;

inline uint16_t PixelAt(plat::Surface* s, int x, int y) {
    plat::SurfaceDesc d{};
    auto* p = static_cast<uint8_t*>(s->Lock(&d));
    uint16_t v = *reinterpret_cast<uint16_t*>(p + d.pitch * y + 2 * x);
    s->Unlock();
    return v;
}

// The colours at several points, to compare them in one assertion.
inline std::vector<uint16_t> PixelsAt(plat::Surface* s, std::initializer_list<std::pair<int, int>> points) {
    std::vector<uint16_t> colours;
    for (auto [x, y] : points) colours.push_back(PixelAt(s, x, y));
    return colours;
}

inline void SetPixelAt(plat::Surface* s, int x, int y, uint16_t v) {
    plat::SurfaceDesc d{};
    auto* p = static_cast<uint8_t*>(s->Lock(&d));
    *reinterpret_cast<uint16_t*>(p + d.pitch * y + 2 * x) = v;
    s->Unlock();
}

// Writes a 24-bit BMP of w by h in one colour, with its folders.
inline void WriteSolidBmp(const std::filesystem::path& path, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_RGB24);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
}

constexpr uint16_t kBlue565 = 0x001F;
constexpr uint16_t kRed565 = 0xF800;
constexpr uint16_t kGreen565 = 0x07E0;
constexpr uint16_t kWhite565 = 0xFFFF;
