#include "display/frames.h"

#include "display/surface_ops.h"
#include "platform/qv.h"
#include "platform/surface.h"

int SliceFrames(plat::Surface* source, PtrList<plat::Surface>* list, int32_t frameWidth,
                int32_t frameHeight, int32_t* columns) {
    // A frame size of 0 would divide by zero below; refuse it.
    if (frameWidth <= 0 || frameHeight <= 0) return 0;
    const int32_t cols = source->Width() / frameWidth;
    const int32_t rows = source->Height() / frameHeight;
    if (columns) *columns = cols;
    const int32_t count = cols * rows;
    for (int32_t i = 0; i < count; ++i) {
        plat::Surface* frame = CreateSurface(frameWidth, frameHeight);
        if (frame == nullptr) return 0;
        SetColorKeyRGB(frame, 0, 0, 255);
        list->Add(frame);
        const int32_t row = i / cols;
        const int32_t column = i - row * cols;
        const plat::Rect area{column * frameWidth, row * frameHeight,
                              column * frameWidth + frameWidth, row * frameHeight + frameHeight};
        frame->Blt(nullptr, source, &area, plat::DDBLT_WAIT);
    }
    return 1;
}

int LoadFrames(const char* path, PtrList<plat::Surface>* list, int32_t frameWidth,
               int32_t frameHeight, int32_t* columns) {
    const plat::SurfacePtr picture(QVLoadBitmap(path, 16));
    if (picture == nullptr) return 0;
    return SliceFrames(picture.get(), list, frameWidth, frameHeight, columns);
}
