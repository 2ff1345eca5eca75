#pragma once
// 16-bit (5-6-5 bit fields) uncompressed BMP files: the picture format the
// game loads, at the depth it shows them.
#include <optional>
#include <string>

#include "tools/canvas.h"

// Writes the canvas bottom-up with rows padded to 4 bytes; false on an I/O error.
bool WriteBmp(const std::string& path, const Canvas& canvas);
// Reads such a BMP (either row order), each channel widened back to 8 bits;
// nothing on any other file.
std::optional<Canvas> ReadBmp(const std::string& path);
