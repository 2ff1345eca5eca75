// Pictures: a BMP file loaded the ways the game loads its pictures, as an
// image keyed on pure blue, as a strip of frames and as a sheet of cells.
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
    Sprite strip;
    strip.LoadStrip("picture.bmp", 3, 0);
    Sprite sheet;
    sheet.LoadSheet("picture.bmp", 14, 17);
    return 0;
}
