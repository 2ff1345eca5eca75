#include "display/image.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "display/blit.h"
#include "display/picture.h"
#include "platform/debug_log.h"
#include "display/surface_ops.h"

Image::Image() : name(""), x(0), y(0), width(0), height(0) {}

Image::Image(const char* fileName) : Image() { Load(fileName); }

Image::~Image() = default;

plat::Surface* Image::Load(const char* fileName) { return LoadDepth(fileName, 16); }

plat::Surface* Image::LoadDepth(const char* fileName, int32_t depth) {
    if (fileName == nullptr) {
        surface.reset();
        name[0] = '\0';
        return nullptr;
    }
    plat::SurfacePtr loaded;
    if (const Status status = LoadPicture(fileName, depth, &loaded); !status) {
        NoteLeftOut(status);
        return nullptr;
    }
    // A second load replaces the picture: the first is released, not lost.
    surface = std::move(loaded);
    SetColorKeyRGB(surface.get(), 0, 0, 255);
    SetName(fileName);
    GetSurfaceSize(surface.get(), &width, &height);
    return surface.get();
}

void Image::Attach(plat::Surface* newSurface) {
    if (newSurface != surface.get()) surface.reset(newSurface);
    if (surface != nullptr) {
        GetSurfaceSize(newSurface, &width, &height);
    } else {
        width = height = 0;
    }
}

void Image::Setup(const char* newName, const char* fileName, int32_t newX, int32_t newY,
                  int32_t newWidth, int32_t newHeight) {
    SetName(newName);
    Load(fileName);
    SetPosition(newX, newY);
    if (newWidth != 0) width = newWidth;
    if (newHeight != 0) height = newHeight;
}

void Image::SetName(const char* text) { std::snprintf(name, sizeof name, "%s", text ? text : ""); }

void Image::SetPosition(int32_t newX, int32_t newY) {
    x = newX;
    y = newY;
}

void Image::SetColorKey(int32_t red, int32_t green, int32_t blue) {
    if (surface != nullptr) SetColorKeyRGB(surface.get(), red, green, blue);
}

int Image::Draw(plat::Surface* destination, int32_t atX, int32_t atY) {
    // A scene without a background picture hands in a null layer.
    if (surface == nullptr || destination == nullptr) return 0;
    return BlitAt(surface.get(), destination, atX, atY, kKeyedBlit);
}

Image* FindImageByName(const PtrList<Image>* list, const char* name) {
    if (list == nullptr || name == nullptr) return nullptr;
    for (int32_t i = 0; i < list->Count(); ++i) {
        if (std::strcmp(list->Get(i)->GetName(), name) == 0) return list->Get(i);
    }
    return nullptr;
}
