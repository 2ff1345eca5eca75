#include "display/frames.h"

#include <string>

#include "display/picture.h"
#include "display/surface_ops.h"

Status SliceFrames(plat::Surface* source, PtrList<plat::Surface>* list, int32_t frameWidth,
                   int32_t frameHeight, int32_t* columns) {
    // A frame size of 0 would divide by zero below; refuse it.
    if (frameWidth <= 0 || frameHeight <= 0) {
        return Status::Failed("frame size " + std::to_string(frameWidth) + " by " + std::to_string(frameHeight) +
                              " is not positive");
    }
    const int32_t cols = source->Width() / frameWidth;
    const int32_t rows = source->Height() / frameHeight;
    if (columns) *columns = cols;
    const int32_t count = cols * rows;
    for (int32_t i = 0; i < count; ++i) {
        plat::Surface* frame = CreateSurface(frameWidth, frameHeight);
        if (frame == nullptr) return Status::Failed("no surface for a frame (no display, or no memory)");
        SetColorKeyRGB(frame, 0, 0, 255);
        list->Add(frame);
        const int32_t row = i / cols;
        const int32_t column = i - row * cols;
        const plat::Rect area{column * frameWidth, row * frameHeight,
                              column * frameWidth + frameWidth, row * frameHeight + frameHeight};
        frame->Blt(nullptr, source, &area, plat::DDBLT_WAIT);
    }
    return Status();
}

namespace {
// SliceFrames of a picture loaded from path, whose name a failure then gives.
Status SlicePicture(const char* path, plat::Surface* picture, PtrList<plat::Surface>* list, int32_t frameWidth,
                    int32_t frameHeight, int32_t* columns) {
    const Status sliced = SliceFrames(picture, list, frameWidth, frameHeight, columns);
    return sliced ? sliced : Status::Failed(std::string(path) + ": " + sliced.Why());
}
}  // namespace

Status LoadFrames(const char* path, PtrList<plat::Surface>* list, int32_t frameWidth,
                  int32_t frameHeight, int32_t* columns) {
    plat::SurfacePtr picture;
    if (Status loaded = LoadPicture(path, 16, &picture); !loaded) return loaded;
    return SlicePicture(path, picture.get(), list, frameWidth, frameHeight, columns);
}

Status LoadStripFrames(const char* path, int32_t count, int32_t vertical, PtrList<plat::Surface>* list,
                       int32_t* stripWidth, int32_t* stripHeight) {
    if (count < 1) {
        return Status::Failed(std::string(path) + ": a strip cannot hold " + std::to_string(count) + " pictures");
    }
    plat::SurfacePtr strip;
    if (Status loaded = LoadPicture(path, 16, &strip); !loaded) return loaded;
    const int32_t w = strip->Width(), h = strip->Height();
    *stripWidth = w;
    *stripHeight = h;
    return vertical == 0 ? SlicePicture(path, strip.get(), list, w / count, h, nullptr)
                         : SlicePicture(path, strip.get(), list, w, h / count, nullptr);
}
