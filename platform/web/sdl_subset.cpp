// The part of SDL 2 that the shared platform code uses, for the web build
// (see include/SDL.h): RGB565 and BGR24 surfaces, blits and BMP files; the
// audio stream's PCM conversion is in sdl_subset_audio.cpp.
#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/browser_turn.h"
#include "platform/sdl_handles.h"

namespace {

thread_local std::string t_error;

SDL_PixelFormat g_rgb565{SDL_PIXELFORMAT_RGB565, 16, 2, 0xF800, 0x07E0, 0x001F, 0};
SDL_PixelFormat g_bgr24{SDL_PIXELFORMAT_BGR24, 24, 3, 0x0000FF, 0x00FF00, 0xFF0000, 0};

SDL_PixelFormat* FormatOf(Uint32 format) {
    if (format == SDL_PIXELFORMAT_RGB565) return &g_rgb565;
    if (format == SDL_PIXELFORMAT_BGR24) return &g_bgr24;
    return nullptr;
}

// Pictures are read, made and converted here, a scene's whole set as it
// starts: the browser has its turn between them and between the rows of a
// large one (plat::LetTheBrowserIn). (The Windows build shares these surfaces.)
using plat::LetTheBrowserIn;

uint8_t* Pixel(const SDL_Surface* s, int x, int y) {
    return static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch +
           static_cast<size_t>(x) * s->format->BytesPerPixel;
}

// Five or six bits widened to eight by repeating the top bits, so that full
// intensity stays full.
uint8_t Widen5(uint32_t v) { return static_cast<uint8_t>((v << 3) | (v >> 2)); }
uint8_t Widen6(uint32_t v) { return static_cast<uint8_t>((v << 2) | (v >> 4)); }
uint16_t To565(uint32_t r, uint32_t g, uint32_t b) {
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

}  // namespace

int SDL_SetError(const char* text) {
    t_error = text;
    return -1;
}

const char* SDL_GetError() { return t_error.c_str(); }

// ---- Surfaces ---------------------------------------------------------------

namespace {

// A surface whose pixels are cleared (as SDL's are) or left for the caller to
// clear a row at a time as it fills them: the first touch of fresh memory is
// slow, and row by row it falls between the browser's turns.
SDL_Surface* NewSurface(int width, int height, Uint32 format, bool cleared) {
    SDL_PixelFormat* f = FormatOf(format);
    if (f == nullptr || width <= 0 || height <= 0) {
        SDL_SetError("unsupported surface");
        return nullptr;
    }
    LetTheBrowserIn();
    const int pitch = (width * f->BytesPerPixel + 3) & ~3;
    const size_t bytes = static_cast<size_t>(pitch) * height;
    void* pixels = cleared ? std::calloc(bytes, 1) : std::malloc(bytes);
    auto* s = new (std::nothrow) SDL_Surface{0, f, width, height, pitch, pixels, false, 0};
    if (pixels == nullptr || s == nullptr) {
        std::free(pixels);
        delete s;
        SDL_SetError("out of memory");
        return nullptr;
    }
    return s;
}

// Clears row y of a surface made uncleared, just before it is filled.
uint8_t* ClearedRow(SDL_Surface* s, int y) {
    uint8_t* row = static_cast<uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
    std::memset(row, 0, static_cast<size_t>(s->pitch));
    return row;
}

}  // namespace

SDL_Surface* SDL_CreateRGBSurfaceWithFormat(Uint32, int width, int height, int, Uint32 format) {
    return NewSurface(width, height, format, true);
}

void SDL_FreeSurface(SDL_Surface* surface) {
    if (surface == nullptr) return;
    std::free(surface->pixels);
    delete surface;
}

int SDL_FillRect(SDL_Surface* s, const SDL_Rect* rect, Uint32 colour) {
    const SDL_Rect r = rect ? *rect : SDL_Rect{0, 0, s->w, s->h};
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.x + r.w, s->w), y1 = std::min(r.y + r.h, s->h);
    for (int y = y0; y < y1; ++y) {
        if (s->format->BytesPerPixel == 2) {
            auto* row = reinterpret_cast<uint16_t*>(Pixel(s, 0, y));
            std::fill(row + x0, row + std::max(x0, x1), static_cast<uint16_t>(colour));
        } else {
            for (int x = x0; x < x1; ++x) {
                uint8_t* p = Pixel(s, x, y);
                p[0] = colour & 0xFF;
                p[1] = (colour >> 8) & 0xFF;
                p[2] = (colour >> 16) & 0xFF;
            }
        }
    }
    return 0;
}

int SDL_SetSurfaceBlendMode(SDL_Surface*, SDL_BlendMode) { return 0; }

int SDL_SetColorKey(SDL_Surface* s, int flag, Uint32 key) {
    s->keyed = flag != 0;
    s->key = key;
    return 0;
}

int SDL_LockSurface(SDL_Surface*) { return 0; }
void SDL_UnlockSurface(SDL_Surface*) {}

int SDL_BlitSurface(SDL_Surface* src, const SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect) {
    const SDL_Rect from = srcRect ? *srcRect : SDL_Rect{0, 0, src->w, src->h};
    const SDL_Rect to = dstRect ? SDL_Rect{dstRect->x, dstRect->y, from.w, from.h} : SDL_Rect{0, 0, from.w, from.h};
    return SDL_BlitScaled(src, &from, dst, const_cast<SDL_Rect*>(&to));
}

int SDL_BlitScaled(SDL_Surface* src, const SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect) {
    if (src->format != dst->format || src->format->BytesPerPixel != 2) return SDL_SetError("blit between formats");
    const SDL_Rect from = srcRect ? *srcRect : SDL_Rect{0, 0, src->w, src->h};
    const SDL_Rect to = dstRect ? *dstRect : SDL_Rect{0, 0, dst->w, dst->h};
    if (from.w <= 0 || from.h <= 0 || to.w <= 0 || to.h <= 0 || from.x < 0 || from.y < 0 ||
        from.x + from.w > src->w || from.y + from.h > src->h || to.x < 0 || to.y < 0 ||
        to.x + to.w > dst->w || to.y + to.h > dst->h) {
        return SDL_SetError("blit outside a surface");
    }
    const bool same = from.w == to.w && from.h == to.h;
    const auto key = static_cast<uint16_t>(src->key);
    for (int y = 0; y < to.h; ++y) {
        const int sy = from.y + (same ? y : static_cast<int>(static_cast<int64_t>(y) * from.h / to.h));
        const auto* in = reinterpret_cast<const uint16_t*>(Pixel(src, from.x, sy));
        auto* out = reinterpret_cast<uint16_t*>(Pixel(dst, to.x, to.y + y));
        if (same && !src->keyed) {
            std::memmove(out, in, static_cast<size_t>(to.w) * 2);
            continue;
        }
        for (int x = 0; x < to.w; ++x) {
            const uint16_t p = in[same ? x : static_cast<int>(static_cast<int64_t>(x) * from.w / to.w)];
            if (!src->keyed || p != key) out[x] = p;
        }
    }
    return 0;
}

SDL_Surface* SDL_ConvertSurfaceFormat(SDL_Surface* src, Uint32 format, Uint32) {
    SDL_Surface* out = NewSurface(src->w, src->h, format, false);
    if (out == nullptr) return nullptr;
    for (int y = 0; y < src->h; ++y) {
        LetTheBrowserIn();
        ClearedRow(out, y);
        for (int x = 0; x < src->w; ++x) {
            uint8_t r, g, b;
            const uint8_t* p = Pixel(src, x, y);
            if (src->format->BytesPerPixel == 2) {
                const uint32_t v = static_cast<uint32_t>(p[0] | (p[1] << 8));
                r = Widen5(v >> 11);
                g = Widen6((v >> 5) & 0x3F);
                b = Widen5(v & 0x1F);
            } else {
                b = p[0];
                g = p[1];
                r = p[2];
            }
            uint8_t* q = Pixel(out, x, y);
            if (out->format->BytesPerPixel == 2) {
                const uint16_t v = To565(r, g, b);
                q[0] = v & 0xFF;
                q[1] = v >> 8;
            } else {
                q[0] = b;
                q[1] = g;
                q[2] = r;
            }
        }
    }
    return out;
}

// ---- Files ------------------------------------------------------------------

struct SDL_RWops {
    std::FILE* file;
};

SDL_RWops* SDL_RWFromFile(const char* path, const char* mode) {
    LetTheBrowserIn();
    std::FILE* file = std::fopen(path, mode);
    if (file == nullptr) {
        SDL_SetError(std::strerror(errno));
        return nullptr;
    }
    return new SDL_RWops{file};
}

size_t SDL_RWread(SDL_RWops* rw, void* buffer, size_t size, size_t count) {
    return std::fread(buffer, size, count, rw->file);
}

Sint64 SDL_RWsize(SDL_RWops* rw) {
    const long here = std::ftell(rw->file);
    if (here < 0 || std::fseek(rw->file, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(rw->file);
    std::fseek(rw->file, here, SEEK_SET);
    return size;
}

Sint64 SDL_RWseek(SDL_RWops* rw, Sint64 offset, int whence) {
    const int from = whence == RW_SEEK_SET ? SEEK_SET : whence == RW_SEEK_CUR ? SEEK_CUR : SEEK_END;
    if (std::fseek(rw->file, static_cast<long>(offset), from) != 0) return SDL_SetError("seek failed");
    return std::ftell(rw->file);
}

int SDL_RWclose(SDL_RWops* rw) {
    const int result = std::fclose(rw->file);
    delete rw;
    return result == 0 ? 0 : -1;
}

namespace {

uint32_t Le16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
void Put16(uint8_t* p, uint32_t v) {
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
}
void Put32(uint8_t* p, uint32_t v) {
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}

SDL_Surface* ReadBmp(std::FILE* file) {
    // The caller has checked the headers' sizes against the file's length.
    uint8_t head[14 + 40];
    if (std::fread(head, 1, sizeof head, file) != sizeof head || head[0] != 'B' || head[1] != 'M') {
        SDL_SetError("not a BMP picture");
        return nullptr;
    }
    const uint32_t infoBytes = Le32(head + 14);
    const int32_t width = static_cast<int32_t>(Le32(head + 18));
    const int32_t rawHeight = static_cast<int32_t>(Le32(head + 22));
    const uint32_t bits = Le16(head + 28), compression = Le32(head + 30);
    const uint32_t offset = Le32(head + 10);
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;
    if (infoBytes < 40 || width <= 0 || height <= 0 ||
        !(compression == 0 || (compression == 3 && (bits == 16 || bits == 32))) ||
        !(bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
        SDL_SetError("a kind of BMP picture the web build does not read");
        return nullptr;
    }
    std::vector<uint8_t> palette;
    if (bits == 8) {
        uint32_t colours = Le32(head + 46);
        if (colours == 0 || colours > 256) colours = 256;
        palette.assign(colours * 4, 0);
        std::fseek(file, static_cast<long>(14 + infoBytes), SEEK_SET);
        if (std::fread(palette.data(), 1, palette.size(), file) != palette.size()) {
            SDL_SetError("the BMP palette is cut short");
            return nullptr;
        }
    }
    SDL_Surface* s = NewSurface(width, height, SDL_PIXELFORMAT_BGR24, false);
    if (s == nullptr) return nullptr;
    const size_t rowBytes = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    std::vector<uint8_t> row(rowBytes);
    std::fseek(file, static_cast<long>(offset != 0 ? offset : 14 + infoBytes), SEEK_SET);
    for (int32_t i = 0; i < height; ++i) {
        LetTheBrowserIn();
        if (std::fread(row.data(), 1, rowBytes, file) != rowBytes) {
            SDL_FreeSurface(s);
            SDL_SetError("the BMP pixels are cut short");
            return nullptr;
        }
        uint8_t* out = ClearedRow(s, topDown ? i : height - 1 - i);
        for (int32_t x = 0; x < width; ++x, out += 3) {
            switch (bits) {
                case 8: {
                    const size_t at = static_cast<size_t>(row[x]) * 4;
                    if (at + 2 < palette.size()) std::memcpy(out, &palette[at], 3);
                    break;
                }
                case 16: {
                    const uint32_t v = Le16(&row[static_cast<size_t>(x) * 2]);
                    // Without bit fields a 16-bit BMP is 5-5-5; with them the
                    // game's are 5-6-5.
                    if (compression == 3) {
                        out[0] = Widen5(v & 0x1F);
                        out[1] = Widen6((v >> 5) & 0x3F);
                        out[2] = Widen5(v >> 11);
                    } else {
                        out[0] = Widen5(v & 0x1F);
                        out[1] = Widen5((v >> 5) & 0x1F);
                        out[2] = Widen5((v >> 10) & 0x1F);
                    }
                    break;
                }
                case 24: std::memcpy(out, &row[static_cast<size_t>(x) * 3], 3); break;
                default: std::memcpy(out, &row[static_cast<size_t>(x) * 4], 3); break;
            }
        }
    }
    return s;
}

}  // namespace

SDL_Surface* SDL_LoadBMP_RW(SDL_RWops* rw, int closeFile) {
    SDL_Surface* s = ReadBmp(rw->file);
    if (closeFile) SDL_RWclose(rw);
    return s;
}

int SDL_SaveBMP(SDL_Surface* surface, const char* path) {
    SDL_Surface* bgr = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_BGR24, 0);
    if (bgr == nullptr) return -1;
    const uint32_t rowBytes = (static_cast<uint32_t>(bgr->w) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(bgr->h);
    uint8_t head[14 + 40] = {'B', 'M'};
    Put32(head + 2, sizeof head + pixelBytes);
    Put32(head + 10, sizeof head);
    Put32(head + 14, 40);
    Put32(head + 18, static_cast<uint32_t>(bgr->w));
    Put32(head + 22, static_cast<uint32_t>(bgr->h));
    Put16(head + 26, 1);
    Put16(head + 28, 24);
    Put32(head + 34, pixelBytes);
    std::FILE* file = std::fopen(path, "wb");
    bool ok = file != nullptr && std::fwrite(head, 1, sizeof head, file) == sizeof head;
    for (int y = bgr->h - 1; ok && y >= 0; --y) {
        ok = std::fwrite(Pixel(bgr, 0, y), 1, rowBytes, file) == rowBytes;
    }
    if (file != nullptr && std::fclose(file) != 0) ok = false;
    SDL_FreeSurface(bgr);
    return ok ? 0 : SDL_SetError("the BMP file could not be written");
}

namespace plat {

// The owned-handle deleter of the surfaces (the web build has no windows,
// renderers or textures; platform/sdl_handles.cpp serves the desktop).
void SdlDeleter::operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }

}  // namespace plat
