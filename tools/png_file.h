#pragma once
// PNG output for the review pictures (contact sheet, board preview) and the
// desktop icons.
#include <string>

#include "tools/canvas.h"

// With keyIsClear, the transparent key colour becomes fully transparent
// (an RGBA file, for icons); otherwise the file is plain RGB.
bool WritePng(const std::string& path, const Canvas& canvas, bool keyIsClear = false);
