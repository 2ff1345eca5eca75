#pragma once
// 24-bit uncompressed BMP files: the picture format the game loads.
#include <optional>
#include <string>

#include "tools/canvas.h"

// Writes the canvas bottom-up with rows padded to 4 bytes; false on an I/O error.
bool WriteBmp(const std::string& path, const Canvas& canvas);
// Reads a 24-bit uncompressed BMP (either row order); nothing on any other file.
std::optional<Canvas> ReadBmp(const std::string& path);
