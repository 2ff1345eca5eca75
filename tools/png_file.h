#pragma once
// PNG output for the review pictures (contact sheet, board preview).
#include <string>

#include "tools/canvas.h"

bool WritePng(const std::string& path, const Canvas& canvas);
