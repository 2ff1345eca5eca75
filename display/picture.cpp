#include "display/picture.h"

#include "platform/failure.h"
#include "platform/qv.h"

Status LoadPicture(const char* path, int32_t depth, plat::SurfacePtr* picture) {
    if (path == nullptr) return Status::Failed("no picture file named");
    picture->reset(QVLoadBitmap(path, depth));
    return plat::StatusOf(*picture != nullptr);
}
