#pragma once
// The display's surface factory (DirectDraw's object): surfaces made through
// it are off-screen surfaces in the display's pixel format.
#include <cstdint>

#include "platform/surface.h"

namespace plat {

class DirectDraw {
public:
    // Null when no display can be used.
    static DirectDraw* Create();
    // An off-screen plain surface of the display's format, or null.
    Surface* CreateSurface(int32_t width, int32_t height);
    void Release() { delete this; }

private:
    DirectDraw() = default;
};

}  // namespace plat
