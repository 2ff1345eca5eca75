#pragma once
#include <string>

#include "tools/canvas.h"

// A picture and the path, relative to the game folder, it is written to.
struct NamedPicture {
    std::string path;
    Canvas canvas;
};
