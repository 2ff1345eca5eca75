#pragma once
// Reading the generated game files back in the tests: pictures through SDL's
// own BMP loader, the way the game loads them.
#include <SDL.h>

#include <cstdint>
#include <memory>

#include "temp_dir.h"

// A file of the build's game folder.
inline std::filesystem::path GameFile(const std::string& relative) {
    return std::filesystem::path(REEF_GAME_FOLDER) / relative;
}

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Picture = std::unique_ptr<SDL_Surface, SurfaceFree>;

// The picture as 32-bit RGB, or null when SDL cannot read it.
inline Picture LoadPicture(const std::string& relative) {
    Picture raw(SDL_LoadBMP(GameFile(relative).c_str()));
    if (!raw) return nullptr;
    return Picture(SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_RGB888, 0));
}

struct Color {
    uint8_t r, g, b;
};

inline Color PixelAt(const SDL_Surface* s, int x, int y) {
    const uint32_t v = static_cast<const uint32_t*>(s->pixels)[y * (s->pitch / 4) + x];
    return {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

// Whether the pixel is the transparent key once the game's 16-bit screen format
// has dropped the low bits.
inline bool ReadsAsKey(Color c) { return (c.r >> 3) == 0 && (c.g >> 2) == 0 && (c.b >> 3) == 31; }
