// Image-definition files: the list of images a scene loads, each from the
// picture file it names (a small real picture lies beside it as tile.bmp).
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "fuzz_support.h"
#include "scene/scene.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterScratchFolder();
    fuzz::OpenHeadlessDisplay();
    // A 2 by 2 picture of 24 bits for the entries that name it.
    static const uint8_t kTile[] = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,
        0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0,
        255, 0,   0,  0, 0, 0, 255, 0, 0, 0, 0, 0};
    fuzz::WriteInput("tile.bmp", kTile, sizeof kTile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::WriteInput("images.ini", data, size);
    Scene scene;
    scene.LoadImages("images.ini");
    scene.LoadImages(".\\IMAGES.INI");
    for (const char* name : {"title", "board", "tile", "none"}) scene.DrawImage(nullptr, name);
    scene.Leave();
    return 0;
}
