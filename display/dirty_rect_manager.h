#pragma once
// Background restore: the display flips between two pages, so what was drawn
// on a page must be wiped when that page comes back two frames later. Every
// sprite, button and pointer reports the rectangle it drew; after each flip
// the rectangles of the page now being drawn on are copied back from the
// background layer. The backdrop is a clean copy of the background, from
// which the background itself can be refreshed.
#include <cstdint>

#include "base/ptr_list.h"
#include "platform/surface.h"

class Image;

struct DirtyRect {
    static constexpr uint32_t kOneShot = 1;
    static constexpr uint32_t kBothPages = 2;
    static constexpr uint32_t kFromBackground = 4096;
    static constexpr uint32_t kFromBackdrop = 8192;

    int32_t x, y, width, height;
    uint32_t flags;
    // The layers current when the rectangle was added: a rectangle restores
    // only while they still are.
    plat::Surface* background;
    plat::Surface* backdrop;
};

class DirtyRectManager {
public:
    DirtyRectManager();
    ~DirtyRectManager();
    DirtyRectManager(const DirtyRectManager&) = delete;
    DirtyRectManager& operator=(const DirtyRectManager&) = delete;

    void FlipPage();
    // Restores the current page's rectangles onto target, freeing one-shots.
    void Restore(plat::Surface* target);
    void ClearOneShots();
    // Drops the current page's pending one-shots, then takes the surface.
    void SetBackground(plat::Surface* surface);
    void SetBackdrop(plat::Surface* surface);
    // The surface is about to be released: it stops being a layer, and the
    // rectangles recorded against it, which could only copy from it, go.
    void ForgetSurface(const plat::Surface* surface);
    plat::Surface* GetBackground() const { return background; }
    plat::Surface* GetBackdrop() const { return backdrop; }
    // Takes ownership of the rectangle.
    void Add(DirtyRect* rect);
    // A one-shot background rectangle; the backdrop is copied onto the
    // background over it first.
    void AddRect(int32_t x, int32_t y, int32_t width, int32_t height);
    void RefreshAll();
    void AddRectEdges(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t flagsA,
                      uint32_t flagsB);
    void AddRectFlags(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flagsA,
                      uint32_t flagsB);
    void AddRectFromEdges(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void AddImageRect(const Image* image);

    int32_t page;
    PtrList<DirtyRect>* lists[2];
    plat::Surface* background;
    plat::Surface* backdrop;
    int32_t bothPages;
};

extern DirtyRectManager g_DirtyRects;
