#pragma once
// Small helpers for tests that look at pixels of 16-bit surfaces.
#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "platform/output_files.h"
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

// Every pixel of a 16-bit surface, row by row.
inline std::vector<uint16_t> Pixels(plat::Surface* s) {
    plat::SurfaceDesc d{};
    const auto* bytes = static_cast<const uint8_t*>(s->Lock(&d));
    std::vector<uint16_t> pixels;
    for (int y = 0; y < d.height; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(bytes + d.pitch * y);
        pixels.insert(pixels.end(), row, row + d.width);
    }
    s->Unlock();
    return pixels;
}

inline void SetPixelAt(plat::Surface* s, int x, int y, uint16_t v) {
    plat::SurfaceDesc d{};
    auto* p = static_cast<uint8_t*>(s->Lock(&d));
    *reinterpret_cast<uint16_t*>(p + d.pitch * y + 2 * x) = v;
    s->Unlock();
}

constexpr uint16_t kBlue565 = 0x001F;
constexpr uint16_t kRed565 = 0xF800;
constexpr uint16_t kGreen565 = 0x07E0;
constexpr uint16_t kWhite565 = 0xFFFF;

// Writes a BMP of w by h in one colour, as the game writes pictures, with its folders.
inline void WriteSolidBmp(const std::filesystem::path& path, int w, int h, uint16_t colour) {
    const OwnedSurface picture{FilledSurface(w, h, colour)};
    const std::vector<uint8_t> bmp = plat::EncodeBmp(*picture);
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
}
