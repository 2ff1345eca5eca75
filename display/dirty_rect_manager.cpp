#include "display/dirty_rect_manager.h"

#include "display/blit.h"
#include "display/image.h"

DirtyRectManager g_DirtyRects;

namespace {
// Copies the rectangle of source onto the same place of target, keyed.
void CopyOver(plat::Surface* source, plat::Surface* target, const DirtyRect& r) {
    if (source == nullptr || target == nullptr) return;
    BlitRect(source, r.x, r.y, r.width, r.height, target, r.x, r.y, kKeyedBlit);
}
}  // namespace

DirtyRectManager::DirtyRectManager()
    : page(0), lists{new PtrList<DirtyRect>(1), new PtrList<DirtyRect>(1)},
      background(nullptr), backdrop(nullptr), bothPages(0) {}

DirtyRectManager::~DirtyRectManager() {
    // Scenes destroyed after the manager at process exit may still tell it
    // of their pictures: it is left with no lists and no layers.
    for (PtrList<DirtyRect>*& list : lists) {
        list->DeleteAll();
        delete list;
        list = nullptr;
    }
    background = backdrop = nullptr;
}

void DirtyRectManager::FlipPage() { page = 1 - page; }

void DirtyRectManager::Restore(plat::Surface* target) {
    PtrList<DirtyRect>* list = lists[page];
    // Walk by index; a freed entry shifts the rest down, so the index stays.
    for (int32_t i = 0; i < list->Count();) {
        DirtyRect* r = list->Get(i);
        if (r->flags & DirtyRect::kFromBackground) {
            if (r->background == background) CopyOver(background, target, *r);
        } else if (r->flags & DirtyRect::kFromBackdrop) {
            if (r->backdrop == backdrop) CopyOver(backdrop, background, *r);
            if (r->background == background) CopyOver(background, target, *r);
        }
        if (r->flags & DirtyRect::kOneShot) {
            list->Remove(r);
            delete r;
        } else {
            ++i;
        }
    }
}

void DirtyRectManager::ClearOneShots() {
    PtrList<DirtyRect>* list = lists[page];
    for (int32_t i = 0; i < list->Count();) {
        DirtyRect* r = list->Get(i);
        if (r->flags & DirtyRect::kOneShot) {
            list->Remove(r);
            delete r;
        } else {
            ++i;
        }
    }
}

void DirtyRectManager::SetBackground(plat::Surface* surface) {
    ClearOneShots();
    background = surface;
}

void DirtyRectManager::SetBackdrop(plat::Surface* surface) { backdrop = surface; }

void DirtyRectManager::ForgetSurface(const plat::Surface* surface) {
    if (surface == nullptr) return;
    if (background == surface) background = nullptr;
    if (backdrop == surface) backdrop = nullptr;
    for (PtrList<DirtyRect>* list : lists) {
        if (list == nullptr) continue;
        for (int32_t i = 0; i < list->Count();) {
            DirtyRect* r = list->Get(i);
            if (r->background == surface || r->backdrop == surface) {
                list->Remove(r);
                delete r;
            } else {
                ++i;
            }
        }
    }
}

void DirtyRectManager::Add(DirtyRect* rect) {
    rect->background = background;
    rect->backdrop = backdrop;
    if (!(rect->flags & DirtyRect::kBothPages) && bothPages == 0) {
        lists[page]->Add(rect);
        return;
    }
    lists[0]->Add(rect);
    lists[1]->Add(new DirtyRect(*rect));
}

void DirtyRectManager::AddRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    auto* rect = new DirtyRect{x, y, width, height,
                               DirtyRect::kOneShot | DirtyRect::kFromBackground, nullptr, nullptr};
    CopyOver(backdrop, background, *rect);
    Add(rect);
}

void DirtyRectManager::RefreshAll() {
    if (background == nullptr) return;
    AddRect(0, 0, background->Width(), background->Height());
}

void DirtyRectManager::AddRectEdges(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                    uint32_t flagsA, uint32_t flagsB) {
    AddRectFlags(left, top, right - left, bottom - top, flagsA, flagsB);
}

void DirtyRectManager::AddRectFlags(int32_t x, int32_t y, int32_t width, int32_t height,
                                    uint32_t flagsA, uint32_t flagsB) {
    Add(new DirtyRect{x, y, width, height, flagsA | flagsB, nullptr, nullptr});
}

void DirtyRectManager::AddRectFromEdges(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    AddRect(left, top, right - left, bottom - top);
}

void DirtyRectManager::AddImageRect(const Image* image) {
    AddRect(image->x, image->y, image->width, image->height);
}
