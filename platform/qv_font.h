#pragma once
// The small bitmap font of the graphics library's text output: 5 by 7 pixel
// glyphs in 6 by 8 cells, digits, capitals (small letters are drawn as
// capitals) and common punctuation, drawn with a one-pixel shadow so that the
// text stays readable on any picture.
#include <cstdint>

namespace plat {
class Surface;
}

namespace qvfont {

constexpr int kCellWidth = 6;
constexpr int kCellHeight = 8;

// Draws text with its top left corner at (x, y), clipped to the surface.
void DrawText(plat::Surface& surface, const char* text, int32_t x, int32_t y);

}  // namespace qvfont
