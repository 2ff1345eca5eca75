#pragma once
// Image: a named bitmap with a default position. Pure blue is transparent.
// The image owns its surface.
#include <cstdint>

#include "base/ptr_list.h"
#include "platform/surface.h"

class Image {
public:
    Image();
    explicit Image(const char* fileName);
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    plat::Surface* Load(const char* fileName);
    // Loads the BMP, keys pure blue and takes the file name as the image's
    // name; a surface the image had is released. Null when it does not load
    // (the reason is noted in the debug log): picture, name and size then
    // stay as they were. A null file name empties the image.
    plat::Surface* LoadDepth(const char* fileName, int32_t depth);
    // Takes over a surface (null for none), releasing the one it had; its
    // colour key is left as it is.
    void Attach(plat::Surface* surface);
    // Name, file, position, and a size that overrides the bitmap's where not 0.
    void Setup(const char* newName, const char* fileName, int32_t newX, int32_t newY,
               int32_t newWidth, int32_t newHeight);
    void SetName(const char* text);
    const char* GetName() const { return name; }
    plat::Surface* GetSurface() const { return surface.get(); }
    void SetPosition(int32_t newX, int32_t newY);
    void SetColorKey(int32_t red, int32_t green, int32_t blue);
    // Draws the whole bitmap at (x, y) with its colour key, clipped; 0 and
    // nothing drawn without a surface or a destination, otherwise the blit's
    // result.
    int Draw(plat::Surface* destination, int32_t atX, int32_t atY);

    char name[256];
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    plat::SurfacePtr surface;
};

// The first image of the list whose name equals name exactly; null when there
// is none, or no list or name.
Image* FindImageByName(const PtrList<Image>* list, const char* name);
