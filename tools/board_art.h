#pragma once
// The game screen's background ("background.bmp": the sea with the board's
// hex grid and the status panel) and the sea-cell tiles ("tileset.bmp").
#include <vector>

#include "tools/board_layout.h"
#include "tools/named_picture.h"
#include "tools/text_painter.h"

// The flat colour inside the status panel's number slots; the digits of the
// number font sit on the same colour, so they cover old digits cleanly.
inline constexpr Rgb kSlotColor{8, 22, 40};
inline constexpr int kTilesetFrames = 11;

Canvas MakeTileset();
std::vector<NamedPicture> MakeBoardPictures(const BoardLayout& layout, TextPainter& text);
