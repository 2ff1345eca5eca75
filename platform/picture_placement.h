#pragma once
// Where the picture sits in a window of any size: scaled to fit keeping its
// aspect, centred, with black bars on the two sides it does not fill. Sharp
// placement takes the largest whole scale that fits (at least 1, so a window
// smaller than the picture still shows all of it, shrunk); smooth placement
// fills as much as the aspect allows. This is the one place that knows the
// picture's position on the window: drawing and the mouse both use it.
#include <cstdint>

namespace plat {

enum class Scaling { Smooth, Sharp };

struct PicturePlacement {
    // The picture's rectangle in window units.
    int32_t x = 0, y = 0, width = 0, height = 0;
    int32_t pictureWidth = 0, pictureHeight = 0;

    // A point of the window as a picture pixel. Points in the bars lie
    // outside 0..pictureWidth-1 and 0..pictureHeight-1.
    void WindowToPicture(int32_t windowX, int32_t windowY, int32_t* pictureX, int32_t* pictureY) const;
    // Whether the picture is shown at a whole scale (pixels stay square and sharp).
    bool WholeScale() const;
};

PicturePlacement PlacePicture(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth,
                              int32_t pictureHeight, Scaling scaling);

}  // namespace plat
