#include "platform/direct_draw.h"

#include "platform/video_driver.h"

namespace plat {

DirectDraw* DirectDraw::Create() {
    std::string error;
    return Video().Open(&error) ? new DirectDraw : nullptr;
}

Surface* DirectDraw::CreateSurface(int32_t width, int32_t height) {
    return Surface::Create(width, height, Surface::kRgb565);
}

}  // namespace plat
