#include "platform/direct_draw.h"

#include "platform/video_driver.h"

namespace plat {

DirectDraw* DirectDraw::Create() {
    return Video().Open() ? new DirectDraw : nullptr;
}

Surface* DirectDraw::CreateSurface(int32_t width, int32_t height) {
    return Surface::Create(width, height, Surface::kRgb565);
}

}  // namespace plat
