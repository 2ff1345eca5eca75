// The picture's place in windows of many sizes, smooth and sharp: it keeps
// its aspect, sits centred, and a click on a corner pixel or the centre of
// the picture reads that picture pixel.
#include "platform/picture_placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>

namespace {

using plat::PicturePlacement;
using plat::Scaling;

// The window point in the middle of a picture pixel's square.
std::pair<int32_t, int32_t> WindowPointOf(const PicturePlacement& p, int32_t px, int32_t py) {
    return {p.x + static_cast<int32_t>((2LL * px + 1) * p.width / (2LL * p.pictureWidth)),
            p.y + static_cast<int32_t>((2LL * py + 1) * p.height / (2LL * p.pictureHeight))};
}

TEST(PicturePlacement, EveryWindowSizeAndScalingMapsClicksBackToTheirPixels) {
    const std::pair<int32_t, int32_t> windows[] = {
        {800, 600},   {1024, 768},  {1280, 1024}, {1920, 1080}, {2560, 1440}, {3840, 2160},
        {640, 480},   {801, 601},   {1600, 1200}, {1366, 768},  {300, 900},   {2000, 600},
    };
    const std::pair<int32_t, int32_t> pixels[] = {{0, 0}, {799, 0}, {0, 599}, {799, 599}, {400, 300}};
    for (Scaling scaling : {Scaling::Smooth, Scaling::Sharp}) {
        for (auto [ww, wh] : windows) {
            const PicturePlacement p = plat::PlacePicture(ww, wh, 800, 600, scaling);
            SCOPED_TRACE(testing::Message() << ww << "x" << wh << (scaling == Scaling::Sharp ? " sharp" : " smooth"));
            // Inside the window, centred, the aspect kept to a pixel.
            EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x + p.width <= ww && p.y + p.height <= wh);
            EXPECT_TRUE(std::abs((ww - p.width) - 2 * p.x) <= 1 && std::abs((wh - p.height) - 2 * p.y) <= 1);
            EXPECT_LE(std::abs(p.width * 600 - p.height * 800), 800);
            // Shrunk, a window pixel covers several picture pixels: a click reads one.
            const int32_t slack = p.width >= 800 ? 0 : 800 / p.width + 1;
            for (auto [px, py] : pixels) {
                const auto [wx, wy] = WindowPointOf(p, px, py);
                int32_t rx = -1, ry = -1;
                p.WindowToPicture(wx, wy, &rx, &ry);
                EXPECT_LE(std::max(std::abs(rx - px), std::abs(ry - py)), slack) << px << "," << py;
            }
            // The bars lie outside the picture.
            int32_t rx = 0, ry = 0;
            p.WindowToPicture(p.x - 1, p.y - 1, &rx, &ry);
            EXPECT_TRUE((p.x == 0 || rx < 0) && (p.y == 0 || ry < 0));
        }
    }
}

TEST(PicturePlacement, SharpTakesTheLargestWholeScaleThatFits) {
    EXPECT_EQ(plat::PlacePicture(1920, 1080, 800, 600, Scaling::Sharp).width, 800);
    EXPECT_EQ(plat::PlacePicture(1920, 1080, 800, 600, Scaling::Smooth).width, 1440);
    const PicturePlacement twice = plat::PlacePicture(2560, 1440, 800, 600, Scaling::Sharp);
    EXPECT_EQ(std::make_tuple(twice.width, twice.height, twice.x, twice.y), std::make_tuple(1600, 1200, 480, 120));
    EXPECT_TRUE(twice.WholeScale());
    // Too small for even one whole scale: shrunk smoothly rather than cut.
    const PicturePlacement small = plat::PlacePicture(640, 480, 800, 600, Scaling::Sharp);
    EXPECT_TRUE(small.width == 640 && !small.WholeScale());
}

}  // namespace
