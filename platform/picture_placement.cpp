#include "platform/picture_placement.h"

#include <algorithm>

namespace plat {

namespace {
// Floor division, so points left of or above the picture map below zero.
int32_t FloorDiv(int64_t a, int64_t b) { return static_cast<int32_t>(a >= 0 ? a / b : -((-a + b - 1) / b)); }
}  // namespace

PicturePlacement PlacePicture(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth,
                              int32_t pictureHeight, Scaling scaling) {
    PicturePlacement p;
    p.pictureWidth = pictureWidth;
    p.pictureHeight = pictureHeight;
    if (windowWidth <= 0 || windowHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return p;
    if (scaling == Scaling::Sharp) {
        const int32_t factor =
            std::max(1, std::min(windowWidth / pictureWidth, windowHeight / pictureHeight));
        if (factor * pictureWidth <= windowWidth && factor * pictureHeight <= windowHeight) {
            p.width = factor * pictureWidth;
            p.height = factor * pictureHeight;
        }
    }
    if (p.width == 0) {
        // Fit by the narrower side, in whole window units, keeping the aspect.
        if (static_cast<int64_t>(windowWidth) * pictureHeight <= static_cast<int64_t>(windowHeight) * pictureWidth) {
            p.width = windowWidth;
            p.height = static_cast<int32_t>(static_cast<int64_t>(windowWidth) * pictureHeight / pictureWidth);
        } else {
            p.height = windowHeight;
            p.width = static_cast<int32_t>(static_cast<int64_t>(windowHeight) * pictureWidth / pictureHeight);
        }
    }
    p.x = (windowWidth - p.width) / 2;
    p.y = (windowHeight - p.height) / 2;
    return p;
}

void PicturePlacement::WindowToPicture(int32_t windowX, int32_t windowY, int32_t* pictureX,
                                       int32_t* pictureY) const {
    if (width <= 0 || height <= 0) {
        *pictureX = windowX;
        *pictureY = windowY;
        return;
    }
    // The picture pixel whose square on the window holds the point.
    *pictureX = FloorDiv(static_cast<int64_t>(windowX - x) * pictureWidth, width);
    *pictureY = FloorDiv(static_cast<int64_t>(windowY - y) * pictureHeight, height);
}

bool PicturePlacement::WholeScale() const {
    return width > 0 && width % pictureWidth == 0 && height % pictureHeight == 0 &&
           width / pictureWidth == height / pictureHeight;
}

}  // namespace plat
