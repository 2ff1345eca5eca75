// Pictures: a BMP file loaded the ways the game loads its pictures, as an
// image keyed on pure blue, as a strip of frames and as a sheet of cells; the
// image is drawn half over each edge of a page, as a sprite leaving the
// screen is, so that every clipped blit is tried.
#include <cstddef>
#include <cstdint>

#include "display/image.h"
#include "fuzz_support.h"
#include "scene/sprite.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterScratchFolder();
    fuzz::OpenHeadlessDisplay();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::WriteInput("picture.bmp", data, size);
    Image image("picture.bmp");
    if (image.GetSurface() == nullptr) return 0;
    constexpr int32_t kPageWidth = 64, kPageHeight = 48;
    const plat::SurfacePtr page(plat::Surface::Create(kPageWidth, kPageHeight));
    const int32_t w = image.width, h = image.height;
    const int32_t places[][2] = {{-w / 2, 0}, {kPageWidth - w / 2, 0}, {0, -h / 2}, {0, kPageHeight - h / 2}};
    for (const auto& [x, y] : places) image.Draw(page.get(), x, y);
    Sprite strip;
    strip.LoadStrip("picture.bmp", 3, 0);
    Sprite sheet;
    sheet.LoadSheet("picture.bmp", 14, 17);
    return 0;
}
