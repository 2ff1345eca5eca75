#pragma once
// Off-screen surfaces in the DirectDraw sense, over SDL surfaces: a block of
// pixels in a known format with a source colour key, filled and copied by Blt,
// and read directly between Lock and Unlock. The display's own pages are
// surfaces too (see platform/qv.h).
#include <cstdint>
#include <memory>

#include "platform/sdl_handles.h"

namespace plat {

class KeyRuns;

// Blt flags and results, with DirectDraw's values.
constexpr uint32_t DDBLT_COLORFILL = 0x00000400;
constexpr uint32_t DDBLT_KEYSRC = 0x00008000;
constexpr uint32_t DDBLT_WAIT = 0x01000000;
constexpr int32_t DD_OK = 0;
constexpr int32_t DDERR_INVALIDRECT = static_cast<int32_t>(0x88760096);
constexpr int32_t DDERR_INVALIDPARAMS = static_cast<int32_t>(0x80070057);
constexpr int32_t DDERR_OUTOFMEMORY = static_cast<int32_t>(0x8007000E);

struct Rect {
    int32_t left, top, right, bottom;  // right and bottom exclusive
};

struct PixelFormat {
    uint32_t bitsPerPixel;
    uint32_t redMask, greenMask, blueMask, alphaMask;
};

// What Lock and GetSurfaceDesc tell about a surface.
struct SurfaceDesc {
    int32_t width;
    int32_t height;
    int32_t pitch;  // bytes per row
    PixelFormat format;
    void* pixels;   // first pixel; only valid while locked
};

class Surface {
public:
    // A new surface of the given size in the given SDL pixel format (the
    // display's 16-bit RGB565 by default), with source colour key 0; null
    // when it cannot be made.
    static Surface* Create(int32_t width, int32_t height, uint32_t sdlFormat = kRgb565);
    // Takes ownership of an SDL surface; null for none.
    static Surface* Adopt(SdlSurfacePtr surface);

    // Copies srcRect of source onto dstRect of this surface (null rectangles
    // mean the whole surface), stretching when the sizes differ. With
    // DDBLT_KEYSRC, source pixels equal to the source's colour key are left
    // out; with DDBLT_COLORFILL, dstRect is filled with fillColour and source
    // is not used. Rectangles that are empty, inverted or not wholly inside
    // their surface are refused with DDERR_INVALIDRECT and nothing is drawn.
    int32_t Blt(const Rect* dstRect, Surface* source, const Rect* srcRect, uint32_t flags,
                uint32_t fillColour = 0);

    // Locks the whole surface for direct access; desc may be null.
    void* Lock(SurfaceDesc* desc);
    void Unlock();
    SurfaceDesc GetSurfaceDesc() const;
    int32_t Width() const;
    int32_t Height() const;

    // Source colour key, low and high value alike.
    void SetColorKey(uint32_t key) { colourKey_ = key; }
    uint32_t GetColorKey() const { return colourKey_; }

    // Exchanges the pixels of two surfaces of one size and format, so that
    // pointers to either keep naming the same role (page flipping).
    void SwapPixels(Surface& other);

    // Writes the pixels to a BMP file; false when it cannot be written.
    bool SaveBmp(const char* path) const;

    // Destroys the surface (DirectDraw's Release for a surface with one owner).
    void Release() { delete this; }

    SDL_Surface* Sdl() const { return sdl_.get(); }

    static constexpr uint32_t kRgb565 = 0x15151002u;  // SDL_PIXELFORMAT_RGB565

private:
    explicit Surface(SdlSurfacePtr surface);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Sets SDL's own key and blend mode for a blit from this surface.
    void PrepareAsSource(bool keyed);
    // The spans of the picture that are not the key, for a keyed copy onto
    // the destination; null where they would not pay.
    const KeyRuns* OpaqueRuns(const SDL_Surface* destination);
    // Called before the pixels change: built spans no longer hold.
    void PixelsChanging();

    SdlSurfacePtr sdl_;
    uint32_t colourKey_ = 0;
    // The key SDL holds for the surface, once set.
    struct SdlKey {
        bool on;
        uint32_t value;
    };
    SdlKey sdlKey_{false, 0};
    bool sdlKeyKnown_ = false;
    enum class RunsState { None, Built, Changing };
    RunsState runsState_ = RunsState::None;
    std::unique_ptr<KeyRuns> runs_;
};

// A surface with one owner, released when the owner goes.
struct SurfaceReleaser {
    void operator()(Surface* surface) const { surface->Release(); }
};
using SurfacePtr = std::unique_ptr<Surface, SurfaceReleaser>;

}  // namespace plat
